// Positions in words, as every panel of the page writes them: metres from
// the origin, the kilometric progressive, and km figures as typed.
import { chainage_at, position_of_chainage } from './route_model.js';

// "km 19+050"; "km -0+050" below zero.
export function km_text(c) {
  const a = Math.abs(Math.round(c));
  const sign = c < 0 ? '-' : '';
  return 'km ' + sign + Math.floor(a / 1000) + '+' + String(a % 1000).padStart(3, '0');
}

// "22 700 m", thousands apart by a thin space.
export function metres_text(m) {
  return Math.round(m).toLocaleString('en-US').replace(/,/g, '\u2009') + ' m';
}

export function chainage_text(model, m) {
  const c = chainage_at(model, m);
  return c === null ? 'no kilometric series' : km_text(c);
}

// A tick of the metre axis: "20 km" every whole km or more, else "20.5 km"
// (100 m steps and more) or "20.05 km".
export function metre_tick_text(m, step) {
  if (step >= 1000) return m / 1000 + ' km';
  return (m / 1000).toFixed(step >= 100 ? 1 : 2) + ' km';
}

// A km figure as the range boxes and the search take it, in metres from
// the origin: km from the origin ("20", "20.5") or a progressive ("36+000",
// "km 36+000"). Null when it is neither, or no series reaches it.
export function parse_km(model, text) {
  const t = text.trim();
  let m = /^(-?\d+(?:\.\d+)?)$/.exec(t);
  if (m) return parseFloat(m[1]) * 1000;
  m = /^(?:km\.?\s*)?(\d+)\+(\d{1,3})$/i.exec(t);
  if (m) return position_of_chainage(model, parseInt(m[1], 10) * 1000 + parseInt(m[2], 10));
  return null;
}

// A curve [from_m, to_m, radius_m, side, record] in words.
export function curve_text(c) {
  const side = c[3] > 0 ? 'right' : 'left';
  const stretch = metres_text(c[0]) + ' to ' + metres_text(c[1]);
  return 'radius ' + Math.round(c[2]) + ' m to the ' + side + ' (' + stretch + ')';
}
