// The fastest run of the train (route_tool's running-time calculation):
// its speed over the limit in the speed strip, its time of day against
// distance in the time strip beside the timetable's points, and under the
// pointer its speed, time and the margin of the section. A run that could
// not be timed draws nothing and says why in the strip.
import { colour } from './route_model.js';
import { rows, time_scale } from './profile_scale.js';
import { lower_bound } from './sorted.js';

// "14:03:12" of seconds of day.
export function clock_text(s) {
  const t = Math.round(s);
  const two = (v) => String(v).padStart(2, '0');
  return two(Math.floor(t / 3600)) + ':' + two(Math.floor(t / 60) % 60) + ':' + two(t % 60);
}

// The index of the run's point nearest metre m, or -1 without points.
export function run_point_at(run, m) {
  const at = run.points.at_m;
  if (!at.length) return -1;
  const j = lower_bound(at.length, (q) => at[q], m);
  if (j === 0) return 0;
  if (j === at.length) return at.length - 1;
  return m - at[j - 1] <= at[j] - m ? j - 1 : j;
}

// The section [from_m, to_m) holding metre m (the last one's end too), or null.
export function run_section_at(run, m) {
  const z = run.sections;
  for (const s of z) if (m >= s.from_m && m < s.to_m) return s;
  if (z.length && m === z[z.length - 1].to_m) return z[z.length - 1];
  return null;
}

// "+130 s (12.3 %)", "-45 s (-10.0 %): cannot be driven".
export function margin_text(s) {
  const sign = s.margin_s >= 0 ? '+' : '';
  const t = sign + Math.round(s.margin_s) + ' s (' + s.margin_percent.toFixed(1) + ' %)';
  return s.margin_s >= 0 ? t : t + ': cannot be driven';
}

// The run in words at metre m, for the line under the panels.
export function run_hover_text(run, m) {
  if (!run) return null;
  if (run.reason) return run.reason;
  const i = run_point_at(run, m);
  if (i < 0) return null;
  const p = run.points;
  let t = 'fastest run ' + Math.round(p.speed_kmh[i]) + ' km/h';
  t += ' (limit ' + Math.round(p.limit_kmh[i]) + ')';
  t += ' at ' + clock_text(p.time_s[i]);
  const s = run_section_at(run, m);
  if (s) t += ', ' + s.from + ' \u2013 ' + s.to + ' margin ' + margin_text(s);
  return t;
}

// The times of day the time strip shows over [from, to]: the run's, the
// timetable's and the sheet's there; null when none.
export function times_in_view(data, from, to) {
  let lo = Infinity;
  let hi = -Infinity;
  const take = (t) => {
    if (t === null || t === undefined) return;
    lo = Math.min(lo, t);
    hi = Math.max(hi, t);
  };
  const run = data.run;
  if (run && !run.reason) {
    // Times never fall along the run: the first and the last in view.
    const at = run.points.at_m;
    const a = lower_bound(at.length, (q) => at[q], from);
    const b = lower_bound(at.length, (q) => (at[q] > to ? 1 : 0), 1);
    if (a < b) {
      take(run.points.time_s[a]);
      take(run.points.time_s[b - 1]);
    }
    for (const s of run.stations) if (s.at_m >= from && s.at_m <= to) take(s.timetable_s);
  }
  if (data.documents) {
    for (const r of data.documents.rows) {
      if (r.at_m === null || r.at_m < from || r.at_m > to) continue;
      take(r.arrival_s);
      take(r.departure_s);
      take(r.passing_s);
    }
  }
  return lo <= hi ? [lo, hi] : null;
}

// The indices of the run's points over [from, to], with one more at each
// end so that the curve reaches the panel's edges.
export function points_in_view(run, from, to) {
  const at = run.points.at_m;
  const a = Math.max(0, lower_bound(at.length, (q) => at[q], from) - 1);
  const b = Math.min(at.length, lower_bound(at.length, (q) => at[q], to) + 1);
  return [a, b];
}

// The run's curve of `values` over the view, at most the lowest and the
// highest point in each pixel column: the largest routes hold a hundred
// thousand points.
export function trace_run(g, run, values, a, b, x_of, y_of) {
  const at = run.points.at_m;
  g.beginPath();
  let column = null;
  let lo = 0;
  let hi = 0;
  const flush = () => {
    if (column === null) return;
    g.lineTo(column, y_of(lo));
    if (hi !== lo) g.lineTo(column, y_of(hi));
  };
  for (let i = a; i < b; i++) {
    const x = Math.round(x_of(at[i]));
    const v = values[i];
    if (i === a) g.moveTo(x, y_of(v));
    if (x !== column) {
      flush();
      column = x;
      lo = v;
      hi = v;
    } else {
      lo = Math.min(lo, v);
      hi = Math.max(hi, v);
    }
  }
  flush();
  g.stroke();
}

export function draw_run_speed(f) {
  const { g, model, state, x_of, vy } = f;
  const run = model.data.run;
  if (!run || run.reason) return;
  const [a, b] = points_in_view(run, state.from, state.to);
  g.strokeStyle = colour(model, 'run');
  g.lineWidth = 1.6;
  trace_run(g, run, run.points.speed_kmh, a, b, x_of, vy);
}

// The time strip's frame: its box, its scale and its name.
function time_frame(f) {
  const { g, w } = f;
  g.fillStyle = '#fcfbfd';
  g.fillRect(
    rows.left,
    rows.time_top,
    w - rows.left - rows.right,
    rows.time_bottom - rows.time_top,
  );
  g.strokeStyle = '#c8c4b8';
  g.lineWidth = 1;
  g.strokeRect(
    rows.left,
    rows.time_top,
    w - rows.left - rows.right,
    rows.time_bottom - rows.time_top,
  );
}

// The time strip's scale over the view, kept on the frame for the sheet's
// layer; null when there is no time to show.
export function time_scale_of(f) {
  if (f.time === undefined) {
    const t = times_in_view(f.model.data, f.state.from, f.state.to);
    f.time = t ? time_scale(t[0], t[1]) : null;
  }
  return f.time;
}

export function draw_time_strip(f) {
  const { g, model, state, x_of } = f;
  const run = model.data.run;
  time_frame(f);
  if (run && run.reason) {
    g.fillStyle = '#b71c1c';
    g.font = '12px sans-serif';
    g.textAlign = 'left';
    g.fillText(run.reason, rows.left + 8, (rows.time_top + rows.time_bottom) / 2);
    return;
  }
  const ts = time_scale_of(f);
  if (!ts) return;
  g.strokeStyle = '#ebe7f0';
  g.beginPath();
  for (let t = ts.from; t <= ts.to; t += ts.step) {
    g.moveTo(rows.left, ts.y(t));
    g.lineTo(f.w - rows.right, ts.y(t));
  }
  g.stroke();
  if (!run) return;
  const [a, b] = points_in_view(run, state.from, state.to);
  g.strokeStyle = colour(model, 'run');
  g.lineWidth = 1.6;
  trace_run(g, run, run.points.time_s, a, b, x_of, ts.y);
  g.strokeStyle = colour(model, 'timetable');
  g.lineWidth = 1.5;
  for (const s of run.stations) {
    if (s.timetable_s === null || s.at_m < state.from || s.at_m > state.to) continue;
    g.beginPath();
    g.arc(x_of(s.at_m), ts.y(s.timetable_s), 4, 0, 2 * Math.PI);
    g.stroke();
  }
  g.font = '10px sans-serif';
  g.textAlign = 'center';
  // A margin that would overlap the one before goes a row lower.
  let free = -Infinity;
  let lower = false;
  for (const s of run.sections) {
    if (s.to_m < state.from || s.from_m > state.to) continue;
    const text = margin_text(s);
    const x = (x_of(s.from_m) + x_of(s.to_m)) / 2;
    const w = g.measureText(text).width;
    lower = x - w / 2 < free && !lower;
    if (!lower) free = x + w / 2 + 4;
    g.fillStyle = s.margin_s >= 0 ? '#2e7d32' : '#b71c1c';
    g.fillText(text, x, rows.time_top + (lower ? 24 : 12));
  }
}

// The time strip's name and times on the left.
export function draw_time_scale(f) {
  const { g } = f;
  const ts = time_scale_of(f);
  g.fillStyle = '#333';
  g.font = 'bold 11px sans-serif';
  g.textAlign = 'left';
  g.fillText('time', 4, rows.time_top + 12);
  if (!ts) return;
  g.font = '10px sans-serif';
  g.fillStyle = '#666';
  g.textAlign = 'right';
  for (let t = ts.from; t <= ts.to; t += ts.step) {
    g.fillText(clock_text(t).slice(0, 5), rows.left - 4, ts.y(t) + 3);
  }
}

// Joins the run to a view: its layers, the time strip's scale in the
// margin, its part of the line under the panels and its row in the
// inspector.
export function add_run(view) {
  const run = view.model.data.run;
  if (!run) return;
  // Under the cursor, the last layer.
  view.profile_layers.splice(view.profile_layers.length - 1, 0, draw_run_speed, draw_time_strip);
  view.profile_margins.push(draw_time_scale);
  view.hover_parts.push((m) => run_hover_text(run, m));
  view.inspector_rows.push((cell, row) => {
    const t = run_hover_text(run, (cell + 0.5) * view.model.cell_m);
    if (t) row('run', t);
  });
}
