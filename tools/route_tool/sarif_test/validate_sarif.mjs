// route_tool check --format sarif, validated against the SARIF 2.1.0 JSON
// schema (rtm.5, as published in @microsoft/jest-sarif) with ajv, on the
// example scenario clean and with faults that bring notes and fixes; then
// what the schema cannot see: each result's rule, its place and its fix's
// text.
// Usage: node validate_sarif.mjs ROUTE_TOOL EXAMPLES_DIR
// Exit 77 (skipped) without `npm ci` here, unless VO_REQUIRE_ALL_TESTS is set.
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import assert from 'node:assert/strict';

const require = createRequire(import.meta.url);
const [route_tool, examples] = process.argv.slice(2);
const require_all = ['1', 'ON', 'on', 'true', 'TRUE'].includes(process.env.VO_REQUIRE_ALL_TESTS || '');

let Ajv, schema, draft04;
try {
  Ajv = require('ajv');
  schema = require('@microsoft/jest-sarif/lib/schemas/sarif-2.1.0-rtm.5.json');
  draft04 = require('ajv/lib/refs/json-schema-draft-04.json');
} catch (e) {
  console.log(`SARIF schema or ajv not installed (npm ci in ${path.dirname(process.argv[1])}): ${e.message}`);
  process.exit(require_all ? 1 : 77);
}
const ajv = new Ajv({ schemaId: 'id', allErrors: true, logger: false });
ajv.addMetaSchema(draft04);
const validate = ajv.compile(schema);

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'sarif_test_'));
const line_text = fs.readFileSync(path.join(examples, 'Esempio_linea.txt'), 'latin1');
const service_text = fs.readFileSync(path.join(examples, 'Esempio_1234-.txt'), 'latin1');

function sarif_of(name, line, service) {
  const dir = path.join(work, name);
  fs.mkdirSync(dir);
  fs.writeFileSync(path.join(dir, 'Esempio_linea.txt'), line, 'latin1');
  fs.writeFileSync(path.join(dir, 'Esempio_1234-.txt'), service, 'latin1');
  let out;
  try {
    out = execFileSync(route_tool, ['check', '--line', 'Esempio_linea.txt', '--service', 'Esempio_1234-.txt',
      '--route', 'Esempio', '--train', '1234', '--format', 'sarif'], { cwd: dir, encoding: 'utf8' });
  } catch (e) {
    out = e.stdout; // exit status 1: errors found
  }
  const log = JSON.parse(out);
  if (!validate(log)) {
    console.log(`${name}: not valid SARIF 2.1.0:\n${JSON.stringify(validate.errors, null, 1)}`);
    process.exit(1);
  }
  console.log(`${name}: valid SARIF 2.1.0, ${log.runs[0].results.length} results`);
  return log;
}

function checks() {
  const clean = sarif_of('clean', line_text, service_text);
  const run = clean.runs[0];
  assert.equal(run.results.length, 0);
  assert.ok(run.tool.driver.rules.length > 60, 'every diagnostic of the table is a rule');
  const ids = run.tool.driver.rules.map((r) => r.id);
  assert.equal(new Set(ids).size, ids.length, 'rule ids are unique');

  // A typo (a quick fix), a signal in a taken cell (an error with a note),
  // and no "[fine]" (a diagnostic of the whole file).
  const service = service_text
    .replace('stazione,    7500', 'stazone,    7500')
    .replace('segnale,    8200', 'segnale,    1000')
    .replace('[fine]\r\n', '');
  const faulty = sarif_of('faulty', line_text, service).runs[0];
  const rules = faulty.tool.driver.rules;
  for (const r of faulty.results) {
    assert.equal(rules[r.ruleIndex].id, r.ruleId, `ruleIndex of ${r.ruleId}`);
    assert.equal(r.level, rules[r.ruleIndex].defaultConfiguration.level);
    const loc = r.locations[0].physicalLocation;
    assert.equal(faulty.artifacts[loc.artifactLocation.index].location.uri, loc.artifactLocation.uri);
  }
  const typo = faulty.results.find((r) => r.ruleId === 'unknown-keyword');
  assert.ok(typo, 'the typo is reported');
  assert.equal(typo.locations[0].physicalLocation.artifactLocation.uri, 'Esempio_1234-.txt');
  assert.deepEqual(typo.locations[0].physicalLocation.region, { startLine: 14, startColumn: 1, endColumn: 8 });
  const fix = typo.fixes[0].artifactChanges[0].replacements[0];
  assert.deepEqual(fix.deletedRegion, { startLine: 14, startColumn: 1, endColumn: 8 });
  assert.equal(fix.insertedContent.text, 'stazione');
  const taken = faulty.results.find((r) => r.ruleId === 'signal-cell-taken');
  assert.ok(taken && taken.relatedLocations.length > 0, 'the taken cell has a note at the record holding it');
  assert.ok(taken.relatedLocations[0].physicalLocation.region.startLine > 0);
  assert.ok(faulty.results.some((r) => r.ruleId === 'missing-fine'), 'the missing "[fine]" is reported');
  console.log('SARIF results carry their rules, places, notes and fixes');
}

try {
  checks();
} finally {
  fs.rmSync(work, { recursive: true, force: true });
}
