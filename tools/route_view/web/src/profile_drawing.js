// The profile panel along the line: its layers drawn bottom first over the
// strips, clipped to them, then the scales and the axes around them.
//
// A layer is a function of a frame: { g, w, h, model, state, scale, x_of, vy,
// gy, v_top, g_top, a_cell, b_cell }, where x_of is the x of a metre, vy and gy
// the y of a speed and a gradient, and a_cell .. b_cell the cells in view.
// The view's list of layers (view.profile_layers) is where an overlay joins;
// view.profile_margins are drawn after them, outside the strips' clip.
import { fit } from './canvas.js';
import { cell_start_m, cell_under, colour } from './route_model.js';
import { draw_axes, draw_strip_scales } from './profile_axes.js';
import { draw_object_rows, draw_stations } from './profile_rows.js';
import { grade_y, profile_scale, rows, speed_y } from './profile_scale.js';
import { draw_bands, draw_gradient_strip, draw_speed_strip } from './profile_strips.js';

// Cell boundaries are drawn once cells are at least this many pixels wide.
const cell_lines_px = 5;

function draw_past_end(f) {
  const { g, model, state, x_of } = f;
  if (state.to <= model.line_end) return;
  g.fillStyle = '#f1f1f1';
  const x = x_of(model.line_end);
  g.fillRect(x, rows.speed_top, x_of(state.to) - x, rows.grade_bottom - rows.speed_top);
}

function draw_cell_lines(f) {
  const { g, model, x_of } = f;
  if ((model.cell_m / f.scale.span) * f.scale.inner < cell_lines_px) return;
  g.strokeStyle = '#eceae4';
  g.lineWidth = 1;
  g.beginPath();
  for (let c = f.a_cell; c <= f.b_cell; c++) {
    const x = Math.round(x_of(cell_start_m(model, c))) + 0.5;
    g.moveTo(x, rows.speed_top);
    g.lineTo(x, rows.grade_bottom);
  }
  g.stroke();
}

function draw_selection(f) {
  const { g, model, state, x_of } = f;
  if (state.shown === null) return;
  g.fillStyle = colour(model, 'selection');
  g.globalAlpha = 0.45;
  const x0 = x_of(cell_start_m(model, state.shown));
  const x1 = Math.max(x_of(cell_start_m(model, state.shown + 1)), x0 + 2);
  g.fillRect(x0, rows.texts - 12, x1 - x0, rows.chainage_y - rows.texts + 4);
  g.globalAlpha = 1;
}

function draw_cursor(f) {
  const { g, model, state, x_of } = f;
  if (state.cursor === null) return;
  g.strokeStyle = colour(model, 'cursor');
  g.lineWidth = 1;
  const x = Math.round(x_of(state.cursor)) + 0.5;
  g.beginPath();
  g.moveTo(x, rows.texts - 12);
  g.lineTo(x, rows.time_bottom);
  g.stroke();
}

// The layers every page draws, bottom first.
export const profile_layers = [
  draw_past_end,
  draw_cell_lines,
  draw_selection,
  draw_speed_strip,
  draw_gradient_strip,
  draw_bands,
  draw_stations,
  draw_object_rows,
  draw_cursor,
];

export function profile_frame(view, g, w, h) {
  const { model, state } = view;
  const scale = profile_scale(state.from, state.to, w);
  const { v_top, g_top } = view;
  return {
    g,
    w,
    h,
    model,
    state,
    scale,
    x_of: scale.x,
    vy: (v) => speed_y(v, v_top),
    gy: (v) => grade_y(v, g_top),
    v_top,
    g_top,
    a_cell: Math.max(0, cell_under(model, state.from) - 1),
    b_cell: cell_under(model, state.to) + 1,
  };
}

// Draws the panel; gives the frame drawn, whose scale places the markers.
export function draw_profile(view) {
  const { g, w, h } = fit(view.canvases.profile);
  g.clearRect(0, 0, w, h);
  const f = profile_frame(view, g, w, h);
  g.save();
  g.beginPath();
  g.rect(rows.left, 0, f.scale.inner, h);
  g.clip();
  for (const layer of view.profile_layers) layer(f);
  g.restore();
  draw_strip_scales(f);
  draw_axes(f);
  for (const margin of view.profile_margins) margin(f);
  return f;
}
