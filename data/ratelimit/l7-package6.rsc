###°ü6
/queue tree
add limit-at=320k max-limit=320k name=Parent-up parent=global-out \
    queue=default
add limit-at=7M max-limit=7M name=Parent-down parent=global-in queue=default
add limit-at=64k max-limit=320k name="1 Small-up" packet-mark=Small-up \
    parent=Parent-up priority=1 queue=Small-up
add limit-at=96k max-limit=320k name="2 Game-up" packet-mark=Game-up \
    parent=Parent-up priority=2 queue=Game-up
add limit-at=32k max-limit=320k name="3 Www-up" packet-mark=Www-up \
    parent=Parent-up priority=3 queue=Www-up
add limit-at=16k max-limit=320k name="4 Other-up" packet-mark=Other-up \
    parent=Parent-up priority=4 queue=Other-up
add limit-at=48k max-limit=256k name="5 P2P-up" parent=Parent-up priority=5 \
    queue=default
add limit-at=16k max-limit=192k name="1 WebTV-up" packet-mark=WebTV-up \
    parent="5 P2P-up" priority=5 queue=WebTV-up
add limit-at=16k max-limit=192k name="2 File-up" packet-mark=File-up \
    parent="5 P2P-up" priority=6 queue=File-up
add limit-at=8k max-limit=128k name="Heavy-up" packet-mark=Heavy-up \
    parent="5 P2P-up" priority=8 queue=Heavy-up
add limit-at=64k max-limit=320k name="7 Server-up" packet-mark=server-up \
    parent=Parent-up priority=7 queue=Server-up
add limit-at=512k max-limit=7M name="1 Small-down" packet-mark=Small-down \
    parent=Parent-down priority=1 queue=Small-down
add limit-at=2M max-limit=7M name="2 Game-down" packet-mark=Game-down \
    parent=Parent-down priority=2 queue=Game-down
add limit-at=1M max-limit=7M name="3 Www-down" packet-mark=Www-down \
    parent=Parent-down priority=3 queue=Www-down
add limit-at=256k max-limit=7M name="4 Other-down" packet-mark=Other-down \
    parent=Parent-down priority=4 queue=Other-down
add limit-at=512k max-limit=5M name="5 P2P-down" parent=Parent-down priority=5 \
    queue=default
add limit-at=256k max-limit=4M name="1 WebTV-down" packet-mark=WebTV-down \
    parent="5 P2P-down" priority=5 queue=WebTV-down
add limit-at=128k max-limit=4M name="2 File-down" packet-mark=File-down \
    parent="5 P2P-down" priority=6 queue=File-down
add limit-at=64k max-limit=2M name="Heavy-down" packet-mark=Heavy-down \
    parent="5 P2P-down" priority=8 queue=Heavy-down
add limit-at=1M max-limit=7M name="7 Server-down" packet-mark=server-down \
    parent=Parent-down priority=7 queue=Server-down