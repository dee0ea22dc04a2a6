# 感谢网友分享此脚本

:local pppoeclientAllNum
:local pppoeclientRunNum
:local pppoeclientName
:local z 0

# 统计全部PPPoE客户端线路数(含禁用和未拨通的)
:set pppoeclientAllNum [:len [/interface pppoe-client find]]

# 统计已拨通的线路数
:set pppoeclientRunNum [:len [/interface pppoe-client find running=yes]]

:log warning ("pppoeclient总线数:" . $pppoeclientAllNum . "===pppoeclient在线运行线数" . $pppoeclientRunNum)

# 有线路掉线:
# 在线的线路按新的线路数重新分配,
# 多出的线路的规则停用
:if ($pppoeclientRunNum < $pppoeclientAllNum) do={
  :for ii from=0 to=($pppoeclientAllNum - 1) do={
    # 以 /序号 结尾的PCC规则
    :local pccRule [/ip firewall mangle find per-connection-classifier~("/" . $ii . "\$")]

    :foreach r in=$pccRule do={
      :local connMark [/ip firewall mangle get $r new-connection-mark]
      :if ($ii <= ($pppoeclientRunNum - 1)) do={
        # 在线线路:
        # 改写分流参数和备注并启用
        /ip firewall mangle set $r per-connection-classifier=("both-addresses:" . $pppoeclientRunNum . "/" . $ii) comment=("PCC" . $pppoeclientRunNum . "-" . $ii) disabled=no
        # 启用对应的路由标记规则
        /ip firewall mangle set [/ip firewall mangle find action=mark-routing connection-mark=$connMark] disabled=no
      } else={
        # 多出的线路:
        # 分流和路由标记规则都停用
        /ip firewall mangle set $r disabled=yes
        /ip firewall mangle set [/ip firewall mangle find action=mark-routing connection-mark=$connMark] disabled=yes
        :log warning ("both-addresses:" . $pppoeclientAllNum . "/" . $ii . "disable")
      }
    }
  }
}


# 全部线路在线:
# 若还有停用的规则,按全部线路数恢复
:if ($pppoeclientRunNum = $pppoeclientAllNum) do={
  # 统计已停用的连接标记规则数
  :set z [:len [/ip firewall mangle find chain=prerouting action=mark-connection disabled=yes]]

  :if ($z > 0) do={
    :for ii from=0 to=($pppoeclientRunNum - 1) do={
      # 以 /序号 结尾的PCC规则
      :local pccRule [/ip firewall mangle find per-connection-classifier~("/" . $ii . "\$")]

      :foreach r in=$pccRule do={
        :local connMark [/ip firewall mangle get $r new-connection-mark]
        # 改写分流参数和备注并启用
        /ip firewall mangle set $r per-connection-classifier=("both-addresses:" . $pppoeclientRunNum . "/" . $ii) comment=("PCC" . $pppoeclientRunNum . "-" . $ii) disabled=no
        # 启用对应的路由标记规则
        /ip firewall mangle set [/ip firewall mangle find action=mark-routing connection-mark=$connMark] disabled=no
        :log warning ("both-addresses:" . $pppoeclientRunNum . "/" . $ii)
      }
    }
  }
}