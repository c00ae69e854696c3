// The stretch in view as the range boxes, the zoom and the pan ask for it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { centred, clamp_range, zoomed } from '../src/view_range.js';

test('a stretch is at least two cells, at most the model, within it', () => {
  assert.deepEqual(clamp_range(20000, 25000, 100, 67000), [20000, 25000]);
  // Too narrow: widened about its middle.
  assert.deepEqual(clamp_range(1000, 1040, 100, 67000), [970, 1070]);
  assert.deepEqual(clamp_range(1000, 1100, 100, 67000), [1000, 1100]);
  // Past either end: moved inside, the width kept.
  assert.deepEqual(clamp_range(-500, 500, 100, 67000), [0, 1000]);
  assert.deepEqual(clamp_range(66500, 67500, 100, 67000), [66000, 67000]);
  // Wider than the model: the whole model.
  assert.deepEqual(clamp_range(-1e6, 1e6, 100, 67000), [0, 67000]);
  assert.deepEqual(clamp_range(20, 10, 100, 67000), [0, 100]);
});

test('zooming keeps the metre it is about in its place', () => {
  assert.deepEqual(zoomed(1000, 2000, 0.8, 1250), [1050, 1850]);
  assert.deepEqual(zoomed(1000, 2000, 1.25), [875, 2125]);
  const [a, b] = zoomed(1000, 2000, 0.8, 1250);
  assert.equal((1250 - a) / (b - a), (1250 - 1000) / 1000);
});

test('centring keeps the width unless given one, never wider than the model', () => {
  assert.deepEqual(centred(5000, undefined, 1000, 2000, 67000), [4500, 5500]);
  assert.deepEqual(centred(5000, 4000, 1000, 2000, 67000), [3000, 7000]);
  assert.deepEqual(centred(5000, 1e6, 1000, 2000, 67000), [-28500, 38500]);
});
