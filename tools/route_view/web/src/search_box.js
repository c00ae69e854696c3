// The search box: answers listed as the author types, Enter or a click
// jumps to one and keeps its cell in the inspector.
import { text_el } from './dom.js';
import { find } from './search.js';

// An answer is shown in a stretch at most this wide (metres).
const jump_span_m = 2000;

function jump(view, m, cell) {
  view.centre_on(m, Math.min(view.state.to - view.state.from, jump_span_m));
  view.state.pinned = cell;
  view.show_cell(cell);
}

function show_results(view, found) {
  const list = document.getElementById('search-results');
  list.replaceChildren();
  found.forEach((f, k) => {
    const li = text_el('li', f.label);
    if (k === 0) li.classList.add('active');
    li.appendChild(text_el('span', f.where, 'where'));
    li.addEventListener('mousedown', (e) => {
      e.preventDefault();
      jump(view, f.m, f.cell);
      list.replaceChildren();
    });
    list.appendChild(li);
  });
  if (!found.length && document.getElementById('search').value.trim()) {
    list.appendChild(text_el('li', 'nothing found', 'hint'));
  }
}

export function wire_search(view) {
  const box = document.getElementById('search');
  const results = document.getElementById('search-results');
  box.addEventListener('input', () => show_results(view, find(view.model, box.value)));
  box.addEventListener('blur', () => setTimeout(() => results.replaceChildren(), 150));
  document.getElementById('search-form').addEventListener('submit', (e) => {
    e.preventDefault();
    const found = find(view.model, box.value);
    show_results(view, found);
    if (found.length) jump(view, found[0].m, found[0].cell);
  });
}
