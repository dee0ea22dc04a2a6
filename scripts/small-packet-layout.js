#!/usr/bin/env node
// Writes the page "PCQ小包优先脚本" of the rate-limit section,
// ui/layouts/main/ratelimit-small-packet.json, whose two rate groups hold six
// rows of five combo boxes each. The layout format has no repetition, so the
// 60 combos come from the row and column tables here; the handlers name the
// same combos from their own table in generators/ratelimit/SmallPacketQos.h,
// and the page test checks that the two agree.
//
//   node scripts/small-packet-layout.js
'use strict';

const fs = require('fs');
const path = require('path');

const RATES = ['0', '64k', '128k', '256k', '384k', '512k', '768k', '1M', '2M', '3M', '4M', '5M', '10M'];
const SECONDS = ['', '1', '2', '3', '4', '5', '6', '7', '8', '9', '10'];
const PORTS = Array.from({length: 12}, (_, i) => `ether${i + 1}`);

// Row key, then its caption in the upload and in the download group.
const ROWS = [
  ['all', '总上传流量:', '总下载流量:'],
  ['1', '小包(icmp和0-512):', '小包(icmp和0-512):'],
  ['2', '中包1(513-1000):', '中包1(513-1000):'],
  ['3', '中包2(1001-1300):', '中包2(1001-1300):'],
  ['4', '大包(1301-1500):', '大包(1301-1500):'],
  ['5', '网页包(端:80/443):', '网页包(端:80/443):'],
];

// Column field, its heading, the combo's items and its default text.
const COLUMNS = [
  ['LimitAt', 'Limit At', RATES, '0'],
  ['MaxLimit', 'Max Limit', RATES, '0'],
  ['BurstLimit', 'Burst Limit', RATES, ''],
  ['BurstThreshold', 'Threshold', RATES, ''],
  ['BurstTime', 'Burst Time', SECONDS, ''],
];

const CAPTION_W = 126, COMBO_X = 136, COMBO_W = 80, COLUMN_PITCH = 84, ROW_Y = 34, ROW_PITCH = 24;

// One control a line, as in the other layouts; a group's controls below it.
const value = (v) => Array.isArray(v) ? '[' + v.map(value).join(', ') + ']' : JSON.stringify(v);
function write(c, indent) {
  const own = Object.entries(c).filter(([k]) => k !== 'controls').map(([k, v]) => `${JSON.stringify(k)}: ${value(v)}`);
  if (!c.controls) return `${indent}{${own.join(', ')}}`;
  return `${indent}{${own.join(', ')}, "controls": [\n` + c.controls.map((child) => write(child, indent + '  ')).join(',\n') +
    `\n${indent}]}`;
}

function rateGroup(name, caption, direction, captionIndex, top) {
  const controls = COLUMNS.map(([field, heading], c) =>
    ({kind: 'label', name: `标签_34${direction}${field}`, rect: [COMBO_X + c * COLUMN_PITCH, 16, COMBO_W, 16], text: heading}));
  ROWS.forEach((row, r) => {
    const y = ROW_Y + r * ROW_PITCH;
    controls.push({kind: 'label', name: `标签_34${direction}${row[0]}`, rect: [8, y + 3, CAPTION_W, 18], text: row[captionIndex]});
    COLUMNS.forEach(([field, , items, text], c) => controls.push(
      {kind: 'combo', name: `组合框_34${direction}${field}${row[0]}`, rect: [COMBO_X + c * COLUMN_PITCH, y, COMBO_W, 22], text, items}));
  });
  return {kind: 'group', name, rect: [8, top, 556, 184], text: caption, controls};
}

function page() {
  const side = [
    {kind: 'label', name: '标签_34上传带宽', rect: [572, 20, 156, 18], text: '平均上传带宽/台:'},
    {kind: 'combo', name: '组合框_34上传带宽', rect: [572, 38, 156, 24], text: '256k', items: RATES},
    {kind: 'label', name: '标签_34下载带宽', rect: [572, 68, 156, 18], text: '平均下载带宽/台:'},
    {kind: 'combo', name: '组合框_34下载带宽', rect: [572, 86, 156, 24], text: '1M', items: RATES},
    {kind: 'label', name: '标签_34上传标记名', rect: [572, 116, 76, 18], text: '上传标记名:'},
    {kind: 'label', name: '标签_34下载标记名', rect: [652, 116, 76, 18], text: '下载标记名:'},
    {kind: 'edit', name: '编辑框_34上传标记名', rect: [572, 134, 76, 22], text: 'PCQ-up'},
    {kind: 'edit', name: '编辑框_34下载标记名', rect: [652, 134, 76, 22], text: 'PCQ-down'},
    {kind: 'label', name: '标签_34外网接口', rect: [572, 162, 76, 18], text: '外网接口:'},
    {kind: 'label', name: '标签_34内网接口', rect: [652, 162, 76, 18], text: '内网接口:'},
    {kind: 'combo', name: '组合框_34外网接口', rect: [572, 180, 76, 24], text: 'ether1', items: PORTS},
    {kind: 'combo', name: '组合框_34内网接口', rect: [652, 180, 76, 24], text: 'ether2', items: PORTS},
    {kind: 'check', name: '选择框_34限制ip段', rect: [572, 214, 156, 18], text: '要限速的IP段:'},
    {kind: 'edit', name: '编辑框_34限制IP段', rect: [572, 234, 156, 22], text: ''},
    {kind: 'label', name: '标签_34限制IP段', rect: [572, 260, 156, 36], text: ['勾选表示要限制的IP段', '(格式:192.168.2.0/24)']},
    {kind: 'button', name: '按钮_34生成51', rect: [572, 306, 156, 28], text: '5.X系列脚本生成'},
    {kind: 'button', name: '按钮_34生成61', rect: [572, 340, 156, 28], text: '6.X系列脚本生成'},
  ];
  const group = {kind: 'group', name: '分组框_34小包优先', rect: [4, 2, 740, 392], text: 'PCQ小包优先脚本', controls: [
    rateGroup('分组框_34上传', '上传-upload', 'up', 1, 16),
    rateGroup('分组框_34下载', '下载-download', 'down', 2, 202),
    ...side,
  ]};
  return '{"text": "PCQ小包优先脚本", "treeitem": "HTB+PCQ小包优先脚本", "comment": "written by scripts/small-packet-layout.js; run it after changing the rows", "controls": [\n' + write(group, '  ') + '\n]}\n';
}

const out = path.join(__dirname, '..', 'ui', 'layouts', 'main', 'ratelimit-small-packet.json');
fs.writeFileSync(out, page());
console.log(`wrote ${path.relative(process.cwd(), out)}`);
