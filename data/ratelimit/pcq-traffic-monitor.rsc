/queue type add name="PCQ-up" kind=pcq pcq-rate={UP} pcq-limit=50 pcq-classifier=src-address pcq-total-limit=2000
/queue type add name="PCQ-down" kind=pcq pcq-rate={DOWN} pcq-limit=50 pcq-classifier=dst-address pcq-total-limit=2000

/ip firewall mangle add chain=prerouting action=mark-packet new-packet-mark=all-mark passthrough=yes

/queue tree add name="PCQup" parent={PARENTUP} queue=PCQ-up packet-mark=all-mark
/queue tree add name="PCQdown" parent={PARENTDOWN} queue=PCQ-down packet-mark=all-mark

/tool traffic-monitor
add name="PCQupoff" interface={WAN} traffic=transmitted trigger=below threshold={UPOFF} on-event=upoff disabled=no
add name="PCQupon" interface={WAN} traffic=transmitted trigger=above threshold={UPON} on-event=upon disabled=no
add name="PCQdownoff" interface={WAN} traffic=received trigger=below threshold={DOWNOFF} on-event=downoff disabled=no
add name="PCQdownon" interface={WAN} traffic=received trigger=above threshold={DOWNON} on-event=downon disabled=no

/system script
add name="upoff" source=":if ([/queue tree get [/queue tree find name=\"PCQup\"] disable]=false) do={/queue tree disable PCQup}"
add name="upon" source=":if ([/queue tree get [/queue tree find name=\"PCQup\"] disable]=true) do={/queue tree enable PCQup}"
add name="downoff" source=":if ([/queue tree get [/queue tree find name=\"PCQdown\"] disable]=false) do={/queue tree disable PCQdown}"
add name="downon" source=":if ([/queue tree get [/queue tree find name=\"PCQdown\"] disable]=true) do={/queue tree enable PCQdown}"