// The track plan of the stretch in view, north up, with the line on both
// sides faint for context: tunnels, stations and slowdowns along the track,
// then the objects and their labels, the diagnostics, the cursor, a scale
// bar and a north arrow.
import { diamond_path, fit } from './canvas.js';
import { fit_plan, plan_at, to_canvas } from './plan_geometry.js';
import { cell_start_m, colour } from './route_model.js';
import { lower_bound } from './sorted.js';

// Objects this far (a share of the span) outside the view are still drawn.
const in_view_margin = 0.02;

const scale_bar_lengths = [
  1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000,
];

// Strokes the track from metre `from` to `to`.
function track_stroke(g, pv, from, to, style, width, alpha, dash) {
  const { l, scale, ox, oy } = pv;
  const a = Math.max(from, 0);
  if (to < a) return;
  g.strokeStyle = style;
  g.lineWidth = width;
  g.globalAlpha = alpha || 1;
  g.setLineDash(dash || []);
  g.beginPath();
  let p = to_canvas(pv, plan_at(l, a));
  g.moveTo(p[0], p[1]);
  for (let j = lower_bound(l.n, (q) => l.k[q], a); j < l.n && l.k[j] < to; j++) {
    g.lineTo(ox + l.x[j] * scale, oy - l.y[j] * scale);
  }
  p = to_canvas(pv, plan_at(l, to));
  g.lineTo(p[0], p[1]);
  g.stroke();
  g.globalAlpha = 1;
  g.setLineDash([]);
}

function circle(g, x, y, r) {
  g.beginPath();
  g.arc(x, y, r, 0, 2 * Math.PI);
}

function draw_track(g, pv, model, state) {
  const data = model.data;
  const span = state.to - state.from;
  const stroke = (from, to, style, width, alpha, dash) =>
    track_stroke(g, pv, from, to, style, width, alpha, dash);
  const shown = (a, b) => b >= state.from && a <= state.to;
  // Context on both sides, faint; the tail past the line's end dashed.
  stroke(state.from - 3 * span, state.from, '#b0b0b0', 1.5);
  stroke(state.to, Math.min(state.to + 3 * span, model.line_end), '#b0b0b0', 1.5);
  const tail_from = Math.max(model.line_end, state.from - 3 * span);
  stroke(tail_from, state.to + 3 * span, colour(model, 'past-end'), 1.5, 1, [5, 4]);
  for (const t of data.tunnels) {
    if (shown(t[0], t[1])) stroke(t[0], t[1], colour(model, 'tunnel'), 8, 0.55);
  }
  for (const s of data.stations) {
    if (shown(s.start_m, s.end_m)) stroke(s.start_m, s.end_m, colour(model, 'station'), 8, 0.3);
  }
  for (const s of data.slowdowns) {
    if (shown(s[0], s[1])) stroke(s[0], s[1], colour(model, 'slowdown'), 8, 0.8);
  }
  stroke(state.from, Math.min(state.to, model.line_end), colour(model, 'track'), 2.4);
  if (state.shown !== null) {
    const m = cell_start_m(model, state.shown);
    stroke(m, m + model.cell_m, colour(model, 'selection'), 12, 0.8);
  }
}

function draw_objects(g, pv, model, state) {
  const data = model.data;
  const span = state.to - state.from;
  const dot = (m, f) => {
    const p = plan_at(pv.l, m);
    if (p) {
      const q = to_canvas(pv, p);
      f(q[0], q[1]);
    }
  };
  const in_view = (m) =>
    m >= state.from - span * in_view_margin && m <= state.to + span * in_view_margin;
  // Labels go where no label stands yet: stations first, then boards.
  const taken = [];
  const label = (text, x, y, font, col) => {
    g.font = font;
    const tw = g.measureText(text).width;
    const th = 12;
    const r = [x, y - th + 2, x + tw, y + 2];
    for (const t of taken) {
      if (r[0] < t[2] && r[2] > t[0] && r[1] < t[3] && r[3] > t[1]) return;
    }
    taken.push(r);
    g.fillStyle = col;
    g.textAlign = 'left';
    g.fillText(text, x, y);
  };
  const station_colour = colour(model, 'station');
  const text_colour = colour(model, 'indication-board');
  const board_colour = colour(model, 'speed-board');
  const stations = data.stations.filter((s) => in_view(s.axis_m));
  for (const s of stations) {
    dot(s.axis_m, (x, y) => label(s.name, x + 9, y + 4, 'bold 12px sans-serif', station_colour));
  }
  const texts = data.indication_boards.filter((b) => in_view(b[0]));
  for (const t of texts) {
    dot(t[0], (x, y) => {
      g.fillStyle = text_colour;
      g.fillRect(x - 2, y - 2, 4, 4);
    });
  }
  const boards = data.speed_boards.filter((b) => in_view(b.at_m));
  for (const b of boards) {
    dot(b.at_m, (x, y) => {
      g.fillStyle = board_colour;
      g.fillRect(x - 4, y - 4, 8, 8);
      label(b.label, x + 7, y - 5, '10px sans-serif', board_colour);
    });
  }
  for (const t of texts) {
    dot(t[0], (x, y) => label(t[3], x + 6, y + 12, '10px sans-serif', text_colour));
  }
  for (const s of data.signals.filter((o) => in_view(o[0]))) {
    dot(s[0], (x, y) => {
      g.fillStyle = colour(model, 'signal');
      g.strokeStyle = '#fff';
      g.lineWidth = 1;
      diamond_path(g, x, y);
      g.fill();
      g.stroke();
    });
  }
  for (const s of stations) {
    dot(s.axis_m, (x, y) => {
      g.fillStyle = '#fff';
      g.strokeStyle = station_colour;
      g.lineWidth = 2.4;
      circle(g, x, y, 5.5);
      g.fill();
      g.stroke();
    });
  }
  for (const d of data.diagnostics) {
    if (d.at_m === null || !in_view(d.at_m)) continue;
    dot(d.at_m, (x, y) => {
      g.fillStyle = colour(model, d.severity === 'error' ? 'error' : 'warning');
      circle(g, x, y - 12, 5);
      g.fill();
    });
  }
  if (state.cursor !== null) {
    dot(state.cursor, (x, y) => {
      g.strokeStyle = colour(model, 'cursor');
      g.lineWidth = 2;
      circle(g, x, y, 9);
      g.stroke();
    });
  }
}

function draw_scale_bar(g, scale, h) {
  let bar = 1;
  for (const n of scale_bar_lengths) if (n * scale <= 140) bar = n;
  g.fillStyle = '#333';
  g.fillRect(16, h - 20, bar * scale, 5);
  g.font = '10px sans-serif';
  g.textAlign = 'left';
  g.fillText(bar >= 1000 ? bar / 1000 + ' km' : bar + ' m', 16, h - 26);
  g.beginPath();
  g.moveTo(24, 10);
  g.lineTo(30, 28);
  g.lineTo(24, 24);
  g.lineTo(18, 28);
  g.fill();
  g.fillText('N', 21, 40);
}

// Draws the plan; gives the fit drawn (level, scale, origin), or null when
// the route has no geometry.
export function draw_plan(view) {
  const { model, state } = view;
  const { g, w, h } = fit(view.canvases.plan);
  g.clearRect(0, 0, w, h);
  if (model.levels.length === 0) {
    g.fillStyle = '#777';
    g.font = '14px sans-serif';
    g.textAlign = 'center';
    g.fillText('no track geometry', w / 2, h / 2);
    return null;
  }
  const pv = fit_plan(model.levels, state.from, state.to, w, h);
  draw_track(g, pv, model, state);
  draw_objects(g, pv, model, state);
  draw_scale_bar(g, pv.scale, h);
  return pv;
}
