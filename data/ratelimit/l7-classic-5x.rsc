/ip firewall layer7-protocol
add name=qq regexp="^.\?\02.+\03\$"
add name=QQLive \
    regexp="user-agent: \?[ -~]*qqlive|^get /[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*qqlive\\.qq\\.com"
add name=PPLive \
    regexp="user-agent: \?[ -~]*pplive|^get /[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(pplive\\.com|pptv\\.com|synacast\\.com)"
add name=PPS \
    regexp="^get /[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*(host: \?[a-z0-9.-]*(pps\\.tv|ppstream\\.com)|user-agent: \?[ -~]*ppstream)"
add name=QQMusic \
    regexp="^get /[ -~]*\\.(mp3|m4a|wma|flac|ape)[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*qqmusic\\.qq\\.com"
add name=WebTV \
    regexp="^(get|post) /[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*content-type: \?(video/x-ms-asf|application/vnd\\.ms\\.wms-hdr\\.asfv1|video/x-flv)"
add name=flv \
    regexp="^get /[ -~]*\\.(flv|f4v|hlv|mp4)(\\\?[ -~]*)\? http/1\\.[01]"
add name=http \
    regexp="^(get|post|head|put|delete|options) /[ -~]* http/(0\\.9|1\\.0|1\\.1)\0D\0A|^http/(0\\.9|1\\.0|1\\.1) [1-5][0-9][0-9] "
add name=Web \
    regexp="^http/1\\.[01] [1-5][0-9][0-9] [\09-\0D -~]*content-type: \?text/html"
add name=pic \
    regexp="^get /[ -~]*\\.(jpe\?g|gif|png|bmp)(\\\?[ -~]*)\? http/1\\.[01]"
add name=Jpg regexp="^get /[ -~]*\\.jpe\?g(\\\?[ -~]*)\? http/1\\.[01]"
add name=File \
    regexp="^get /[ -~]*\\.(exe|rar|zip|7z|iso|msi|cab|gz|tgz|bz2|apk|dmg|img|bin)(\\\?[ -~]*)\? http/1\\.[01]"
add name=xunlei \
    regexp="^get /[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(xunlei\\.com|sandai\\.net|kankan\\.com)|user-agent: \?[ -~]*(xunlei|thunder)"
add name=DNS regexp="^..[\01\81\84\85]..\01.{6}.[0-9a-z_-]+"
/ip firewall address-list
add address={lanip} disabled=no list=OnLineClient
/ip firewall connection tracking
set enabled=yes generic-timeout=3m icmp-timeout=10s tcp-close-timeout=10s \
    tcp-close-wait-timeout=10s tcp-established-timeout=1h \
    tcp-fin-wait-timeout=10s tcp-last-ack-timeout=10s \
    tcp-syn-received-timeout=5s tcp-syn-sent-timeout=5s tcp-syncookie=no \
    tcp-time-wait-timeout=10s udp-stream-timeout=1m udp-timeout=10s
/ip firewall filter
add action=drop chain=input disabled=no dst-port=123 protocol=udp
add action=drop chain=input disabled=no protocol=udp src-port=123
add action=drop chain=input disabled=no dst-port=22 protocol=tcp
/ip firewall mangle
add action=change-ttl chain=prerouting disabled=no new-ttl=set:128 \
    passthrough=yes src-address-list=OnLineClient
add action=change-mss chain=forward disabled=no new-mss=1440 passthrough=yes \
    protocol=tcp tcp-flags=syn tcp-mss=1441-65535
add action=mark-connection chain=prerouting disabled=no protocol=icmp \
    new-connection-mark=icmp_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=DNS \
    protocol=udp new-connection-mark=icmp_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=qq \
    new-connection-mark=small_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=http \
    new-connection-mark=web_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=Web \
    new-connection-mark=web_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=pic \
    new-connection-mark=web_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=QQLive \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=PPLive \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=PPS \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no \
    layer7-protocol=QQMusic new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=WebTV \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=flv \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=File \
    new-connection-mark=file_con passthrough=yes
add action=mark-connection chain=prerouting disabled=no layer7-protocol=xunlei \
    new-connection-mark=file_con passthrough=yes
add action=mark-packet chain=prerouting connection-mark=icmp_con disabled=no \
    dst-address-list=OnLineClient new-packet-mark=icmp_down passthrough=no
add action=mark-packet chain=prerouting connection-mark=icmp_con disabled=no \
    new-packet-mark=icmp_up passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=prerouting connection-mark=small_con disabled=no \
    dst-address-list=OnLineClient new-packet-mark=small_down passthrough=no
add action=mark-packet chain=prerouting connection-mark=small_con disabled=no \
    new-packet-mark=small_up passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=prerouting connection-mark=web_con disabled=no \
    dst-address-list=OnLineClient new-packet-mark=web_down passthrough=no
add action=mark-packet chain=prerouting connection-mark=web_con disabled=no \
    new-packet-mark=web_up passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=prerouting connection-mark=video_con disabled=no \
    dst-address-list=OnLineClient new-packet-mark=video_down passthrough=no
add action=mark-packet chain=prerouting connection-mark=video_con disabled=no \
    new-packet-mark=video_up passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=prerouting connection-mark=file_con disabled=no \
    dst-address-list=OnLineClient new-packet-mark=file_down passthrough=no
add action=mark-packet chain=prerouting connection-mark=file_con disabled=no \
    new-packet-mark=file_up passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=prerouting disabled=no \
    dst-address-list=OnLineClient new-packet-mark=small_down \
    connection-mark=no-mark packet-size=0-511 passthrough=no
add action=mark-packet chain=prerouting disabled=no new-packet-mark=small_up \
    connection-mark=no-mark packet-size=0-511 passthrough=no \
    src-address-list=OnLineClient
add action=mark-packet chain=prerouting disabled=no \
    dst-address-list=OnLineClient new-packet-mark=big_down \
    packet-size=1301-1500 passthrough=no
add action=mark-packet chain=prerouting disabled=no new-packet-mark=big_up \
    packet-size=1301-1500 passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=prerouting disabled=no \
    dst-address-list=OnLineClient new-packet-mark=other_down passthrough=no
add action=mark-packet chain=prerouting disabled=no new-packet-mark=other_up \
    passthrough=no src-address-list=OnLineClient
/ip firewall nat
add action=masquerade chain=srcnat disabled=no out-interface=wan
add action=dst-nat chain=dstnat \
    comment="\D4\B6\B3\CC\D7\C0\C3\E6\D3\B3\C9\E4\2C\20\B8\C4\CE\AA\C4\DA\CD\F8\D6\F7\BB\FA\B5\D8\D6\B7\BA\F3\C6\F4\D3\C3" \
    disabled=yes dst-port=3389 in-interface=wan protocol=tcp \
    to-addresses=192.168.1.100 to-ports=3389
add action=redirect chain=dstnat disabled=yes dst-port=53 protocol=udp \
    to-ports=53
/ip firewall service-port
set ftp disabled=no ports=21
set tftp disabled=no ports=69
set irc disabled=yes ports=6667
set h323 disabled=yes
set sip disabled=yes ports=5060,5061
set pptp disabled=no

/queue tree
add max-limit=10M name=down parent=global-in queue=default
add max-limit=2M name=up parent=global-out queue=default
/queue type
set 0 kind=pfifo name=default pfifo-limit=50
set 1 kind=pfifo name=ethernet-default pfifo-limit=50
set 2 kind=sfq name=wireless-default sfq-allot=1514 sfq-perturb=5
set 3 kind=red name=synchronous-default red-avg-packet=1000 red-burst=20 \
    red-limit=60 red-max-threshold=50 red-min-threshold=10
set 4 kind=sfq name=hotspot-default sfq-allot=1514 sfq-perturb=5
add kind=pcq name=0m_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=10000
add kind=pcq name=0m_up pcq-classifier=src-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=10000
add kind=pcq name=1m_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=1M \
    pcq-total-limit=2000
add kind=pcq name=256k_up pcq-classifier=src-address pcq-limit=50 \
    pcq-rate=256k pcq-total-limit=2000
add kind=pfifo name=small-pfifo pfifo-limit=10
/queue tree
add name=icmp_down packet-mark=icmp_down parent=down priority=1 queue=0m_down
add name=small_down packet-mark=small_down parent=down priority=2 \
    queue=0m_down
add name=web_down packet-mark=web_down parent=down priority=3 queue=0m_down
add name=video_down packet-mark=video_down parent=down priority=4 \
    queue=0m_down
add name=file_down packet-mark=file_down parent=down priority=6 queue=0m_down
add name=big_down packet-mark=big_down parent=down priority=5 queue=0m_down
add name=other_down packet-mark=other_down parent=down priority=7 \
    queue=0m_down
add name=icmp_up packet-mark=icmp_up parent=up priority=1 queue=0m_up
add name=small_up packet-mark=small_up parent=up priority=2 queue=0m_up
add name=web_up packet-mark=web_up parent=up priority=3 queue=0m_up
add name=video_up packet-mark=video_up parent=up priority=4 queue=0m_up
add name=file_up packet-mark=file_up parent=up priority=6 queue=0m_up
add name=big_up packet-mark=big_up parent=up priority=5 queue=0m_up
add name=other_up packet-mark=other_up parent=up priority=7 queue=0m_up
/queue interface
set lan queue=default
set lan2 queue=default
set wan queue=default
/queue simple
add \
    comment="\B5\A5\BB\FA\CF\DE\CB\D9\CA\BE\C0\FD\2C\20\B0\B4\D0\E8\C6\F4\D3\C3" \
    disabled=yes max-limit=512k/2M name=example \
    target-addresses=192.168.1.100/32