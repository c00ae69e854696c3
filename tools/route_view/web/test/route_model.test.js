// The model as the page reads it: plan levels decoded, cells and metres,
// the kilometric series both ways, runs found by cell.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  cell_start_m,
  cell_under,
  chainage_at,
  decode_level,
  position_of_chainage,
  profile_at,
  record_place,
} from '../src/route_model.js';
import { items_in, lower_bound, run_at, runs_in } from '../src/sorted.js';
import { small_model } from './fixture.js';

test('plan levels: whole centimetres as differences become metres', () => {
  const l = decode_level({
    tolerance_m: 0.5,
    k: [0, 10, 15],
    x_cm: [100, -50, 1],
    y_cm: [-3, 3, 0],
  });
  assert.equal(l.n, 3);
  assert.equal(l.tolerance, 0.5);
  assert.deepEqual([...l.k], [0, 10, 25]);
  assert.deepEqual([...l.x], [1, 0.5, 0.51]);
  assert.deepEqual([...l.y], [-0.03, 0, 0]);
});

test('the model reaches past the line to its last cell', () => {
  const model = small_model();
  assert.equal(model.line_end, 1800);
  assert.equal(model.model_end, 2000);
  assert.equal(model.min_span, 100);
  assert.equal(small_model({ cells: 0, line_length_m: 0 }).model_end, 50);
});

test('a cell is drawn from i x 50 m; the pointer finds the cell drawn under it', () => {
  const model = small_model();
  assert.equal(cell_start_m(model, 0), 0);
  assert.equal(cell_start_m(model, 455), 22750);
  for (const [m, i] of [
    [0, 0],
    [49.999, 0],
    [50, 1],
    [22749.9, 454],
    [22750, 455],
    [22799.9, 455],
    [-0.1, -1],
  ]) {
    assert.equal(cell_under(model, m), i, `${m} m`);
  }
  for (let i = 0; i < 100; i++) assert.equal(cell_under(model, cell_start_m(model, i)), i);
});

test('the progressive and its position agree, series by series', () => {
  const model = small_model();
  assert.equal(chainage_at(model, 0), 25000);
  assert.equal(chainage_at(model, 999.6), 24000);
  assert.equal(chainage_at(model, 1000), 8000);
  assert.equal(chainage_at(model, 1800), 7200);
  for (let m = 0; m <= 1800; m += 25) {
    assert.equal(position_of_chainage(model, chainage_at(model, m)), m, `${m} m`);
  }
  assert.equal(chainage_at(small_model({ chainage: [] }), 10), null);
});

test('runs and objects are found by cell and by metre at their ends', () => {
  const runs = small_model().data.speed;
  assert.equal(run_at(runs, 0)[2], 100);
  assert.equal(run_at(runs, 9)[2], 100);
  assert.equal(run_at(runs, 10)[2], 60);
  assert.equal(run_at(runs, 39)[2], 130);
  assert.equal(run_at(runs, 40), null);
  assert.equal(run_at([[5, 6, 1, 0]], 4), null);
  const seen = [];
  runs_in(runs, 9, 10, (r) => seen.push(r[2]));
  assert.deepEqual(seen, [100, 60]);
  const at = [];
  items_in(
    [[10], [20], [20], [30]],
    (o) => o[0],
    20,
    29,
    (o, j) => at.push(j),
  );
  assert.deepEqual(at, [1, 2]);
  assert.equal(
    lower_bound(0, () => 0, 5),
    0,
  );
});

test("a cell's profile: its runs and the curves that touch it", () => {
  const model = small_model();
  const p = profile_at(model, 2); // 100 .. 150 m
  assert.equal(p.speed[2], 100);
  assert.equal(p.gradient[2], 0);
  assert.equal(p.adhesion, null);
  assert.equal(p.curves.length, 1);
  assert.equal(profile_at(model, 5).curves.length, 1); // 250 .. 300 m
  assert.equal(profile_at(model, 6).curves.length, 0); // 300 .. 350 m
  assert.equal(profile_at(model, 1).curves.length, 0); // 50 .. 100 m
  assert.equal(record_place(model, model.data.records[0]), 'service.txt:10:1');
});
