###这是一个script

:global newipaddress 
:global lodipaddress 
:set newipaddress [/ip address get [/ip address find dynamic=yes interface="{wan}"] address] 
:set newipaddress [:pick $newipaddress 0 ([:len $newipaddress] -3)] 
:set lodipaddress [/ip firewall nat get [/ip firewall nat find comment="{comment}"] dst-address] 
:if ($newipaddress != $lodipaddress) do={/ip firewall nat set [/ip firewall nat find comment="{comment}"] dst-address=$newipaddress}