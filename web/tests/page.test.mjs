// The page in real Chromium, used as a pupil would: mouse, keyboard, copy and save.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { choose, clipboardTypes, ctrl, downloads, ink, open, painted, singleFile, withSiteAndBrowser } from './harness.mjs';

let server, browser;
withSiteAndBrowser((s, b) => { server = s; browser = b; });

const selected = (page) => page.$$eval('select', (lists) => lists.map((l) => l.value));
const primitives = (page) => page.evaluate(() => window.tamirel.primitives());
const description = (page) => page.$eval('#description', (d) => d.textContent);
const anyInk = (rows) => rows.some((row) => row.includes(true));
const press = async (page, button) => { await page.click(`#Command1_${button}`); await painted(page); };

test('start-up: the first items are selected and the canvas is white and empty', async () => {
  const page = await open(browser, server.url);
  await painted(page);
  assert.deepEqual(await selected(page), ['0 - Solid', '500', '3']);
  assert.equal(anyInk(await ink(page)), false);
  assert.equal(await description(page), 'Празен чертеж');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('"Чертай" draws on top; a line type redraws the current figure alone; "Чисти" resets', async () => {
  const page = await open(browser, server.url);
  await press(page, 0);
  const first = await primitives(page);
  assert.equal(first.length, 1 + 1 + 3, 'circle, start point and three sides');
  assert.equal(anyInk(await ink(page)), true);
  await choose(page, 1, '200');
  await choose(page, 2, '7');
  assert.equal((await primitives(page)).length, 5, 'a choice of radius or count draws nothing');
  await press(page, 0);
  const both = await primitives(page);
  assert.equal(both.length, 5 + 9);
  assert.deepEqual(both.slice(0, 5), first, 'the first figure stays');
  assert.equal(await description(page), 'Окръжност с радиус 500 и вписан правилен триъгълник с вътрешен ъгъл 60°; '
    + 'окръжност с радиус 200 и вписан правилен седмоъгълник с вътрешен ъгъл ≈ 128,57°');

  await choose(page, 0, '2 - Dot');
  const dotted = await primitives(page);
  assert.equal(dotted.length, 9);
  assert.ok(dotted.every((p) => p.style === 2));
  assert.equal(await description(page), 'Окръжност с радиус 200 и вписан правилен седмоъгълник с вътрешен ъгъл ≈ 128,57°');

  await choose(page, 0, '5 - Transparent');
  await press(page, 0);
  assert.equal((await primitives(page)).length, 18, 'drawn twice, in the transparent style');
  assert.equal(anyInk(await ink(page)), false, 'and nothing shows');

  await press(page, 1);
  assert.deepEqual(await selected(page), ['0 - Solid', '500', '3']);
  assert.equal((await primitives(page)).length, 0);
  assert.equal(anyInk(await ink(page)), false);
  assert.equal(await description(page), 'Празен чертеж');
  await page.close();
});

test('a click on a label, the canvas or the text changes nothing', async () => {
  const page = await open(browser, server.url);
  await choose(page, 1, '350');
  await press(page, 0);
  const before = [await primitives(page), await selected(page), await ink(page)];
  for (const target of ['#Label1_0', '#Label1_1', '#Label1_2', '#Label1_3', 'canvas', '#Text1']) {
    await page.click(target);
    await page.click(target, { clickCount: 2 });
  }
  await painted(page);
  assert.deepEqual([await primitives(page), await selected(page), await ink(page)], before);
  await page.close();
});

test('everything works from the keyboard alone, with the focus always visible', async () => {
  const page = await open(browser, server.url);
  const order = [];
  for (let i = 0; i < 7; ++i) {
    await page.keyboard.press('Tab');
    order.push(await page.evaluate(() => {
      const e = document.activeElement;
      return `${e.id || e.parentElement.id || e.tagName}:${getComputedStyle(e).outlineStyle}`;
    }));
  }
  assert.deepEqual(order, ['Picture1:solid', 'Command1_0:solid', 'List1_0:solid', 'Command1_1:solid',
    'List1_1:solid', 'List1_2:solid', 'Text1:solid']);
  await page.focus('#List1_1');
  for (let i = 0; i < 4; ++i) await page.keyboard.press('ArrowDown');   // "300"
  await page.keyboard.press('Tab');
  await page.keyboard.press('ArrowDown');                               // "4"
  await page.focus('#Command1_0');
  await page.keyboard.press('Enter');
  await painted(page);
  assert.deepEqual(await selected(page), ['0 - Solid', '300', '4']);
  assert.equal((await primitives(page)).length, 1 + 1 + 4);
  await page.focus('#List1_0');
  await page.keyboard.press('ArrowDown');                               // "1 - Dash"
  await painted(page);
  assert.ok((await primitives(page)).every((p) => p.style === 1));
  await page.focus('#Command1_1');
  await page.keyboard.press('Space');
  await painted(page);
  assert.deepEqual(await selected(page), ['0 - Solid', '500', '3']);
  assert.equal((await primitives(page)).length, 0);
  await page.close();
});

test('the figure sits where it must: the square\'s corners and sides, the largest circle at every edge', async () => {
  const page = await open(browser, server.url);
  await choose(page, 1, '300');
  await choose(page, 2, '4');
  await press(page, 0);
  let rows = await ink(page);
  const side = rows.length;                         // 263 at a pixel ratio of 1
  const at = (units) => Math.floor((units / 1000) * (side - 1) + 0.5);
  const near = (x, y) => [-1, 0, 1].some((dy) => [-1, 0, 1].some((dx) => rows[y + dy]?.[x + dx]));
  const low = at(500 - 150 * Math.SQRT2), high = at(500 + 150 * Math.SQRT2), mid = at(500);
  for (const [x, y] of [[low, low], [high, low], [low, high], [high, high], [mid, low], [mid, high], [low, mid], [high, mid]]) {
    assert.ok(near(x, y), `ink at ${x},${y}`);
  }
  assert.equal(rows[mid][mid], false, 'the middle is empty');

  await press(page, 1);
  await press(page, 0);                             // R = 500, N = 3
  rows = await ink(page);
  const last = side - 1;
  assert.ok(rows[0].includes(true) && rows[last].includes(true), 'top and bottom');
  assert.ok(rows.some((r) => r[0]) && rows.some((r) => r[last]), 'left and right');
  assert.ok(rows[0][mid] || rows[0][mid - 1] || rows[0][mid + 1], 'the apex on the circle\'s top');
  await page.close();
});

test('the drawing stays through a resize and is repainted at the device\'s pixel ratio', async () => {
  const page = await open(browser, server.url);
  await press(page, 0);
  await page.setViewport({ width: 800, height: 600, deviceScaleFactor: 2 });
  await painted(page);
  const rows = await ink(page);
  assert.equal(rows.length, 2 * 263);
  const last = rows.length - 1;
  assert.ok(rows[0].includes(true) && rows[last].includes(true), 'the circle still touches top and bottom');
  assert.equal((await primitives(page)).length, 5);
  await page.close();
});

test('save gives the desktop\'s very SVG and a 1000 × 1000 PNG with the figure in place', async () => {
  const page = await open(browser, server.url);
  const files = await downloads(page);
  await choose(page, 0, '1 - Dash');
  await choose(page, 1, '300');
  await choose(page, 2, '4');
  await press(page, 0);
  const svg = (await files.save('svg', 'tamirel.svg')).toString('utf8');
  const desktop = execFileSync(process.env.TAMIREL_PARITY_NATIVE, ['svg', '1', '4', '1'], { encoding: 'utf8' });
  assert.equal(svg, desktop);

  const png = await files.save('png', 'tamirel.png');
  const probe = await page.evaluate(async (base64) => {
    const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${base64}`)).blob());
    const c = new OffscreenCanvas(image.width, image.height);
    const ctx = c.getContext('2d');
    ctx.drawImage(image, 0, 0);
    const dark = (x, y) => [-2, -1, 0, 1, 2].some((d) => ctx.getImageData(x + d, y, 1, 1).data[0] < 128
      || ctx.getImageData(x, y + d, 1, 1).data[0] < 128);
    const p = (u) => Math.floor(1 + (u / 1000) * 997 + 0.5);
    return { width: image.width, height: image.height, corner: dark(p(500 + 150 * Math.SQRT2), p(500 + 150 * Math.SQRT2)),
      middle: dark(500, 500), apex: dark(500, p(0)) };
  }, png.toString('base64'));
  assert.deepEqual(probe, { width: 1000, height: 1000, corner: true, middle: false, apex: true });
  // It prints 16.5 cm wide: the resolution recorded right after the header, in dots a metre.
  assert.deepEqual([png.toString('latin1', 37, 41), png.readUInt32BE(41), png.readUInt32BE(45), png[49]],
    ['pHYs', 6061, 6061, 1]);
  files.remove();
  await page.close();
});

test('Ctrl+C copies the drawing, the canvas menu opens from the keyboard, and neither changes it', async () => {
  const context = browser.defaultBrowserContext();
  await context.overridePermissions(server.url, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const page = await open(browser, server.url);
  await press(page, 0);
  const before = await primitives(page);
  await page.focus('canvas');
  await ctrl(page, 'KeyC');
  const types = await clipboardTypes(page);
  assert.ok(types.includes('image/png'), types.join());

  await page.keyboard.down('Shift');
  await page.keyboard.press('F10');
  await page.keyboard.up('Shift');
  assert.deepEqual(await page.$$eval('#menu:not([hidden]) [role=menuitem]', (m) => m.map((i) => i.textContent)),
    ['Копирай', 'Запази като…', 'Урок…']);
  await page.keyboard.press('Escape');
  assert.equal(await page.$eval('#menu', (m) => m.hidden), true);
  assert.equal(await page.evaluate(() => document.activeElement.tagName), 'CANVAS', 'the focus goes back');
  assert.deepEqual(await primitives(page), before);
  await page.close();
});

test('a copy asked for on a Bulgarian layout before the lesson\'s module has come is of the drawing as it was then', async () => {
  const context = browser.defaultBrowserContext();
  await context.overridePermissions(server.url, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const page = await open(browser, server.url, { late: false });
  await page.evaluate(() => navigator.clipboard.writeText('-'));
  await press(page, 0);
  await page.focus('canvas');
  // Ctrl with the key that writes "с" there, where a Latin layout has C; then "Чисти" at once.
  const cdp = await page.createCDPSession();
  for (const type of ['rawKeyDown', 'keyUp']) await cdp.send('Input.dispatchKeyEvent', { type, key: 'с', code: 'KeyC', modifiers: 2, windowsVirtualKeyCode: 67 });
  await page.click('#Command1_1');
  const svg = await page.evaluate(async () => {
    for (let i = 0; i < 50; ++i, await new Promise((r) => setTimeout(r, 50))) {
      try {
        const [item] = await navigator.clipboard.read();
        if (item?.types.includes('image/svg+xml')) return await (await item.getType('image/svg+xml')).text();
      } catch { /* not there yet, or being written */ }
    }
    return '';
  });
  assert.match(svg, /<polyline /, 'the triangle drawn, not the cleared drawing');
  await page.close();
});

test('served once, the page works offline', async () => {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(server.url);
  await page.waitForSelector('html[data-ready]');
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();   // now under the service worker's control
  await page.waitForSelector('html[data-ready]');
  await page.setOfflineMode(true);
  await page.reload();
  await page.waitForSelector('html[data-ready]');
  await page.click('#Command1_0');
  await painted(page);
  assert.equal((await primitives(page)).length, 5);
  await context.close();
});

test('the single file runs opened straight from disk', async () => {
  const page = await open(browser, `file://${singleFile}`);
  await press(page, 0);
  assert.equal((await primitives(page)).length, 5);
  assert.equal(anyInk(await ink(page)), true);
  assert.deepEqual(page.errors, []);
  await page.close();
});
