// The profile's one scale: x of a metre and its inverse, the strips' tops
// and the axes' steps.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  grade_mid,
  grade_top,
  grade_y,
  profile_scale,
  rows,
  speed_top,
  speed_y,
  tick_step,
} from '../src/profile_scale.js';
import { small_model } from './fixture.js';

test('the stretch in view fills the panel between its margins', () => {
  const s = profile_scale(20000, 25000, 1086);
  assert.equal(s.inner, 1086 - rows.left - rows.right);
  assert.equal(s.x(20000), rows.left);
  assert.equal(s.x(25000), 1086 - rows.right);
  assert.equal(s.x(22500), rows.left + 500);
  // 5 m a pixel: a 50 m cell is 10 px wide, a drag of 100 px 500 m.
  assert.equal(s.x(20050) - s.x(20000), 10);
  assert.equal(s.metres_of(100), 500);
  assert.equal(s.metres_of(-3), -15);
});

test('x and m are each other inverse over generated stretches', () => {
  let seed = 7547;
  const next = () => (seed = (seed * 48271) % 2147483647) / 2147483647;
  for (let i = 0; i < 200; i++) {
    const from = next() * 1e6;
    const to = from + 100 + next() * 1e5;
    const s = profile_scale(from, to, 200 + next() * 2000);
    const m = from + next() * (to - from);
    assert.ok(Math.abs(s.m(s.x(m)) - m) < 1e-6, `${from} ${to} ${m}`);
  }
});

test('the speed strip reaches 20 km/h above the highest limit on the line', () => {
  assert.equal(speed_top(small_model()), 160); // 130 + 20, up to a multiple of 20
  const at = (v) => small_model({ speed: [[0, 39, v, 0]] });
  assert.equal(speed_top(at(0)), 50);
  assert.equal(speed_top(at(30)), 60);
  assert.equal(speed_top(at(40)), 60);
  assert.equal(speed_top(at(41)), 80);
  // A run that starts past the line's end (1800 m: cell 36) does not count.
  const past = [
    [0, 35, 60, 0],
    [36, 39, 200, 1],
  ];
  assert.equal(speed_top(small_model({ speed: past })), 80);
  past[1][0] = 35;
  assert.equal(speed_top(small_model({ speed: past })), 220);
});

test('the gradient strip reaches the steepest gradient on the line', () => {
  // 50 per mille starts in cell 36, at the line's end: 35 counts, up to 40.
  assert.equal(grade_top(small_model()), 40);
  const at = (v) => small_model({ gradient: [[0, 39, v, 0]] });
  assert.equal(grade_top(at(0)), 10);
  assert.equal(grade_top(at(-10)), 10);
  assert.equal(grade_top(at(11)), 20);
  assert.equal(grade_top(at(20)), 20);
  assert.equal(grade_top(at(-21)), 40);
});

test('speeds and gradients stay within their strips', () => {
  assert.equal(speed_y(0, 160), rows.speed_bottom);
  assert.equal(speed_y(160, 160), rows.speed_top);
  assert.equal(speed_y(200, 160), rows.speed_top);
  assert.equal(speed_y(-5, 160), rows.speed_bottom);
  assert.equal(speed_y(80, 160), (rows.speed_top + rows.speed_bottom) / 2);
  assert.equal(grade_y(0, 20), grade_mid);
  assert.equal(grade_y(20, 20), rows.grade_top);
  assert.equal(grade_y(-20, 20), rows.grade_bottom);
  assert.equal(grade_y(35, 20), rows.grade_top);
  assert.equal(grade_y(-35, 20), rows.grade_bottom);
});

test('tick_step: the smallest step that leaves the pixels asked', () => {
  // 1000 px over 10 km: 100 m = 10 px, 1000 m = 100 px.
  assert.equal(tick_step(10000, 1000, 90), 1000);
  assert.equal(tick_step(10000, 1000, 100), 1000);
  assert.equal(tick_step(10000, 1000, 100.1), 2000);
  assert.equal(tick_step(10000, 1000, 5), 50);
  assert.equal(tick_step(1e9, 1000, 90), 500000);
});
