#!/usr/bin/env node
// Writes the stored scripts of the rate-limit page "网络收集L7&大小包脚本"
// under data/ratelimit/: the collected Layer-7 and packet-size script for
// RouterOS 6, the six packages for RouterOS 5 (imported in order: game
// detection, Layer-7 protocols, game-server networks, marking, queue types,
// queue tree) and the classic RouterOS 5 script with its {lanip} placeholder.
//
//   node scripts/l7-packages.js
//
// The scripts are written in RouterOS export style: GBK, CR LF between lines
// and none after the last, long commands continued with a backslash and an
// indented next line, comments as RouterOS byte escapes. The Layer-7 regexps
// are those of the same names in the Layer-7 catalogue
// (data/l7tools/catalogue.rsc); a test compares every shared name.
'use strict';

const fs = require('fs');
const path = require('path');

// ---------------------------------------------------------------- GBK

const gbkOf = (() => {
  const table = new Map();
  const decoder = new TextDecoder('gbk');
  for (let lead = 0x81; lead <= 0xfe; ++lead)
    for (let trail = 0x40; trail <= 0xfe; ++trail) {
      if (trail === 0x7f) continue;
      const ch = decoder.decode(Buffer.from([lead, trail]));
      if (ch.length === 1 && ch !== '�' && !table.has(ch)) table.set(ch, [lead, trail]);
    }
  return (text) => {
    const bytes = [];
    for (const ch of text) {
      const code = ch.codePointAt(0);
      if (code < 0x80) bytes.push(code);
      else if (table.has(ch)) bytes.push(...table.get(ch));
      else throw new Error(`no GBK form for ${ch}`);
    }
    return Buffer.from(bytes);
  };
})();

// A comment as RouterOS byte escapes: every byte other than an ASCII letter,
// digit, "-" or "." as a backslash and two upper-case hex digits.
function escaped(text) {
  let out = '';
  for (const b of gbkOf(text)) {
    const c = String.fromCharCode(b);
    out += /[0-9A-Za-z.-]/.test(c) ? c : '\\' + b.toString(16).toUpperCase().padStart(2, '0');
  }
  return out;
}
const comment = (text) => `comment="${escaped(text)}"`;

// ---------------------------------------------------------------- export style

// A command longer than a terminal line is continued after a blank outside
// quotes: a backslash ends the line and the rest follows indented by four.
function wrap(command) {
  const words = [];
  let word = '', quoted = false;
  for (let i = 0; i < command.length; ++i) {
    const c = command[i];
    if (c === '\\' && quoted) { word += c + command[++i]; continue; }
    if (c === '"') quoted = !quoted;
    if (c === ' ' && !quoted) { words.push(word); word = ''; continue; }
    word += c;
  }
  words.push(word);
  const lines = [];
  let line = '';
  for (const w of words) {
    const indent = lines.length ? '    ' : '';
    if (line && indent.length + line.length + 1 + w.length > 78) {
      lines.push(indent + line + ' \\');
      line = w;
    } else {
      line = line ? line + ' ' + w : w;
    }
  }
  lines.push((lines.length ? '    ' : '') + line);
  return lines;
}

// A script from its parts: section headers and other lines stand as they
// are, commands ("add", "set") are wrapped.
function script(parts) {
  const lines = [];
  for (const part of parts) {
    if (/^(add|set) /.test(part)) lines.push(...wrap(part));
    else lines.push(part);
  }
  return Buffer.concat([gbkOf(lines.join('\r\n'))]);
}

// ---------------------------------------------------------------- Layer-7 protocols

// The Layer-7 matchers come from the window's catalogue, each regexp as it
// stands between the quotes of its line there, so both say the same.
const CATALOGUE_FILE = path.join(__dirname, '..', 'data', 'l7tools', 'catalogue.rsc');
const L7 = {};
for (const line of fs.readFileSync(CATALOGUE_FILE, 'latin1').split('\r\n')) {
  const entry = /^add name=(\S+) regexp="(.*)"$/.exec(line);
  if (entry) L7[entry[1]] = entry[2];
}
// Not in the catalogue: a web page is an HTTP answer that says it is HTML.
L7.Web = '^http/1\\\\.[01] [1-5][0-9][0-9] [\\09-\\0D -~]*content-type: \\?text/html';

function regexpOf(name) {
  if (!(name in L7)) throw new Error(`no Layer-7 matcher named ${name} in ${CATALOGUE_FILE}`);
  return L7[name];
}
const l7Section = (names) => ['/ip firewall layer7-protocol', ...names.map((n) => `add name=${n} regexp="${regexpOf(n)}"`)];

// The 14 protocols of the collected and the classic script.
const COLLECTED_L7 = ['qq', 'QQLive', 'PPLive', 'PPS', 'QQMusic', 'WebTV', 'flv', 'http', 'Web', 'pic', 'Jpg', 'File',
  'xunlei', 'DNS'];

// ---------------------------------------------------------------- collected script, RouterOS 6

// Connection marks of the collected scripts: the class and what marks it.
// A later rule marks over an earlier one, so HTTP comes before the video and
// file downloads that travel over it (JPEG pictures are among "pic").
const COLLECTED_CONNECTIONS = [
  ['icmp', 'protocol=icmp'],
  ['icmp', 'layer7-protocol=DNS protocol=udp'],
  ['small', 'layer7-protocol=qq'],
  ['web', 'layer7-protocol=http'],
  ['web', 'layer7-protocol=Web'],
  ['web', 'layer7-protocol=pic'],
  ['video', 'layer7-protocol=QQLive'],
  ['video', 'layer7-protocol=PPLive'],
  ['video', 'layer7-protocol=PPS'],
  ['video', 'layer7-protocol=QQMusic'],
  ['video', 'layer7-protocol=WebTV'],
  ['video', 'layer7-protocol=flv'],
  ['file', 'layer7-protocol=File'],
  ['file', 'layer7-protocol=xunlei'],
];

// Queue classes: name, priority, and whether the upload side has its own queue.
const COLLECTED_CLASSES = [
  ['icmp', 1, true], ['small', 2, true], ['web', 3, true], ['video', 4, false], ['file', 6, true],
];

// Packets of connections no rule has marked, by size: a connection is not
// marked by its first packet's size, which would pin every connection to the
// class of its handshake.
const SIZE_CLASSES = [['small', ' connection-mark=no-mark packet-size=0-511'], ['big', ' packet-size=1301-1500'], ['other', '']];

function collected6() {
  const lines = ['## HTB未设置任何限速值, 请按自己的带宽在 /queue tree 的 down 和 up 上填写 max-limit'];
  lines.push(...l7Section(COLLECTED_L7));
  lines.push('/ip firewall address-list', 'add address=192.168.1.0/24 disabled=no list=OnLineClient');
  lines.push('/ip firewall filter', 'add action=drop chain=input disabled=no dst-port=22 protocol=tcp');
  lines.push('/ip firewall mangle');
  lines.push('add action=change-ttl chain=prerouting disabled=no new-ttl=set:128 passthrough=yes src-address-list=OnLineClient');
  lines.push('add action=change-mss chain=forward disabled=no new-mss=1440 passthrough=yes protocol=tcp tcp-flags=syn tcp-mss=1441-65535');
  lines.push('add action=mark-connection chain=forward disabled=no dst-port=53 new-connection-mark=icmp_con passthrough=yes protocol=tcp');
  for (const [cls, match] of COLLECTED_CONNECTIONS)
    lines.push(`add action=mark-connection chain=forward disabled=no ${match} new-connection-mark=${cls}_con passthrough=yes`);
  for (const [cls, , up] of COLLECTED_CLASSES) {
    lines.push(`add action=mark-packet chain=forward connection-mark=${cls}_con disabled=no dst-address-list=OnLineClient new-packet-mark=${cls}_down passthrough=no`);
    if (up) lines.push(`add action=mark-packet chain=forward connection-mark=${cls}_con disabled=no new-packet-mark=${cls}_up passthrough=no src-address-list=OnLineClient`);
  }
  for (const [cls, size] of SIZE_CLASSES) {
    lines.push(`add action=mark-packet chain=forward disabled=no dst-address-list=OnLineClient new-packet-mark=${cls}_down${size} passthrough=no`);
    lines.push(`add action=mark-packet chain=forward disabled=no new-packet-mark=${cls}_up${size} passthrough=no src-address-list=OnLineClient`);
  }
  lines.push('# dec/01/2026 12:00:00 by RouterOS 6.48.6', '# software id = ', '#');
  lines.push('/queue type');
  lines.push('add kind=pcq name=0m_down pcq-classifier=dst-address pcq-rate=0 pcq-total-limit=10000');
  lines.push('add kind=pcq name=0m_up pcq-classifier=src-address pcq-rate=0 pcq-total-limit=10000');
  lines.push('/queue tree');
  lines.push('add name=down parent=global queue=default', 'add name=up parent=global queue=default');
  const classes = [...COLLECTED_CLASSES, ['big', 5, true], ['other', 7, true]];
  for (const dir of ['down', 'up'])
    for (const [cls, priority, up] of classes) {
      if (dir === 'up' && !up) continue;
      lines.push(`add name=${cls}_${dir} packet-mark=${cls}_${dir} parent=${dir} priority=${priority} queue=0m_${dir}`);
    }
  lines.push('/queue interface', 'set wan queue=default');
  return script(lines);
}

// ---------------------------------------------------------------- classic script, RouterOS 5

function classic5() {
  const lines = [...l7Section(COLLECTED_L7)];
  lines.push('/ip firewall address-list', 'add address={lanip} disabled=no list=OnLineClient');
  lines.push('/ip firewall connection tracking');
  lines.push('set enabled=yes generic-timeout=3m icmp-timeout=10s tcp-close-timeout=10s tcp-close-wait-timeout=10s tcp-established-timeout=1h tcp-fin-wait-timeout=10s tcp-last-ack-timeout=10s tcp-syn-received-timeout=5s tcp-syn-sent-timeout=5s tcp-syncookie=no tcp-time-wait-timeout=10s udp-stream-timeout=1m udp-timeout=10s');
  lines.push('/ip firewall filter');
  lines.push('add action=drop chain=input disabled=no dst-port=123 protocol=udp');
  lines.push('add action=drop chain=input disabled=no protocol=udp src-port=123');
  lines.push('add action=drop chain=input disabled=no dst-port=22 protocol=tcp');
  lines.push('/ip firewall mangle');
  lines.push('add action=change-ttl chain=prerouting disabled=no new-ttl=set:128 passthrough=yes src-address-list=OnLineClient');
  lines.push('add action=change-mss chain=forward disabled=no new-mss=1440 passthrough=yes protocol=tcp tcp-flags=syn tcp-mss=1441-65535');
  for (const [cls, match] of COLLECTED_CONNECTIONS)
    lines.push(`add action=mark-connection chain=prerouting disabled=no ${match} new-connection-mark=${cls}_con passthrough=yes`);
  for (const [cls] of COLLECTED_CLASSES) {
    lines.push(`add action=mark-packet chain=prerouting connection-mark=${cls}_con disabled=no dst-address-list=OnLineClient new-packet-mark=${cls}_down passthrough=no`);
    lines.push(`add action=mark-packet chain=prerouting connection-mark=${cls}_con disabled=no new-packet-mark=${cls}_up passthrough=no src-address-list=OnLineClient`);
  }
  for (const [cls, size] of SIZE_CLASSES) {
    lines.push(`add action=mark-packet chain=prerouting disabled=no dst-address-list=OnLineClient new-packet-mark=${cls}_down${size} passthrough=no`);
    lines.push(`add action=mark-packet chain=prerouting disabled=no new-packet-mark=${cls}_up${size} passthrough=no src-address-list=OnLineClient`);
  }
  lines.push('/ip firewall nat');
  lines.push('add action=masquerade chain=srcnat disabled=no out-interface=wan');
  // Opening remote desktop to the internet is the user's decision: the
  // mapping is there to be enabled with the host's own address.
  lines.push(`add action=dst-nat chain=dstnat ${comment('远程桌面映射, 改为内网主机地址后启用')} disabled=yes dst-port=3389 in-interface=wan protocol=tcp to-addresses=192.168.1.100 to-ports=3389`);
  lines.push('add action=redirect chain=dstnat disabled=yes dst-port=53 protocol=udp to-ports=53');
  lines.push('/ip firewall service-port');
  lines.push('set ftp disabled=no ports=21', 'set tftp disabled=no ports=69', 'set irc disabled=yes ports=6667',
    'set h323 disabled=yes', 'set sip disabled=yes ports=5060,5061', 'set pptp disabled=no');
  lines.push('');
  lines.push('/queue tree');
  lines.push('add max-limit=10M name=down parent=global-in queue=default', 'add max-limit=2M name=up parent=global-out queue=default');
  lines.push('/queue type');
  lines.push('set 0 kind=pfifo name=default pfifo-limit=50');
  lines.push('set 1 kind=pfifo name=ethernet-default pfifo-limit=50');
  lines.push('set 2 kind=sfq name=wireless-default sfq-allot=1514 sfq-perturb=5');
  lines.push('set 3 kind=red name=synchronous-default red-avg-packet=1000 red-burst=20 red-limit=60 red-max-threshold=50 red-min-threshold=10');
  lines.push('set 4 kind=sfq name=hotspot-default sfq-allot=1514 sfq-perturb=5');
  lines.push('add kind=pcq name=0m_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=0 pcq-total-limit=10000');
  lines.push('add kind=pcq name=0m_up pcq-classifier=src-address pcq-limit=50 pcq-rate=0 pcq-total-limit=10000');
  lines.push('add kind=pcq name=1m_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=1M pcq-total-limit=2000');
  lines.push('add kind=pcq name=256k_up pcq-classifier=src-address pcq-limit=50 pcq-rate=256k pcq-total-limit=2000');
  lines.push('add kind=pfifo name=small-pfifo pfifo-limit=10');
  lines.push('/queue tree');
  const classes = [...COLLECTED_CLASSES, ['big', 5], ['other', 7]];
  for (const dir of ['down', 'up'])
    for (const [cls, priority] of classes)
      lines.push(`add name=${cls}_${dir} packet-mark=${cls}_${dir} parent=${dir} priority=${priority} queue=0m_${dir}`);
  lines.push('/queue interface', 'set lan queue=default', 'set lan2 queue=default', 'set wan queue=default');
  lines.push('/queue simple');
  lines.push(`add ${comment('单机限速示例, 按需启用')} disabled=yes max-limit=512k/2M name=example target-addresses=192.168.1.100/32`);
  return script(lines);
}

// ---------------------------------------------------------------- package 1: game detection

// Games by the ports their makers publish for play (or the port their
// servers take by default); each puts its destinations on the list games.
// [Chinese name or '', name, protocol, ports]
const GAMES = [
  ['魔兽世界', 'World of Warcraft', 'tcp', '3724'],
  ['魔兽世界', 'World of Warcraft', 'udp', '3724'],
  ['战网', 'Battle.net', 'tcp', '1119'],
  ['战网', 'Battle.net', 'udp', '1119'],
  ['魔兽争霸3', 'Warcraft III', 'tcp', '6112-6119'],
  ['星际争霸', 'StarCraft', 'udp', '6112'],
  ['暗黑破坏神2', 'Diablo II', 'tcp', '4000'],
  ['英雄联盟', 'League of Legends', 'udp', '5000-5500'],
  ['英雄联盟', 'League of Legends', 'tcp', '2099,5222-5223'],
  ['反恐精英', 'Counter-Strike', 'udp', '27015'],
  ['', 'Steam', 'udp', '27000-27100'],
  ['', 'Steam', 'tcp', '27015-27030'],
  ['我的世界', 'Minecraft', 'tcp', '25565'],
  ['我的世界', 'Minecraft Bedrock', 'udp', '19132'],
  ['', 'Xbox Live', 'udp', '3074'],
  ['', 'Xbox Live', 'tcp', '3074'],
  ['', 'PlayStation Network', 'tcp', '3478-3480'],
  ['', 'PlayStation Network', 'udp', '3478-3479'],
  ['雷神之锤3', 'Quake III Arena', 'udp', '27960'],
  ['战地1942', 'Battlefield 1942', 'udp', '14567'],
  ['虚幻竞技场', 'Unreal Tournament', 'udp', '7777-7778'],
  ['帝国时代2', 'Age of Empires II', 'tcp', '47624'],
  ['帝国时代2', 'Age of Empires II', 'udp', '2300-2400'],
  ['', 'EVE Online', 'tcp', '26000'],
  ['侠盗猎车5', 'Grand Theft Auto V', 'udp', '6672'],
  ['', 'Warframe', 'udp', '4950,4955'],
  ['', 'Rust', 'udp', '28015'],
  ['泰拉瑞亚', 'Terraria', 'tcp', '7777'],
  ['', 'Factorio', 'udp', '34197'],
  ['', 'Starbound', 'tcp', '21025'],
  ['', 'Valheim', 'udp', '2456-2458'],
  ['', 'Arma 3', 'udp', '2302-2306'],
  ['', '7 Days to Die', 'udp', '26900-26902'],
  ['', 'Project Zomboid', 'udp', '16261'],
  ['战地2', 'Battlefield 2', 'udp', '16567'],
  ['使命召唤', 'Call of Duty', 'udp', '28960'],
  ['雷神之锤', 'Quake', 'udp', '26000'],
  ['', 'QuakeWorld', 'udp', '27500'],
  ['雷神之锤2', 'Quake II', 'udp', '27910'],
  ['毁灭战士3', 'Doom 3', 'udp', '27666'],
  ['荣誉勋章', 'Medal of Honor Allied Assault', 'udp', '12203'],
  ['无冬之夜', 'Neverwinter Nights', 'udp', '5121'],
  ['', 'TrackMania', 'tcp', '2350'],
  ['', 'TrackMania', 'udp', '2350'],
  ['杀戮空间', 'Killing Floor', 'udp', '7707'],
  ['仙境传说', 'Ragnarok Online', 'tcp', '6900'],
  ['冒险岛', 'MapleStory', 'tcp', '8484'],
  ['天堂2', 'Lineage II', 'tcp', '2106,7777'],
];

// Play without a known port: small packets at a low, steady rate.
const GAME_TRAFFIC = [
  ['udp', '1024-65535', '0-200', '0-32k'],
  ['tcp', '1024-65535', '0-200', '0-16k'],
];

function package1() {
  const lines = ['###包1', '/ip firewall filter'];
  lines.push('add action=add-src-to-address-list address-list=server address-list-timeout=2m chain=forward disabled=no in-interface=LAN src-address=192.168.1.251');
  lines.push('add action=add-src-to-address-list address-list=wks address-list-timeout=2m chain=forward disabled=no in-interface=LAN src-address=192.168.1.0/24 src-address-list=!server');
  for (const [cn, en, protocol, ports] of GAMES)
    lines.push(`add action=add-dst-to-address-list address-list=games address-list-timeout=10m chain=forward ${comment(cn ? `${cn} ${en}` : en)} disabled=no dst-port=${ports} protocol=${protocol} src-address-list=wks`);
  for (const [protocol, ports, size, rate] of GAME_TRAFFIC)
    lines.push(`add action=add-dst-to-address-list address-list=games address-list-timeout=2m chain=forward connection-rate=${rate} disabled=no dst-address-list=!games dst-port=${ports} packet-size=${size} protocol=${protocol} src-address-list=wks`);
  return script(lines);
}

// ---------------------------------------------------------------- package 2: Layer-7 protocols

const PACKAGE2_L7 = ['Web', 'pic', 'Jpg', 'vie', 'flv', 'Tudou1', 'Tudou2', 'Youku', 'Ku6', 'Qiyi', 'Sina', '163sp1',
  '163sp2', 'QQsp', 'QQLive', 'PPLive', 'PPS', 'WebTV', 'File', 'qq', 'QQMusic', 'vod_mp3', 'xunlei', 'http', 'DNS',
  'vod_flv'];

function package2() {
  return script(['###包2', ...l7Section(PACKAGE2_L7)]);
}

// ---------------------------------------------------------------- package 3: game-server networks

// No game maker publishes its server networks in a form that can be stated
// here: the list is left to the user, who knows the servers of the games played.
function package3() {
  return script(['###包3',
    '# 游戏服务器网段: 请按所玩游戏的服务器地址填写, 每个网段一行, 例如:',
    '# add address=网段/掩码 list=games',
    '/ip firewall address-list']);
}

// ---------------------------------------------------------------- package 4: marking

// Classes with the rules that mark their connections.
const MARK_CLASSES = [
  ['server', ['src-address-list=server']],
  ['Small', ['protocol=icmp', 'dst-port=53 protocol=udp']],
  ['Game', ['dst-address-list=games']],
  ['File', ['layer7-protocol=File', 'layer7-protocol=xunlei']],
  ['WebTV', ['layer7-protocol=WebTV', 'layer7-protocol=PPLive', 'layer7-protocol=PPS']],
  ['Www', ['dst-port=80,443,8080 protocol=tcp']],
  ['Heavy', ['connection-bytes=5000000-0 protocol=tcp']],
  ['Other', ['connection-mark=no-mark']],
];

function package4() {
  const lines = ['###包4', '/ip firewall mangle'];
  lines.push('add action=change-mss chain=forward disabled=no new-mss=1440 passthrough=yes protocol=tcp tcp-flags=syn tcp-mss=1441-65535');
  for (const [cls, matches] of MARK_CLASSES) {
    for (const match of matches)
      lines.push(`add action=mark-connection chain=prerouting disabled=no ${match} new-connection-mark=${cls} passthrough=yes`);
    const uploadFrom = cls === 'server' ? 'server' : 'wks';
    lines.push(`add action=mark-packet chain=postrouting connection-mark=${cls} disabled=no new-packet-mark=${cls}-up passthrough=no src-address-list=${uploadFrom}`);
    lines.push(`add action=mark-packet chain=prerouting connection-mark=${cls} disabled=no new-packet-mark=${cls}-down passthrough=no src-address-type=!local`);
  }
  return script(lines);
}

// ---------------------------------------------------------------- package 5: queue types

const QUEUE_TYPES = ['WebTV', 'Game', 'Www', 'Small', 'File', 'Other', 'Server', 'Heavy'];
const TYPE_RATE = {'Small-down': '256k', 'Small-up': '40k'};

function package5() {
  const lines = ['###包5', '/queue type'];
  lines.push('set 0 kind=pfifo name=default pfifo-limit=50');
  lines.push('set 1 kind=pfifo name=ethernet-default pfifo-limit=50');
  lines.push('set 2 kind=sfq name=wireless-default sfq-allot=1514 sfq-perturb=5');
  lines.push('set 3 kind=red name=synchronous-default red-avg-packet=1000 red-burst=20 red-limit=60 red-max-threshold=50 red-min-threshold=10');
  lines.push('set 4 kind=sfq name=hotspot-default sfq-allot=1514 sfq-perturb=5');
  for (const cls of QUEUE_TYPES)
    for (const [dir, classifier] of [['up', 'src-address'], ['down', 'dst-address']]) {
      const name = `${cls}-${dir}`;
      lines.push(`add kind=pcq name=${name} pcq-classifier=${classifier} pcq-limit=50 pcq-rate=${TYPE_RATE[name] || '0'} pcq-total-limit=1000`);
    }
  return script(lines);
}

// ---------------------------------------------------------------- package 6: queue tree

// [name, parent, packet mark class or '', priority, limit-at and max-limit per direction]
const TREE = [
  ['1 Small', '', 'Small', 1, {up: ['64k', '320k'], down: ['512k', '7M']}],
  ['2 Game', '', 'Game', 2, {up: ['96k', '320k'], down: ['2M', '7M']}],
  ['3 Www', '', 'Www', 3, {up: ['32k', '320k'], down: ['1M', '7M']}],
  ['4 Other', '', 'Other', 4, {up: ['16k', '320k'], down: ['256k', '7M']}],
  ['5 P2P', '', '', 5, {up: ['48k', '256k'], down: ['512k', '5M']}],
  ['1 WebTV', '5 P2P', 'WebTV', 5, {up: ['16k', '192k'], down: ['256k', '4M']}],
  ['2 File', '5 P2P', 'File', 6, {up: ['16k', '192k'], down: ['128k', '4M']}],
  ['Heavy', '5 P2P', 'Heavy', 8, {up: ['8k', '128k'], down: ['64k', '2M']}],
  ['7 Server', '', 'server', 7, {up: ['64k', '320k'], down: ['1M', '7M']}],
];

function package6() {
  const lines = ['###包6', '/queue tree'];
  lines.push('add limit-at=320k max-limit=320k name=Parent-up parent=global-out queue=default');
  lines.push('add limit-at=7M max-limit=7M name=Parent-down parent=global-in queue=default');
  for (const dir of ['up', 'down'])
    for (const [name, parent, mark, priority, limits] of TREE) {
      const [limitAt, maxLimit] = limits[dir];
      const markClause = mark ? ` packet-mark=${mark}-${dir}` : '';
      const type = mark ? (mark === 'server' ? 'Server' : mark) + `-${dir}` : 'default';
      lines.push(`add limit-at=${limitAt} max-limit=${maxLimit} name="${name}-${dir}"${markClause} parent=${parent ? `"${parent}-${dir}"` : `Parent-${dir}`} priority=${priority} queue=${type}`);
    }
  return script(lines);
}

// ---------------------------------------------------------------- write

const outputs = {
  'l7-collected-6x.rsc': collected6(),
  'l7-package1.rsc': package1(),
  'l7-package2.rsc': package2(),
  'l7-package3.rsc': package3(),
  'l7-package4.rsc': package4(),
  'l7-package5.rsc': package5(),
  'l7-package6.rsc': package6(),
  'l7-classic-5x.rsc': classic5(),
};
const dir = path.join(__dirname, '..', 'data', 'ratelimit');
for (const [name, bytes] of Object.entries(outputs)) {
  fs.writeFileSync(path.join(dir, name), bytes);
  const lines = bytes.toString('latin1').split('\r\n').length;
  console.log(`${name}: ${bytes.length} bytes, ${lines} lines`);
}
