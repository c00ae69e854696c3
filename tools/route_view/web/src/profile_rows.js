// The profile's rows of things along the line: stations across the strips
// with their names on top, then one row each of indication boards, speed
// boards and signals. Layers of the profile panel (profile_drawing.js).
import { diamond_path } from './canvas.js';
import { colour } from './route_model.js';
import { rows } from './profile_scale.js';
import { items_in } from './sorted.js';

export function draw_stations(f) {
  const { g, model, state, x_of } = f;
  g.font = 'bold 11px sans-serif';
  g.textAlign = 'center';
  let names_free = -1e9; // one row of names: a name that has no room is left out
  for (const s of model.data.stations) {
    if (s.end_m < state.from || s.start_m > state.to) continue;
    const x = x_of(s.axis_m);
    g.fillStyle = colour(model, 'station');
    g.globalAlpha = 0.08;
    g.fillRect(
      x_of(s.start_m),
      rows.speed_top,
      x_of(s.end_m) - x_of(s.start_m),
      rows.grade_bottom - rows.speed_top,
    );
    g.globalAlpha = 1;
    g.strokeStyle = colour(model, 'station');
    g.setLineDash([3, 3]);
    g.lineWidth = 1;
    g.beginPath();
    g.moveTo(x, rows.names + 2);
    g.lineTo(x, rows.grade_bottom);
    g.stroke();
    g.setLineDash([]);
    const tw = g.measureText(s.name).width;
    if (names_free < x - tw / 2 - 4) {
      g.fillStyle = colour(model, 'station');
      g.fillText(s.name, x, rows.names);
      names_free = x + tw / 2;
    }
  }
}

// One row of objects: each one's mark, then the texts that fit before the
// next mark and after the last text written.
function label_row(f, list, at, y, col, text, shape) {
  const { g, state, x_of } = f;
  let free = -1e9;
  g.font = '10px sans-serif';
  g.textAlign = 'left';
  const shown = [];
  const margin = f.scale.span * 0.01;
  items_in(list, at, state.from - margin, state.to + margin, (o) => {
    const x = x_of(at(o));
    g.fillStyle = col;
    shape(x, y);
    shown.push([x, text(o)]);
  });
  shown.forEach(([x, t], j) => {
    if (!t || x + 6 <= free) return;
    const tw = g.measureText(t).width;
    const next = j + 1 < shown.length ? shown[j + 1][0] - 6 : Infinity;
    if (x + 6 + tw > next) return;
    g.fillText(t, x + 6, y + 4);
    free = x + 6 + tw + 8;
  });
}

// Signals are named in words only closer than this many metres across.
const signal_words_span = 20000;

export function draw_object_rows(f) {
  const { g, model } = f;
  const data = model.data;
  label_row(
    f,
    data.indication_boards,
    (b) => b[0],
    rows.texts,
    colour(model, 'indication-board'),
    (b) => b[3],
    (x, y) => g.fillRect(x - 1, y - 6, 3, 12),
  );
  label_row(
    f,
    data.speed_boards,
    (b) => b.at_m,
    rows.boards,
    colour(model, 'speed-board'),
    (b) => b.label,
    (x, y) => g.fillRect(x - 4, y - 4, 8, 8),
  );
  label_row(
    f,
    data.signals,
    (s) => s[0],
    rows.signals,
    colour(model, 'signal'),
    () => (f.scale.span < signal_words_span ? 'signal' : ''),
    (x, y) => {
      diamond_path(g, x, y);
      g.fill();
    },
  );
}
