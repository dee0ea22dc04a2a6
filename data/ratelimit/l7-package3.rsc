###包3
# 游戏服务器网段: 请按所玩游戏的服务器地址填写, 每个网段一行, 例如:
# add address=网段/掩码 list=games
/ip firewall address-list