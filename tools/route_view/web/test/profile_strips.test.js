// The profile's strips drawn on a recording canvas: every stretch spans its
// metres in the one scale (profile_scale.js), a 50 m stretch is 50 m wide
// at both ends of the line, and the run stays under the limit.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { open_model } from '../src/route_model.js';
import { grade_mid, profile_scale, rows, speed_y, grade_y } from '../src/profile_scale.js';
import { draw_bands, draw_gradient_strip, draw_speed_strip } from '../src/profile_strips.js';
import { draw_run_speed } from '../src/run_overlay.js';
import { small_data } from './fixture.js';

// A canvas context that keeps the rectangles filled and the path stroked.
function recorder() {
  const g = { rects: [], strokes: [], path: [] };
  Object.assign(g, {
    fillRect: (x, y, w, h) => g.rects.push({ x, y, w, h, fill: g.fillStyle }),
    beginPath: () => (g.path = []),
    moveTo: (x, y) => g.path.push([x, y]),
    lineTo: (x, y) => g.path.push([x, y]),
    stroke: () => g.strokes.push({ colour: g.strokeStyle, path: g.path }),
    fillText: () => {},
    measureText: () => ({ width: 0 }),
  });
  return g;
}

// 2000 m, 40 cells; a 50 m stretch of each kind in the first and last cell.
function both_ends() {
  return open_model(
    small_data({
      line_length_m: 2000,
      colours: { speed: '#1565c0', run: '#d81b60', uphill: 'up', downhill: 'down' },
      speed: [
        [0, 0, 60, -1],
        [1, 38, 100, -1],
        [39, 39, 40, -1],
      ],
      gradient: [
        [0, 0, 12, -1],
        [1, 38, 0, -1],
        [39, 39, -7, -1],
      ],
      tunnels: [
        [0, 50, 1, -1],
        [1950, 2000, 2, -1],
      ],
      curves: [
        [0, 50, 300, 1, -1],
        [1950, 2000, 400, -1, -1],
      ],
      slowdowns: [
        [0, 50, 0, 1, 30, -1],
        [1950, 2000, 39, 39, 20, -1],
      ],
      coded_zone: null,
    }),
  );
}

function frame(model, from, to, width) {
  const scale = profile_scale(from, to, width);
  return {
    g: recorder(),
    w: width,
    h: 540,
    model,
    state: { from, to },
    scale,
    x_of: scale.x,
    vy: (v) => speed_y(v, 120),
    gy: (v) => grade_y(v, 20),
    a_cell: 0,
    b_cell: 40,
  };
}

const near = (a, b) => Math.abs(a - b) < 1e-9;

test('gradient bars, tunnels, curves and slowdowns span their metres at both ends', () => {
  // 1000 px inside the margins: 0.5 px a metre, a 50 m cell 25 px.
  const width = 1000 + rows.left + rows.right;
  const f = frame(both_ends(), 0, 2000, width);
  const x = (m) => rows.left + m / 2;
  draw_gradient_strip(f);
  const bars = f.g.rects;
  assert.equal(bars.length, 2);
  assert.ok(near(bars[0].x, x(0)) && near(bars[0].w, 25), JSON.stringify(bars[0]));
  assert.ok(near(bars[1].x, x(1950)) && near(bars[1].w, 25), JSON.stringify(bars[1]));
  assert.ok(near(bars[0].y + bars[0].h, grade_mid)); // uphill up to the middle line
  assert.ok(near(bars[1].y, grade_mid)); // downhill down from it
  assert.equal(bars[0].fill, 'up');

  f.g.rects = [];
  draw_bands(f);
  const tunnels = f.g.rects.filter((r) => r.y === rows.bands_top);
  const curves = f.g.rects.filter((r) => r.y !== rows.bands_top);
  assert.deepEqual(
    tunnels.map((r) => [r.x, r.w]),
    [
      [x(0), 25],
      [x(1950), 25],
    ],
  );
  assert.deepEqual(
    curves.map((r) => [r.x, r.w, r.y]),
    [
      [x(0), 25, rows.curves_top],
      [x(1950), 25, rows.curves_top + 6],
    ],
  );

  f.g.rects = [];
  draw_speed_strip(f);
  const shades = f.g.rects;
  assert.deepEqual(
    shades.map((r) => [r.x, r.w]),
    [
      [x(0), 25],
      [x(1950), 25],
    ],
  );
  // The limit: a step per run, from its first metre to the metre after its last.
  const limit = f.g.strokes.find((s) => s.colour === '#1565c0').path;
  assert.deepEqual(
    limit.map((p) => p[0]),
    [x(0), x(50), x(50), x(1950), x(1950), x(2000)],
  );
});

test('the run stays under the limit it is drawn against', () => {
  const model = both_ends();
  const at_m = [];
  const speed_kmh = [];
  const limit = (m) => (m < 50 ? 60 : m < 1950 ? 100 : 40);
  for (let m = 0; m <= 2000; m += 10) {
    at_m.push(m);
    speed_kmh.push(Math.min(limit(m), limit(m + 10), Math.sqrt(m) * 4));
  }
  model.data.run = { reason: null, points: { at_m, speed_kmh, time_s: at_m, limit_kmh: [] } };
  for (const [from, to, width] of [
    [0, 2000, 1086],
    [0, 2000, 300],
    [1900, 2000, 1086],
  ]) {
    const f = frame(model, from, to, width);
    draw_run_speed(f);
    const path = f.g.strokes[0].path;
    assert.ok(path.length > 1);
    for (const [px, py] of path) {
      const m = f.scale.m(px);
      // The limit in force within half a pixel either side, the highest y.
      const half = f.scale.metres_of(0.5);
      const lowest = Math.min(limit(m - half), limit(m + half), limit(m));
      assert.ok(py >= f.vy(lowest) - 1e-9, `${from}-${to}@${width}: ${m} m at ${py}`);
    }
  }
});
