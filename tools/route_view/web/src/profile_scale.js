// The profile panel's layout and scales, kept here once: every x of the
// panel (drawing, pointer, drag, diagnostic markers, the tests' cell points)
// and every y of its strips comes from these.
import { cell_start_m } from './route_model.js';

// Rows and strips, in CSS pixels from the top; the margins left and right.
export const rows = {
  left: 74,
  right: 12,
  names: 14,
  texts: 30,
  boards: 50,
  signals: 68,
  markers: 80,
  speed_top: 96,
  speed_bottom: 206,
  grade_top: 216,
  grade_bottom: 306,
  bands_top: 314,
  curves_top: 332,
  axis_y: 352,
  chainage_y: 382,
  // The fastest run's time of day against distance, beside the timetable's
  // and the sheet's times.
  time_top: 404,
  time_bottom: 520,
};

// The stretch [from, to] of metres across a panel `width` CSS pixels wide.
export function profile_scale(from, to, width) {
  const inner = width - rows.left - rows.right;
  const span = to - from;
  return {
    from,
    to,
    width,
    inner,
    span,
    x: (m) => rows.left + ((m - from) / span) * inner,
    m: (x) => from + ((x - rows.left) / inner) * span,
    // Metres moved by a drag of dx pixels.
    metres_of: (dx) => (dx / inner) * span,
  };
}

// The speed strip's top value in km/h: at least 50, 20 km/h above the
// highest limit on the line, a multiple of 20.
export function speed_top(model) {
  let top = 50;
  for (const r of model.data.speed) {
    if (cell_start_m(model, r[0]) < model.line_end) {
      top = Math.max(top, Math.ceil((r[2] + 20) / 20) * 20);
    }
  }
  return top;
}

// The gradient strip's extent in per mille, up and down: at least 5, the
// steepest gradient on the line rounded up to 10 (to 20 past 20).
export function grade_top(model) {
  let top = 5;
  for (const r of model.data.gradient) {
    if (cell_start_m(model, r[0]) < model.line_end) top = Math.max(top, Math.abs(r[2]));
  }
  return top > 20 ? Math.ceil(top / 20) * 20 : Math.ceil(top / 10) * 10;
}

// The y of a speed in the speed strip, held within the strip.
export function speed_y(v, top) {
  const h = rows.speed_bottom - rows.speed_top;
  return rows.speed_bottom - (Math.max(0, Math.min(v, top)) / top) * h;
}

export const grade_mid = (rows.grade_top + rows.grade_bottom) / 2;

// The y of a gradient in the gradient strip, uphill above the middle.
export function grade_y(v, top) {
  const h = rows.grade_bottom - rows.grade_top;
  return grade_mid - ((Math.max(-top, Math.min(v, top)) / top) * h) / 2;
}

// The time strip's scale: the times t0 .. t1 (seconds of day) widened to
// whole steps of at least a minute, at most `most` steps.
const time_steps = [60, 120, 300, 600, 900, 1800, 3600, 7200, 14400];
export function time_scale(t0, t1, most = 5) {
  const span = Math.max(t1 - t0, 60);
  const step = time_steps.find((s) => span / s <= most) || time_steps[time_steps.length - 1];
  const from = Math.floor(t0 / step) * step;
  const to = Math.max(Math.ceil(t1 / step) * step, from + step);
  const h = rows.time_bottom - rows.time_top;
  return { from, to, step, y: (t) => rows.time_bottom - ((t - from) / (to - from)) * h };
}

const nice_steps = [
  50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000, 500000,
];

// The axes' step in metres: the smallest that leaves min_px between ticks.
export function tick_step(span, inner, min_px) {
  for (const s of nice_steps) if ((s / span) * inner >= min_px) return s;
  return nice_steps[nice_steps.length - 1];
}
