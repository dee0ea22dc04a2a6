#本DDNS脚本默认更新线路为PPPOE-OUT1，如果PPPOE-OUT1掉线状态则更新PPPOE-OUT2
:do {
:local ether
#DDNS帐号
:local user  "{账号}"
#DDNS密码
:local pass  "{密码}"
#DDNS域名
:local host  "{域名}"
#以下不需要修改
:local status [/interface pppoe-client get [/interface pppoe-client find name="{网卡1}"] running];
:if ($status=true) do={
:set ether "{网卡1}"};
:if ($status=false) do={
:set ether "{网卡2}"};
:local oldip [:resolve $host]
:delay 5s
:local newip [ /ip address get [/ip address find interface=$ether ] address ]
:set newip [:pick $newip 0 [:find $newip "/"]]
:if ($oldip != $newip) do={
/tool fetch url=("http://members.3322.org/dyndns/update\?system=dyndns&hostname=\
$host&myip=$newip") mode=http user=$user password=$pass dst-path=$host
:log error ("\BE\C9\B5\C4IP\B5\D8\D6\B7\A3\BA: ".$oldip)
:log error ("\D0\C2\B5\C4IP\B5\D8\D6\B7\A3\BA: ".$newip)
:delay 3s
:local Result [/file get $host contents]
:if ([:len [:find $Result "good"]] > 0) do={
:log error ($host." \B8\FC\D0\C2\B3\C9\B9\A6")
} else={
:log error ($host." \B8\FC\D0\C2\CA\A7\B0\DC")}
/file remove $host}}