// Getting the page to the pupil: a changed build on the server arrives, and a page that cannot
// start says so.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { firefox, launch, open, painted, serve, singleFile, site } from './harness.mjs';

const web = fileURLToPath(new URL('..', import.meta.url));
const folders = [];
// A copy of the built site, changed by `change(folder)`.
function copy(change = () => {}) {
  const folder = mkdtempSync(join(tmpdir(), 'tamirel-site-'));
  folders.push(folder);
  cpSync(site, folder, { recursive: true });
  change(folder);
  return folder;
}
// A changed copy, then finished as the build finishes the site.
function build(change) {
  const folder = copy(change);
  execFileSync('cmake', [`-DSITE=${folder}`, `-DWORKER=${join(web, 'sw.js')}`, '-P', join(web, 'stamp_site.cmake')]);
  return folder;
}
const edit = (folder, file, from, to) => {
  const path = join(folder, file);
  writeFileSync(path, readFileSync(path, 'utf8').replace(from, to));
};
const cacheName = (folder) => readFileSync(join(folder, 'sw.js'), 'utf8').match(/const CACHE = '([^']+)'/)[1];
const drawn = async (page) => {
  await page.click('#Command1_0');
  await painted(page);
  return page.evaluate(() => window.tamirel.primitives().length);
};

let browser;
before(async () => { browser = await launch(); });
after(async () => {
  await browser?.close();
  for (const folder of folders) rmSync(folder, { recursive: true, force: true });
});

test('a changed build served at the same address shows at the next load, then offline too', async () => {
  const a = build();
  const b = build((folder) => edit(folder, 'index.html', '<title>Tamirel</title>', '<title>Tamirel Б</title>'));
  assert.notEqual(cacheName(a), cacheName(b), 'each build names its own cache');
  assert.equal(cacheName(a), cacheName(build()), 'the same build, the same name');
  const server = await serve(a);
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const load = async (how) => { await how(); await page.waitForSelector('html[data-ready]'); return page.title(); };
  await load(() => page.goto(server.url));
  await page.evaluate(() => navigator.serviceWorker.ready);
  assert.equal(await load(() => page.reload()), 'Tamirel', 'under the worker of build A');

  server.use(b);
  assert.equal(await load(() => page.reload()), 'Tamirel Б', 'the next load, from the network');
  await page.waitForFunction((name) => caches.keys().then((names) => names.join() === name), {}, cacheName(b));
  const tab = await context.newPage();
  await tab.goto(server.url);
  assert.equal(await tab.title(), 'Tamirel Б', 'a new tab');
  await tab.close();
  if (!firefox) {   // puppeteer takes firefox offline only in a later version
    await page.setOfflineMode(true);
    assert.equal(await load(() => page.reload()), 'Tamirel Б', 'offline, from build B\'s copy');
    assert.equal(await drawn(page), 5);
  }
  await context.close();
  await server.close();
});

const noWebAssembly = (page) => page.evaluateOnNewDocument(() => { delete globalThis.WebAssembly; });
const cases = [
  { what: 'the .wasm missing on the server', site: () => copy((f) => rmSync(join(f, 'tamirel.wasm'))), says: /tamirel\.wasm.*404.*друг браузър/ },
  { what: 'a damaged .wasm', site: () => copy((f) => writeFileSync(join(f, 'tamirel.wasm'), 'not a program')), says: /не успя да изпълни програмата.*друг браузър/ },
  { what: 'WebAssembly turned off (chromium without its JIT, firefox by a preference)', site: () => site, args: ['--js-flags=--jitless'],
    prefs: { 'javascript.options.wasm': false }, says: /не изпълнява WebAssembly.*друг браузър/ },
  { what: 'the single file in a browser without WebAssembly', file: () => singleFile, prepare: noWebAssembly, says: /не изпълнява WebAssembly/ },
  { what: 'the site opened from disk without tamirel-wasm.js', file: () => join(copy((f) => rmSync(join(f, 'tamirel-wasm.js'))), 'index.html'),
    says: /tamirel-wasm\.js.*единичния файл tamirel\.html/ },
];
for (const { what, site: served, file, prepare, args, prefs, says } of cases) {
  test(`cannot start: ${what}: an alert says why and what to do, and the window looks and acts dead`, async () => {
    const server = served && await serve(served());
    const own = args && await launch(args, prefs);
    const page = await open(own || browser, server ? server.url : `file://${file()}`, { until: 'html[data-failed]', prepare });
    const alert = await page.$eval('[role=alert]', (a) => ({ text: a.textContent, shown: a.getClientRects().length > 0 }));
    assert.match(alert.text, says);
    assert.equal(alert.shown, true);
    assert.deepEqual(await page.$eval('#form', (f) => [f.inert, getComputedStyle(f).opacity < 1]), [true, true]);
    assert.deepEqual(page.uncaught, []);
    await page.close();
    await own?.close();
    await server?.close();
  });
}

test('the site\'s index.html opened straight from disk works', async () => {
  const page = await open(browser, `file://${join(site, 'index.html')}`);
  assert.equal(await drawn(page), 5);
  assert.deepEqual(page.errors, []);
  await page.close();
});
