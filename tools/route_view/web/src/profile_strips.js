// The profile's strips: the speed limit with the slowdowns and the coded
// zone, the gradient, and the bands of tunnels and curves. Each is a layer
// of the profile panel, drawn on a frame (profile_drawing.js).
import { cell_start_m, colour } from './route_model.js';
import { grade_mid, rows } from './profile_scale.js';
import { runs_in } from './sorted.js';

export function draw_speed_strip(f) {
  const { g, model, state, x_of, vy } = f;
  const data = model.data;
  if (data.coded_zone) {
    const z = data.coded_zone;
    g.fillStyle = colour(model, 'coded-zone');
    g.fillRect(x_of(z[0]), rows.speed_top, x_of(z[1]) - x_of(z[0]), 10);
  }
  for (const s of data.slowdowns) {
    if (s[1] < state.from || s[0] > state.to) continue;
    const x0 = x_of(s[0]);
    const x1 = Math.max(x_of(s[1]), x0 + 3);
    const y = vy(s[4]);
    g.fillStyle = colour(model, 'slowdown');
    g.globalAlpha = 0.25;
    g.fillRect(x0, rows.speed_top, x1 - x0, y - rows.speed_top);
    g.globalAlpha = 1;
    g.strokeStyle = colour(model, 'slowdown');
    g.lineWidth = 2.5;
    g.beginPath();
    g.moveTo(x0, y);
    g.lineTo(x1, y);
    g.stroke();
    g.fillStyle = colour(model, 'slowdown');
    g.font = 'bold 10px sans-serif';
    g.textAlign = 'center';
    g.fillText(s[4] + ' km/h', (x0 + x1) / 2, y + 12);
  }
  g.strokeStyle = colour(model, 'speed');
  g.lineWidth = 2;
  g.beginPath();
  let first = true;
  let last_label = -1e9;
  g.font = '10px sans-serif';
  g.textAlign = 'left';
  const labels = [];
  runs_in(data.speed, f.a_cell, f.b_cell, (r) => {
    const x0 = x_of(cell_start_m(model, r[0]));
    const x1 = x_of(cell_start_m(model, r[1] + 1));
    const y = vy(r[2]);
    if (first) {
      g.moveTo(x0, y);
      first = false;
    } else {
      g.lineTo(x0, y);
    }
    g.lineTo(x1, y);
    // A value at each change, unless one was written less than 30 px before.
    if (x0 - last_label > 30) {
      labels.push([Math.max(x0, rows.left) + 3, y - 4, String(r[2])]);
      last_label = x0;
    }
  });
  g.stroke();
  g.fillStyle = colour(model, 'speed');
  for (const l of labels) g.fillText(l[2], l[0], l[1]);
}

export function draw_gradient_strip(f) {
  const { g, model, x_of, gy } = f;
  runs_in(model.data.gradient, f.a_cell, f.b_cell, (r) => {
    if (r[2] === 0) return;
    const x0 = x_of(cell_start_m(model, r[0]));
    const x1 = Math.max(x_of(cell_start_m(model, r[1] + 1)), x0 + 1);
    g.fillStyle = colour(model, r[2] > 0 ? 'uphill' : 'downhill');
    g.fillRect(x0, Math.min(gy(r[2]), grade_mid), x1 - x0, Math.abs(gy(r[2]) - grade_mid));
  });
  g.strokeStyle = '#555';
  g.lineWidth = 1;
  g.beginPath();
  g.moveTo(rows.left, grade_mid);
  g.lineTo(f.w - rows.right, grade_mid);
  g.stroke();
}

export function draw_bands(f) {
  const { g, model, state, x_of } = f;
  g.fillStyle = colour(model, 'tunnel');
  for (const t of model.data.tunnels) {
    if (t[1] < state.from || t[0] > state.to) continue;
    g.fillRect(x_of(t[0]), rows.bands_top, Math.max(x_of(t[1]) - x_of(t[0]), 1), 12);
  }
  g.fillStyle = colour(model, 'curve');
  for (const c of model.data.curves) {
    if (c[1] < state.from || c[0] > state.to) continue;
    const x0 = x_of(c[0]);
    const x1 = Math.max(x_of(c[1]), x0 + 1);
    // Right-hand curves above the line, left-hand below.
    g.fillRect(x0, c[3] > 0 ? rows.curves_top : rows.curves_top + 6, x1 - x0, 6);
    if (x1 - x0 > 60) {
      g.font = '9px sans-serif';
      g.textAlign = 'center';
      g.fillText('R ' + Math.round(c[2]), (x0 + x1) / 2, rows.curves_top + (c[3] > 0 ? -1 : 20));
    }
  }
}
