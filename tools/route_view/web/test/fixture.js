// A small drawing model in the shape route_tool writes, for the pure
// modules' tests: 40 cells of 50 m, a line of 1800 m, two kilometric series.
import { open_model } from '../src/route_model.js';

export function small_data(more = {}) {
  return {
    metres_per_cell: 50,
    line_length_m: 1800,
    cells: 40,
    colours: { speed: '#1565c0' },
    // From 0 m the progressive is 25 000 - m; from 1000 m, 9 000 - m.
    chainage: [
      [0, 25000],
      [1000, 9000],
    ],
    plan: [],
    occupied: [],
    // [first cell, last cell, value, record]
    speed: [
      [0, 9, 100, 0],
      [10, 19, 60, 1],
      [20, 39, 130, 2],
    ],
    gradient: [
      [0, 19, 0, -1],
      [20, 29, -12, 3],
      [30, 35, 35, 3],
      [36, 39, 50, 3],
    ],
    adhesion: [],
    tunnel_type: [],
    curves: [[120, 260, 400.04, 1, 4]],
    stations: [
      { name: 'Grotte S. Stefano', axis_m: 320, start_m: 200, end_m: 450, cell: 6, record: 5 },
      { name: 'ORTE', axis_m: 1520, start_m: 1400, end_m: 1650, cell: 30, record: 6 },
    ],
    indication_boards: [[700, 15, 2, '(P.L.A.)(km. 24+300)', 7]],
    speed_boards: [{ at_m: 900, cell: 19, label: '60/70/80', record: 8 }],
    signals: [[1100, 23, 9, 'two codes']],
    files: ['line.txt', 'service.txt'],
    records: [[1, 10, 1, 'velocita', 'velocita,    0,   100', 0]],
    diagnostics: [],
    ...more,
  };
}

export function small_model(more) {
  return open_model(small_data(more));
}
