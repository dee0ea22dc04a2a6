# Update Hurricane Electric IPv6 Tunnel Client IPv4 address 
# Add /system scheduler

:local HEtunnelinterface "{1}"
:local HEtunnelid "{2}"
:local HEuserid "{3}"
:local HEpass "{4}"
:local HEupdatehost "{6}"
:local HEupdatepath "{7}"
:local WANinterface "{5}"
:local outputfile ("HE-" . $HEtunnelid . ".txt")

# Internal processing below...
# ----------------------------------
:local HEipv4addr

# Get WAN interface IP address
:set HEipv4addr [/ip address get [/ip address find interface=$WANinterface] address]
:set HEipv4addr [:pick [:tostr $HEipv4addr] 0 [:find [:tostr $HEipv4addr] "/"]]

:if ([:len $HEipv4addr] = 0) do={
   :log error ("Could not get IP for interface " . $WANinterface)
   :error ("Could not get IP for interface " . $WANinterface)
}

# Update the HEtunnelinterface with WAN IP
/interface 6to4 {
   :if ([get ($HEtunnelinterface) local-address] != $HEipv4addr) do={
      :log info ("Updating " . $HEtunnelinterface . " local-address with new IP " . $HEipv4addr . "...")
      set ($HEtunnelinterface) local-address=$HEipv4addr
   }
}

/tool fetch mode=http host=($HEupdatehost) dst-path=($outputfile) \
   url=("http://" . $HEupdatehost . $HEupdatepath . \
        "\?username=" . $HEuserid . \
        "&password=" . $HEpass . \
        "&hostname=" . $HEtunnelid . \
        "&myip=" . $HEipv4addr)

:log info ([/file get ($outputfile) contents])
/file remove ($outputfile)