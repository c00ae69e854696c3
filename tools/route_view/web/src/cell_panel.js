// What is where: the line of text under the panels for the metre under the
// pointer, and the inspector's table of one cell with the record behind
// each value. Overlays add their own parts through view.hover_parts
// (functions of the metre and the cell giving a text or null) and
// view.inspector_rows (functions of the cell and `row`).
import { source_block, text_el } from './dom.js';
import { cell_start_m, cell_under, profile_at } from './route_model.js';
import { chainage_text, curve_text, metres_text } from './text.js';

export function hover_text(view, m) {
  const model = view.model;
  const i = cell_under(model, m);
  const p = profile_at(model, i);
  const parts = [metres_text(m) + ' from origin', chainage_text(model, m), 'cell ' + i];
  if (p.gradient) parts.push('gradient ' + p.gradient[2] + ' \u2030');
  if (p.speed) parts.push('speed ' + p.speed[2] + ' km/h');
  if (p.adhesion) parts.push('adhesion ' + p.adhesion[2]);
  parts.push(p.curves.length ? 'curve ' + curve_text(p.curves[0]) : 'straight');
  if (p.tunnel_type && p.tunnel_type[2]) parts.push('tunnel type ' + p.tunnel_type[2]);
  for (const part of view.hover_parts) {
    const t = part(m, i);
    if (t) parts.push(t);
  }
  return parts.join(' \u00b7 ');
}

// The rows of the object in cell i: what it is, the rule that placed a
// marker, and the approach mark when another record put it there.
function object_rows(model, i, row) {
  const c = model.occupied.get(i);
  if (!c) {
    row('object', 'nothing');
    return;
  }
  row('object', c.object + (c.values ? ': ' + c.values : ''), c.record);
  if (c.placed_by) row('placed by', c.placed_by);
  if (c.raw[6] && c.mark_record !== c.record && source_block(model, c.mark_record)) {
    row('mark', 'approach mark ' + c.raw[6], c.mark_record, 'approach mark');
  }
}

function profile_rows(model, i, row) {
  const p = profile_at(model, i);
  if (p.speed) row('speed', p.speed[2] + ' km/h', p.speed[3]);
  if (p.gradient) row('gradient', p.gradient[2] + ' per mille', p.gradient[3]);
  if (p.adhesion) row('adhesion', String(p.adhesion[2]), p.adhesion[3]);
  if (p.tunnel_type && p.tunnel_type[2]) {
    row('tunnel', 'type ' + p.tunnel_type[2], p.tunnel_type[3]);
  }
  for (const cv of p.curves) row('curve', curve_text(cv), cv[4]);
  if (!p.curves.length) row('curve', 'straight');
}

// Stations whose area touches the cell, and the diagnostics route_tool
// put in it.
function station_and_diagnostic_rows(model, i, row) {
  const m0 = cell_start_m(model, i);
  const m1 = m0 + model.cell_m;
  for (const s of model.data.stations) {
    if (s.start_m < m1 && s.end_m > m0) {
      const area = ', area ' + metres_text(s.start_m) + ' to ' + metres_text(s.end_m);
      row('station', s.name + area + (s.time ? ', ' + s.time : ''), s.record);
    }
  }
  for (const d of model.data.diagnostics) if (d.cell === i) row(d.severity, d.message);
}

// Shows cell i in the inspector (nothing outside the model) and redraws
// the panels with it selected.
export function show_cell(view, i) {
  const { model, state } = view;
  if (i === null || i < 0 || i >= model.data.cells) return;
  state.shown = i;
  const body = document.getElementById('inspector-body');
  body.replaceChildren();
  const m0 = cell_start_m(model, i);
  const stretch = metres_text(m0) + ' to ' + metres_text(m0 + model.cell_m);
  const title = 'Cell ' + i + ' \u00b7 ' + stretch + ' \u00b7 ' + chainage_text(model, m0);
  body.appendChild(text_el('h3', title, 'cell-title'));
  if (state.pinned === i)
    body.appendChild(text_el('div', 'kept (Escape lets it go)', 'pinned-note'));
  const table = document.createElement('table');
  const row = (label, value, rec_index, what) => {
    const tr = document.createElement('tr');
    tr.appendChild(text_el('td', label));
    const td = text_el('td', value);
    const src = rec_index !== undefined ? source_block(model, rec_index, what) : null;
    if (src) td.appendChild(src);
    tr.appendChild(td);
    table.appendChild(tr);
  };
  object_rows(model, i, row);
  profile_rows(model, i, row);
  station_and_diagnostic_rows(model, i, row);
  for (const rows_of of view.inspector_rows) rows_of(i, row);
  body.appendChild(table);
  view.redraw();
}
