// The plan's scale and hit testing: which level of the thinned geometry to
// draw, where a metre of the line lies, how the stretch in view fits the
// canvas, and which metre of the track is nearest to a point of it.
import { lower_bound } from './sorted.js';

// Pixels left free around the stretch in view.
const pad = 40;

// A pointer farther than this from the track (CSS pixels) points at nothing.
const reach_px = 40;

// The coarsest level (finest first) whose tolerance is at most `tolerance`
// metres, the finest when every level is coarser.
export function level_for(levels, tolerance) {
  let best = levels[0];
  for (const l of levels) if (l.tolerance <= tolerance) best = l;
  return best;
}

// The point [x, y] at metre m along a level, between its points; the ends
// beyond them; null without points.
export function plan_at(l, m) {
  if (!l || l.n === 0) return null;
  const j = lower_bound(l.n, (q) => l.k[q], m);
  if (j === 0) return [l.x[0], l.y[0]];
  if (j >= l.n) return [l.x[l.n - 1], l.y[l.n - 1]];
  const t = (m - l.k[j - 1]) / (l.k[j] - l.k[j - 1]);
  return [l.x[j - 1] + t * (l.x[j] - l.x[j - 1]), l.y[j - 1] + t * (l.y[j] - l.y[j - 1])];
}

// The box around the track from metre `from` to `to`.
export function bounds(l, from, to) {
  const b = { x0: Infinity, x1: -Infinity, y0: Infinity, y1: -Infinity };
  const add = (p) => {
    if (!p) return;
    b.x0 = Math.min(b.x0, p[0]);
    b.x1 = Math.max(b.x1, p[0]);
    b.y0 = Math.min(b.y0, p[1]);
    b.y1 = Math.max(b.y1, p[1]);
  };
  add(plan_at(l, from));
  add(plan_at(l, to));
  for (let j = lower_bound(l.n, (q) => l.k[q], from); j < l.n && l.k[j] <= to; j++) {
    add([l.x[j], l.y[j]]);
  }
  return b;
}

// The stretch [from, to] fitted into a w x h canvas with equal scales,
// north up, drawn from the level thin enough for half a pixel: the level,
// the scale in pixels per metre and the canvas point of the origin.
export function fit_plan(levels, from, to, w, h) {
  const scale_of = (b) =>
    Math.min((w - 2 * pad) / Math.max(b.x1 - b.x0, 1), (h - 2 * pad) / Math.max(b.y1 - b.y0, 1));
  let b = bounds(levels[levels.length - 1], from, to);
  let l = level_for(levels, 0.5 / scale_of(b));
  b = bounds(l, from, to);
  const scale = scale_of(b);
  l = level_for(levels, 0.5 / scale);
  const ox = w / 2 - ((b.x0 + b.x1) / 2) * scale;
  const oy = h / 2 + ((b.y0 + b.y1) / 2) * scale;
  return { l, scale, ox, oy, w, h };
}

// The canvas point of a plan point.
export function to_canvas(view, p) {
  return [view.ox + p[0] * view.scale, view.oy - p[1] * view.scale];
}

// The metre of the track nearest to the canvas point (px, py), looked for
// between `from` and `to`; null when the track is farther than reach_px.
export function nearest_metre(view, px, py, from, to) {
  const { l, scale, ox, oy } = view;
  const x = (px - ox) / scale;
  const y = (oy - py) / scale;
  let best = null;
  let best_d = Infinity;
  for (
    let j = Math.max(
      1,
      lower_bound(l.n, (q) => l.k[q], from),
    );
    j < l.n && l.k[j - 1] <= to;
    j++
  ) {
    const ax = l.x[j - 1];
    const ay = l.y[j - 1];
    const dx = l.x[j] - ax;
    const dy = l.y[j] - ay;
    const len2 = dx * dx + dy * dy;
    const t = len2 > 0 ? Math.max(0, Math.min(1, ((x - ax) * dx + (y - ay) * dy) / len2)) : 0;
    const d = Math.hypot(x - ax - t * dx, y - ay - t * dy);
    if (d < best_d) {
      best_d = d;
      best = l.k[j - 1] + t * (l.k[j] - l.k[j - 1]);
    }
  }
  return best_d * scale <= reach_px ? best : null;
}
