// The driver's documents beside the profile: the timetable sheet's rows at
// their stations (the times written, in the time strip, and the kilometre),
// each finding of the cross-check against the data marked there and listed
// with the diagnostics.
import { text_el } from './dom.js';
import { colour } from './route_model.js';
import { rows } from './profile_scale.js';
import { clock_text, time_scale_of } from './run_overlay.js';
import { km_text, metres_text } from './text.js';

// The sheet's findings by line, disagreements only.
export function disagreements_by_line(documents) {
  const out = new Map();
  for (const f of documents.findings) {
    if (f.document !== 'sheet' || !f.disagreement) continue;
    if (!out.has(f.line)) out.set(f.line, []);
    out.get(f.line).push(f);
  }
  return out;
}

// The times a row gives, seconds of day, in the order written.
export function row_times(r) {
  return [r.arrival_s, r.departure_s, r.passing_s].filter((t) => t !== null && t !== undefined);
}

// The sheet's row nearest metre m within `within` metres, or null.
export function sheet_row_near(documents, m, within) {
  let best = null;
  for (const r of documents.rows) {
    if (r.at_m === null || !r.name) continue;
    const d = Math.abs(r.at_m - m);
    if (d <= within && (best === null || d < Math.abs(best.at_m - m))) best = r;
  }
  return best;
}

// A row in words: "sheet line 26 'S. Nicola': km 7+350, 14.17+ 14.18".
export function sheet_row_text(r, findings) {
  let t = 'sheet line ' + r.line + " '" + r.name + "'";
  if (r.km_m !== null) t += ': ' + km_text(r.km_m);
  if (r.times) t += ', ' + r.times;
  const times = row_times(r);
  if (times.length) t += ' (' + times.map(clock_text).join(', ') + ')';
  if (findings && findings.length) t += ' \u2014 ' + findings.map((f) => f.id).join(', ');
  return t;
}

export function draw_sheet_rows(f) {
  const { g, model, state, x_of } = f;
  const documents = model.data.documents;
  if (!documents) return;
  const marked = disagreements_by_line(documents);
  const ts = time_scale_of(f);
  for (const r of documents.rows) {
    if (r.at_m === null || r.at_m < state.from || r.at_m > state.to) continue;
    const x = x_of(r.at_m);
    const bad = marked.has(r.line);
    const col = bad ? colour(model, 'error') : colour(model, 'sheet');
    // The row's kilometre: a tick standing on the progressive's axis.
    g.fillStyle = col;
    g.fillRect(x - 1, rows.chainage_y - 7, 3, 7);
    if (!ts) continue;
    for (const t of row_times(r)) {
      g.fillRect(x - 3, ts.y(t) - 3, 6, 6);
      if (bad) {
        g.strokeStyle = col;
        g.lineWidth = 2;
        g.beginPath();
        g.arc(x, ts.y(t), 8, 0, 2 * Math.PI);
        g.stroke();
      }
    }
  }
}

// The findings in the diagnostics' list; a click shows the place.
function list_findings(view, documents) {
  const list = document.getElementById('diag-list');
  for (const f of documents.findings) {
    const li = text_el('li', null, 'finding');
    li.appendChild(text_el('span', f.document, 'sev warning'));
    const file = f.document === 'sheet' ? documents.sheet_file : documents.form_file;
    li.appendChild(text_el('span', file + ':' + f.line + ':' + f.column + ' [' + f.id + '] '));
    li.appendChild(text_el('span', f.message));
    if (f.at_m !== null) li.addEventListener('click', () => view.centre_on(f.at_m, 4000));
    list.appendChild(li);
  }
}

// A marker over the profile for each finding with a place along the line.
function mark_findings(view, documents) {
  for (const f of documents.findings) {
    if (f.at_m === null) continue;
    const b = text_el('button', null, 'diag-marker warning');
    b.type = 'button';
    b.title = f.document + ' [' + f.id + ']: ' + f.message;
    b.setAttribute('aria-label', f.document + ' finding at ' + metres_text(f.at_m));
    b.addEventListener('click', (e) => {
      e.stopPropagation();
      view.centre_on(f.at_m, 4000);
    });
    view.canvases.markers.appendChild(b);
    view.markers.push([f.at_m, b]);
  }
}

// Joins the documents to a view: the rows' layer, the findings listed and
// marked, the row under the pointer in words.
export function add_sheet(view) {
  const documents = view.model.data.documents;
  if (!documents) return;
  view.profile_layers.splice(view.profile_layers.length - 1, 0, draw_sheet_rows);
  list_findings(view, documents);
  mark_findings(view, documents);
  const marked = disagreements_by_line(documents);
  const part = (m) => {
    const r = sheet_row_near(documents, m, view.model.cell_m * 2);
    return r ? sheet_row_text(r, marked.get(r.line)) : null;
  };
  view.hover_parts.push(part);
  view.inspector_rows.push((cell, row) => {
    const t = part((cell + 0.5) * view.model.cell_m);
    if (t) row('sheet', t);
  });
}
