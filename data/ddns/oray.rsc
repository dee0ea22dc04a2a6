#花生壳官方域名解析时间间隔:免费30分钟;专业5分钟;商业3分钟;旗舰1分钟

:local ipaddr
:local server "http://ddns.oray.com"
:local domain "{域名}"
:local users "{账号}"
:local paswd "{密码}"
:set ipaddr [/ip address get [/ip address find interface={网卡}] address]
:set ipaddr [:pick $ipaddr 0 ([len $ipaddr] -3)]
:local par "/ph/update\?&myip=$ipaddr"
/tool fetch url=($server.$par) mode=http user=$users password=$paswd