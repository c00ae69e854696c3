// The fastest run and the sheet beside the profile, without a page: the
// point and section under a metre, the words under the panels, the times
// the time strip shows and its scale.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { rows, time_scale } from '../src/profile_scale.js';
import {
  clock_text,
  margin_text,
  run_hover_text,
  run_point_at,
  run_section_at,
  points_in_view,
  times_in_view,
  trace_run,
} from '../src/run_overlay.js';
import {
  disagreements_by_line,
  row_times,
  sheet_row_near,
  sheet_row_text,
} from '../src/sheet_overlay.js';
import { small_data } from './fixture.js';

// A run of 1800 m in the shape route_tool writes: points every 10 m, a stop
// at ORTE, two sections (the second cannot be driven).
function run() {
  const at_m = [];
  const speed_kmh = [];
  const limit_kmh = [];
  const time_s = [];
  for (let m = 0; m <= 1800; m += 10) {
    at_m.push(m);
    speed_kmh.push(Math.min(60, m / 10));
    limit_kmh.push(m < 500 ? 100 : 60);
    time_s.push(50400 + m / 10);
  }
  return {
    train_model: 'built-in defaults',
    reason: null,
    points: { at_m, speed_kmh, limit_kmh, time_s },
    stations: [
      {
        station: 0,
        at_m: 320,
        stops: true,
        arrival_s: 50420,
        departure_s: 50460,
        timetable_s: 50460,
      },
      {
        station: 1,
        at_m: 1520,
        stops: true,
        arrival_s: 50600,
        departure_s: 50600,
        timetable_s: null,
      },
    ],
    sections: [
      { from_m: 320, to_m: 1000, from: 'A', to: 'B', margin_s: 130.2, margin_percent: 12.34 },
      { from_m: 1000, to_m: 1520, from: 'B', to: 'ORTE', margin_s: -45, margin_percent: -10 },
    ],
  };
}

test('the point nearest a metre, at both ends and halfway between two', () => {
  const r = run();
  assert.equal(run_point_at(r, -50), 0);
  assert.equal(run_point_at(r, 0), 0);
  assert.equal(run_point_at(r, 14.9), 1);
  assert.equal(run_point_at(r, 15), 1); // a tie goes to the point before
  assert.equal(run_point_at(r, 15.1), 2);
  assert.equal(run_point_at(r, 1800), 180);
  assert.equal(run_point_at(r, 99999), 180);
  assert.equal(run_point_at({ points: { at_m: [] } }, 5), -1);
});

test('a section holds its start, not its end, but the last holds its end', () => {
  const r = run();
  assert.equal(run_section_at(r, 319.9), null);
  assert.equal(run_section_at(r, 320).to, 'B');
  assert.equal(run_section_at(r, 999.9).to, 'B');
  assert.equal(run_section_at(r, 1000).to, 'ORTE');
  assert.equal(run_section_at(r, 1520).to, 'ORTE');
  assert.equal(run_section_at(r, 1520.1), null);
});

test('the run under the pointer in words: speed, limit, time and margin', () => {
  const r = run();
  assert.equal(clock_text(50400), '14:00:00');
  assert.equal(clock_text(86399.6), '24:00:00');
  assert.equal(margin_text(r.sections[0]), '+130 s (12.3 %)');
  assert.equal(margin_text(r.sections[1]), '-45 s (-10.0 %): cannot be driven');
  assert.equal(
    run_hover_text(r, 400),
    'fastest run 40 km/h (limit 100) at 14:00:40, A \u2013 B margin +130 s (12.3 %)',
  );
  assert.equal(run_hover_text(r, 100), 'fastest run 10 km/h (limit 100) at 14:00:10');
  assert.equal(run_hover_text(null, 100), null);
  const why = { ...r, reason: 'no run drawn: the train stalls at 12350 m on 35 per mille' };
  assert.equal(run_hover_text(why, 100), why.reason);
});

test('the time strip shows the run, the timetable and the sheet in view', () => {
  const documents = {
    sheet_file: 's.txt',
    form_file: '',
    rows: [
      {
        line: 17,
        name: 'Grotte',
        at_m: 320,
        km_m: 24680,
        times: '14.00+',
        arrival_s: null,
        departure_s: 50430,
        passing_s: null,
      },
      {
        line: 18,
        name: '',
        at_m: null,
        km_m: null,
        times: '-',
        arrival_s: null,
        departure_s: null,
        passing_s: 30000,
      },
      {
        line: 19,
        name: 'ORTE',
        at_m: 1520,
        km_m: 7480,
        times: '13.00',
        arrival_s: 46800,
        departure_s: null,
        passing_s: null,
      },
    ],
    findings: [
      { document: 'sheet', id: 'sheet-time-differs', line: 19, disagreement: true, at_m: 1520 },
      { document: 'sheet', id: 'document-bad-cell', line: 19, disagreement: false, at_m: 1520 },
      { document: 'form', id: 'form-length-differs', line: 13, disagreement: true, at_m: null },
    ],
  };
  const data = small_data({ run: run(), documents });
  assert.deepEqual(times_in_view(data, 0, 500), [50400, 50460]);
  assert.deepEqual(times_in_view(data, 1500, 1800), [46800, 50580]); // the sheet's 13.00 too
  assert.equal(times_in_view(small_data({ run: null, documents: null }), 0, 1800), null);

  const s = time_scale(50400, 50460);
  assert.equal(s.step, 60);
  assert.equal(s.from, 50400);
  assert.equal(s.to, 50460);
  assert.equal(s.y(50400), rows.time_bottom);
  assert.equal(s.y(50460), rows.time_top);
  const wide = time_scale(46800, 50580);
  assert.equal(wide.step, 900);
  assert.equal(wide.from, 46800);
  assert.equal(wide.to, 51300);

  const bad = disagreements_by_line(documents);
  assert.deepEqual([...bad.keys()], [19]);
  assert.equal(bad.get(19).length, 1);
  assert.deepEqual(row_times(documents.rows[0]), [50430]);
  assert.equal(sheet_row_near(documents, 400, 100).line, 17);
  assert.equal(sheet_row_near(documents, 500, 100), null);
  assert.equal(sheet_row_near(documents, 1500, 100).line, 19);
  assert.equal(
    sheet_row_text(documents.rows[2], bad.get(19)),
    "sheet line 19 'ORTE': km 7+480, 13.00 (13:00:00) \u2014 sheet-time-differs",
  );
});

// A canvas context that records the path it is given.
function recorder() {
  const path = [];
  return {
    path,
    beginPath: () => path.splice(0),
    moveTo: (x, y) => path.push(['M', x, y]),
    lineTo: (x, y) => path.push(['L', x, y]),
    stroke: () => {},
  };
}

test("the curve keeps each pixel column's lowest and highest point, no more", () => {
  const r = run();
  assert.deepEqual(points_in_view(r, 400, 600), [39, 61]);
  assert.deepEqual(points_in_view(r, -100, 5000), [0, 181]);
  // 1800 m over 18 px: ten points a column, speeds rising 1 km/h a point.
  const g = recorder();
  const [a, b] = points_in_view(r, 0, 1800);
  trace_run(
    g,
    r,
    r.points.speed_kmh,
    a,
    b,
    (m) => m / 100,
    (v) => -v,
  );
  assert.deepEqual(g.path[0], ['M', 0, -0]);
  // Column 1 (the points at 50 .. 140 m, rounded): 5 .. 14 km/h.
  assert.deepEqual(g.path.slice(3, 5), [
    ['L', 1, -5],
    ['L', 1, -14],
  ]);
  assert.ok(g.path.length <= 2 * 19 + 1, String(g.path.length));
  // Every point of the run lies within its column's stroke.
  for (let i = 0; i < r.points.at_m.length; i++) {
    const x = Math.round(r.points.at_m[i] / 100);
    const ys = g.path.filter((p) => p[1] === x).map((p) => -p[2]);
    const v = r.points.speed_kmh[i];
    assert.ok(Math.min(...ys) <= v && v <= Math.max(...ys), `${i}`);
  }
  // One pixel per point: every point drawn.
  const fine = recorder();
  trace_run(
    fine,
    r,
    r.points.time_s,
    0,
    181,
    (m) => m / 10,
    (t) => t,
  );
  assert.equal(fine.path.length, 182);
});
