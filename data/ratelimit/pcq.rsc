/queue type add name="PCQ-up" kind=pcq pcq-rate={UP} pcq-limit=50 pcq-classifier=src-address pcq-total-limit=2000

/queue type add name="PCQ-down" kind=pcq pcq-rate={DOWN} pcq-limit=50 pcq-classifier=dst-address pcq-total-limit=2000

/ip firewall mangle add chain=prerouting action=mark-packet new-packet-mark=all-mark passthrough=yes

/queue tree add name="PCQup" parent={PARENTUP} queue=PCQ-up packet-mark=all-mark

/queue tree add name="PCQdown" parent={PARENTDOWN} queue=PCQ-down packet-mark=all-mark