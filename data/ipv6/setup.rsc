  请严格按照规则去填入自己的内容,否则程序是导入不了的,并且会报错.
以下是批量导入脚本,可复制以下脚本一次性导入ROS系统中


/interface 6to4 add comment="{1}" disabled=no local-address={3} mtu=1280 name={2} remote-address={4}
/ipv6 route add gateway={5} disabled=no distance=1 dst-address=2000::/3 scope=30 target-scope=10
/ipv6 address add address={6} advertise=no disabled=no eui-64=no interface={2}
/ipv6 address add address={8} advertise=yes disabled=no eui-64=no interface={7}

  以下是几个DNS地址,根据自己的需求可以去选择的
74.82.42.42
223.5.5.5
119.29.29.29
2001:470:20::2
2400:3200::1
2400:3200:baba::1
2001:4860:4860::8888