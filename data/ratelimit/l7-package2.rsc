###°ü2
/ip firewall layer7-protocol
add name=Web \
    regexp="^http/1\\.[01] [1-5][0-9][0-9] [\09-\0D -~]*content-type: \?text/html"
add name=pic \
    regexp="^get /[ -~]*\\.(jpe\?g|gif|png|bmp)(\\\?[ -~]*)\? http/1\\.[01]"
add name=Jpg regexp="^get /[ -~]*\\.jpe\?g(\\\?[ -~]*)\? http/1\\.[01]"
add name=vie \
    regexp="^get /[ -~]*\\.(rm|rmvb|avi|wmv|asf|mpe\?g|mov|mkv|3gp)(\\\?[ -~]*)\? http/1\\.[01]"
add name=flv \
    regexp="^get /[ -~]*\\.(flv|f4v|hlv|mp4)(\\\?[ -~]*)\? http/1\\.[01]"
add name=Tudou1 \
    regexp="^get /[ -~]*\\.(flv|f4v|mp4)[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(tudou|tdimg)\\.com"
add name=Tudou2 \
    regexp="host: \?[a-z0-9.-]*(tudou\\.com|tudouui\\.com|tdimg\\.com)"
add name=Youku \
    regexp="^get /[ -~]*\\.(flv|f4v|mp4|ts)[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(youku|ykimg)\\.com"
add name=Ku6 \
    regexp="^get /[ -~]*\\.(flv|f4v|mp4)[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(ku6|ku6cdn)\\.com"
add name=Qiyi \
    regexp="^get /[ -~]*\\.(f4v|mp4|ts|pfv)[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(iqiyi|qiyi|qiyipic)\\.com"
add name=Sina \
    regexp="^get /[ -~]*\\.(flv|f4v|mp4|hlv)[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(video\\.sina\\.com\\.cn|sinaimg\\.cn|sinajs\\.cn)"
add name=163sp1 \
    regexp="^get /[ -~]*\\.(flv|mp4|m3u8)[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(v\\.163\\.com|open\\.163\\.com)"
add name=163sp2 \
    regexp="^get /[ -~]*\\.(flv|mp4)[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(flv[0-9]*\\.bn\\.netease\\.com|vimg[0-9]*\\.ws\\.126\\.net)"
add name=QQsp \
    regexp="^get /[ -~]*\\.(flv|mp4|ts)[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(video\\.qq\\.com|vqq\\.com|gtimg\\.com)"
add name=QQLive \
    regexp="user-agent: \?[ -~]*qqlive|^get /[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*qqlive\\.qq\\.com"
add name=PPLive \
    regexp="user-agent: \?[ -~]*pplive|^get /[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(pplive\\.com|pptv\\.com|synacast\\.com)"
add name=PPS \
    regexp="^get /[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*(host: \?[a-z0-9.-]*(pps\\.tv|ppstream\\.com)|user-agent: \?[ -~]*ppstream)"
add name=WebTV \
    regexp="^(get|post) /[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*content-type: \?(video/x-ms-asf|application/vnd\\.ms\\.wms-hdr\\.asfv1|video/x-flv)"
add name=File \
    regexp="^get /[ -~]*\\.(exe|rar|zip|7z|iso|msi|cab|gz|tgz|bz2|apk|dmg|img|bin)(\\\?[ -~]*)\? http/1\\.[01]"
add name=qq regexp="^.\?\02.+\03\$"
add name=QQMusic \
    regexp="^get /[ -~]*\\.(mp3|m4a|wma|flac|ape)[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*qqmusic\\.qq\\.com"
add name=vod_mp3 regexp="^get /[ -~]*\\.mp3(\\\?[ -~]*)\? http/1\\.[01]"
add name=xunlei \
    regexp="^get /[ -~]* http/1\\.[01]\0D\0A[\09-\0D -~]*host: \?[a-z0-9.-]*(xunlei\\.com|sandai\\.net|kankan\\.com)|user-agent: \?[ -~]*(xunlei|thunder)"
add name=http \
    regexp="^(get|post|head|put|delete|options) /[ -~]* http/(0\\.9|1\\.0|1\\.1)\0D\0A|^http/(0\\.9|1\\.0|1\\.1) [1-5][0-9][0-9] "
add name=DNS regexp="^..[\01\81\84\85]..\01.{6}.[0-9a-z_-]+"
add name=vod_flv regexp="^get /[ -~]*\\.flv(\\\?[ -~]*)\? http/1\\.[01]"