// The lesson in real Chromium, as a pupil opens it: F1 or the canvas's menu, following the
// lists, its keys, copy and save; and the very SVG the desktop writes.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { choose, clipboardTypes, ctrl, downloads, open, painted, withSiteAndBrowser } from './harness.mjs';

let server, browser;
withSiteAndBrowser((s, b) => { server = s; browser = b; });

const selected = (page) => page.$$eval('select', (lists) => lists.map((l) => l.value));
const primitives = (page) => page.evaluate(() => window.tamirel.primitives());
const title = (page) => page.$eval('#lesson-title', (t) => t.textContent);
const isOpen = (page) => page.$eval('#lesson', (d) => d.open);
const native = (...args) => execFileSync(process.env.TAMIREL_PARITY_NATIVE, args, { encoding: 'utf8', maxBuffer: 64 << 20 });
// Ink on the lesson's figure: dark pixels, and blue ones (the marks).
const figureInk = (page) => page.evaluate(() => {
  const c = document.getElementById('lesson-figure');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let dark = 0, blue = 0;
  for (let i = 0; i < d.length; i += 4) {
    if (d[i] < 100 && d[i + 1] < 100 && d[i + 2] < 100) ++dark;
    if (d[i + 2] > 150 && d[i] < 80) ++blue;
  }
  return { dark, blue };
});

test('F1 opens the lesson for the current choices, follows the lists, and Escape closes it', async () => {
  const page = await open(browser, server.url);
  await page.setViewport({ width: 1280, height: 800 });   // room for the lesson beside the window
  await choose(page, 1, '300');
  await choose(page, 2, '6');
  await page.click('#Command1_0');
  await painted(page);
  const drawn = await primitives(page);
  await page.focus('#List1_2');
  const prevented = await page.evaluate(() => !document.activeElement.dispatchEvent(
    new KeyboardEvent('keydown', { key: 'F1', bubbles: true, cancelable: true })));
  assert.equal(prevented, true, 'the page takes F1 from the browser');
  assert.equal(await isOpen(page), true);
  assert.equal(await title(page), 'Правилен шестоъгълник');
  const numbers = await page.$$eval('#lesson-numbers li', (items) => items.map((i) => i.textContent));
  assert.equal(numbers.length, 7);
  assert.equal(numbers[0], 'Вътрешен ъгъл:α = (n − 2)·180° : n= (6 − 2)·180° : 6 = 120°');
  assert.equal(numbers[6], 'Лице:S = P·r : 2= 1800·259,81 : 2 ≈ 233\u00A0829 кв. единици');
  assert.equal(await page.$eval('#lesson-numbers li', (i) => i.getAttribute('aria-label')),
    'Вътрешен ъгъл: α = (n − 2)·180° : n = (6 − 2)·180° : 6 = 120°', 'read as one sentence');
  const ink = await figureInk(page);
  assert.ok(ink.dark > 500 && ink.blue > 100, JSON.stringify(ink));
  assert.deepEqual(await primitives(page), drawn, 'the main canvas is not drawn on');
  assert.deepEqual(await selected(page), ['0 - Solid', '300', '6']);

  await choose(page, 2, '17');
  assert.equal(await title(page), 'Правилен седемнадесетоъгълник');
  await page.click('#Command1_1');   // "Чисти" puts the lists back on their first items
  await painted(page);
  assert.equal(await title(page), 'Правилен триъгълник');
  assert.equal(await page.$eval('#lesson-givens', (g) => g.textContent), 'R = 500 единици, n = 3');

  await page.focus('#lesson-figure');
  await ctrl(page, 'KeyD');
  assert.equal(await page.$eval('#lesson-diagonals', (c) => c.checked), true);
  await page.keyboard.press('Escape');
  assert.equal(await isOpen(page), false);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('the canvas menu opens it too; Ctrl+D draws the diagonals; Ctrl+C copies', async () => {
  const context = browser.defaultBrowserContext();
  await context.overridePermissions(server.url, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const page = await open(browser, server.url);
  await choose(page, 2, '8');
  await page.focus('canvas');
  await page.keyboard.down('Shift');
  await page.keyboard.press('F10');
  await page.keyboard.up('Shift');
  await page.keyboard.press('ArrowUp');   // from the first item round to the last, "Урок…"
  await page.keyboard.press('Enter');
  assert.equal(await isOpen(page), true);
  assert.equal(await title(page), 'Правилен осмоъгълник');
  const plain = await page.evaluate(() => window.tamirel.lesson().scene.items.filter((i) => i.colour === '#6e6e6e').length);
  await ctrl(page, 'KeyD');
  const faint = await page.evaluate(() => window.tamirel.lesson().scene.items.filter((i) => i.colour === '#6e6e6e').length);
  assert.deepEqual([plain, faint], [0, 5], 'five diagonals from A cut the octagon into six triangles');

  await ctrl(page, 'KeyC');
  const types = await clipboardTypes(page);
  assert.ok(types.includes('image/png'), types.join());
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('save gives the desktop\'s very SVG for the same choices, and TikZ with the vertices', async () => {
  const page = await open(browser, server.url);
  const files = await downloads(page);
  await choose(page, 1, '300');
  await choose(page, 2, '6');
  await page.keyboard.press('F1');
  await page.waitForSelector('#lesson:not(.loading)');
  assert.equal((await files.save('svg', 'tamirel-urok.svg')).toString('utf8'), native('lesson', '4', '3', '0'));
  const tex = (await files.save('tikz', 'tamirel-urok.tex')).toString('utf8');
  const vertices = await page.evaluate(() => window.tamirel.lesson().scene.items.find((i) => i.kind === 'polygon').points);
  for (let i = 0; i < 12; i += 2) assert.ok(tex.includes(`(${+vertices[i].toFixed(2)},${+vertices[i + 1].toFixed(2)})`), tex);
  assert.equal(await isOpen(page), true, 'the lesson stays open');
  files.remove();
  await page.close();
});

test('every lesson\'s SVG from the browser build is the desktop build\'s, byte for byte', () => {
  const web = execFileSync(process.execPath, ['--no-experimental-fetch', process.env.TAMIREL_PARITY_WEB, 'lessons'],
    { encoding: 'utf8', maxBuffer: 64 << 20 });
  const desktop = native('lessons');
  assert.equal(desktop.split('<?xml').length - 1, 8 * 18 * 2);
  assert.ok(web === desktop, 'the two builds differ');
});
