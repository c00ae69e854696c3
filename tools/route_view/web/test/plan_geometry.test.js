// The plan's scale and hit testing on a right angle: 1000 m east, then
// 1000 m north, with a coarser level that keeps only the ends and the corner.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  bounds,
  fit_plan,
  level_for,
  nearest_metre,
  plan_at,
  to_canvas,
} from '../src/plan_geometry.js';
import { decode_level } from '../src/route_model.js';

const fine = decode_level({
  tolerance_m: 0.05,
  k: [0, 500, 500, 500, 500],
  x_cm: [0, 50000, 50000, 0, 0],
  y_cm: [0, 0, 0, 50000, 50000],
});
const coarse = decode_level({
  tolerance_m: 5,
  k: [0, 1000, 1000],
  x_cm: [0, 100000, 0],
  y_cm: [0, 0, 100000],
});
const levels = [fine, coarse];

test('a metre of the line between the points, the ends beyond them', () => {
  assert.deepEqual(plan_at(fine, 250), [250, 0]);
  assert.deepEqual(plan_at(fine, 1000), [1000, 0]);
  assert.deepEqual(plan_at(fine, 1250), [1000, 250]);
  assert.deepEqual(plan_at(fine, -10), [0, 0]);
  assert.deepEqual(plan_at(fine, 5000), [1000, 1000]);
  assert.equal(plan_at(decode_level({ tolerance_m: 1, k: [], x_cm: [], y_cm: [] }), 0), null);
});

test('the box of a stretch holds its ends and the points between', () => {
  assert.deepEqual(bounds(fine, 250, 1250), { x0: 250, x1: 1000, y0: 0, y1: 250 });
  assert.deepEqual(bounds(coarse, 0, 400), { x0: 0, x1: 400, y0: 0, y1: 0 });
});

test('the coarsest level within the tolerance, else the finest', () => {
  assert.equal(level_for(levels, 5), coarse);
  assert.equal(level_for(levels, 4.99), fine);
  assert.equal(level_for(levels, 0.05), fine);
  assert.equal(level_for(levels, 0.01), fine);
});

test('the stretch in view is centred with 40 px free and equal scales', () => {
  // 0 .. 2000 m is a 1000 m square: 920 px of a 1000 x 1000 canvas.
  const v = fit_plan(levels, 0, 2000, 1000, 1000);
  assert.equal(v.scale, 0.92);
  assert.equal(v.l, fine); // 0.5 px is 0.54 m, finer than the coarse level's 5 m
  assert.deepEqual(to_canvas(v, [0, 0]), [40, 960]);
  assert.deepEqual(to_canvas(v, [1000, 1000]), [960, 40]);
  // 1000 m across 20 px: 0.5 px is 25 m, the coarse level will do.
  const far = fit_plan(levels, 0, 2000, 100, 100);
  assert.equal(far.l, coarse);
  assert.equal(far.scale, 0.02);
  // A straight stretch: its length across, centred up and down.
  const east = fit_plan(levels, 0, 500, 1000, 600);
  assert.equal(east.scale, 920 / 500);
  assert.deepEqual(to_canvas(east, [250, 0]), [500, 300]);
});

test('a point of the canvas finds the metre of the track nearest to it', () => {
  const v = fit_plan(levels, 0, 2000, 1000, 1000);
  const at = (m, dx, dy) => {
    const p = to_canvas(v, plan_at(fine, m));
    return nearest_metre(v, p[0] + dx, p[1] + dy, 0, 2000);
  };
  assert.ok(Math.abs(at(300, 0, 0) - 300) < 1e-9);
  assert.ok(Math.abs(at(1500, 0, 0) - 1500) < 1e-9);
  // Off the track by up to 40 px, and no farther.
  assert.ok(Math.abs(at(300, 0, 39.9) - 300) < 1e-9);
  assert.equal(at(300, 0, 40.1), null);
  assert.ok(Math.abs(at(1500, -39.9, 0) - 1500) < 1e-9);
  assert.equal(at(1500, 40.1, 0), null);
  // Only the stretch asked is searched.
  const p = to_canvas(v, [1000, 500]);
  assert.equal(nearest_metre(v, p[0], p[1], 0, 900), null);
});
