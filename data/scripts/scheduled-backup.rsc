/system scheduler add interval={执行周期} name="{文件名}" on-event=":local date [/system clock get date]\r\
    \n:local day [:pick \$date 4 6]\r\
    \n:local month [:pick \$date 0 3]\r\
    \n:local year [:pick \$date 7 11]\r\
    \n:local convert ([:find jan,feb,mar,apr,may,jun,jul,aug,sep,oct,nov,dec [\
    :pick \$date 0 3]]+1)\r\
    \n:if (\$convert <=9) do={\r\
    \n:set convert (\"0\".\$convert)}\r\
    \n:set date (\$year.\$convert.\$day)\r\
    \n/system backup save {加密}name=\$date" policy=\
    ftp,reboot,read,write,policy,test,password,sniff,sensitive start-date=\
    jan/25/2015 start-time={执行时间}