#本DDNS脚本默认更新线路为首选网卡,如果首选网卡掉线状态则更新备用网卡


:local ether
#DDNS帐号
:local user "{账号}"
#DDNS密码
:local pass "{密码}"
#DDNS域名
:local host "{域名}"
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
/tool dns-update address=$newip    key-name=$user key=$pass name=$host
:log error ("\BE\C9\B5\C4IP\B5\D8\D6\B7\A3\BA: ".$oldip)
:log error ("\D0\C2\B5\C4IP\B5\D8\D6\B7\A3\BA: ".$newip)}