// The page's linter and formatter over its modules, its tests and this
// folder's configuration: fails when either reports anything.
//
//   node lint.mjs
//
// Exit status 77 (skipped) when `npm ci` has not been run in this folder,
// unless VO_REQUIRE_ALL_TESTS is set: then 1.
import child_process from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import url from 'node:url';

const here = path.dirname(url.fileURLToPath(import.meta.url));
const require_all = ['1', 'ON', 'on', 'true', 'TRUE'].includes(
  process.env.VO_REQUIRE_ALL_TESTS || '',
);
const tools = {
  eslint: ['node_modules/eslint/bin/eslint.js', '--max-warnings', '0', '.'],
  prettier: ['node_modules/prettier/bin/prettier.cjs', '--check', '.'],
};

let failed = false;
for (const [name, [bin, ...args]] of Object.entries(tools)) {
  if (!fs.existsSync(path.join(here, bin))) {
    console.log(`route view lint: ${name} not installed (npm ci in tools/route_view/web)`);
    process.exit(require_all ? 1 : 77);
  }
  const r = child_process.spawnSync(process.execPath, [bin, ...args], {
    cwd: here,
    stdio: 'inherit',
  });
  if (r.status !== 0) {
    console.log(`route view lint: ${name} reported the above`);
    failed = true;
  }
}
process.exit(failed ? 1 : 0);
