## HTB未设置任何限速值, 请按自己的带宽在 /queue tree 的 down 和 up 上填写 max-limit
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
add address=192.168.1.0/24 disabled=no list=OnLineClient
/ip firewall filter
add action=drop chain=input disabled=no dst-port=22 protocol=tcp
/ip firewall mangle
add action=change-ttl chain=prerouting disabled=no new-ttl=set:128 \
    passthrough=yes src-address-list=OnLineClient
add action=change-mss chain=forward disabled=no new-mss=1440 passthrough=yes \
    protocol=tcp tcp-flags=syn tcp-mss=1441-65535
add action=mark-connection chain=forward disabled=no dst-port=53 \
    new-connection-mark=icmp_con passthrough=yes protocol=tcp
add action=mark-connection chain=forward disabled=no protocol=icmp \
    new-connection-mark=icmp_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=DNS \
    protocol=udp new-connection-mark=icmp_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=qq \
    new-connection-mark=small_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=http \
    new-connection-mark=web_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=Web \
    new-connection-mark=web_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=pic \
    new-connection-mark=web_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=QQLive \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=PPLive \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=PPS \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=QQMusic \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=WebTV \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=flv \
    new-connection-mark=video_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=File \
    new-connection-mark=file_con passthrough=yes
add action=mark-connection chain=forward disabled=no layer7-protocol=xunlei \
    new-connection-mark=file_con passthrough=yes
add action=mark-packet chain=forward connection-mark=icmp_con disabled=no \
    dst-address-list=OnLineClient new-packet-mark=icmp_down passthrough=no
add action=mark-packet chain=forward connection-mark=icmp_con disabled=no \
    new-packet-mark=icmp_up passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=forward connection-mark=small_con disabled=no \
    dst-address-list=OnLineClient new-packet-mark=small_down passthrough=no
add action=mark-packet chain=forward connection-mark=small_con disabled=no \
    new-packet-mark=small_up passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=forward connection-mark=web_con disabled=no \
    dst-address-list=OnLineClient new-packet-mark=web_down passthrough=no
add action=mark-packet chain=forward connection-mark=web_con disabled=no \
    new-packet-mark=web_up passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=forward connection-mark=video_con disabled=no \
    dst-address-list=OnLineClient new-packet-mark=video_down passthrough=no
add action=mark-packet chain=forward connection-mark=file_con disabled=no \
    dst-address-list=OnLineClient new-packet-mark=file_down passthrough=no
add action=mark-packet chain=forward connection-mark=file_con disabled=no \
    new-packet-mark=file_up passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=forward disabled=no dst-address-list=OnLineClient \
    new-packet-mark=small_down connection-mark=no-mark packet-size=0-511 \
    passthrough=no
add action=mark-packet chain=forward disabled=no new-packet-mark=small_up \
    connection-mark=no-mark packet-size=0-511 passthrough=no \
    src-address-list=OnLineClient
add action=mark-packet chain=forward disabled=no dst-address-list=OnLineClient \
    new-packet-mark=big_down packet-size=1301-1500 passthrough=no
add action=mark-packet chain=forward disabled=no new-packet-mark=big_up \
    packet-size=1301-1500 passthrough=no src-address-list=OnLineClient
add action=mark-packet chain=forward disabled=no dst-address-list=OnLineClient \
    new-packet-mark=other_down passthrough=no
add action=mark-packet chain=forward disabled=no new-packet-mark=other_up \
    passthrough=no src-address-list=OnLineClient
# dec/01/2026 12:00:00 by RouterOS 6.48.6
# software id = 
#
/queue type
add kind=pcq name=0m_down pcq-classifier=dst-address pcq-rate=0 \
    pcq-total-limit=10000
add kind=pcq name=0m_up pcq-classifier=src-address pcq-rate=0 \
    pcq-total-limit=10000
/queue tree
add name=down parent=global queue=default
add name=up parent=global queue=default
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
add name=file_up packet-mark=file_up parent=up priority=6 queue=0m_up
add name=big_up packet-mark=big_up parent=up priority=5 queue=0m_up
add name=other_up packet-mark=other_up parent=up priority=7 queue=0m_up
/queue interface
set wan queue=default