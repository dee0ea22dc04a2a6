/ip firewall filter add chain=forward content="octet-stream" action=drop comment="blockade thunder" disabled=no
/ip firewall filter add chain=forward content="pragma: no-cache" action=drop comment="" disabled=no
/ip firewall filter add chain=forward content="Connection: close" action=drop comment="" disabled=no
/ip firewall filter add chain=forward content="Range: bytes=" action=drop comment="" disabled=no
/ip firewall filter add chain=forward content="Cookie:__utma=" action=drop comment="" disabled=no
/ip firewall filter add chain=forward content="filename=" action=drop comment="" disabled=no
/ip firewall filter add chain=forward content="Cookie rtime=" action=drop comment="" disabled=no
/ip firewall filter add chain=forward content="Content-Disposition: attachment;" action=drop comment="" disabled=no