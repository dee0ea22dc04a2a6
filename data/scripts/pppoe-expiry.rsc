/ip firewall mangle
add action=add-src-to-address-list address-list=notyet address-list-timeout=1s chain=prerouting comment=Push disabled=no dst-port=80 protocol=tcp src-address-list=!already
add action=add-src-to-address-list address-list=already address-list-timeout=30m chain=prerouting comment=Push disabled=no dst-port=80 protocol=tcp src-address-list=notyet
/ip firewall nat add action=redirect chain=dstnat comment=Push disabled=no dst-port=80 protocol=tcp src-address-list=notyet to-ports=9797

/system script
add name=Exp_Auto policy=ftp,reboot,read,write,policy,test,winbox,password,sniff,sensitive source="\
    #\BD\C5\B1\BE\BF\AA\CA\BC#\r\
    \n:global ip 10.255.255.1\r\
    \n#\BC\C6\CB\E3\BD\F1\CC\EC\B5\C4\CC\EC\CA\FD\r\
    \n:global Date [/system clock get date]\r\
    \n:global Year ([:pick \$Date 7 11]-1)\r\
    \n:global Month ([:find jan,feb,mar,apr,may,jun,jul,aug,sep,oct,nov,dec [:pick \$Date 0 3]])\r\
    \n:global Day [:pick \$Date 4 6]\r\
    \n:if ([:pick \$Date 4 5] = 0) do={:set Day [:pick \$Date 5 6]}\r\
    \n:global leapyear 0,31,59,90,120,151,181,212,243,273,304,334,0,31,60,91,121,152,182,213,244,274,305,335\r\
    \n:global Today (\$Year*365+\$Year/4)\r\
    \n:if ((\$Year-\$Year/4*4) != 3) do={:set Today (\$Today+[:pick \$leapyear \$Month]+\$Day)} else={:set Today (\$Today+[:pick \$leapyear (\$Month+12)]+\$Day)}\r\
    \n:log error (\"today \" . \$Date)\r\
    \n#\BC\EC\B2\E9\D3\D0\B1\B8\D7\A2\B5\C4\D5\CB\BA\C5\r\
    \n:foreach i in=[/ppp secret find disabled=no comment!=\"\"] do={\r\
    \n  :local name [/ppp secret get \$i name]\r\
    \n  :local cmt [/ppp secret get \$i comment]\r\
    \n  :if ([:len \$cmt] < 8) do={\r\
    \n    :log error (\"error PPP comment user \" . \$name)\r\
    \n    :beep frequency=2080 length=1s\r\
    \n  } else={\r\
    \n    #\C7\B08\CE\BB\CE\AA\B5\BD\C6\DA\C8\D5YYYYMMDD\r\
    \n    :local ey ([:tonum [:pick \$cmt 0 4]]-1)\r\
    \n    :local em [:pick \$cmt 4 6]\r\
    \n    :if ([:pick \$cmt 4 5] = 0) do={:set em [:pick \$cmt 5 6]}\r\
    \n    :set em ([:tonum \$em]-1)\r\
    \n    :local ed [:pick \$cmt 6 8]\r\
    \n    :if ([:pick \$cmt 6 7] = 0) do={:set ed [:pick \$cmt 7 8]}\r\
    \n    :set ed [:tonum \$ed]\r\
    \n    :local exp (\$ey*365+\$ey/4)\r\
    \n    :if ((\$ey-\$ey/4*4) != 3) do={:set exp (\$exp+[:pick \$leapyear \$em]+\$ed)} else={:set exp (\$exp+[:pick \$leapyear (\$em+12)]+\$ed)}\r\
    \n    :local left (\$exp-\$Today)\r\
    \n    #3\CC\EC\C4\DA\B5\BD\C6\DA:\CC\E1\D0\D1\B2\A2\B6\CF\CF\DF\r\
    \n    :if ((\$left >= 0) && (\$left <= 3)) do={\r\
    \n      /ppp secret set \$i remote-address=\$ip\r\
    \n      /ppp active remove [/ppp active find name=\$name]\r\
    \n      :log error (\"PPP user \" . \$name . \" expires \" . [:pick \$cmt 0 8])\r\
    \n      :set ip (\$ip+1)\r\
    \n    }\r\
    \n    :if (\$left < 0) do={\r\
    \n      /ppp secret disable \$i\r\
    \n      /ppp active remove [/ppp active find name=\$name]\r\
    \n      :log error (\"PPP user \" . \$name . \" expired, disabled\")\r\
    \n    }\r\
    \n  }\r\
    \n}\r\
    \n#\BD\C5\B1\BE\BD\E1\CA\F8#"
/system scheduler add disabled=no interval=1d name=ExpAuto on-event=Exp_Auto start-date=jan/01/1970 start-time=03:00:00


/ip proxy set enabled=yes port=9797 max-client-connections=600 max-server-connections=600 max-fresh-time=3d cache-on-disk=no parent-proxy=0.0.0.0
/ip proxy access add action=deny comment="push to error" disabled=no dst-port=80