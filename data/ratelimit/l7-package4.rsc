###°ü4
/ip firewall mangle
add action=change-mss chain=forward disabled=no new-mss=1440 passthrough=yes \
    protocol=tcp tcp-flags=syn tcp-mss=1441-65535
add action=mark-connection chain=prerouting disabled=no \
    src-address-list=server new-connection-mark=server passthrough=yes
add action=mark-packet chain=postrouting connection-mark=server disabled=no \
    new-packet-mark=server-up passthrough=no src-address-list=server
add action=mark-packet chain=prerouting connection-mark=server disabled=no \
    new-packet-mark=server-down passthrough=no src-address-type=!local
add action=mark-connection chain=prerouting disabled=no protocol=icmp \
    new-connection-mark=Small passthrough=yes
add action=mark-connection chain=prerouting disabled=no dst-port=53 \
    protocol=udp new-connection-mark=Small passthrough=yes
add action=mark-packet chain=postrouting connection-mark=Small disabled=no \
    new-packet-mark=Small-up passthrough=no src-address-list=wks
add action=mark-packet chain=prerouting connection-mark=Small disabled=no \
    new-packet-mark=Small-down passthrough=no src-address-type=!local
add action=mark-connection chain=prerouting disabled=no dst-address-list=games \
    new-connection-mark=Game passthrough=yes
add action=mark-packet chain=postrouting connection-mark=Game disabled=no \
    new-packet-mark=Game-up passthrough=no src-address-list=wks
add action=mark-packet chain=prerouting connection-mark=Game disabled=no \
    new-packet-mark=Game-down passthrough=no src-address-type=!local
add action=mark-connection chain=prerouting disabled=no layer7-protocol=File \
    new-connection-mark=File passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=xunlei \
    new-connection-mark=File passthrough=yes
add action=mark-packet chain=postrouting connection-mark=File disabled=no \
    new-packet-mark=File-up passthrough=no src-address-list=wks
add action=mark-packet chain=prerouting connection-mark=File disabled=no \
    new-packet-mark=File-down passthrough=no src-address-type=!local
add action=mark-connection chain=prerouting disabled=no layer7-protocol=WebTV \
    new-connection-mark=WebTV passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=PPLive \
    new-connection-mark=WebTV passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=PPS \
    new-connection-mark=WebTV passthrough=yes
add action=mark-packet chain=postrouting connection-mark=WebTV disabled=no \
    new-packet-mark=WebTV-up passthrough=no src-address-list=wks
add action=mark-packet chain=prerouting connection-mark=WebTV disabled=no \
    new-packet-mark=WebTV-down passthrough=no src-address-type=!local
add action=mark-connection chain=prerouting disabled=no dst-port=80,443,8080 \
    protocol=tcp new-connection-mark=Www passthrough=yes
add action=mark-packet chain=postrouting connection-mark=Www disabled=no \
    new-packet-mark=Www-up passthrough=no src-address-list=wks
add action=mark-packet chain=prerouting connection-mark=Www disabled=no \
    new-packet-mark=Www-down passthrough=no src-address-type=!local
add action=mark-connection chain=prerouting disabled=no \
    connection-bytes=5000000-0 protocol=tcp new-connection-mark=Heavy \
    passthrough=yes
add action=mark-packet chain=postrouting connection-mark=Heavy disabled=no \
    new-packet-mark=Heavy-up passthrough=no src-address-list=wks
add action=mark-packet chain=prerouting connection-mark=Heavy disabled=no \
    new-packet-mark=Heavy-down passthrough=no src-address-type=!local
add action=mark-connection chain=prerouting disabled=no \
    connection-mark=no-mark new-connection-mark=Other passthrough=yes
add action=mark-packet chain=postrouting connection-mark=Other disabled=no \
    new-packet-mark=Other-up passthrough=no src-address-list=wks
add action=mark-packet chain=prerouting connection-mark=Other disabled=no \
    new-packet-mark=Other-down passthrough=no src-address-type=!local