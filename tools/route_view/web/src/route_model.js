// The drawing model route_tool put into the page, opened once: the decoded
// plan levels, the occupied cells by index, and the questions every panel
// asks of it. Cells and metres come as route_tool computed them; the page
// never works out a data position's cell on its own.
import { run_at } from './sorted.js';

// A plan level arrives as whole centimetres, each the difference from the
// point before; decoded into metres once.
export function decode_level(level) {
  const n = level.k.length;
  const k = new Float64Array(n);
  const x = new Float64Array(n);
  const y = new Float64Array(n);
  let pk = 0;
  let px = 0;
  let py = 0;
  for (let i = 0; i < n; i++) {
    pk += level.k[i];
    px += level.x_cm[i];
    py += level.y_cm[i];
    k[i] = pk;
    x[i] = px / 100;
    y[i] = py / 100;
  }
  return { tolerance: level.tolerance_m, k, x, y, n };
}

export function open_model(data) {
  const cell_m = data.metres_per_cell;
  const line_end = Math.max(data.line_length_m, cell_m);
  const occupied = new Map();
  for (const c of data.occupied) occupied.set(c.cell, c);
  return {
    data,
    cell_m,
    line_end,
    // The model reaches past the line's end; the view may show all of it.
    model_end: Math.max(data.cells * cell_m, line_end),
    // The narrowest stretch shown: two cells.
    min_span: 2 * cell_m,
    levels: data.plan.map(decode_level),
    occupied,
  };
}

export function colour(model, name) {
  return model.data.colours[name] || '#000';
}

// Cell i is drawn from its first metre, i cells from the origin, for one
// cell's length.
export function cell_start_m(model, i) {
  return i * model.cell_m;
}

// The cell drawn under metre m of the panels: the inverse of cell_start_m,
// for the pointer, a typed position and the edges of the view.
export function cell_under(model, m) {
  return Math.floor(m / model.cell_m);
}

// The kilometric progressive at m, or null where no series is in use.
// A series counts down from its origin along the line.
export function chainage_at(model, m) {
  let s = null;
  for (const c of model.data.chainage) if (c[0] <= m) s = c;
  return s ? s[1] - Math.round(m) : null;
}

// The first position along the line whose progressive is c, or null.
export function position_of_chainage(model, c) {
  const series = model.data.chainage;
  for (let i = 0; i < series.length; i++) {
    const s = series[i];
    const to = i + 1 < series.length ? series[i + 1][0] : model.line_end;
    const m = s[1] - c;
    if (m >= s[0] && m <= to) return m;
  }
  return null;
}

// A record of the text files: [file, line, column, keyword, text, at_m].
export function record(model, i) {
  const records = model.data.records;
  return i >= 0 && i < records.length ? records[i] : null;
}

export function record_place(model, r) {
  return model.data.files[r[0]] + ':' + r[1] + ':' + r[2];
}

// The profile's values in cell i, each the run that holds it, and the
// curves that touch the cell.
export function profile_at(model, i) {
  const out = {};
  for (const name of ['speed', 'gradient', 'adhesion', 'tunnel_type']) {
    out[name] = run_at(model.data[name], i);
  }
  const m0 = cell_start_m(model, i);
  const m1 = m0 + model.cell_m;
  out.curves = model.data.curves.filter((c) => c[0] < m1 && c[1] > m0);
  return out;
}
