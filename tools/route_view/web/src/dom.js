// Elements of the side panels. Every text from the route's files reaches
// the page through textContent, never as markup.
import { record, record_place } from './route_model.js';

export function text_el(tag, text, cls) {
  const e = document.createElement(tag);
  if (text !== undefined && text !== null) e.textContent = String(text);
  if (cls) e.className = cls;
  return e;
}

// The place and the line of the record that put something somewhere:
// "service.txt:29:1" over the line as written. Null without the record.
export function source_block(model, rec_index, what) {
  const r = record(model, rec_index);
  if (!r) return null;
  const box = text_el('div', null, 'source');
  box.appendChild(text_el('div', (what ? what + ': ' : '') + record_place(model, r), 'place'));
  box.appendChild(text_el('pre', r[4]));
  return box;
}
