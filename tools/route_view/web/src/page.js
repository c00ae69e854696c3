// The viewer's page: opens the drawing model route_tool put into the page
// (the element #route-data) and shows one stretch [from, to] of metres on
// two linked canvases, the track plan and the profile along the line, with
// the cell inspector, the diagnostics and the scenario's figures beside
// them.
//
// Every panel works on `view`: the model, the state, the canvases, the
// actions that move the view, and the lists where overlays join
// (profile_layers, profile_margins, hover_parts, inspector_rows).
import { build_diagnostic_list, build_markers, place_markers } from './diagnostics.js';
import { text_el } from './dom.js';
import { hover_text, show_cell } from './cell_panel.js';
import { wire_input } from './input.js';
import { draw_plan } from './plan_drawing.js';
import { cell_start_m, cell_under, open_model } from './route_model.js';
import { draw_profile, profile_layers } from './profile_drawing.js';
import { grade_top, profile_scale, rows, speed_top } from './profile_scale.js';
import { add_run } from './run_overlay.js';
import { wire_search } from './search_box.js';
import { add_sheet } from './sheet_overlay.js';
import { metres_text } from './text.js';
import { centred, clamp_range, zoomed } from './view_range.js';

function make_view(data) {
  const model = open_model(data);
  const view = {
    model,
    state: {
      from: data.view.from_m,
      to: data.view.to_m,
      cursor: null, // metres under the pointer
      pinned: null, // cell kept in the inspector
      shown: null, // cell the inspector shows
      last_redraw_ms: 0,
      metre_ticks: [],
      chainage_ticks: [],
    },
    canvases: {
      plan: document.getElementById('plan'),
      profile: document.getElementById('profile'),
      markers: document.getElementById('diag-markers'),
    },
    v_top: speed_top(model),
    g_top: grade_top(model),
    profile_layers: profile_layers.slice(),
    profile_margins: [],
    hover_parts: [],
    inspector_rows: [],
    plan_view: null, // the plan's last fit: level, scale, origin
    markers: [],
  };
  view.redraw = () => {
    const t0 = performance.now();
    const f = draw_profile(view);
    place_markers(view.markers, f.scale);
    view.plan_view = draw_plan(view);
    view.state.last_redraw_ms = performance.now() - t0;
  };
  view.set_range = (from, to) => {
    const state = view.state;
    [state.from, state.to] = clamp_range(from, to, model.min_span, model.model_end);
    // The range boxes follow the view, unless the author is typing in one.
    for (const [id, m] of [
      ['range-from', state.from],
      ['range-to', state.to],
    ]) {
      const box = document.getElementById(id);
      if (document.activeElement !== box) box.value = String(Math.round(m) / 1000);
    }
    view.redraw();
  };
  view.zoom = (factor, at) => view.set_range(...zoomed(view.state.from, view.state.to, factor, at));
  view.centre_on = (m, span) => {
    const { from, to } = view.state;
    view.set_range(...centred(m, span, from, to, model.model_end));
  };
  view.show_cell = (i) => show_cell(view, i);
  view.hover = (m) => {
    view.state.cursor = m;
    document.getElementById('hover-info').textContent = m === null ? '\u00a0' : hover_text(view, m);
    if (m !== null && view.state.pinned === null) view.show_cell(cell_under(model, m));
    else view.redraw();
  };
  return view;
}

function write_heading(data) {
  const title = document.getElementById('title');
  title.textContent =
    (data.route || '(no route name)') + ' \u2014 train ' + (data.train || '(none)');
  document.title = title.textContent;
  const from = data.has_sources ? 'from ' + data.files.join(' and ') : 'from compiled files';
  document.getElementById('summary').textContent = [
    'line ' + metres_text(data.line_length_m),
    data.cells + ' cells',
    data.stations.length + ' stations',
    data.signals.length + ' signals',
    data.speed_boards.length + ' speed boards',
    data.indication_boards.length + ' indication boards',
    data.slowdowns.length + ' slowdowns',
    from,
  ].join(' \u00b7 ');
  const header_rows = document.getElementById('header-rows');
  for (const r of data.header) header_rows.appendChild(text_el('li', r));
}

// For the tests: where things are drawn, and the state of the view.
function test_hooks(view) {
  const { model, state, canvases } = view;
  return {
    state: () => ({
      from: state.from,
      to: state.to,
      shown: state.shown,
      pinned: state.pinned,
      metre_ticks: state.metre_ticks.slice(),
      chainage_ticks: state.chainage_ticks.slice(),
      last_redraw_ms: state.last_redraw_ms,
      plan_level: view.plan_view ? view.plan_view.l.tolerance : null,
    }),
    // Client coordinates of the middle of cell i in the speed strip.
    cell_point: (i) => {
      const r = canvases.profile.getBoundingClientRect();
      const scale = profile_scale(state.from, state.to, r.width);
      const m = cell_start_m(model, i) + model.cell_m / 2;
      return { x: r.left + scale.x(m), y: r.top + (rows.speed_top + rows.speed_bottom) / 2 };
    },
    set_range: view.set_range,
  };
}

export function start() {
  const data = JSON.parse(document.getElementById('route-data').textContent);
  const view = make_view(data);
  write_heading(data);
  build_diagnostic_list(view);
  view.markers = build_markers(view);
  add_run(view);
  add_sheet(view);
  wire_input(view);
  wire_search(view);
  window.addEventListener('resize', view.redraw);
  view.set_range(view.state.from, view.state.to);
  window.route_view = test_hooks(view);
  document.body.dataset.ready = '1';
  return view;
}
