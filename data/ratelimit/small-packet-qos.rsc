{lanip}/ip firewall mangle
add action=mark-connection chain=forward new-connection-mark=small_con protocol=icmp passthrough=yes{ip}
add action=mark-connection chain=forward new-connection-mark=small_con protocol=udp dst-port=53 passthrough=yes{ip}
add action=mark-connection chain=forward new-connection-mark=small_con protocol=tcp dst-port=53 passthrough=yes{ip}
add action=mark-connection chain=forward new-connection-mark=small_con packet-size=0-512 passthrough=yes{ip}
add action=mark-packet chain=forward connection-mark=small_con new-packet-mark=small passthrough=no
add action=mark-connection chain=forward new-connection-mark=ie_con protocol=tcp dst-port=80,443,8080,22,23,3389 passthrough=yes{ip}
add action=mark-packet chain=forward connection-mark=ie_con new-packet-mark=ie passthrough=no
add action=mark-connection chain=forward new-connection-mark=middle_con packet-size=513-1000 passthrough=yes{ip}
add action=mark-packet chain=forward connection-mark=middle_con new-packet-mark=middle passthrough=no
add action=mark-connection chain=forward new-connection-mark=middle_con2 packet-size=1001-1300 passthrough=yes{ip}
add action=mark-packet chain=forward connection-mark=middle_con2 new-packet-mark=middle2 passthrough=no
add action=mark-connection chain=forward new-connection-mark=big_con packet-size=1301-1500 passthrough=yes{ip}
add action=mark-packet chain=forward connection-mark=big_con new-packet-mark=big passthrough=no

/queue tree
add name=down-all parent={down} queue=default{downall}{bdownall}
add name=small-down packet-mark=small parent=down-all priority=1 queue={downtype}{down1}{bdown1}
add name=middle1-down packet-mark=middle parent=down-all priority=4 queue={downtype}{down2}{bdown2}
add name=middle2-down packet-mark=middle2 parent=down-all priority=6 queue={downtype}{down3}{bdown3}
add name=big-down packet-mark=big parent=down-all priority=7 queue={downtype}{down4}{bdown4}
add name=ie-down packet-mark=ie parent=down-all priority=3 queue={downtype}{down5}{bdown5}

add name=up-all parent={up} queue=default{upall}{bupall}
add name=small-up packet-mark=small parent=up-all priority=1 queue={uptype}{up1}{bup1}
add name=middle1-up packet-mark=middle parent=up-all priority=4 queue={uptype}{up2}{bup2}
add name=middle2-up packet-mark=middle2 parent=up-all priority=6 queue={uptype}{up3}{bup3}
add name=big-up packet-mark=big parent=up-all priority=7 queue={uptype}{up4}{bup4}
add name=ie-up packet-mark=ie parent=up-all priority=3 queue={uptype}{up5}{bup5}