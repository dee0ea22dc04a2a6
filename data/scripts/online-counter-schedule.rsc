/system schedule add interval={Ö´ÐÐÖÜÆÚ} name="\CD\B3\BC\C6\D4\DA\CF\DF\C8\CB\CA\FD" on-event=":local s \
    0\r\
    \n:foreach i in=[/ip firewall address-list find list=Online] do={:set s (\$s\
    +1)}\r\
    \n:log warning (\"\B5\B1\C7\B0\" . \$s . \"\CC\A8\BF\CD\BB\A7\BB\FA\D4\DA\CF\
    \DF\")" policy=reboot,read,write,policy,test,password,sniff,sensitive \
    start-date=jan/01/1970 start-time=00:00:00