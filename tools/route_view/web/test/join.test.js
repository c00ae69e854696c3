// The build's join of the modules into the page's one script
// (cmake/join_modules.cmake): the page's modules join in the order of their
// imports and run as they do as modules. Syntax the join does not take, two
// modules exporting one name, a circle of imports, a missing module, and a
// text that would end the page's script element early stop it, the file
// named.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import child_process from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import vm from 'node:vm';
import url from 'node:url';

const here = path.dirname(url.fileURLToPath(import.meta.url));
const web = path.dirname(here);
const script = path.resolve(web, '../../../cmake/join_modules.cmake');
const cmake = process.env.CMAKE_COMMAND || 'cmake';
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'join-modules-'));
process.on('exit', () => fs.rmSync(work, { recursive: true, force: true }));

function join(entry, name) {
  const output = path.join(work, name);
  const r = child_process.spawnSync(
    cmake,
    [`-DENTRY=${entry}`, `-DOUTPUT=${output}`, '-P', script],
    {
      encoding: 'utf8',
    },
  );
  return {
    status: r.status,
    stderr: r.stderr,
    text: r.status === 0 ? fs.readFileSync(output, 'utf8') : '',
  };
}

function imports_of(file) {
  const text = fs.readFileSync(file, 'utf8');
  return [...text.matchAll(/from '\.\/([a-z_]+\.js)'/g)].map((m) => m[1]);
}

test('every module of the page once, after the modules it imports', () => {
  const { status, stderr, text } = join(path.join(web, 'src/main.js'), 'view.js');
  assert.equal(status, 0, stderr);
  new vm.Script(text); // parses as a classic script
  const order = [...text.matchAll(/^ {2}\/\/ ([a-z_]+\.js)$/gm)].map((m) => m[1]);
  const modules = fs.readdirSync(path.join(web, 'src')).filter((f) => f.endsWith('.js'));
  assert.deepEqual([...order].sort(), [...modules].sort());
  assert.equal(order[order.length - 1], 'main.js');
  for (const m of modules) {
    for (const dependency of imports_of(path.join(web, 'src', m))) {
      assert.ok(order.indexOf(dependency) < order.indexOf(m), `${dependency} before ${m}`);
    }
  }
});

test('joined modules compute what they compute as modules', () => {
  const { status, stderr, text } = join(path.join(here, 'join/entry.js'), 'entry.js');
  assert.equal(status, 0, stderr);
  const context = vm.createContext({});
  vm.runInContext(text, context);
  assert.deepEqual(
    { ...context.joined },
    { km: 'km 19+050', metres: '22\u2009700 m', parsed: 1500 },
  );
});

function fails(files, why) {
  const dir = fs.mkdtempSync(path.join(work, 'case-'));
  for (const [name, text] of Object.entries(files)) fs.writeFileSync(path.join(dir, name), text);
  const { status, stderr } = join(path.join(dir, 'main.js'), 'out.js');
  assert.notEqual(status, 0);
  assert.match(stderr.replace(/\s+/g, ' '), why);
}

test('what the join does not take stops the build, naming the file', () => {
  fails(
    {
      'main.js': "import { a } from './a.js';\na();\n",
      'a.js': 'export default function a() {}\n',
    },
    /a\.js: the join takes only .* not: export default function a/,
  );
  fails(
    { 'main.js': "import * as a from './a.js';\na.b();\n", 'a.js': 'export function b() {}\n' },
    /main\.js: the join takes only .* not: import \* as a/,
  );
  fails(
    {
      'main.js': "import { a } from './a.js';\nimport { b } from './b.js';\n",
      'a.js': 'export function a() {}\n',
      'b.js': 'export function b() {}\nexport const a = 1;\n',
    },
    /b\.js: `a` is exported by another module too/,
  );
  fails(
    {
      'main.js': "import { a } from './a.js';\n",
      'a.js': "import { b } from './b.js';\nexport function a() {}\n",
      'b.js': "import { a } from './a.js';\nexport function b() {}\n",
    },
    /a\.js: the modules import each other in a circle/,
  );
  fails({ 'main.js': "import { a } from './gone.js';\n" }, /gone\.js: imported but not found/);
  for (const text of ["const end = '</SCRIPT>';\n", '// <!-- a comment\n']) {
    fails(
      { 'main.js': text },
      /main\.js: the joined script holds .* ends the page's script element/,
    );
  }
});
