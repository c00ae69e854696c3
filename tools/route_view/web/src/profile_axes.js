// The profile's frame around the strips: their names and value scales on
// the left, and below them two axes, the metres from the origin and the
// kilometric progressive. The ticks written are kept in the view's state
// for the tests.
import { km_text, metre_tick_text } from './text.js';
import { grade_mid, rows, tick_step } from './profile_scale.js';

// Pixels kept between ticks of the metre axis.
const tick_px = 90;

export function draw_strip_scales(f) {
  const { g, vy, gy, v_top, g_top } = f;
  const speed_mid = (rows.speed_top + rows.speed_bottom) / 2;
  g.fillStyle = '#333';
  g.font = 'bold 11px sans-serif';
  g.textAlign = 'left';
  g.fillText('texts', 4, rows.texts + 4);
  g.fillText('boards', 4, rows.boards + 4);
  g.fillText('signals', 4, rows.signals + 4);
  g.fillText('speed', 4, speed_mid);
  g.fillText('gradient', 4, grade_mid - 4);
  g.fillText('tunnels', 4, rows.bands_top + 10);
  g.fillText('curves', 4, rows.curves_top + 10);
  g.font = '10px sans-serif';
  g.fillStyle = '#666';
  g.fillText('km/h', 4, speed_mid + 12);
  g.fillText('per mille', 4, grade_mid + 8);
  g.textAlign = 'right';
  const v_step = Math.max(20, v_top / 5 - ((v_top / 5) % 20));
  for (let v = 0; v <= v_top; v += v_step) g.fillText(String(v), rows.left - 4, vy(v) + 3);
  g.fillText('+' + g_top, rows.left - 4, gy(g_top) + 8);
  g.fillText('-' + g_top, rows.left - 4, gy(-g_top));
  g.strokeStyle = '#c8c4b8';
  const inner = f.scale.inner;
  g.strokeRect(rows.left + 0.5, rows.speed_top + 0.5, inner, rows.speed_bottom - rows.speed_top);
  g.strokeRect(rows.left + 0.5, rows.grade_top + 0.5, inner, rows.grade_bottom - rows.grade_top);
}

function tick(g, x, y0, y1) {
  g.beginPath();
  g.moveTo(x, y0);
  g.lineTo(x, y1);
  g.stroke();
}

function axis_line(g, y, w) {
  g.beginPath();
  g.moveTo(rows.left, y + 0.5);
  g.lineTo(w - rows.right, y + 0.5);
  g.stroke();
}

export function draw_axes(f) {
  const { g, w, model, state, x_of, scale } = f;
  g.strokeStyle = '#333';
  g.fillStyle = '#333';
  g.lineWidth = 1;
  axis_line(g, rows.axis_y, w);
  const step = tick_step(scale.span, scale.inner, tick_px);
  state.metre_ticks = [];
  g.textAlign = 'center';
  g.font = '11px sans-serif';
  for (let m = Math.ceil(state.from / step) * step; m <= state.to; m += step) {
    const x = Math.round(x_of(m)) + 0.5;
    tick(g, x, rows.axis_y, rows.axis_y + 6);
    const label = metre_tick_text(m, step);
    g.fillText(label, x, rows.axis_y + 17);
    state.metre_ticks.push(label);
  }
  g.textAlign = 'left';
  g.fillStyle = '#666';
  g.font = '10px sans-serif';
  g.fillText('from origin', 4, rows.axis_y + 14);
  g.fillText('progressive', 4, rows.chainage_y + 12);
  g.strokeStyle = '#1f4e8c';
  g.fillStyle = '#1f4e8c';
  g.textAlign = 'center';
  g.font = '11px sans-serif';
  axis_line(g, rows.chainage_y, w);
  state.chainage_ticks = [];
  let chainage_free = -1e9;
  const series = model.data.chainage;
  for (let i = 0; i < series.length; i++) {
    const s = series[i];
    const end = i + 1 < series.length ? series[i + 1][0] : model.model_end;
    const to = Math.min(end, state.to);
    const from = Math.max(s[0], state.from);
    if (from > to) continue;
    if (i > 0 && s[0] >= state.from) {
      tick(g, Math.round(x_of(s[0])) + 0.5, rows.chainage_y - 6, rows.chainage_y + 16);
    }
    // Progressives count down along the line: origin - m.
    const c_hi = s[1] - from;
    const c_lo = s[1] - to;
    for (let c = Math.floor(c_hi / step) * step; c >= c_lo; c -= step) {
      const x = Math.round(x_of(s[1] - c)) + 0.5;
      tick(g, x, rows.chainage_y, rows.chainage_y + 6);
      const label = km_text(c);
      const tw = g.measureText(label).width;
      if (x - tw / 2 > chainage_free) {
        g.fillText(label, x, rows.chainage_y + 17);
        chainage_free = x + tw / 2 + 6;
      }
      state.chainage_ticks.push(label);
    }
  }
}
