/ ip firewall address-list 
 
/ ip firewall filter 
add chain=forward dst-address-list="BlockadeQqXuanFeng" action=drop comment="BlockadeQqXuanFeng" disabled=no