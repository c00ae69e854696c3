// A canvas sized to its box in device pixels, drawn in CSS pixels.
export function fit(canvas) {
  const r = canvas.getBoundingClientRect();
  const dpr = window.devicePixelRatio || 1;
  const w = Math.max(1, Math.round(r.width * dpr));
  const h = Math.max(1, Math.round(r.height * dpr));
  if (canvas.width !== w || canvas.height !== h) {
    canvas.width = w;
    canvas.height = h;
  }
  const g = canvas.getContext('2d');
  g.setTransform(dpr, 0, 0, dpr, 0, 0);
  return { g, w: r.width, h: r.height };
}

// The point of a mouse event in the canvas's CSS pixels.
export function local_point(canvas, e) {
  const r = canvas.getBoundingClientRect();
  return [e.clientX - r.left, e.clientY - r.top];
}

// The path of a signal's mark: a diamond 10 px across about (x, y).
export function diamond_path(g, x, y) {
  g.beginPath();
  g.moveTo(x, y - 5);
  g.lineTo(x + 5, y);
  g.lineTo(x, y + 5);
  g.lineTo(x - 5, y);
  g.closePath();
}
