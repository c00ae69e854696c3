// The search's answers and their order; each carries the metre to show and
// the cell route_tool gave the thing found.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { find } from '../src/search.js';
import { small_model } from './fixture.js';

test('a station is found by part of its name, with its own cell', () => {
  const found = find(small_model(), 'stefano');
  assert.equal(found.length, 1);
  assert.equal(found[0].label, 'Grotte S. Stefano');
  assert.equal(found[0].where, 'station, 320 m, km 24+680');
  assert.equal(found[0].m, 320);
  // The cell is the data's (R(320 / 50) = 6), not worked out here.
  assert.equal(found[0].cell, 6);
  const moved = small_model();
  moved.data.stations[0].cell = 7;
  assert.equal(find(moved, 'stefano')[0].cell, 7);
});

test('a km figure first, then whole matches, then starts, then the rest', () => {
  const model = small_model({
    stations: [
      { name: 'Porta 24', axis_m: 10, start_m: 0, end_m: 20, cell: 0 },
      { name: '24', axis_m: 20, start_m: 0, end_m: 40, cell: 0 },
      { name: '24 Nord', axis_m: 30, start_m: 0, end_m: 60, cell: 1 },
    ],
    indication_boards: [[40, 1, 2, 'km 24', 7]],
    speed_boards: [],
  });
  const found = find(model, '24');
  // 24 km is beyond the model's 2000 m: no position among the answers.
  assert.deepEqual(
    found.map((f) => f.label),
    ['24', '24 Nord', 'Porta 24', 'km 24'],
  );
  const [at] = find(model, '1.5');
  assert.equal(at.label, '1\u2009500 m from origin');
  assert.equal(at.where, 'km 7+500, cell 30');
  assert.equal(find(model, '2')[0].label, '2\u2009000 m from origin');
  assert.equal(find(model, '2.001').length, 0);
});

test('a progressive typed is answered in km; boards by their texts', () => {
  const model = small_model();
  const [km] = find(model, '24+500');
  assert.equal(km.label, 'km 24+500');
  assert.equal(km.where, 'km 24+500, cell 10');
  assert.equal(km.m, 500);
  const board = find(model, 'p.l.a.');
  assert.equal(board.length, 1);
  assert.equal(board[0].cell, 15);
  assert.equal(find(model, '60/70')[0].label, 'speed board 60/70/80');
  assert.deepEqual(find(model, '   '), []);
  assert.deepEqual(find(model, 'nowhere'), []);
});
