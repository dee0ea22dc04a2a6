#!/usr/bin/env node
// Writes data/l7tools/catalogue.rsc, the Layer-7 window's built-in catalogue,
// from the table below.
//
//   node scripts/l7-catalogue.js
//
// Each pattern is written here as the router's Layer-7 matcher reads it (an
// extended regular expression over the first bytes of a connection, compared
// without regard to letter case), with \xHH for a byte that has no printable
// form. The file holds them the way a RouterOS script must spell them inside
// double quotes: a backslash doubled, \" \$ \? for the three characters the
// terminal would otherwise take for its own, and \HH for those bytes, so the
// file imports as it stands and the router stores exactly the pattern below.
// Every pattern avoids the zero byte (a "." stands in for it), which a quoted
// RouterOS string cannot carry safely.
'use strict';

const fs = require('fs');
const path = require('path');

// For a protocol whose own messages are not published: the client names itself in
// its web requests (user agent) or reaches hosts that carry its name.
function byName(word) {
  return String.raw`user-agent: ?[ -~]*` + word + String.raw`|host: ?([a-z0-9-]+\.)*` + word + String.raw`[a-z0-9-]*\.[a-z]`;
}

// In catalogue order; the window numbers the rows from 1 in this order.
const CATALOGUE = [
  // marker E3 (eDonkey), C5 (eMule extensions) or D4 (packed), a 4-byte length, an opcode
  ['edonkey', String.raw`^[\xc5\xd4\xe3]....[\x01\x05\x14\x15\x16\x18\x19\x1c\x32\x33\x34\x35\x36\x38\x40\x41\x42\x46\x47\x48\x4c\x4f\x54\x55\x56\x58\x59\x96\x97\x98\x9a\x9b\x9c\x9e\xa0\xa1\xa2\xa3]`],
  ['goboogy', String.raw`<peerplat>|^get /getfilebyhash\.cgi\?|^get /queue_register\.cgi\?|^get /getupdowninfo\.cgi\?`],
  ['soribada', byName('soribada')],
  // TPKT version 3, an X.224 connection request carrying the client's cookie
  ['rdp', String.raw`^\x03..[\x0b-\xff].?\xe0[ -~]*cookie: mstshash=|rdpdr.*cliprdr`],
  ['gnutella', String.raw`^gnutella connect/[012]\.[0-9]\x0d\x0a|^gnutella/[012]\.[0-9] [1-5][0-9][0-9]|^get /uri-res/n2r\?urn:sha1:|^get /get/[0-9]+/[ -~]* http/1\.[01]\x0d\x0a`],
  ['cvs', String.raw`^begin (auth|verification|gssapi) request\x0a`],
  // a name query: 12 header bytes, then the encoded name, 32 letters A-P after the length 0x20
  ['nbns', String.raw`^.{12}\x20[a-p]{32}.{1,2}[\x20\x21]`],
  ['shoutcast', String.raw`^icy [1-5][0-9][0-9] [ -~]*\x0d\x0a|icy-metadata: ?1|^source /[ -~]* icy`],
  // connectionless commands of the Quake engines, after four FF bytes
  ['quake-halflife', String.raw`^\xff\xff\xff\xff(getchallenge|getinfo|getstatus|get challenge|challenge rcon|connect|infostring|statusresponse|getservers|details|players|rules|ping)`],
  ['poco', byName('poco')],
  // an ISAKMP main or aggressive mode start: two cookies, next payload SA, version 1.0
  ['ciscovpn', String.raw`^.{16}\x01\x10[\x02\x04\x05]`],
  // connection set-up: byte order l or B, protocol major version 11
  ['x11', String.raw`^(l.\x0b.|b..\x0b)..(\x12.|.\x12)`],
  // the console's requests to its service's hosts
  ['xboxlive', String.raw`host: ?([a-z0-9-]+\.)*xboxlive\.com`],
  ['applejuice', String.raw`^ajprot\x0d\x0a`],
  ['zmaap', byName('zmaap')],
  // a zero byte, then client user, server user and terminal/speed, each ended by a zero byte
  ['rlogin', String.raw`^.[a-z][a-z0-9_.-]*.[a-z][a-z0-9_.-]*.[a-z][a-z0-9-]*/[1-9][0-9]*`],
  ['sip', String.raw`^(invite|register|cancel|options|subscribe|notify|ack|bye|message) sip[\x09-\x0d -~]*sip/[0-2]\.[0-9]|^sip/[0-2]\.[0-9] [1-6][0-9][0-9]`],
  ['pop3', String.raw`^(\+ok |-err )`],
  // NetBIOS session message, then the SMB or SMB2 signature
  ['smb', String.raw`\xffsmb[\x25\x26\x72\x73\x75\xa2]|\xfesmb`],
  ['quake1', String.raw`^\x80..\x0c\x01quake\x03`],
  // a one-byte command (1 to 5) followed by the queue name
  ['lpd', String.raw`^[\x01-\x05][a-z0-9_.-]+[\x09\x0a ]`],
  ['mute', byName('mute')],
  ['ssh', String.raw`^ssh-[12]\.[0-9]`],
  ['jabber', String.raw`<stream:stream[\x09-\x0d ][ -~]*[\x09-\x0d ]xmlns=['"]jabber`],
  // the handshake: length 19, the protocol name; or a tracker request, or DHT over UDP
  ['bittorrent', String.raw`^\x13bittorrent protocol|^get /announce\?info_hash=|^get /scrape\?info_hash=|^d1:ad2:id20:|^d1:rd2:id20:|azver\x01$`],
  // NCP over TCP: the request signature DmdT, then length, version and reply size (12
  // bytes) and the request type (2222 is two double quotes); or the reply signature
  // tNcP, its length and reply type 3333
  ['ncp', String.raw`^dmdt.{12}(""|\x11\x11|uu|ww)|^tncp.{4}33`],
  // a handshake record (type 22), version 3.x, a client or server hello
  ['tls', String.raw`^\x16\x03[\x01-\x03]..[\x01\x02]...\x03[\x01-\x03]`],
  ['directconnect', String.raw`^(\$mynick |\$lock |\$key |\$hello |\$supports |\$validatenick |\$direction |\$search )`],
  // session request 0x81, or a NetBIOS datagram with its encoded names
  ['netbios', String.raw`^\x81...\x20[a-p]{32}.\x20[a-p]{32}|^[\x10-\x16]......\x20[a-p]{32}`],
  // read or write request: opcode, file name, then the mode
  ['tftp', String.raw`^.[\x01\x02][ -~]+.(netascii|octet|mail)`],
  // the connection request: type 00 01, a 4-byte key, protocol version 1
  ['subspace', String.raw`^.\x01....\x01.$`],
  ['hotline', String.raw`^trtphotl\x01`],
  ['doom3', String.raw`^\xff\xffchallenge|^\xff\xffgetinfo|^\xff\xffinforesponse`],
  ['ftp', String.raw`^220[\x09-\x0d -~]*ftp|^(user|pass|syst|pasv|port|retr|stor|list) [ -~]*\x0d\x0a`],
  // the client's web requests, under its old and new names
  ['kugoo', String.raw`user-agent: ?[ -~]*(kugoo|kugou)|host: ?([a-z0-9-]+\.)*(kugoo|kugou)\.com`],
  // the TSP tunnel set-up starts with the client's protocol version
  ['tsp', String.raw`^version=[0-9]\.[0-9][\x09-\x0d ]+(capability|starttls)`],
  // the text queries of the game's server browser (GameSpy 1)
  ['battlefield1942', String.raw`^\\(status|info|basic|rules|players)\\`],
  ['ssdp', String.raw`^notify \* http/1\.1\x0d\x0a[\x09-\x0d -~]*ssdp:(alive|byebye)|^m-search \* http/1\.1\x0d\x0a[\x09-\x0d -~]*ssdp:discover`],
  ['imap', String.raw`^\* ok[ -~]*imap|^[a-z0-9]+ (login|capability|authenticate|starttls) `],
  // the client names itself in its HTTP transfers
  ['ares', String.raw`user-agent: ?ares [0-9]`],
  ['fasttrack', String.raw`^get (/\.download/[ -~]*|/\.supernode[ -~]|/\.status[ -~]|/\.network[ -~]*|/\.files|/\.hash=[0-9a-f]*/[ -~]*) http/1\.1|^give [0-9]+\x0a`],
  ['qq', String.raw`^.?\x02.+\x03$`],
  ['100bao', byName('100bao')],
  // the OSCAR (FLAP) frame marker with a channel, or a TOC sign-on
  ['aim', String.raw`^\*[\x01\x02]..[\x01\x04]|^flapon|^toc_signon`],
  ['msn-filetransfer', String.raw`^(ver [ -~]*msnftp|usr [ -~]* [0-9]+\x0d\x0afil [0-9]+)`],
  ['yahoo', String.raw`^(ymsg|ypns|yhoo).?.?.?.?.?.?.?.?[lwt]`],
  ['validcertssl', String.raw`^\x16\x03[\x01-\x03]..\x02...\x03[\x01-\x03].+\x0b.....0\x82`],
  // a 48-byte NTP message: leap, version 1 to 4, mode
  ['ntp', String.raw`^[\x13\x1b\x23\xd3\xdb\xe3\x14\x1c\x24\xd4\xdc\xe4]...........`],
  ['gnucleuslan', String.raw`^gnuclear connect/[\x09-\x0d -~]*\x0d\x0a\x0d\x0a`],
  ['vnc', String.raw`^rfb 00[1-9]\.00[0-9]\x0a$`],
  // a BGP message: 16 marker bytes FF, length, type 1 (OPEN), version 4
  ['bgp', String.raw`^\xff{16}..\x01\x04`],
  ['tesla', byName('tesla')],
  ['openft', String.raw`x-openftalias: [-)(0-9a-z ~.]`],
  // TPKT version 3, then a Q.931 message with protocol discriminator 8
  ['h323', String.raw`^\x03...?\x08...?.?.?.?.?.?.?.?.?\x05`],
  ['finger', String.raw`^[a-z][a-z0-9_-]+\x0d\x0a|^/w [a-z0-9]*\x0d\x0a|login: [\x09-\x0d -~]* name: [\x09-\x0d -~]*directory:`],
  // "port , port" then optionally the reply type
  ['ident', String.raw`^[1-9][0-9]?[0-9]?[0-9]?[0-9]?[\x09 ]*,[\x09 ]*[1-9][0-9]?[0-9]?[0-9]?[0-9]?([\x09 ]*:[\x09 ]*(userid|error))?[\x09 ]*\x0d?\x0a`],
  ['gkrellm', String.raw`^gkrellm [23]\.[0-9]\.[0-9]\x0a$`],
  ['hddtemp', String.raw`^\|/dev/[a-z][a-z/0-9]*\|`],
  // SOCKS 5: greeting (version, method count, methods), the server's choice, then a
  // request (connect, bind or UDP) with its address type; or a SOCKS 4 connect or bind
  ['socks', String.raw`^\x05[\x01-\x08].{1,8}\x05.\x05[\x01-\x03].[\x01\x03\x04]|^\x04[\x01\x02]..`],
  ['biff', String.raw`^[a-z][a-z0-9]+@[1-9][0-9]+$`],
  // BOOTP op 1 or 2, hardware type Ethernet, length 6, then the DHCP magic cookie
  ['dhcp', String.raw`^[\x01\x02]\x01\x06.*\x63\x82\x53\x63`],
  ['smtp', String.raw`^220[\x09-\x0d -~]* (e?smtp|simple mail)|^(helo|ehlo) [ -~]+\x0d\x0a`],
  ['ipp', String.raw`^post /[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*content-type: ?application/ipp`],
  ['msnmessenger', String.raw`^ver [0-9]+ msnp[1-9][0-9]? [\x09-\x0d -~]*cvr0\x0d\x0a$|^usr 1 [!-~]+ [0-9. ]+\x0d\x0a$|^ans 1 [!-~]+ [0-9. ]+\x0d\x0a$`],
  ['irc', String.raw`^(nick[\x09-\x0d -~]*user[\x09-\x0d -~]*:|user[\x09-\x0d -~]*:[\x02-\x0d -~]*nick[\x09-\x0d -~]*\x0d\x0a)`],
  ['gopher', String.raw`^[1-9a-z][\x09-\x0d -~]*\x09[\x09-\x0d -~]*\x09[a-z0-9.-]+\x09[0-9]+\x0d\x0a`],
  // option negotiation: IAC (FF) then WILL, WONT, DO or DONT, three times
  ['telnet', String.raw`^\xff[\xfb-\xfe].\xff[\xfb-\xfe].\xff[\xfb-\xfe]`],
  // an SNMP message: SEQUENCE, INTEGER version 0 to 3, the community, then a PDU
  ['snmp', String.raw`^\x30.?.?\x02\x01[\x01\x03]\x04[\x01-\x7f][ -~]*[\xa0-\xa7]|^\x30.?.?\x02\x01.\x04[\x01-\x7f][ -~]*[\xa0-\xa7]`],
  ['nntp', String.raw`^(20[01][\x09-\x0d -~]*news|(article|group|newgroups|authinfo user) [ -~]*\x0d\x0a)`],
  ['aimwebcontent', String.raw`user-agent: ?aim/`],
  ['rtsp', String.raw`^rtsp/1\.0 200 ok|^(options|describe|setup|play) rtsp://`],
  // calls themselves are encrypted: the client's web requests only
  ['skypeout', String.raw`host: ?([a-z0-9-]+\.)*(skype\.com|skypeassets\.com)`],
  // calls themselves are encrypted: the client's web requests only
  ['skypetoskype', String.raw`user-agent: ?[ -~]*skype`],
  ['counterstrike-source', String.raw`^\xff\xff\xff\xff(tsource engine query|get challenge|q)`],
  ['halflife2-deathmatch', String.raw`^\xff\xff\xff\xff(tsource engine query|connect)[ -~]*(hl2mp|deathmatch)`],
  ['freenet', byName('freenet')],
  // the binary queries of the game's server browser (GameSpy 3): challenge, full query
  ['battlefield2', String.raw`^\xfe\xfd\x09|^\xfe\xfd.{5}(....)?\xff\xff\xff`],
  // a login (type 2): nick, password, port, the client's name in double quotes, link
  // speed; or a search (type 200) whose terms are quoted; or a peer's GET or SEND
  ['napster', String.raw`^.?.?\x02.[ -~]+ [ -~]+ [0-9]+ "[ -~]+" [0-9]|^.?.?\xc8.filename contains "|^(get|send)[\x0d\x0a]`],
  // a login: message length, code 1, then the user name as a length and its bytes
  ['soulseek', String.raw`^.{4}\x01...[\x01-\x1e]...[!-~]`],
  // SSL 2 client hello or a TLS handshake record of any 3.x version
  ['ssl', String.raw`^(.?.?\x16\x03.*\x16\x03|.?.?\x01\x03[\x01-\x03]?.*\x0b)`],
  // the ICA session start, 7F 7F and "ICA"
  ['citrix', String.raw`^\x7f\x7fica`],
  ['whois', String.raw`^[ !-~]+\x0d\x0a$|^%[ -~]*whois`],
  ['dayofdefeat-source', String.raw`^\xff\xff\xff\xff(tsource engine query|get challenge)[ -~]*(dod|day of defeat)`],
  ['teamspeak', String.raw`^\xf4\xbe\x03|^ts3init1`],
  // the logon challenge: command 0, protocol version, size, the game's name
  ['worldofwarcraft', String.raw`^.[\x02-\x08]..wow`],
  ['ventrilo', byName('ventrilo')],
  ['http-rtsp', String.raw`^(get|post) [\x09-\x0d -~]* http/1\.[01][\x09-\x0d -~]*(x-sessioncookie|application/x-rtsp-tunnelled)`],
  ['thecircle', byName('thecircle')],
  ['uucp', String.raw`^\x10s[a-z]+ -`],
  ['pcanywhere', String.raw`^(nq|st)$`],
  // the server's greeting with its protocol versions
  ['subversion', String.raw`^\( success \( [0-9] [0-9] \(`],
  ['imesh', String.raw`user-agent: ?[ -~]*imesh|host: ?([a-z0-9-]+\.)*imesh\.com`],
  ['cimd', String.raw`\x02[0-4][0-9]:[0-9]+.*\x03$`],
  ['mohaa', String.raw`^\xff\xff\xff\xff\x02getstatus`],
  // a binding request or response, message length, the magic cookie 2112A442
  ['stun', String.raw`^[\x01\x02][\x01\x02\x11\x12]..\x21\x12\xa4\x42`],
  // a TLS client hello naming the random www host a relay's client gives
  ['tor', String.raw`^\x16\x03[\x01-\x03]..\x01...\x03[\x01-\x03].*www\.[a-z0-9]{8,20}\.(com|net)`],
  ['radmin', byName('radmin')],
  ['chikka', String.raw`^ctpv[0-9]`],
  ['replaytv-ivs', String.raw`^(get /ivs-ivsgetfileschunk|get /ivs-ivsgetfilechunk)`],
  ['armagetron', byName('armagetron')],
  // requests for web pages
  ['pag', String.raw`^get /[ -~]*\.(html?|shtml|php|asp|aspx|jsp)(\?[ -~]*)? http/1\.[01]`],
  ['pic', String.raw`^get /[ -~]*\.(jpe?g|gif|png|bmp)(\?[ -~]*)? http/1\.[01]`],
  ['vie', String.raw`^get /[ -~]*\.(rm|rmvb|avi|wmv|asf|mpe?g|mov|mkv|3gp)(\?[ -~]*)? http/1\.[01]`],
  ['File', String.raw`^get /[ -~]*\.(exe|rar|zip|7z|iso|msi|cab|gz|tgz|bz2|apk|dmg|img|bin)(\?[ -~]*)? http/1\.[01]`],
  ['flv', String.raw`^get /[ -~]*\.(flv|f4v|hlv|mp4)(\?[ -~]*)? http/1\.[01]`],
  ['Tudou1', String.raw`^get /[ -~]*\.(flv|f4v|mp4)[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*(tudou|tdimg)\.com`],
  ['Youku', String.raw`^get /[ -~]*\.(flv|f4v|mp4|ts)[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*(youku|ykimg)\.com`],
  ['PPS', String.raw`^get /[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*(host: ?[a-z0-9.-]*(pps\.tv|ppstream\.com)|user-agent: ?[ -~]*ppstream)`],
  ['Ku6', String.raw`^get /[ -~]*\.(flv|f4v|mp4)[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*(ku6|ku6cdn)\.com`],
  ['Qiyi', String.raw`^get /[ -~]*\.(f4v|mp4|ts|pfv)[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*(iqiyi|qiyi|qiyipic)\.com`],
  ['QQsp', String.raw`^get /[ -~]*\.(flv|mp4|ts)[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*(video\.qq\.com|vqq\.com|gtimg\.com)`],
  ['QQMusic', String.raw`^get /[ -~]*\.(mp3|m4a|wma|flac|ape)[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*qqmusic\.qq\.com`],
  ['WebTV', String.raw`^(get|post) /[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*content-type: ?(video/x-ms-asf|application/vnd\.ms\.wms-hdr\.asfv1|video/x-flv)`],
  ['QQLive', String.raw`user-agent: ?[ -~]*qqlive|^get /[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*qqlive\.qq\.com`],
  ['PPLive', String.raw`user-agent: ?[ -~]*pplive|^get /[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*(pplive\.com|pptv\.com|synacast\.com)`],
  // a query: identifier, flags with opcode 0 and recursion desired, one question
  ['DNS', String.raw`^..[\x01\x81\x84\x85]..\x01.{6}.[0-9a-z_-]+`],
  ['live365', String.raw`membername.*session.*player|host: ?[a-z0-9.-]*live365\.com`],
  ['xunlei', String.raw`^get /[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*(xunlei\.com|sandai\.net|kankan\.com)|user-agent: ?[ -~]*(xunlei|thunder)`],
  ['Jpg', String.raw`^get /[ -~]*\.jpe?g(\?[ -~]*)? http/1\.[01]`],
  ['http', String.raw`^(get|post|head|put|delete|options) /[ -~]* http/(0\.9|1\.0|1\.1)\x0d\x0a|^http/(0\.9|1\.0|1\.1) [1-5][0-9][0-9] `],
  ['Tudou2', String.raw`host: ?[a-z0-9.-]*(tudou\.com|tudouui\.com|tdimg\.com)`],
  ['Sina', String.raw`^get /[ -~]*\.(flv|f4v|mp4|hlv)[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*(video\.sina\.com\.cn|sinaimg\.cn|sinajs\.cn)`],
  ['163sp1', String.raw`^get /[ -~]*\.(flv|mp4|m3u8)[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*(v\.163\.com|open\.163\.com)`],
  ['163sp2', String.raw`^get /[ -~]*\.(flv|mp4)[ -~]* http/1\.[01]\x0d\x0a[\x09-\x0d -~]*host: ?[a-z0-9.-]*(flv[0-9]*\.bn\.netease\.com|vimg[0-9]*\.ws\.126\.net)`],
  ['vod_f4v', String.raw`^get /[ -~]*\.f4v(\?[ -~]*)? http/1\.[01]`],
  ['vod_flv', String.raw`^get /[ -~]*\.flv(\?[ -~]*)? http/1\.[01]`],
  ['vod_mp3', String.raw`^get /[ -~]*\.mp3(\?[ -~]*)? http/1\.[01]`],
];

const PRINTABLE = /^[\x20-\x7e]$/;
const REGEX_SPECIAL = '\\^$.|?*+()[]{}-';
const CLASS_SPECIAL = '\\^]-';

// The pattern as a RouterOS quoted string spells it (without the quotes).
function routerOsQuoted(pattern) {
  const spell = (ch) => ('\\"$?'.includes(ch) ? '\\' + ch : ch);
  let out = '';
  let inClass = false;
  for (let i = 0; i < pattern.length; i++) {
    const c = pattern[i];
    if (!PRINTABLE.test(c)) throw new Error(`unprintable character in ${pattern}`);
    if (c === '\\' && /^x[0-9a-fA-F]{2}$/.test(pattern.slice(i + 1, i + 4))) {
      const hex = pattern.slice(i + 2, i + 4).toUpperCase();
      const code = parseInt(hex, 16);
      if (code === 0) throw new Error(`zero byte in a pattern: ${pattern}`);
      const ch = String.fromCharCode(code);
      i += 3;
      if (!PRINTABLE.test(ch)) {
        out += '\\' + hex;
        continue;
      }
      // A printable byte is stored as itself, so it must not be one that the
      // pattern would read as an operator.
      if ((inClass ? CLASS_SPECIAL : REGEX_SPECIAL).includes(ch)) throw new Error(`\\x${hex} would be an operator in ${pattern}`);
      out += spell(ch);
    } else if (c === '\\') {
      // The router's classes take a backslash as itself, unlike this notation.
      if (inClass) throw new Error(`backslash escape inside a class in ${pattern}`);
      if (i + 1 >= pattern.length) throw new Error(`trailing backslash in ${pattern}`);
      out += '\\\\' + spell(pattern[++i]);
    } else {
      // No pattern here opens a class with "]" itself, so the first "]" closes it.
      if (c === '[') inClass = true;
      else if (c === ']') inClass = false;
      out += spell(c);
    }
  }
  if (inClass) throw new Error(`unclosed class in ${pattern}`);
  return out;
}

function main() {
  if (CATALOGUE.length !== 127) throw new Error(`${CATALOGUE.length} entries, not 127`);
  const lines = ['/ip firewall layer7-protocol'];
  for (const [name, pattern] of CATALOGUE) lines.push(`add name=${name} regexp="${routerOsQuoted(pattern)}"`);
  const target = path.join(__dirname, '..', 'data', 'l7tools', 'catalogue.rsc');
  fs.writeFileSync(target, lines.join('\r\n'), 'latin1');
}

main();
