// Searches over arrays kept in order of position: the profile's runs of
// cells and the objects along the line.

// The first index in 0 .. n whose key is >= v.
export function lower_bound(n, key, v) {
  let lo = 0;
  let hi = n;
  while (lo < hi) {
    const mid = (lo + hi) >> 1;
    if (key(mid) < v) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}

// The run [first, last, value, record] that holds cell i, or null.
export function run_at(runs, i) {
  const j = lower_bound(runs.length, (q) => runs[q][1], i);
  return j < runs.length && runs[j][0] <= i ? runs[j] : null;
}

// Calls f on every run that holds one of the cells a .. b (inclusive).
export function runs_in(runs, a, b, f) {
  const first = lower_bound(runs.length, (q) => runs[q][1], a);
  for (let j = first; j < runs.length && runs[j][0] <= b; j++) f(runs[j]);
}

// Calls f(item, index) on every item whose position at(item) lies in
// from .. to.
export function items_in(list, at, from, to, f) {
  const first = lower_bound(list.length, (q) => at(list[q]), from);
  for (let j = first; j < list.length && at(list[j]) <= to; j++) f(list[j], j);
}
