// The viewer's page in a real browser: Debian's Chromium, headless, driven
// by puppeteer-core. Writes the pages with route_tool, opens them from disk
// and acts on them as an author would. Every request that is not a file or
// data URL fails the test; so does any console error.
//
//   node view_test.mjs ROUTE_TOOL TESTDATA_DIR OUT_DIR COMPILE_FOLDER CHROMIUM
//
// Exit status 77 (skipped) when Chromium or puppeteer-core is missing,
// unless VO_REQUIRE_ALL_TESTS is set: then 1.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [route_tool, testdata, out_dir, compile_folder, chromium] = process.argv.slice(2);
const require_all = ['1', 'ON', 'on', 'true', 'TRUE'].includes(process.env.VO_REQUIRE_ALL_TESTS || '');

function missing(what) {
  console.log(`route view browser test: ${what}`);
  process.exit(require_all ? 1 : 77);
}
if (!chromium || !fs.existsSync(chromium)) missing('Chromium not found (apt-get install chromium)');
let puppeteer;
try {
  puppeteer = (await import('puppeteer-core')).default;
} catch {
  missing('puppeteer-core not installed (npm ci in tools/route_view/browser_test)');
}

const line_txt = path.join(testdata, 'Viterbo_Attigliano_Orte_linea.txt');
const service_txt = path.join(testdata, 'Viterbo_Attigliano_Orte_7547-.txt');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'route-view-test-'));
fs.mkdirSync(out_dir, { recursive: true });

function view(args, name) {
  const page = path.join(work, name);
  execFileSync(route_tool, ['view', ...args, '-o', page]);
  return page;
}

// The fixed scenario, one with a warning, one with hostile texts.
const fixed_page = view(['--line', line_txt, '--service', service_txt], 'fixed.html');
const service_text = fs.readFileSync(service_txt, 'latin1');
const warning_service = path.join(work, 'warning_service.txt');
// Its one warning: the speed off the grid (S. Nicola timed as its sheet gives it).
fs.writeFileSync(warning_service, service_text.replace('velocita,    2050,   100', 'velocita,    2055,   100')
  .replace('14, 9, 0, Sipicciano S. Nicola', '14,18, 0, Sipicciano S. Nicola'), 'latin1');
const warning_page = view(['--line', line_txt, '--service', warning_service, '--train', '7547'], 'warning.html');
const hostile_name = '<img src=x onerror="window.pwned=1">ORTE</script><script>window.pwned=2</script>';
const hostile_service = path.join(work, 'hostile_service.txt');
fs.writeFileSync(hostile_service, service_text.replace(', ORTE', ', ' + hostile_name), 'latin1');
const hostile_page = view(['--line', line_txt, '--service', hostile_service, '--train', '7547'], 'hostile.html');

let browser;
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'route-view-chromium-'));

before(async () => {
  browser = await puppeteer.launch({
    executablePath: chromium,
    userDataDir: profile,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--host-resolver-rules=MAP * ~NOTFOUND'],
    defaultViewport: { width: 1600, height: 1000 },
  });
});

after(async () => {
  if (browser) await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
  fs.rmSync(profile, { recursive: true, force: true });
});

// Opens a page and keeps every console error, page error and request that
// leaves the file.
async function open(file) {
  const page = await browser.newPage();
  const faults = [];
  page.on('console', (m) => { if (m.type() === 'error') faults.push('console: ' + m.text()); });
  page.on('pageerror', (e) => faults.push('page error: ' + e.message));
  page.on('dialog', async (d) => { faults.push('dialog: ' + d.message()); await d.dismiss(); });
  await page.setRequestInterception(true);
  page.on('request', (r) => {
    const url = r.url();
    if (url.startsWith('file:') || url.startsWith('data:')) {
      r.continue();
    } else {
      faults.push('network request: ' + url);
      r.abort();
    }
  });
  const t0 = Date.now();
  await page.goto(pathToFileURL(file).href, { waitUntil: 'load' });
  await page.waitForFunction(() => document.body.dataset.ready === '1', { timeout: 10000 });
  const open_ms = Date.now() - t0;
  return { page, faults, open_ms };
}

const inspector = (page) => page.$eval('#inspector-body', (e) => e.textContent);
const view_state = (page) => page.evaluate(() => window.route_view.state());

async function show_range(page, from, to) {
  await page.$eval('#range-from', (e, v) => { e.value = v; }, from);
  await page.$eval('#range-to', (e, v) => { e.value = v; }, to);
  await page.click('#range-go');
}

test('the fixed scenario opens in under 1 s with no console error and no request', async () => {
  const { page, faults, open_ms } = await open(fixed_page);
  console.log(`fixed scenario page: ${fs.statSync(fixed_page).size} bytes, opened in ${open_ms} ms`);
  assert.deepEqual(faults, []);
  assert.ok(open_ms < 1000, `opened in ${open_ms} ms`);
  assert.match(await page.$eval('#title', (e) => e.textContent), /Viterbo_Attigliano_Orte/);
  await page.screenshot({ path: path.join(out_dir, 'view_fixed_scenario.png') });
  await page.close();
});

test('hovering the slowdown start cell shows the slowdown, 30 km/h and its source line', async () => {
  const { page, faults } = await open(fixed_page);
  await show_range(page, '22', '23.5');
  // The slowdown at 22700 m stands in cell R(22700 / 50 + 1) = 455.
  const p = await page.evaluate(() => window.route_view.cell_point(455));
  await page.mouse.move(p.x, p.y);
  const text = await inspector(page);
  assert.match(text, /Cell 455/);
  assert.match(text, /slowdown start/);
  assert.match(text, /30 km\/h/);
  assert.match(text, /Viterbo_Attigliano_Orte_7547-\.txt:29:1/);
  assert.match(text, /rallentamento, {3}22700, {4}30, {2}200, 1, {2}0, {2}0/);
  assert.match(await page.$eval('#hover-info', (e) => e.textContent), /cell 455/);
  // Arrow keys step from cell to cell once one is kept.
  await page.mouse.click(p.x, p.y);
  await page.keyboard.press('ArrowRight');
  assert.equal((await view_state(page)).shown, 456);
  assert.match(await inspector(page), /Cell 456/);
  assert.deepEqual(faults, []);
  await page.close();
});

test('zooming to km 20-25 changes both axes', async () => {
  const { page, faults } = await open(fixed_page);
  const whole = await view_state(page);
  await show_range(page, '20', '25');
  const zoomed = await view_state(page);
  assert.equal(zoomed.from, 20000);
  assert.equal(zoomed.to, 25000);
  assert.notDeepEqual(zoomed.metre_ticks, whole.metre_ticks);
  assert.notDeepEqual(zoomed.chainage_ticks, whole.chainage_ticks);
  assert.equal(zoomed.metre_ticks[0], '20.0 km');
  // From 20000 m the progressive counts down from km 19+050.
  assert.ok(zoomed.chainage_ticks.includes('km 19+000'), zoomed.chainage_ticks.join(' '));
  // The wheel zooms in around the pointer.
  const p = await page.evaluate(() => window.route_view.cell_point(450));
  await page.mouse.move(p.x, p.y);
  await page.mouse.wheel({ deltaY: -100 });
  const wheeled = await view_state(page);
  assert.ok(wheeled.to - wheeled.from < 5000);
  assert.deepEqual(faults, []);
  await page.close();
});

test('hovering the fastest run shows its speed, time and the section margin', async () => {
  // The testdata folder holds the program's own sheet and form beside the
  // service file: the page reads them by the naming rule.
  const { page, faults } = await open(fixed_page);
  await show_range(page, '20', '25');
  // Cell 450 (22500 m) lies between Montefiascone and Grotte S. Stefano.
  const p = await page.evaluate(() => window.route_view.cell_point(450));
  await page.mouse.move(p.x, p.y);
  const hover = await page.$eval('#hover-info', (e) => e.textContent);
  assert.match(hover, /fastest run \d+ km\/h \(limit \d+\) at 14:0\d:\d\d/);
  assert.match(hover, /Montefiascone \u2013 Grotte S\. Stefano margin \+16 s \(3\.1 %\)/);
  assert.match(await inspector(page), /run.*fastest run/);
  // S. Nicola's section cannot be driven; the sheet's row there disagrees.
  await show_range(page, '31', '33');
  const q = await page.evaluate(() => window.route_view.cell_point(638));
  await page.mouse.move(q.x, q.y);
  const at_nicola = await page.$eval('#hover-info', (e) => e.textContent);
  assert.match(at_nicola, /Sipicciano S\. Nicola \u2013 Sipicciano margin/);
  assert.match(at_nicola, /sheet line 26 'S\. Nicola'.*sheet-km-differs, sheet-time-differs/);
  const listed = await page.$$eval('#diag-list li.finding', (l) => l.map((e) => e.textContent));
  assert.equal(listed.length, 3);
  assert.match(listed[1], /Viterbo_Attigliano_Orte_7547_scheda_treno\.txt:26:51 \[sheet-time-differs\]/);
  // The three findings and check's warning of the S. Nicola time.
  assert.equal((await page.$$('.diag-marker.warning')).length, 4);
  assert.deepEqual(faults, []);
  await page.screenshot({ path: path.join(out_dir, 'view_fastest_run.png') });
  await page.close();
});

test('the search finds ORTE and jumps there', async () => {
  const { page, faults } = await open(fixed_page);
  await page.type('#search', 'ORTE');
  const results = await page.$$eval('#search-results li', (l) => l.map((e) => e.textContent));
  assert.ok(results.some((r) => r.startsWith('ORTE')), results.join(' | '));
  await page.keyboard.press('Enter');
  const s = await view_state(page);
  assert.ok(s.from <= 52600 && s.to >= 52600);
  assert.match(await inspector(page), /ORTE/);
  // A progressive: km 16+784 is the level crossing at 22266 m.
  await page.$eval('#search', (e) => { e.value = ''; });
  await page.type('#search', '16+784');
  const found = await page.$$eval('#search-results li', (l) => l.map((e) => e.textContent));
  assert.match(found[0], /km 16\+784/);
  assert.deepEqual(faults, []);
  await page.close();
});

test('a warning is a marker along the line; clicking it shows its message', async () => {
  const { page, faults } = await open(warning_page);
  const expected = JSON.parse(execFileSync(route_tool, ['check', '--line', line_txt, '--service', warning_service, '--train', '7547', '--json']));
  assert.equal(expected.diagnostics.length, 1);
  const markers = await page.$$('.diag-marker.warning');
  assert.equal(markers.length, 1);
  assert.ok(await markers[0].isVisible());
  await markers[0].click();
  const detail = await page.$eval('#diag-detail', (e) => e.textContent);
  assert.ok(detail.includes(expected.diagnostics[0].message), detail);
  assert.match(detail, /warning_service\.txt:10:14/);
  assert.ok((await page.$$eval('#diag-list li', (l) => l.length)) === 1);
  assert.deepEqual(faults, []);
  await page.close();
});

test('texts from the files never become markup or script', async () => {
  const { page, faults } = await open(hostile_page);
  assert.equal(await page.evaluate(() => window.pwned), undefined);
  assert.equal(await page.$$eval('img', (l) => l.length), 0);
  await page.type('#search', 'onerror');
  const results = await page.$$eval('#search-results li', (l) => l.map((e) => e.textContent));
  assert.ok(results.some((r) => r.startsWith(hostile_name)), results.join(' | '));
  assert.deepEqual(faults, []);
  await page.close();
});

test('the largest route: page under 10 MB, zoom and pan redraw under 100 ms', async () => {
  const dir = path.join(work, 'large');
  fs.mkdirSync(dir);
  execFileSync(compile_folder, ['write-large', dir]);
  const large_page = view(['--line', path.join(dir, 'Viterbo_Attigliano_Orte_linea.txt'),
    '--service', path.join(dir, 'Viterbo_Attigliano_Orte_7547-.txt')], 'large.html');
  const size = fs.statSync(large_page).size;
  const { page, faults, open_ms } = await open(large_page);
  // Each event is handled and both canvases redrawn before dispatchEvent
  // returns; reading a pixel back makes the browser finish painting them.
  const timings = await page.evaluate(() => {
    const canvas = document.getElementById('profile');
    const plan = document.getElementById('plan');
    const r = canvas.getBoundingClientRect();
    const times = { zoom: [], pan: [] };
    const at = (x) => ({ clientX: r.left + x, clientY: r.top + 150, bubbles: true, cancelable: true });
    const painted = () => {
      canvas.getContext('2d').getImageData(0, 0, 1, 1);
      plan.getContext('2d').getImageData(0, 0, 1, 1);
    };
    painted();
    // In from the whole line to 100 m, over the plan's every level, and out again.
    for (let i = 0; i < 80; i++) {
      const t0 = performance.now();
      canvas.dispatchEvent(new WheelEvent('wheel', { ...at(300 + i * 7), deltaY: i < 40 ? -100 : 100 }));
      painted();
      times.zoom.push(performance.now() - t0);
    }
    // Pans at three zoom levels: the whole line, 40 km, 2 km.
    for (const [from, to] of [[0, 1000000], [300000, 340000], [480000, 482000]]) {
      window.route_view.set_range(from, to);
      for (let i = 0; i < 20; i++) {
        const t0 = performance.now();
        canvas.dispatchEvent(new MouseEvent('mousedown', at(600)));
        canvas.dispatchEvent(new MouseEvent('mousemove', at(600 - 40 - i)));
        window.dispatchEvent(new MouseEvent('mouseup', at(600 - 40 - i)));
        painted();
        times.pan.push(performance.now() - t0);
      }
    }
    return times;
  });
  const max = (a) => Math.max(...a);
  const median = (a) => [...a].sort((x, y) => x - y)[a.length >> 1];
  console.log(`largest route page: ${size} bytes, opened in ${open_ms} ms; ` +
    `zoom median ${median(timings.zoom).toFixed(1)} ms, max ${max(timings.zoom).toFixed(1)} ms; ` +
    `pan median ${median(timings.pan).toFixed(1)} ms, max ${max(timings.pan).toFixed(1)} ms`);
  assert.ok(size < 10 * 1024 * 1024, `${size} bytes`);
  assert.ok(max(timings.zoom) < 100, `zoom took ${max(timings.zoom)} ms`);
  assert.ok(max(timings.pan) < 100, `pan took ${max(timings.pan)} ms`);
  assert.deepEqual(faults, []);
  await page.screenshot({ path: path.join(out_dir, 'view_largest_route.png') });
  await page.close();
});
