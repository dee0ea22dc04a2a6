###°ü1
/ip firewall filter
add action=add-src-to-address-list address-list=server address-list-timeout=2m \
    chain=forward disabled=no in-interface=LAN src-address=192.168.1.251
add action=add-src-to-address-list address-list=wks address-list-timeout=2m \
    chain=forward disabled=no in-interface=LAN src-address=192.168.1.0/24 \
    src-address-list=!server
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\C4\A7\CA\DE\CA\C0\BD\E7\20World\20of\20Warcraft" \
    disabled=no dst-port=3724 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\C4\A7\CA\DE\CA\C0\BD\E7\20World\20of\20Warcraft" \
    disabled=no dst-port=3724 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\D5\BD\CD\F8\20Battle.net" disabled=no \
    dst-port=1119 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\D5\BD\CD\F8\20Battle.net" disabled=no \
    dst-port=1119 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\C4\A7\CA\DE\D5\F9\B0\D43\20Warcraft\20III" \
    disabled=no dst-port=6112-6119 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\D0\C7\BC\CA\D5\F9\B0\D4\20StarCraft" disabled=no \
    dst-port=6112 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\B0\B5\BA\DA\C6\C6\BB\B5\C9\F12\20Diablo\20II" \
    disabled=no dst-port=4000 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\D3\A2\D0\DB\C1\AA\C3\CB\20League\20of\20Legends" \
    disabled=no dst-port=5000-5500 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\D3\A2\D0\DB\C1\AA\C3\CB\20League\20of\20Legends" \
    disabled=no dst-port=2099,5222-5223 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\B7\B4\BF\D6\BE\AB\D3\A2\20Counter-Strike" \
    disabled=no dst-port=27015 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Steam" disabled=no dst-port=27000-27100 \
    protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Steam" disabled=no dst-port=27015-27030 \
    protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\CE\D2\B5\C4\CA\C0\BD\E7\20Minecraft" disabled=no \
    dst-port=25565 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\CE\D2\B5\C4\CA\C0\BD\E7\20Minecraft\20Bedrock" \
    disabled=no dst-port=19132 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Xbox\20Live" disabled=no dst-port=3074 protocol=udp \
    src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Xbox\20Live" disabled=no dst-port=3074 protocol=tcp \
    src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="PlayStation\20Network" disabled=no \
    dst-port=3478-3480 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="PlayStation\20Network" disabled=no \
    dst-port=3478-3479 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\C0\D7\C9\F1\D6\AE\B4\B83\20Quake\20III\20Arena" \
    disabled=no dst-port=27960 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\D5\BD\B5\D81942\20Battlefield\201942" disabled=no \
    dst-port=14567 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward \
    comment="\D0\E9\BB\C3\BE\BA\BC\BC\B3\A1\20Unreal\20Tournament" disabled=no \
    dst-port=7777-7778 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward \
    comment="\B5\DB\B9\FA\CA\B1\B4\FA2\20Age\20of\20Empires\20II" disabled=no \
    dst-port=47624 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward \
    comment="\B5\DB\B9\FA\CA\B1\B4\FA2\20Age\20of\20Empires\20II" disabled=no \
    dst-port=2300-2400 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="EVE\20Online" disabled=no dst-port=26000 \
    protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward \
    comment="\CF\C0\B5\C1\C1\D4\B3\B55\20Grand\20Theft\20Auto\20V" disabled=no \
    dst-port=6672 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Warframe" disabled=no dst-port=4950,4955 \
    protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Rust" disabled=no dst-port=28015 protocol=udp \
    src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\CC\A9\C0\AD\C8\F0\D1\C7\20Terraria" disabled=no \
    dst-port=7777 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Factorio" disabled=no dst-port=34197 protocol=udp \
    src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Starbound" disabled=no dst-port=21025 protocol=tcp \
    src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Valheim" disabled=no dst-port=2456-2458 \
    protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Arma\203" disabled=no dst-port=2302-2306 \
    protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="7\20Days\20to\20Die" disabled=no \
    dst-port=26900-26902 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="Project\20Zomboid" disabled=no dst-port=16261 \
    protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\D5\BD\B5\D82\20Battlefield\202" disabled=no \
    dst-port=16567 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\CA\B9\C3\FC\D5\D9\BB\BD\20Call\20of\20Duty" \
    disabled=no dst-port=28960 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\C0\D7\C9\F1\D6\AE\B4\B8\20Quake" disabled=no \
    dst-port=26000 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="QuakeWorld" disabled=no dst-port=27500 protocol=udp \
    src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\C0\D7\C9\F1\D6\AE\B4\B82\20Quake\20II" disabled=no \
    dst-port=27910 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\BB\D9\C3\F0\D5\BD\CA\BF3\20Doom\203" disabled=no \
    dst-port=27666 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward \
    comment="\C8\D9\D3\FE\D1\AB\D5\C2\20Medal\20of\20Honor\20Allied\20Assault" \
    disabled=no dst-port=12203 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\CE\DE\B6\AC\D6\AE\D2\B9\20Neverwinter\20Nights" \
    disabled=no dst-port=5121 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="TrackMania" disabled=no dst-port=2350 protocol=tcp \
    src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="TrackMania" disabled=no dst-port=2350 protocol=udp \
    src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\C9\B1\C2\BE\BF\D5\BC\E4\20Killing\20Floor" \
    disabled=no dst-port=7707 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\CF\C9\BE\B3\B4\AB\CB\B5\20Ragnarok\20Online" \
    disabled=no dst-port=6900 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\C3\B0\CF\D5\B5\BA\20MapleStory" disabled=no \
    dst-port=8484 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=10m \
    chain=forward comment="\CC\EC\CC\C32\20Lineage\20II" disabled=no \
    dst-port=2106,7777 protocol=tcp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=2m \
    chain=forward connection-rate=0-32k disabled=no dst-address-list=!games \
    dst-port=1024-65535 packet-size=0-200 protocol=udp src-address-list=wks
add action=add-dst-to-address-list address-list=games address-list-timeout=2m \
    chain=forward connection-rate=0-16k disabled=no dst-address-list=!games \
    dst-port=1024-65535 packet-size=0-200 protocol=tcp src-address-list=wks