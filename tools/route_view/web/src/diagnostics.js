// The checker's diagnostics: the list in the side panel, the detail of
// one with its source line, and a marker along the profile for each that
// has a place on the line. route_tool gives each its metre and its cell.
import { text_el } from './dom.js';
import { rows } from './profile_scale.js';
import { metres_text } from './text.js';

// A diagnostic shown is centred in a stretch at most this wide (metres).
const detail_span_m = 4000;

export function show_diagnostic(view, k) {
  const { model, state } = view;
  const data = model.data;
  const d = data.diagnostics[k];
  const box = document.getElementById('diag-detail');
  box.replaceChildren();
  box.appendChild(text_el('span', d.severity, 'sev ' + d.severity));
  const code = d.code !== null ? 'code ' + d.code + ': ' : '';
  box.appendChild(text_el('span', code + d.message, 'message'));
  if (d.file >= 0) {
    const src = text_el('div', null, 'source');
    const at = d.line > 0 ? ':' + d.line + ':' + d.column : '';
    src.appendChild(text_el('div', data.files[d.file] + at + ' [' + d.id + ']', 'place'));
    if (d.source) src.appendChild(text_el('pre', d.source));
    box.appendChild(src);
  }
  if (d.at_m !== null) {
    if (d.cell !== null) state.pinned = d.cell;
    view.centre_on(d.at_m, Math.min(state.to - state.from, detail_span_m));
    if (d.cell !== null) view.show_cell(d.cell);
  }
}

export function build_diagnostic_list(view) {
  const data = view.model.data;
  const list = document.getElementById('diag-list');
  document.getElementById('diag-count').textContent = data.has_sources
    ? '(' + data.errors + ' errors, ' + data.warnings + ' warnings)'
    : '';
  if (!data.has_sources) {
    const why =
      'Made from compiled files: no source lines and no diagnostics. ' +
      'Give --line and --service for them.';
    list.appendChild(text_el('li', why, 'hint'));
    return;
  }
  if (!data.diagnostics.length) list.appendChild(text_el('li', 'none', 'hint'));
  data.diagnostics.forEach((d, k) => {
    const li = text_el('li');
    li.appendChild(text_el('span', d.severity, 'sev ' + d.severity));
    const file = data.files[d.file];
    li.appendChild(text_el('span', file !== undefined ? file + ':' + d.line + ': ' : ''));
    li.appendChild(text_el('span', d.message));
    li.addEventListener('click', () => show_diagnostic(view, k));
    list.appendChild(li);
  });
}

// One button over the profile for each diagnostic with a metre; gives the
// list of [metre, button] that place_markers moves.
export function build_markers(view) {
  const markers = [];
  view.model.data.diagnostics.forEach((d, k) => {
    if (d.at_m === null) return;
    const b = text_el('button', null, 'diag-marker ' + d.severity);
    b.type = 'button';
    b.title = d.severity + ': ' + d.message;
    b.setAttribute('aria-label', d.severity + ' at ' + metres_text(d.at_m));
    b.addEventListener('click', (e) => {
      e.stopPropagation();
      show_diagnostic(view, k);
    });
    view.canvases.markers.appendChild(b);
    markers.push([d.at_m, b]);
  });
  return markers;
}

// Shows the markers in the profile's scale, hides those out of view.
export function place_markers(markers, scale) {
  for (const [m, b] of markers) {
    const on = m >= scale.from && m <= scale.to;
    b.style.display = on ? '' : 'none';
    if (on) {
      b.style.left = scale.x(m) + 'px';
      b.style.top = rows.markers - 6 + 'px';
    }
  }
}
