// Every module of the page links as an ES module: each name imported is
// exported by the module named (the join would not see a name missing).
// None touches the page when loaded; only main.js starts it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import url from 'node:url';

const src = path.join(path.dirname(path.dirname(url.fileURLToPath(import.meta.url))), 'src');

test('every module but main.js loads without a page', async () => {
  const modules = fs.readdirSync(src).filter((f) => f.endsWith('.js') && f !== 'main.js');
  assert.ok(modules.length >= 10);
  for (const m of modules) {
    const exports = await import(url.pathToFileURL(path.join(src, m)).href);
    assert.ok(Object.keys(exports).length > 0, m);
  }
});
