#!/usr/bin/env node
// Draws the two pictures of the IPv6 tunnel window and writes them as PNG:
//   data/ipv6/tunnel-details.png  (640 x 570) a sketch of a tunnel broker's
//       tunnel-details page with the values of steps 1 to 4 marked, and the
//       tunnel ID marked as the update script's;
//   data/ipv6/broker-logo.png     (421 x 105) a name plate for page 1.
// Everything is drawn here, with a 5 x 7 pixel font of our own, so the
// output is the same on every machine. Usage: node scripts/ipv6-pictures.js
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

// ---------------------------------------------------------------- font
// Each glyph: seven rows of five columns, '#' for ink.
const FONT = {
  'A': ['.###.', '#...#', '#...#', '#####', '#...#', '#...#', '#...#'],
  'B': ['####.', '#...#', '#...#', '####.', '#...#', '#...#', '####.'],
  'C': ['.###.', '#...#', '#....', '#....', '#....', '#...#', '.###.'],
  'D': ['####.', '#...#', '#...#', '#...#', '#...#', '#...#', '####.'],
  'E': ['#####', '#....', '#....', '####.', '#....', '#....', '#####'],
  'F': ['#####', '#....', '#....', '####.', '#....', '#....', '#....'],
  'G': ['.###.', '#...#', '#....', '#.###', '#...#', '#...#', '.####'],
  'H': ['#...#', '#...#', '#...#', '#####', '#...#', '#...#', '#...#'],
  'I': ['.###.', '..#..', '..#..', '..#..', '..#..', '..#..', '.###.'],
  'J': ['..###', '...#.', '...#.', '...#.', '...#.', '#..#.', '.##..'],
  'K': ['#...#', '#..#.', '#.#..', '##...', '#.#..', '#..#.', '#...#'],
  'L': ['#....', '#....', '#....', '#....', '#....', '#....', '#####'],
  'M': ['#...#', '##.##', '#.#.#', '#.#.#', '#...#', '#...#', '#...#'],
  'N': ['#...#', '#...#', '##..#', '#.#.#', '#..##', '#...#', '#...#'],
  'O': ['.###.', '#...#', '#...#', '#...#', '#...#', '#...#', '.###.'],
  'P': ['####.', '#...#', '#...#', '####.', '#....', '#....', '#....'],
  'Q': ['.###.', '#...#', '#...#', '#...#', '#.#.#', '#..#.', '.##.#'],
  'R': ['####.', '#...#', '#...#', '####.', '#.#..', '#..#.', '#...#'],
  'S': ['.####', '#....', '#....', '.###.', '....#', '....#', '####.'],
  'T': ['#####', '..#..', '..#..', '..#..', '..#..', '..#..', '..#..'],
  'U': ['#...#', '#...#', '#...#', '#...#', '#...#', '#...#', '.###.'],
  'V': ['#...#', '#...#', '#...#', '#...#', '#...#', '.#.#.', '..#..'],
  'W': ['#...#', '#...#', '#...#', '#.#.#', '#.#.#', '#.#.#', '.#.#.'],
  'X': ['#...#', '#...#', '.#.#.', '..#..', '.#.#.', '#...#', '#...#'],
  'Y': ['#...#', '#...#', '.#.#.', '..#..', '..#..', '..#..', '..#..'],
  'Z': ['#####', '....#', '...#.', '..#..', '.#...', '#....', '#####'],
  '0': ['.###.', '#...#', '#..##', '#.#.#', '##..#', '#...#', '.###.'],
  '1': ['..#..', '.##..', '..#..', '..#..', '..#..', '..#..', '.###.'],
  '2': ['.###.', '#...#', '....#', '...#.', '..#..', '.#...', '#####'],
  '3': ['####.', '....#', '....#', '.###.', '....#', '....#', '####.'],
  '4': ['...#.', '..##.', '.#.#.', '#..#.', '#####', '...#.', '...#.'],
  '5': ['#####', '#....', '####.', '....#', '....#', '#...#', '.###.'],
  '6': ['..##.', '.#...', '#....', '####.', '#...#', '#...#', '.###.'],
  '7': ['#####', '....#', '...#.', '..#..', '.#...', '.#...', '.#...'],
  '8': ['.###.', '#...#', '#...#', '.###.', '#...#', '#...#', '.###.'],
  '9': ['.###.', '#...#', '#...#', '.####', '....#', '...#.', '.##..'],
  ' ': ['.....', '.....', '.....', '.....', '.....', '.....', '.....'],
  ':': ['.....', '..#..', '..#..', '.....', '..#..', '..#..', '.....'],
  '.': ['.....', '.....', '.....', '.....', '.....', '.##..', '.##..'],
  ',': ['.....', '.....', '.....', '.....', '.##..', '..#..', '.#...'],
  '/': ['.....', '....#', '...#.', '..#..', '.#...', '#....', '.....'],
  '-': ['.....', '.....', '.....', '#####', '.....', '.....', '.....'],
  '>': ['.#...', '..#..', '...#.', '....#', '...#.', '..#..', '.#...'],
  '(': ['...#.', '..#..', '.#...', '.#...', '.#...', '..#..', '...#.'],
  ')': ['.#...', '..#..', '...#.', '...#.', '...#.', '..#..', '.#...'],
  '=': ['.....', '.....', '#####', '.....', '#####', '.....', '.....'],
};

// ---------------------------------------------------------------- canvas
function canvas(width, height, rgb) {
  const px = Buffer.alloc(width * height * 3);
  for (let i = 0; i < width * height; ++i) px.set(rgb, i * 3);
  return { width, height, px };
}

function fill(c, x, y, w, h, rgb) {
  for (let j = Math.max(0, y); j < Math.min(c.height, y + h); ++j)
    for (let i = Math.max(0, x); i < Math.min(c.width, x + w); ++i) c.px.set(rgb, (j * c.width + i) * 3);
}

function frame(c, x, y, w, h, t, rgb) {
  fill(c, x, y, w, t, rgb);
  fill(c, x, y + h - t, w, t, rgb);
  fill(c, x, y, t, h, rgb);
  fill(c, x + w - t, y, t, h, rgb);
}

function disc(c, cx, cy, r, rgb) {
  for (let j = -r; j <= r; ++j)
    for (let i = -r; i <= r; ++i)
      if (i * i + j * j <= r * r) fill(c, cx + i, cy + j, 1, 1, rgb);
}

function textWidth(s, scale) { return s.length * 6 * scale - scale; }

function text(c, x, y, s, scale, rgb) {
  for (const ch of s) {
    const glyph = FONT[ch];
    if (!glyph) throw new Error('no glyph for ' + JSON.stringify(ch));
    glyph.forEach((row, j) => {
      for (let i = 0; i < 5; ++i) if (row[i] === '#') fill(c, x + i * scale, y + j * scale, scale, scale, rgb);
    });
    x += 6 * scale;
  }
}

// A numbered red marker, centred on (cx, cy).
function marker(c, cx, cy, n) {
  disc(c, cx, cy, 11, RED);
  text(c, cx - 4, cy - 7, String(n), 2, WHITE);
}

// ---------------------------------------------------------------- PNG
const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
  let v = n;
  for (let k = 0; k < 8; ++k) v = v & 1 ? 0xedb88320 ^ (v >>> 1) : v >>> 1;
  return v >>> 0;
});

function crc32(buf) {
  let v = 0xffffffff;
  for (const b of buf) v = CRC_TABLE[(v ^ b) & 0xff] ^ (v >>> 8);
  return (v ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(data.length, 0);
  head.write(type, 4, 'ascii');
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])), 0);
  return Buffer.concat([head, data, crc]);
}

function png(c) {
  const ihdr = Buffer.alloc(13);
  ihdr.writeUInt32BE(c.width, 0);
  ihdr.writeUInt32BE(c.height, 4);
  ihdr[8] = 8;   // bits per sample
  ihdr[9] = 2;   // RGB
  const raw = Buffer.alloc((c.width * 3 + 1) * c.height);
  for (let j = 0; j < c.height; ++j)
    c.px.copy(raw, j * (c.width * 3 + 1) + 1, j * c.width * 3, (j + 1) * c.width * 3);
  return Buffer.concat([
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk('IHDR', ihdr),
    chunk('IDAT', zlib.deflateSync(raw, { level: 9 })),
    chunk('IEND', Buffer.alloc(0)),
  ]);
}

// ---------------------------------------------------------------- pictures
const WHITE = [255, 255, 255], INK = [40, 40, 40], GREY = [120, 120, 120], RULE = [200, 200, 200];
const NAVY = [22, 48, 96], PAPER = [246, 246, 242], RED = [204, 32, 32], TEAL = [0, 110, 120];

function tunnelDetails() {
  const c = canvas(640, 570, PAPER);
  frame(c, 0, 0, 640, 570, 1, GREY);
  fill(c, 1, 1, 638, 44, NAVY);
  text(c, 16, 12, 'TUNNEL DETAILS', 3, WHITE);

  let y = 62;
  const row = (label, value, step) => {
    text(c, 24, y, label, 2, GREY);
    const vx = 24, vy = y + 20, w = textWidth(value, 2);
    text(c, vx, vy, value, 2, INK);
    if (step) {
      frame(c, vx - 5, vy - 5, w + 10, 24, 2, RED);
      marker(c, vx + w + 24, vy + 7, step);
    }
    y += 47;
  };
  const section = (title) => {
    fill(c, 16, y, 608, 2, RULE);
    text(c, 16, y + 10, title, 2, TEAL);
    y += 36;
  };

  row('TUNNEL ID:', '123456', 0);
  frame(c, 19, y - 32, textWidth('123456', 2) + 10, 24, 2, TEAL);
  text(c, 120, y - 27, '> USED BY THE UPDATE SCRIPT', 2, TEAL);
  section('IPV6 TUNNEL ENDPOINTS');
  row('SERVER IPV4 ADDRESS:', '198.51.100.1', 1);
  row('SERVER IPV6 ADDRESS:', '2001:DB8:A::1/64', 2);
  row('CLIENT IPV4 ADDRESS:', '203.0.113.10', 1);
  row('CLIENT IPV6 ADDRESS:', '2001:DB8:A::2/64', 3);
  section('ROUTED IPV6 PREFIXES');
  row('ROUTED /64:', '2001:DB8:B::/64', 4);

  fill(c, 16, y, 608, 2, RULE);
  y += 14;
  const legend = ['STEP 1: THE TWO IPV4 ADDRESSES', 'STEP 2: SERVER IPV6, WITHOUT /64',
                  'STEP 3: CLIENT IPV6, WITH /64', 'STEP 4: THE ROUTED /64 FOR THE LAN'];
  legend.forEach((line, i) => {
    marker(c, 34, y + 8, i + 1);
    text(c, 56, y + 1, line.slice(8), 2, INK);
    y += 26;
  });
  if (y > 570) throw new Error('the details picture overflows: ' + y);
  return c;
}

function brokerPlate() {
  const c = canvas(421, 105, NAVY);
  frame(c, 4, 4, 413, 97, 2, WHITE);
  const top = 'HURRICANE ELECTRIC', bottom = 'IPV6 TUNNEL BROKER';
  text(c, Math.floor((421 - textWidth(top, 3)) / 2), 22, top, 3, WHITE);
  fill(c, 40, 54, 341, 2, [120, 160, 220]);
  text(c, Math.floor((421 - textWidth(bottom, 2)) / 2), 66, bottom, 2, [200, 220, 255]);
  return c;
}

const out = path.join(__dirname, '..', 'data', 'ipv6');
fs.writeFileSync(path.join(out, 'tunnel-details.png'), png(tunnelDetails()));
fs.writeFileSync(path.join(out, 'broker-logo.png'), png(brokerPlate()));
