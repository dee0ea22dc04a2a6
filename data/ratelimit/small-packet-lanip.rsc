/ip firewall address-list
 add address={ip¶Î} comment="lanip" disabled=no list=lanip

