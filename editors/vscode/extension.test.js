// Which route_tool the extension starts: its own first, the settings' second.
'use strict';

const test = require('node:test');
const assert = require('node:assert');
const path = require('path');
const { serverCommand } = require('./extension.js');

const ext = path.join('/ext');

test('the bundled Linux server comes first', () => {
  const seen = [];
  const s = serverCommand(ext, '/opt/route_tool', 'linux', (p) => (seen.push(p), true));
  assert.deepStrictEqual(s, { command: path.join(ext, 'server', 'route_tool'), bundled: true });
  assert.deepStrictEqual(seen, [path.join(ext, 'server', 'route_tool')]);
});

test('the bundled Windows server is route_tool.exe', () => {
  const s = serverCommand(ext, '', 'win32', (p) => p.endsWith('route_tool.exe'));
  assert.strictEqual(s.command, path.join(ext, 'server', 'route_tool.exe'));
});

test('without a bundled server the configured path serves', () => {
  assert.deepStrictEqual(serverCommand(ext, 'C:\\tools\\route_tool.exe', 'win32', () => false), {
    command: 'C:\\tools\\route_tool.exe',
    bundled: false,
  });
});

test('without either, route_tool on the PATH', () => {
  assert.strictEqual(serverCommand(ext, undefined, 'linux', () => false).command, 'route_tool');
  assert.strictEqual(serverCommand(ext, '', 'linux', () => false).command, 'route_tool');
});
