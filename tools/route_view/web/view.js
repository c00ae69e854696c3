// The viewer's script: draws the drawing model that route_tool put into the
// page (the element #route-data) on two linked canvases, the track plan and
// the profile along the line, both showing one stretch [from, to] of metres.
// Every text from the route's files reaches the page through textContent or
// canvas text, never as markup.
(function () {
  'use strict';

  const data = JSON.parse(document.getElementById('route-data').textContent);
  const cell_m = data.metres_per_cell;
  const colour = (name) => data.colours[name] || '#000';
  const line_end = Math.max(data.line_length_m, cell_m);
  const model_end = Math.max(data.cells * cell_m, line_end);
  const min_span = 2 * cell_m;

  // ------------------------------------------------------------ the data ---

  // Plan levels: whole centimetres as differences, decoded once.
  const levels = data.plan.map((l) => {
    const n = l.k.length;
    const k = new Float64Array(n), x = new Float64Array(n), y = new Float64Array(n);
    let pk = 0, px = 0, py = 0;
    for (let i = 0; i < n; i++) {
      pk += l.k[i]; px += l.x_cm[i]; py += l.y_cm[i];
      k[i] = pk; x[i] = px / 100; y[i] = py / 100;
    }
    return { tolerance: l.tolerance_m, k, x, y, n };
  });

  const occupied = new Map();
  for (const c of data.occupied) occupied.set(c.cell, c);

  // The first index whose key is >= v, for arrays sorted by key.
  function lower_bound(n, key, v) {
    let lo = 0, hi = n;
    while (lo < hi) {
      const mid = (lo + hi) >> 1;
      if (key(mid) < v) lo = mid + 1; else hi = mid;
    }
    return lo;
  }

  // The run [first, last, value, record] that holds cell i.
  function run_at(runs, i) {
    const j = lower_bound(runs.length, (q) => runs[q][1], i);
    return j < runs.length && runs[j][0] <= i ? runs[j] : null;
  }

  // Objects stand in cell R(p / 50 + 1); profile values change at R(p / 50).
  const object_cell = (m) => Math.round(m / cell_m + 1);
  const cell_of = (m) => Math.floor(m / cell_m);

  function chainage_at(m) {
    let s = null;
    for (const c of data.chainage) if (c[0] <= m) s = c;
    return s ? s[1] - Math.round(m) : null;
  }
  function position_of_chainage(c) {
    for (let i = 0; i < data.chainage.length; i++) {
      const s = data.chainage[i];
      const to = i + 1 < data.chainage.length ? data.chainage[i + 1][0] : line_end;
      const m = s[1] - c;
      if (m >= s[0] && m <= to) return m;
    }
    return null;
  }
  function km_text(c) {
    const neg = c < 0, a = Math.abs(Math.round(c));
    return 'km ' + (neg ? '-' : '') + Math.floor(a / 1000) + '+' + String(a % 1000).padStart(3, '0');
  }
  function chainage_text(m) {
    const c = chainage_at(m);
    return c === null ? 'no kilometric series' : km_text(c);
  }
  function metres_text(m) {
    return Math.round(m).toLocaleString('en-US').replace(/,/g, '\u2009') + ' m';
  }

  // A km figure as the range box and the search take it: km from the
  // origin ("20", "20.5") or a progressive ("36+000", "km 36+000").
  function parse_km(text) {
    const t = text.trim();
    let m = /^(-?\d+(?:\.\d+)?)$/.exec(t);
    if (m) return parseFloat(m[1]) * 1000;
    m = /^(?:km\.?\s*)?(\d+)\+(\d{1,3})$/i.exec(t);
    if (m) return position_of_chainage(parseInt(m[1], 10) * 1000 + parseInt(m[2], 10));
    return null;
  }

  function record(i) {
    return i >= 0 && i < data.records.length ? data.records[i] : null;
  }
  function record_place(r) {
    return data.files[r[0]] + ':' + r[1] + ':' + r[2];
  }

  // ----------------------------------------------------------- the state ---

  const state = {
    from: data.view.from_m,
    to: data.view.to_m,
    cursor: null,   // metres under the pointer
    pinned: null,   // cell kept in the inspector
    shown: null,    // cell the inspector shows
    last_redraw_ms: 0,
    metre_ticks: [],
    chainage_ticks: [],
  };

  function set_range(from, to) {
    let span = Math.max(to - from, min_span);
    span = Math.min(span, model_end);
    let f = from;
    if (to - from < min_span) f = (from + to) / 2 - span / 2;
    f = Math.max(0, Math.min(f, model_end - span));
    state.from = f;
    state.to = f + span;
    // The range boxes follow the view, unless the author is typing in one.
    for (const [id, m] of [['range-from', state.from], ['range-to', state.to]]) {
      const box = document.getElementById(id);
      if (document.activeElement !== box) box.value = String(Math.round(m) / 1000);
    }
    redraw();
  }
  function zoom(factor, at) {
    const a = at === undefined ? (state.from + state.to) / 2 : at;
    set_range(a - (a - state.from) * factor, a + (state.to - a) * factor);
  }
  function centre_on(m, span) {
    const s = Math.min(span || (state.to - state.from), model_end);
    set_range(m - s / 2, m + s / 2);
  }

  // ---------------------------------------------------------- canvases ---

  const plan_canvas = document.getElementById('plan');
  const profile_canvas = document.getElementById('profile');
  const marker_box = document.getElementById('diag-markers');

  function fit(canvas) {
    const r = canvas.getBoundingClientRect();
    const dpr = window.devicePixelRatio || 1;
    const w = Math.max(1, Math.round(r.width * dpr)), h = Math.max(1, Math.round(r.height * dpr));
    if (canvas.width !== w || canvas.height !== h) { canvas.width = w; canvas.height = h; }
    const g = canvas.getContext('2d');
    g.setTransform(dpr, 0, 0, dpr, 0, 0);
    return { g, w: r.width, h: r.height };
  }

  // Profile rows, in CSS pixels from the top.
  const P = {
    left: 74, right: 12,
    names: 14, texts: 30, boards: 50, signals: 68, markers: 80,
    speed_top: 96, speed_bottom: 206,
    grade_top: 216, grade_bottom: 306,
    bands_top: 314, curves_top: 332,
    axis_y: 352, chainage_y: 382,
  };

  function px_of(m, w) {
    return P.left + (m - state.from) / (state.to - state.from) * (w - P.left - P.right);
  }
  function m_of_px(x, w) {
    return state.from + (x - P.left) / (w - P.left - P.right) * (state.to - state.from);
  }

  // Runs of the cells from a to b (inclusive), clipped.
  function runs_in(runs, a, b, f) {
    for (let j = lower_bound(runs.length, (q) => runs[q][1], a); j < runs.length && runs[j][0] <= b; j++) {
      f(runs[j]);
    }
  }
  // Items sorted by metres with at least `from` .. `to` in view.
  function items_in(list, at, from, to, f) {
    for (let j = lower_bound(list.length, (q) => at(list[q]), from); j < list.length && at(list[j]) <= to; j++) {
      f(list[j], j);
    }
  }

  const nice_steps = [50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000, 500000];
  function tick_step(span, width, min_px) {
    for (const s of nice_steps) if (s / span * width >= min_px) return s;
    return nice_steps[nice_steps.length - 1];
  }

  let v_top = 50, g_top = 5;
  for (const r of data.speed) if (r[0] * cell_m < line_end) v_top = Math.max(v_top, Math.ceil((r[2] + 20) / 20) * 20);
  for (const r of data.gradient) if (r[0] * cell_m < line_end) g_top = Math.max(g_top, Math.abs(r[2]));
  g_top = g_top > 20 ? Math.ceil(g_top / 20) * 20 : Math.ceil(g_top / 10) * 10;

  function draw_profile() {
    const { g, w, h } = fit(profile_canvas);
    g.clearRect(0, 0, w, h);
    const inner = w - P.left - P.right;
    const X = (m) => px_of(m, w);
    const a_cell = Math.max(0, cell_of(state.from) - 1), b_cell = cell_of(state.to) + 1;
    const span = state.to - state.from;
    g.save();
    g.beginPath(); g.rect(P.left, 0, inner, h); g.clip();

    // Past the line's end.
    if (state.to > line_end) {
      g.fillStyle = '#f1f1f1';
      g.fillRect(X(line_end), P.speed_top, X(state.to) - X(line_end), P.grade_bottom - P.speed_top);
    }
    // Cell boundaries when cells are wide enough to tell apart.
    const cell_px = cell_m / span * inner;
    if (cell_px >= 5) {
      g.strokeStyle = '#eceae4'; g.lineWidth = 1; g.beginPath();
      for (let c = a_cell; c <= b_cell; c++) {
        const x = Math.round(X(c * cell_m)) + 0.5;
        g.moveTo(x, P.speed_top); g.lineTo(x, P.grade_bottom);
      }
      g.stroke();
    }
    // Selected cell.
    if (state.shown !== null) {
      g.fillStyle = colour('selection'); g.globalAlpha = 0.45;
      const x0 = X(state.shown * cell_m), x1 = Math.max(X((state.shown + 1) * cell_m), x0 + 2);
      g.fillRect(x0, P.texts - 12, x1 - x0, P.chainage_y - P.texts + 4);
      g.globalAlpha = 1;
    }

    // Speed strip.
    const vy = (v) => P.speed_bottom - Math.max(0, Math.min(v, v_top)) / v_top * (P.speed_bottom - P.speed_top);
    if (data.coded_zone) {
      const z = data.coded_zone;
      g.fillStyle = colour('coded-zone');
      g.fillRect(X(z[0]), P.speed_top, X(z[1]) - X(z[0]), 10);
    }
    for (const s of data.slowdowns) {
      if (s[1] < state.from || s[0] > state.to) continue;
      const x0 = X(s[0]), x1 = Math.max(X(s[1]), x0 + 3);
      g.fillStyle = colour('slowdown'); g.globalAlpha = 0.25;
      g.fillRect(x0, P.speed_top, x1 - x0, vy(s[4]) - P.speed_top);
      g.globalAlpha = 1; g.strokeStyle = colour('slowdown'); g.lineWidth = 2.5;
      g.beginPath(); g.moveTo(x0, vy(s[4])); g.lineTo(x1, vy(s[4])); g.stroke();
      g.fillStyle = colour('slowdown'); g.font = 'bold 10px sans-serif'; g.textAlign = 'center';
      g.fillText(s[4] + ' km/h', (x0 + x1) / 2, vy(s[4]) + 12);
    }
    g.strokeStyle = colour('speed'); g.lineWidth = 2; g.beginPath();
    let first = true, last_label = -1e9;
    g.font = '10px sans-serif'; g.textAlign = 'left';
    const labels = [];
    runs_in(data.speed, a_cell, b_cell, (r) => {
      const x0 = X(r[0] * cell_m), x1 = X((r[1] + 1) * cell_m), y = vy(r[2]);
      if (first) { g.moveTo(x0, y); first = false; } else g.lineTo(x0, y);
      g.lineTo(x1, y);
      if (x0 - last_label > 30) { labels.push([Math.max(x0, P.left) + 3, y - 4, String(r[2])]); last_label = x0; }
    });
    g.stroke();
    g.fillStyle = colour('speed');
    for (const l of labels) g.fillText(l[2], l[0], l[1]);

    // Gradient strip.
    const g_mid = (P.grade_top + P.grade_bottom) / 2;
    const gy = (v) => g_mid - Math.max(-g_top, Math.min(v, g_top)) / g_top * (P.grade_bottom - P.grade_top) / 2;
    runs_in(data.gradient, a_cell, b_cell, (r) => {
      if (r[2] === 0) return;
      const x0 = X(r[0] * cell_m), x1 = Math.max(X((r[1] + 1) * cell_m), x0 + 1);
      g.fillStyle = colour(r[2] > 0 ? 'uphill' : 'downhill');
      g.fillRect(x0, Math.min(gy(r[2]), g_mid), x1 - x0, Math.abs(gy(r[2]) - g_mid));
    });
    g.strokeStyle = '#555'; g.lineWidth = 1;
    g.beginPath(); g.moveTo(P.left, g_mid); g.lineTo(w - P.right, g_mid); g.stroke();

    // Tunnels and curves.
    g.fillStyle = colour('tunnel');
    for (const t of data.tunnels) {
      if (t[1] < state.from || t[0] > state.to) continue;
      g.fillRect(X(t[0]), P.bands_top, Math.max(X(t[1]) - X(t[0]), 1), 12);
    }
    g.fillStyle = colour('curve');
    for (const c of data.curves) {
      if (c[1] < state.from || c[0] > state.to) continue;
      const x0 = X(c[0]), x1 = Math.max(X(c[1]), x0 + 1);
      // Right-hand curves above the line, left-hand below.
      g.fillRect(x0, c[3] > 0 ? P.curves_top : P.curves_top + 6, x1 - x0, 6);
      if (x1 - x0 > 60) {
        g.font = '9px sans-serif'; g.textAlign = 'center';
        g.fillText('R ' + Math.round(c[2]), (x0 + x1) / 2, P.curves_top + (c[3] > 0 ? -1 : 20));
      }
    }

    // Stations across the strips, names on top.
    g.font = 'bold 11px sans-serif'; g.textAlign = 'center';
    let names_free = -1e9;  // one row of names: a name that has no room is left out
    for (const s of data.stations) {
      if (s.end_m < state.from || s.start_m > state.to) continue;
      const x = X(s.axis_m);
      g.fillStyle = colour('station'); g.globalAlpha = 0.08;
      g.fillRect(X(s.start_m), P.speed_top, X(s.end_m) - X(s.start_m), P.grade_bottom - P.speed_top);
      g.globalAlpha = 1;
      g.strokeStyle = colour('station'); g.setLineDash([3, 3]); g.lineWidth = 1;
      g.beginPath(); g.moveTo(x, P.names + 2); g.lineTo(x, P.grade_bottom); g.stroke();
      g.setLineDash([]);
      const tw = g.measureText(s.name).width;
      if (names_free < x - tw / 2 - 4) {
        g.fillStyle = colour('station');
        g.fillText(s.name, x, P.names);
        names_free = x + tw / 2;
      }
    }
    // Indication boards, speed boards, signals: one row each.
    const label_row = (list, at, y, col, text, shape) => {
      let free = -1e9;
      g.font = '10px sans-serif'; g.textAlign = 'left';
      // Marks first, then the texts that fit before the next mark.
      const shown = [];
      items_in(list, at, state.from - span * 0.01, state.to + span * 0.01, (o) => {
        const x = X(at(o));
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
    };
    label_row(data.indication_boards, (b) => b[0], P.texts, colour('indication-board'),
      (b) => b[3], (x, y) => g.fillRect(x - 1, y - 6, 3, 12));
    label_row(data.speed_boards, (b) => b.at_m, P.boards, colour('speed-board'),
      (b) => b.label, (x, y) => g.fillRect(x - 4, y - 4, 8, 8));
    label_row(data.signals, (s) => s[0], P.signals, colour('signal'),
      () => (span < 20000 ? 'signal' : ''), (x, y) => {
        g.beginPath(); g.moveTo(x, y - 5); g.lineTo(x + 5, y); g.lineTo(x, y + 5); g.lineTo(x - 5, y); g.fill();
      });

    // Cursor.
    if (state.cursor !== null) {
      g.strokeStyle = colour('cursor'); g.lineWidth = 1;
      const x = Math.round(X(state.cursor)) + 0.5;
      g.beginPath(); g.moveTo(x, P.texts - 12); g.lineTo(x, P.chainage_y); g.stroke();
    }
    g.restore();

    // Strip labels and scales.
    g.fillStyle = '#333'; g.font = 'bold 11px sans-serif'; g.textAlign = 'left';
    g.fillText('texts', 4, P.texts + 4); g.fillText('boards', 4, P.boards + 4); g.fillText('signals', 4, P.signals + 4);
    g.fillText('speed', 4, (P.speed_top + P.speed_bottom) / 2);
    g.fillText('gradient', 4, g_mid - 4);
    g.fillText('tunnels', 4, P.bands_top + 10); g.fillText('curves', 4, P.curves_top + 10);
    g.font = '10px sans-serif'; g.fillStyle = '#666';
    g.fillText('km/h', 4, (P.speed_top + P.speed_bottom) / 2 + 12);
    g.fillText('per mille', 4, g_mid + 8);
    g.textAlign = 'right';
    for (let v = 0; v <= v_top; v += Math.max(20, v_top / 5 - (v_top / 5) % 20)) g.fillText(String(v), P.left - 4, vy(v) + 3);
    g.fillText('+' + g_top, P.left - 4, gy(g_top) + 8); g.fillText('-' + g_top, P.left - 4, gy(-g_top));
    g.strokeStyle = '#c8c4b8';
    g.strokeRect(P.left + 0.5, P.speed_top + 0.5, inner, P.speed_bottom - P.speed_top);
    g.strokeRect(P.left + 0.5, P.grade_top + 0.5, inner, P.grade_bottom - P.grade_top);

    // Axes: metres from the origin, then the kilometric progressive.
    g.strokeStyle = '#333'; g.fillStyle = '#333'; g.lineWidth = 1;
    g.beginPath(); g.moveTo(P.left, P.axis_y + 0.5); g.lineTo(w - P.right, P.axis_y + 0.5); g.stroke();
    const step = tick_step(span, inner, 90);
    state.metre_ticks = [];
    g.textAlign = 'center'; g.font = '11px sans-serif';
    for (let m = Math.ceil(state.from / step) * step; m <= state.to; m += step) {
      const x = Math.round(X(m)) + 0.5;
      g.beginPath(); g.moveTo(x, P.axis_y); g.lineTo(x, P.axis_y + 6); g.stroke();
      const label = step >= 1000 ? (m / 1000) + ' km' : (m / 1000).toFixed(step >= 100 ? 1 : 2) + ' km';
      g.fillText(label, x, P.axis_y + 17);
      state.metre_ticks.push(label);
    }
    g.textAlign = 'left'; g.fillStyle = '#666'; g.font = '10px sans-serif';
    g.fillText('from origin', 4, P.axis_y + 14);
    g.fillText('progressive', 4, P.chainage_y + 12);
    g.strokeStyle = '#1f4e8c'; g.fillStyle = '#1f4e8c'; g.textAlign = 'center'; g.font = '11px sans-serif';
    g.beginPath(); g.moveTo(P.left, P.chainage_y + 0.5); g.lineTo(w - P.right, P.chainage_y + 0.5); g.stroke();
    state.chainage_ticks = [];
    let chainage_free = -1e9;
    for (let i = 0; i < data.chainage.length; i++) {
      const s = data.chainage[i];
      const to = Math.min(i + 1 < data.chainage.length ? data.chainage[i + 1][0] : model_end, state.to);
      const from = Math.max(s[0], state.from);
      if (from > to) continue;
      if (i > 0 && s[0] >= state.from) {
        const x = Math.round(X(s[0])) + 0.5;
        g.beginPath(); g.moveTo(x, P.chainage_y - 6); g.lineTo(x, P.chainage_y + 16); g.stroke();
      }
      // Progressives count down along the line: origin - m.
      const c_hi = s[1] - from, c_lo = s[1] - to;
      for (let c = Math.floor(c_hi / step) * step; c >= c_lo; c -= step) {
        const x = Math.round(X(s[1] - c)) + 0.5;
        g.beginPath(); g.moveTo(x, P.chainage_y); g.lineTo(x, P.chainage_y + 6); g.stroke();
        const label = km_text(c);
        const tw = g.measureText(label).width;
        if (x - tw / 2 > chainage_free) {
          g.fillText(label, x, P.chainage_y + 17);
          chainage_free = x + tw / 2 + 6;
        }
        state.chainage_ticks.push(label);
      }
    }
    place_markers(w);
  }

  // ------------------------------------------------------------ the plan ---

  let plan_view = null;  // the last plan drawn: level, scale, offsets

  function level_for(tolerance) {
    let best = levels[0];
    for (const l of levels) if (l.tolerance <= tolerance) best = l;
    return best;
  }
  function plan_at(l, m) {
    if (!l || l.n === 0) return null;
    const j = lower_bound(l.n, (q) => l.k[q], m);
    if (j === 0) return [l.x[0], l.y[0]];
    if (j >= l.n) return [l.x[l.n - 1], l.y[l.n - 1]];
    const t = (m - l.k[j - 1]) / (l.k[j] - l.k[j - 1]);
    return [l.x[j - 1] + t * (l.x[j] - l.x[j - 1]), l.y[j - 1] + t * (l.y[j] - l.y[j - 1])];
  }
  function bounds(l, from, to) {
    let x0 = Infinity, x1 = -Infinity, y0 = Infinity, y1 = -Infinity;
    const add = (p) => { if (p) { x0 = Math.min(x0, p[0]); x1 = Math.max(x1, p[0]); y0 = Math.min(y0, p[1]); y1 = Math.max(y1, p[1]); } };
    add(plan_at(l, from)); add(plan_at(l, to));
    for (let j = lower_bound(l.n, (q) => l.k[q], from); j < l.n && l.k[j] <= to; j++) add([l.x[j], l.y[j]]);
    return { x0, x1, y0, y1 };
  }

  function draw_plan() {
    const { g, w, h } = fit(plan_canvas);
    g.clearRect(0, 0, w, h);
    if (levels.length === 0) {
      g.fillStyle = '#777'; g.font = '14px sans-serif'; g.textAlign = 'center';
      g.fillText('no track geometry', w / 2, h / 2);
      plan_view = null;
      return;
    }
    // Fit the stretch in view with equal scales, north up; pick the level
    // thin enough for half a pixel.
    const coarse = levels[levels.length - 1];
    let b = bounds(coarse, state.from, state.to);
    const pad = 40;
    const scale_of = (bb) => Math.min((w - 2 * pad) / Math.max(bb.x1 - bb.x0, 1), (h - 2 * pad) / Math.max(bb.y1 - bb.y0, 1));
    let l = level_for(0.5 / scale_of(b));
    b = bounds(l, state.from, state.to);
    const scale = scale_of(b);
    l = level_for(0.5 / scale);
    const ox = w / 2 - (b.x0 + b.x1) / 2 * scale, oy = h / 2 + (b.y0 + b.y1) / 2 * scale;
    plan_view = { l, scale, ox, oy, w, h };
    const S = (p) => [ox + p[0] * scale, oy - p[1] * scale];
    const span = state.to - state.from;

    const stroke = (from, to, style, width, alpha, dash) => {
      from = Math.max(from, 0);
      if (to < from) return;
      g.strokeStyle = style; g.lineWidth = width; g.globalAlpha = alpha || 1;
      g.setLineDash(dash || []);
      g.beginPath();
      let p = S(plan_at(l, from));
      g.moveTo(p[0], p[1]);
      for (let j = lower_bound(l.n, (q) => l.k[q], from); j < l.n && l.k[j] < to; j++) {
        g.lineTo(ox + l.x[j] * scale, oy - l.y[j] * scale);
      }
      p = S(plan_at(l, to));
      g.lineTo(p[0], p[1]);
      g.stroke();
      g.globalAlpha = 1; g.setLineDash([]);
    };
    // Context on both sides, faint; the tail past the line's end dashed.
    stroke(state.from - 3 * span, state.from, '#b0b0b0', 1.5);
    stroke(state.to, Math.min(state.to + 3 * span, line_end), '#b0b0b0', 1.5);
    stroke(Math.max(line_end, state.from - 3 * span), state.to + 3 * span, colour('past-end'), 1.5, 1, [5, 4]);
    for (const t of data.tunnels) if (t[1] >= state.from && t[0] <= state.to) stroke(t[0], t[1], colour('tunnel'), 8, 0.55);
    for (const s of data.stations) if (s.end_m >= state.from && s.start_m <= state.to) stroke(s.start_m, s.end_m, colour('station'), 8, 0.3);
    for (const s of data.slowdowns) if (s[1] >= state.from && s[0] <= state.to) stroke(s[0], s[1], colour('slowdown'), 8, 0.8);
    stroke(state.from, Math.min(state.to, line_end), colour('track'), 2.4);
    if (state.shown !== null) stroke(state.shown * cell_m, (state.shown + 1) * cell_m, colour('selection'), 12, 0.8);

    const dot = (m, f) => { const p = plan_at(l, m); if (p) { const q = S(p); f(q[0], q[1]); } };
    const in_view = (m) => m >= state.from - span * 0.02 && m <= state.to + span * 0.02;
    // Labels go where no label stands yet: stations first, then boards.
    const taken = [];
    const label = (text, x, y, font, col) => {
      g.font = font;
      const tw = g.measureText(text).width, th = 12;
      const r = [x, y - th + 2, x + tw, y + 2];
      for (const t of taken) if (r[0] < t[2] && r[2] > t[0] && r[1] < t[3] && r[3] > t[1]) return;
      taken.push(r);
      g.fillStyle = col; g.textAlign = 'left';
      g.fillText(text, x, y);
    };
    const stations = data.stations.filter((s) => in_view(s.axis_m));
    for (const s of stations) dot(s.axis_m, (x, y) => label(s.name, x + 9, y + 4, 'bold 12px sans-serif', colour('station')));
    const texts = data.indication_boards.filter((b2) => in_view(b2[0]));
    for (const t of texts) dot(t[0], (x, y) => {
      g.fillStyle = colour('indication-board'); g.fillRect(x - 2, y - 2, 4, 4);
    });
    const boards = data.speed_boards.filter((b2) => in_view(b2.at_m));
    for (const b2 of boards) dot(b2.at_m, (x, y) => {
      g.fillStyle = colour('speed-board'); g.fillRect(x - 4, y - 4, 8, 8);
      label(b2.label, x + 7, y - 5, '10px sans-serif', colour('speed-board'));
    });
    for (const t of texts) dot(t[0], (x, y) => label(t[3], x + 6, y + 12, '10px sans-serif', colour('indication-board')));
    const signals = data.signals.filter((s) => in_view(s[0]));
    for (const s of signals) dot(s[0], (x, y) => {
      g.fillStyle = colour('signal'); g.strokeStyle = '#fff'; g.lineWidth = 1;
      g.beginPath(); g.moveTo(x, y - 5); g.lineTo(x + 5, y); g.lineTo(x, y + 5); g.lineTo(x - 5, y); g.closePath(); g.fill(); g.stroke();
    });
    for (const s of stations) dot(s.axis_m, (x, y) => {
      g.fillStyle = '#fff'; g.strokeStyle = colour('station'); g.lineWidth = 2.4;
      g.beginPath(); g.arc(x, y, 5.5, 0, 2 * Math.PI); g.fill(); g.stroke();
    });
    for (const d of data.diagnostics) if (d.at_m !== null && in_view(d.at_m)) dot(d.at_m, (x, y) => {
      g.fillStyle = colour(d.severity === 'error' ? 'error' : 'warning');
      g.beginPath(); g.arc(x, y - 12, 5, 0, 2 * Math.PI); g.fill();
    });
    if (state.cursor !== null) dot(state.cursor, (x, y) => {
      g.strokeStyle = colour('cursor'); g.lineWidth = 2;
      g.beginPath(); g.arc(x, y, 9, 0, 2 * Math.PI); g.stroke();
    });

    // Scale bar and north arrow.
    let bar = 1;
    for (const n of [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000]) if (n * scale <= 140) bar = n;
    g.fillStyle = '#333'; g.fillRect(16, h - 20, bar * scale, 5);
    g.font = '10px sans-serif'; g.textAlign = 'left';
    g.fillText(bar >= 1000 ? bar / 1000 + ' km' : bar + ' m', 16, h - 26);
    g.beginPath(); g.moveTo(24, 10); g.lineTo(30, 28); g.lineTo(24, 24); g.lineTo(18, 28); g.fill();
    g.fillText('N', 21, 40);
  }

  // The metre of the track nearest to a point of the plan canvas.
  function plan_metres(px, py) {
    if (!plan_view) return null;
    const { l, scale, ox, oy } = plan_view;
    const span = state.to - state.from;
    const x = (px - ox) / scale, y = (oy - py) / scale;
    let best = null, best_d = Infinity;
    const from = Math.max(0, state.from - span), to = Math.min(model_end, state.to + span);
    let j = Math.max(1, lower_bound(l.n, (q) => l.k[q], from));
    for (; j < l.n && l.k[j - 1] <= to; j++) {
      const ax = l.x[j - 1], ay = l.y[j - 1], dx = l.x[j] - ax, dy = l.y[j] - ay;
      const len2 = dx * dx + dy * dy;
      const t = len2 > 0 ? Math.max(0, Math.min(1, ((x - ax) * dx + (y - ay) * dy) / len2)) : 0;
      const d = Math.hypot(x - ax - t * dx, y - ay - t * dy);
      if (d < best_d) { best_d = d; best = l.k[j - 1] + t * (l.k[j] - l.k[j - 1]); }
    }
    return best_d * scale <= 40 ? best : null;
  }

  // ----------------------------------------------------- what is where ---

  function text_el(tag, text, cls) {
    const e = document.createElement(tag);
    if (text !== undefined && text !== null) e.textContent = String(text);
    if (cls) e.className = cls;
    return e;
  }

  function source_block(rec_index, what) {
    const r = record(rec_index);
    if (!r) return null;
    const box = text_el('div', null, 'source');
    box.appendChild(text_el('div', (what ? what + ': ' : '') + record_place(r), 'place'));
    box.appendChild(text_el('pre', r[4]));
    return box;
  }

  function profile_at(i) {
    const out = {};
    for (const name of ['speed', 'gradient', 'adhesion', 'tunnel_type']) out[name] = run_at(data[name], i);
    const m0 = i * cell_m, m1 = m0 + cell_m;
    out.curves = data.curves.filter((c) => c[0] < m1 && c[1] > m0);
    return out;
  }

  function curve_text(c) {
    return 'radius ' + Math.round(c[2]) + ' m to the ' + (c[3] > 0 ? 'right' : 'left') +
      ' (' + metres_text(c[0]) + ' to ' + metres_text(c[1]) + ')';
  }

  function hover_text(m) {
    const i = cell_of(m);
    const p = profile_at(i);
    const parts = [metres_text(m) + ' from origin', chainage_text(m), 'cell ' + i];
    if (p.gradient) parts.push('gradient ' + p.gradient[2] + ' \u2030');
    if (p.speed) parts.push('speed ' + p.speed[2] + ' km/h');
    if (p.adhesion) parts.push('adhesion ' + p.adhesion[2]);
    parts.push(p.curves.length ? 'curve ' + curve_text(p.curves[0]) : 'straight');
    if (p.tunnel_type && p.tunnel_type[2]) parts.push('tunnel type ' + p.tunnel_type[2]);
    return parts.join(' \u00b7 ');
  }

  function show_cell(i) {
    if (i === null || i < 0 || i >= data.cells) return;
    state.shown = i;
    const body = document.getElementById('inspector-body');
    body.replaceChildren();
    const m0 = i * cell_m;
    body.appendChild(text_el('h3', 'Cell ' + i + ' \u00b7 ' + metres_text(m0) + ' to ' + metres_text(m0 + cell_m) + ' \u00b7 ' + chainage_text(m0), 'cell-title'));
    if (state.pinned === i) body.appendChild(text_el('div', 'kept (Escape lets it go)', 'pinned-note'));
    const table = document.createElement('table');
    const row = (label, value, rec_index, what) => {
      const tr = document.createElement('tr');
      tr.appendChild(text_el('td', label));
      const td = text_el('td', value);
      const src = rec_index !== undefined ? source_block(rec_index, what) : null;
      if (src) td.appendChild(src);
      tr.appendChild(td);
      table.appendChild(tr);
    };
    const c = occupied.get(i);
    if (c) {
      row('object', c.object + (c.values ? ': ' + c.values : ''), c.record);
      if (c.placed_by) row('placed by', c.placed_by);
      if (c.raw[6] && c.mark_record !== c.record) {
        const src = source_block(c.mark_record, 'approach mark');
        if (src) row('mark', 'approach mark ' + c.raw[6], c.mark_record, 'approach mark');
      }
    } else {
      row('object', 'nothing');
    }
    const p = profile_at(i);
    if (p.speed) row('speed', p.speed[2] + ' km/h', p.speed[3]);
    if (p.gradient) row('gradient', p.gradient[2] + ' per mille', p.gradient[3]);
    if (p.adhesion) row('adhesion', String(p.adhesion[2]), p.adhesion[3]);
    if (p.tunnel_type && p.tunnel_type[2]) row('tunnel', 'type ' + p.tunnel_type[2], p.tunnel_type[3]);
    for (const cv of p.curves) row('curve', curve_text(cv), cv[4]);
    if (!p.curves.length) row('curve', 'straight');
    for (const s of data.stations) {
      if (s.start_m < m0 + cell_m && s.end_m > m0) row('station', s.name + ', area ' + metres_text(s.start_m) + ' to ' + metres_text(s.end_m) + (s.time ? ', ' + s.time : ''), s.record);
    }
    data.diagnostics.forEach((d, k) => {
      if (d.at_m !== null && (object_cell(d.at_m) === i || cell_of(d.at_m) === i)) row(d.severity, d.message);
    });
    body.appendChild(table);
    redraw();
  }

  // -------------------------------------------------------- diagnostics ---

  function show_diagnostic(k) {
    const d = data.diagnostics[k];
    const box = document.getElementById('diag-detail');
    box.replaceChildren();
    box.appendChild(text_el('span', d.severity, 'sev ' + d.severity));
    box.appendChild(text_el('span', (d.code !== null ? 'code ' + d.code + ': ' : '') + d.message, 'message'));
    if (d.file >= 0) {
      const src = text_el('div', null, 'source');
      src.appendChild(text_el('div', data.files[d.file] + (d.line > 0 ? ':' + d.line + ':' + d.column : '') + ' [' + d.id + ']', 'place'));
      if (d.source) src.appendChild(text_el('pre', d.source));
      box.appendChild(src);
    }
    if (d.at_m !== null) {
      state.pinned = object_cell(d.at_m);
      centre_on(d.at_m, Math.min(state.to - state.from, 4000));
      show_cell(state.pinned);
    }
  }

  function build_diagnostic_list() {
    const list = document.getElementById('diag-list');
    document.getElementById('diag-count').textContent = data.has_sources
      ? '(' + data.errors + ' errors, ' + data.warnings + ' warnings)'
      : '';
    if (!data.has_sources) {
      list.appendChild(text_el('li', 'Made from compiled files: no source lines and no diagnostics. Give --line and --service for them.', 'hint'));
      return;
    }
    if (!data.diagnostics.length) list.appendChild(text_el('li', 'none', 'hint'));
    data.diagnostics.forEach((d, k) => {
      const li = text_el('li');
      li.appendChild(text_el('span', d.severity, 'sev ' + d.severity));
      li.appendChild(text_el('span', data.files[d.file] !== undefined ? data.files[d.file] + ':' + d.line + ': ' : ''));
      li.appendChild(text_el('span', d.message));
      li.addEventListener('click', () => show_diagnostic(k));
      list.appendChild(li);
    });
  }

  const markers = [];
  function build_markers() {
    data.diagnostics.forEach((d, k) => {
      if (d.at_m === null) return;
      const b = text_el('button', null, 'diag-marker ' + d.severity);
      b.type = 'button';
      b.title = d.severity + ': ' + d.message;
      b.setAttribute('aria-label', d.severity + ' at ' + metres_text(d.at_m));
      b.addEventListener('click', (e) => { e.stopPropagation(); show_diagnostic(k); });
      marker_box.appendChild(b);
      markers.push([d.at_m, b]);
    });
  }
  function place_markers(w) {
    for (const [m, b] of markers) {
      const on = m >= state.from && m <= state.to;
      b.style.display = on ? '' : 'none';
      if (on) { b.style.left = px_of(m, w) + 'px'; b.style.top = (P.markers - 6) + 'px'; }
    }
  }

  // -------------------------------------------------------------- search ---

  function search(text) {
    const q = text.trim().toLowerCase();
    const found = [];
    if (!q) return found;
    const at = parse_km(text);
    if (at !== null && at >= 0 && at <= model_end) {
      found.push({ label: /\+/.test(text) ? km_text(chainage_at(at)) : metres_text(at) + ' from origin', where: chainage_text(at) + ', cell ' + cell_of(at), m: at, cell: cell_of(at) });
    }
    for (const s of data.stations) {
      if (s.name.toLowerCase().includes(q)) found.push({ key: s.name.toLowerCase(), label: s.name, where: 'station, ' + metres_text(s.axis_m) + ', ' + chainage_text(s.axis_m), m: s.axis_m, cell: cell_of(s.axis_m) });
    }
    for (const b of data.indication_boards) {
      if (b[3].toLowerCase().includes(q)) found.push({ key: b[3].toLowerCase(), label: b[3], where: 'indication board, ' + metres_text(b[0]), m: b[0], cell: b[1] });
    }
    for (const b of data.speed_boards) {
      if (b.label.toLowerCase().includes(q)) found.push({ key: b.label.toLowerCase(), label: 'speed board ' + b.label, where: metres_text(b.at_m), m: b.at_m, cell: b.cell });
    }
    // Whole matches first, then those that start with the text, then the rest.
    const rank = (f) => (f.key === undefined ? 0 : f.key === q ? 0 : f.key.startsWith(q) ? 1 : 2);
    return found.map((f, k) => [rank(f), k, f]).sort((a, b) => a[0] - b[0] || a[1] - b[1]).map((x) => x[2]).slice(0, 100);
  }

  function jump(m, cell) {
    centre_on(m, Math.min(state.to - state.from, 2000));
    state.pinned = cell;
    show_cell(cell);
  }

  function show_results(found) {
    const list = document.getElementById('search-results');
    list.replaceChildren();
    found.forEach((f, k) => {
      const li = text_el('li', f.label);
      if (k === 0) li.classList.add('active');
      li.appendChild(text_el('span', f.where, 'where'));
      li.addEventListener('mousedown', (e) => { e.preventDefault(); jump(f.m, f.cell); list.replaceChildren(); });
      list.appendChild(li);
    });
    if (!found.length && document.getElementById('search').value.trim()) list.appendChild(text_el('li', 'nothing found', 'hint'));
  }

  // -------------------------------------------------------------- events ---

  function redraw() {
    const t0 = performance.now();
    draw_profile();
    draw_plan();
    state.last_redraw_ms = performance.now() - t0;
  }

  function hover(m) {
    state.cursor = m;
    document.getElementById('hover-info').textContent = m === null ? '\u00a0' : hover_text(m);
    if (m !== null && state.pinned === null) show_cell(cell_of(m)); else redraw();
  }

  function wire(canvas, metres_at) {
    let drag = null;
    canvas.addEventListener('wheel', (e) => {
      e.preventDefault();
      const m = metres_at(e);
      zoom(e.deltaY > 0 ? 1.25 : 0.8, m === null ? undefined : m);
    }, { passive: false });
    canvas.addEventListener('mousedown', (e) => {
      drag = { x: e.clientX, y: e.clientY, from: state.from, to: state.to, m: metres_at(e), moved: false };
    });
    window.addEventListener('mouseup', (e) => {
      if (drag && !drag.moved && e.target === canvas) {
        const m = metres_at(e);
        if (m !== null) { state.pinned = cell_of(m); show_cell(state.pinned); }
      }
      drag = null;
      canvas.classList.remove('dragging');
    });
    canvas.addEventListener('mousemove', (e) => {
      if (drag && (Math.abs(e.clientX - drag.x) + Math.abs(e.clientY - drag.y) > 3 || drag.moved)) {
        drag.moved = true;
        canvas.classList.add('dragging');
        const shift = canvas === profile_canvas
          ? (drag.x - e.clientX) / (profile_canvas.clientWidth - P.left - P.right) * (drag.to - drag.from)
          : (() => { const m = metres_at(e); return m === null || drag.m === null ? 0 : drag.m - m; })();
        set_range(drag.from + shift, drag.to + shift);
        if (canvas !== profile_canvas) { drag.from = state.from; drag.to = state.to; }
        return;
      }
      hover(metres_at(e));
    });
    canvas.addEventListener('mouseleave', () => hover(null));
  }

  const local = (canvas, e) => { const r = canvas.getBoundingClientRect(); return [e.clientX - r.left, e.clientY - r.top]; };
  wire(profile_canvas, (e) => {
    const [x] = local(profile_canvas, e);
    const m = m_of_px(x, profile_canvas.clientWidth);
    return x < P.left ? null : Math.max(0, Math.min(m, model_end - 1));
  });
  wire(plan_canvas, (e) => { const [x, y] = local(plan_canvas, e); return plan_metres(x, y); });

  document.addEventListener('keydown', (e) => {
    if (e.target && (e.target.tagName === 'INPUT')) return;
    const step = e.shiftKey ? 10 : 1;
    if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
      e.preventDefault();
      const base = state.shown !== null ? state.shown : cell_of((state.from + state.to) / 2);
      const i = Math.max(0, Math.min(data.cells - 1, base + (e.key === 'ArrowRight' ? step : -step)));
      state.pinned = i;
      const m = (i + 0.5) * cell_m;
      if (m < state.from || m > state.to) centre_on(m);
      show_cell(i);
    } else if (e.key === '+' || e.key === '=') zoom(0.8);
    else if (e.key === '-') zoom(1.25);
    else if (e.key === '0') set_range(0, line_end);
    else if (e.key === 'Escape') { state.pinned = null; show_cell(state.shown); }
  });

  document.getElementById('range-form').addEventListener('submit', (e) => {
    e.preventDefault();
    const a = parse_km(document.getElementById('range-from').value);
    const b = parse_km(document.getElementById('range-to').value);
    if (a === null || b === null || a === b) {
      document.getElementById('hover-info').textContent = 'range: write km from the origin (20, 20.5) or a progressive (36+000)';
      return;
    }
    set_range(Math.min(a, b), Math.max(a, b));
  });
  document.getElementById('zoom-in').addEventListener('click', () => zoom(0.8));
  document.getElementById('zoom-out').addEventListener('click', () => zoom(1.25));
  document.getElementById('zoom-all').addEventListener('click', () => set_range(0, line_end));

  const search_box = document.getElementById('search');
  search_box.addEventListener('input', () => show_results(search(search_box.value)));
  search_box.addEventListener('blur', () => setTimeout(() => document.getElementById('search-results').replaceChildren(), 150));
  document.getElementById('search-form').addEventListener('submit', (e) => {
    e.preventDefault();
    const found = search(search_box.value);
    show_results(found);
    if (found.length) jump(found[0].m, found[0].cell);
  });
  window.addEventListener('resize', redraw);

  // ------------------------------------------------------------ start-up ---

  document.getElementById('title').textContent = (data.route || '(no route name)') + ' \u2014 train ' + (data.train || '(none)');
  document.title = document.getElementById('title').textContent;
  document.getElementById('summary').textContent = 'line ' + metres_text(data.line_length_m) + ' \u00b7 ' + data.cells + ' cells \u00b7 ' +
    data.stations.length + ' stations \u00b7 ' + data.signals.length + ' signals \u00b7 ' + data.speed_boards.length + ' speed boards \u00b7 ' +
    data.indication_boards.length + ' indication boards \u00b7 ' + data.slowdowns.length + ' slowdowns' +
    (data.has_sources ? ' \u00b7 from ' + data.files.join(' and ') : ' \u00b7 from compiled files');
  const rows = document.getElementById('header-rows');
  for (const r of data.header) rows.appendChild(text_el('li', r));
  build_diagnostic_list();
  build_markers();
  set_range(state.from, state.to);

  // For the tests: where things are drawn, and the state of the view.
  window.route_view = {
    state: () => ({ from: state.from, to: state.to, shown: state.shown, pinned: state.pinned,
      metre_ticks: state.metre_ticks.slice(), chainage_ticks: state.chainage_ticks.slice(),
      last_redraw_ms: state.last_redraw_ms, plan_level: plan_view ? plan_view.l.tolerance : null }),
    // Client coordinates of the middle of cell i in the speed strip.
    cell_point: (i) => {
      const r = profile_canvas.getBoundingClientRect();
      return { x: r.left + px_of((i + 0.5) * cell_m, r.width), y: r.top + (P.speed_top + P.speed_bottom) / 2 };
    },
    set_range: set_range,
  };
  document.body.dataset.ready = '1';
})();
