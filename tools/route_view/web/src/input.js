// The author's hands on the page: the wheel zooms about the pointer, a drag
// pans, hovering shows a cell and a click keeps it, the arrow keys step
// from cell to cell, + - 0 zoom, and the range boxes show a stretch.
import { local_point } from './canvas.js';
import { nearest_metre } from './plan_geometry.js';
import { cell_start_m, cell_under } from './route_model.js';
import { profile_scale, rows } from './profile_scale.js';
import { parse_km } from './text.js';

// A pointer that moves more than this many pixels while down is a drag.
const drag_px = 3;

// Wheel and key zoom factors: out, and in.
const zoom_out = 1.25;
const zoom_in = 0.8;

function wire_canvas(view, canvas, metres_at, pans_by_pixels) {
  const state = view.state;
  let drag = null;
  canvas.addEventListener(
    'wheel',
    (e) => {
      e.preventDefault();
      const m = metres_at(e);
      view.zoom(e.deltaY > 0 ? zoom_out : zoom_in, m === null ? undefined : m);
    },
    { passive: false },
  );
  canvas.addEventListener('mousedown', (e) => {
    const m = metres_at(e);
    drag = { x: e.clientX, y: e.clientY, from: state.from, to: state.to, m, moved: false };
  });
  window.addEventListener('mouseup', (e) => {
    if (drag && !drag.moved && e.target === canvas) {
      const m = metres_at(e);
      if (m !== null) {
        state.pinned = cell_under(view.model, m);
        view.show_cell(state.pinned);
      }
    }
    drag = null;
    canvas.classList.remove('dragging');
  });
  canvas.addEventListener('mousemove', (e) => {
    const moved = (d) => Math.abs(e.clientX - d.x) + Math.abs(e.clientY - d.y) > drag_px;
    if (drag && (moved(drag) || drag.moved)) {
      drag.moved = true;
      canvas.classList.add('dragging');
      if (pans_by_pixels) {
        // The profile pans by the pixels dragged, in the scale at the drag's start.
        const scale = profile_scale(drag.from, drag.to, canvas.clientWidth);
        const shift = scale.metres_of(drag.x - e.clientX);
        view.set_range(drag.from + shift, drag.to + shift);
      } else {
        // The plan keeps the metre grabbed under the pointer.
        const m = metres_at(e);
        const shift = m === null || drag.m === null ? 0 : drag.m - m;
        view.set_range(drag.from + shift, drag.to + shift);
        drag.from = state.from;
        drag.to = state.to;
      }
      return;
    }
    view.hover(metres_at(e));
  });
  canvas.addEventListener('mouseleave', () => view.hover(null));
}

function wire_keys(view) {
  const { model, state } = view;
  document.addEventListener('keydown', (e) => {
    if (e.target && e.target.tagName === 'INPUT') return;
    const step = e.shiftKey ? 10 : 1;
    if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
      e.preventDefault();
      const base =
        state.shown !== null ? state.shown : cell_under(model, (state.from + state.to) / 2);
      const next = base + (e.key === 'ArrowRight' ? step : -step);
      const i = Math.max(0, Math.min(model.data.cells - 1, next));
      state.pinned = i;
      const m = cell_start_m(model, i) + model.cell_m / 2;
      if (m < state.from || m > state.to) view.centre_on(m);
      view.show_cell(i);
    } else if (e.key === '+' || e.key === '=') view.zoom(zoom_in);
    else if (e.key === '-') view.zoom(zoom_out);
    else if (e.key === '0') view.set_range(0, model.line_end);
    else if (e.key === 'Escape') {
      state.pinned = null;
      view.show_cell(state.shown);
    }
  });
}

function wire_range(view) {
  const model = view.model;
  document.getElementById('range-form').addEventListener('submit', (e) => {
    e.preventDefault();
    const a = parse_km(model, document.getElementById('range-from').value);
    const b = parse_km(model, document.getElementById('range-to').value);
    if (a === null || b === null || a === b) {
      document.getElementById('hover-info').textContent =
        'range: write km from the origin (20, 20.5) or a progressive (36+000)';
      return;
    }
    view.set_range(Math.min(a, b), Math.max(a, b));
  });
  document.getElementById('zoom-in').addEventListener('click', () => view.zoom(zoom_in));
  document.getElementById('zoom-out').addEventListener('click', () => view.zoom(zoom_out));
  document
    .getElementById('zoom-all')
    .addEventListener('click', () => view.set_range(0, model.line_end));
}

export function wire_input(view) {
  const { model, state, canvases } = view;
  wire_canvas(
    view,
    canvases.profile,
    (e) => {
      const [x] = local_point(canvases.profile, e);
      if (x < rows.left) return null;
      const m = profile_scale(state.from, state.to, canvases.profile.clientWidth).m(x);
      return Math.max(0, Math.min(m, model.model_end - 1));
    },
    true,
  );
  wire_canvas(
    view,
    canvases.plan,
    (e) => {
      if (!view.plan_view) return null;
      const [x, y] = local_point(canvases.plan, e);
      const span = state.to - state.from;
      const from = Math.max(0, state.from - span);
      const to = Math.min(model.model_end, state.to + span);
      return nearest_metre(view.plan_view, x, y, from, to);
    },
    false,
  );
  wire_keys(view);
  wire_range(view);
}
