###只支持ROS版本＜6.37的系统,6.37不支持,或自行手动修改
/system ntp client set mode=unicast primary-ntp="216.239.35.0" secondary-ntp="216.239.35.4" enabled=yes
/system clock set time-zone-name="Asia/Shanghai"
/system clock manual set dst-delta="+08:00" dst-end="Sep/10/2011 00:00:00" dst-start="Sep/10/2011 00:00:00" time-zone="+08:00"