// The search box's answers: a km figure typed ("20.5", "36+000"), then
// stations, indication boards and speed boards whose text holds what was
// typed. Each answer carries the metre to show and the cell to keep, both
// as route_tool gave them (a typed position: the cell drawn there).
import { cell_under, chainage_at } from './route_model.js';
import { chainage_text, km_text, metres_text, parse_km } from './text.js';

// At most this many answers are listed.
const most_answers = 100;

export function find(model, text) {
  const q = text.trim().toLowerCase();
  const found = [];
  if (!q) return found;
  const data = model.data;
  const at = parse_km(model, text);
  if (at !== null && at >= 0 && at <= model.model_end) {
    const cell = cell_under(model, at);
    found.push({
      label: /\+/.test(text) ? km_text(chainage_at(model, at)) : metres_text(at) + ' from origin',
      where: chainage_text(model, at) + ', cell ' + cell,
      m: at,
      cell,
    });
  }
  const add = (key, label, where, m, cell) => {
    if (key.includes(q)) found.push({ key, label, where, m, cell });
  };
  for (const s of data.stations) {
    const where = 'station, ' + metres_text(s.axis_m) + ', ' + chainage_text(model, s.axis_m);
    add(s.name.toLowerCase(), s.name, where, s.axis_m, s.cell);
  }
  for (const b of data.indication_boards) {
    add(b[3].toLowerCase(), b[3], 'indication board, ' + metres_text(b[0]), b[0], b[1]);
  }
  for (const b of data.speed_boards) {
    add(b.label.toLowerCase(), 'speed board ' + b.label, metres_text(b.at_m), b.at_m, b.cell);
  }
  // Whole matches first, then those that start with the text, then the rest.
  const rank = (f) => {
    if (f.key === undefined || f.key === q) return 0;
    return f.key.startsWith(q) ? 1 : 2;
  };
  return found
    .map((f, k) => [rank(f), k, f])
    .sort((a, b) => a[0] - b[0] || a[1] - b[1])
    .map((x) => x[2])
    .slice(0, most_answers);
}
