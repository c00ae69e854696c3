// The stretch of line in view, [from, to] in metres from the origin, as
// the range boxes, the zoom and the pan move it.

// The stretch shown for a wish [from, to]: at least min_span wide (widened
// about its middle), at most the model, and within 0 .. model_end.
export function clamp_range(from, to, min_span, model_end) {
  const span = Math.min(Math.max(to - from, min_span), model_end);
  let f = from;
  if (to - from < min_span) f = (from + to) / 2 - span / 2;
  f = Math.max(0, Math.min(f, model_end - span));
  return [f, f + span];
}

// [from, to] scaled by `factor` about metre `at` (the middle when not given).
export function zoomed(from, to, factor, at) {
  const a = at === undefined ? (from + to) / 2 : at;
  return [a - (a - from) * factor, a + (to - a) * factor];
}

// A stretch `span` wide (the current one when not given, never more than
// the model) centred on metre m.
export function centred(m, span, from, to, model_end) {
  const s = Math.min(span || to - from, model_end);
  return [m - s / 2, m + s / 2];
}
