// The pupil's own construction in real Chromium: clicks, taps and keys reach the same moves,
// a refused file changes nothing, a saved one opens on its figure; and a pupil on a phone
// builds the pentagon with hints and taps. TAMIREL_SHOTS names a folder for the screenshots.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { choose, ctrl, open, painted, withSiteAndBrowser } from './harness.mjs';

let server, browser;
withSiteAndBrowser((s, b) => { server = s; browser = b; });

const PHONE = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const TABLET = { width: 820, height: 1180, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
const attempt = (page) => page.evaluate(() => window.tamirel.construction().attempt);
const attemptFile = (page) => page.evaluate(() => self.tamirelApp.program.UTF8ToString(self.tamirelApp.program._tamirel_attempt_text()));
const said = (page) => page.$eval('#attempt-said[aria-live=polite]', (p) => p.textContent.trim());

async function startBuilding(viewport, n, radius = '300') {
  const page = await open(browser, server.url, { viewport });
  await choose(page, 1, radius);
  await choose(page, 2, n);
  await page.keyboard.press('F1');
  await page.click('#attempt-build');
  return page;
}

// Where canvas point `at` ({x, y}) of the construction's figure is on the screen, moved right by `dx` CSS px.
async function onScreen(page, { x, y }, dx = 0) {
  await page.$eval('#construction-figure', (c) => c.scrollIntoView({ block: 'center' }));
  return page.evaluate((px, py, d) => {
    const r = document.getElementById('construction-figure').getBoundingClientRect();
    const { focus, reach } = window.tamirel.view(1);
    return [r.left + r.width / 2 + (px - focus[0]) * r.width / (2 * reach) + d, r.top + r.height / 2 + (py - focus[1]) * r.height / (2 * reach)];
  }, x, y, dx);
}

// The hexagon's first vertex by stepping the radius: the circle about A₁ through O, then where
// it meets k first in the keyboard's order. `tool(id)` takes up a tool, `pick(i)` picks target i.
async function firstVertex(page, tool, pick) {
  const point = async (name) => (await attempt(page)).targets.findIndex((t) => t.said === `Точка ${name}`);
  await tool('compass');
  await pick(await point('A₁'));
  await pick(await point('O'));
  await tool('crossing');
  await pick(0);
}

const byMouse = (page, dx) => ({
  tool: (id) => page.click(`#attempt-${id}`),
  pick: async (i) => page.mouse.click(...await onScreen(page, (await attempt(page)).targets[i], dx)),
});
// A tap's click follows the finger's lifting: each waits for the frame after it.
const byTouch = (page, dx) => ({
  tool: async (id) => { await (await page.$(`#attempt-${id}`)).tap(); await painted(page); },
  pick: async (i) => { await page.touchscreen.tap(...await onScreen(page, (await attempt(page)).targets[i], dx)); await painted(page); },
});
const byKeys = (page) => ({
  tool: (id) => page.keyboard.press({ compass: '2', crossing: '4' }[id]),
  pick: async (i) => {
    for (let k = 0; k < 20 && (await attempt(page)).focus !== i; ++k) await page.keyboard.press('ArrowRight');
    await page.keyboard.press('Enter');
  },
});

test('a click, a tap within a finger\'s reach and the keys alone make the same first vertex', async () => {
  const files = [];
  for (const [name, viewport, hand] of [['mouse', undefined, (p) => byMouse(p, 6)], ['touch', PHONE, (p) => byTouch(p, 18)],
    ['keys', undefined, byKeys]]) {
    const page = await startBuilding(viewport, '6');
    if (name === 'keys') await page.focus('#construction-figure');
    await firstVertex(page, hand(page).tool, hand(page).pick);
    assert.match((await attempt(page)).status, /Построени върхове: 2 от 6\./, name);
    assert.match(await said(page), /Това е връх на правилния шестоъгълник/, `${name}: a reader hears the vertex`);
    assert.equal(await page.$eval('#attempt-compass', (b) => b.getAttribute('aria-pressed')), 'false');
    assert.equal(await page.$eval('#attempt-crossing', (b) => b.getAttribute('aria-pressed')), 'true');
    files.push(await attemptFile(page));
    if (name === 'mouse') {   // a finger's reach is not a mouse's
      await byMouse(page, 18).tool('compass');
      await byMouse(page, 18).pick(0);
      assert.match(await said(page), /няма/, 'a click 18 px off picks nothing');
    }
    assert.deepEqual(page.errors, [], name);
    await page.close();
  }
  assert.equal(files[1], files[0], 'touch');
  assert.equal(files[2], files[0], 'keys');
  assert.match(files[0], /^circle A₁ O\npoint /m);
});

test('a refused file changes nothing and says why; a saved one opens on its own figure', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'tamirel-attempt-'));
  const page = await startBuilding(undefined, '6');
  try {
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await page.focus('#construction-figure');
    await firstVertex(page, byKeys(page).tool, byKeys(page).pick);
    const built = await attemptFile(page);
    await ctrl(page, 'KeyS');
    const saved = join(folder, 'tamirel-opit-6-300.postroi');
    for (let i = 0; i < 100 && !existsSync(saved); ++i) await new Promise((r) => setTimeout(r, 50));
    assert.equal(readFileSync(saved, 'utf8'), built);

    const chooser = await page.$('#construction input[type=file]');
    const shown = await attempt(page);
    for (const [text, message] of [[built.replace(/end \d+\n$/, ''), 'Файлът е непълен: краят му липсва.'],
      ['<svg/>', 'Това не е файл с построяване на Tamirel.']]) {
      writeFileSync(join(folder, 'bad.postroi'), text);
      await chooser.uploadFile(join(folder, 'bad.postroi'));
      await page.waitForSelector('#message[open]');
      assert.equal(await page.$eval('#message span', (s) => s.textContent), message);
      await page.click('#message button');
      assert.deepEqual(await attempt(page), shown, 'nothing changed');
    }

    await choose(page, 2, '5');   // another figure ends the attempt; opening the file goes back to its own
    assert.equal((await attempt(page)).active, false);
    await chooser.uploadFile(saved);
    await page.waitForFunction(() => window.tamirel.construction().attempt.active);
    assert.deepEqual(await page.$$eval('#List1_1, #List1_2', (l) => l.map((s) => s.value)), ['300', '6']);
    assert.equal(await page.$eval('#lesson-title', (t) => t.textContent), 'Правилен шестоъгълник', 'the lesson follows');
    assert.equal(await attemptFile(page), built);
    assert.deepEqual(page.errors, []);
  } finally {
    await page.close();
    rmSync(folder, { recursive: true, force: true });
  }
});

// Follows hints as a pupil does: reads one, takes up its tool and taps what it names (for a
// crossing, the one it rings), until the polygon stands.
const names = (text) => text.match(/\p{Lu}[\u2080-\u2089]*/gu);
const HINTS = [[/правата през ([^\s.]+) и ([^\s.]+)/, 'straightedge', (m) => [m[1], m[2]]],
  [/с център ([^\s.]+) през ([^\s.]+)/, 'compass', (m) => [m[1], m[2]]],
  [/с център ([^\s.]+) и радиус ([^\s.]+)/, 'opening', (m) => [...names(m[2]), m[1]]],
  [/пресечната точка/, 'crossing', () => []],
  [/страната ([^\s.]+)/, 'sides', (m) => names(m[1])]];
async function buildWithHints(page, hand) {
  for (let moves = 0; moves < 80 && !(await attempt(page)).done; ++moves) {
    await hand.tool('hint');
    const hint = await said(page);
    const [pattern, tool, points] = HINTS.find(([p]) => p.test(hint)) ?? assert.fail(hint);
    await hand.tool(tool);
    const a = await attempt(page);
    const targets = tool === 'crossing'
      ? [a.targets.findIndex((t) => a.scene.items.some((i) => i.kind === 'circle' && i.radius < a.scene.reach / 10
        && Math.hypot(i.a[0] - t.x, i.a[1] - t.y) < 0.01))]
      : points(hint.match(pattern)).map((name) => a.targets.findIndex((t) => t.said === `Точка ${name}`));
    assert.ok(!targets.includes(-1), hint);
    for (const target of targets) await hand.pick(target);
  }
}

async function shoot(page, name) {
  if (!process.env.TAMIREL_SHOTS) return;
  await page.$eval('#attempt-said', (p) => p.scrollIntoView({ block: 'end' }));
  await page.screenshot({ path: join(process.env.TAMIREL_SHOTS, name) });
}

test('on a phone a pupil builds the pentagon with hints and taps, and hears the verdict', async () => {
  const page = await startBuilding(PHONE, '5');
  await buildWithHints(page, byTouch(page, 0));
  const verdict = await said(page);
  assert.match(verdict, /Построихте правилен петоъгълник за \d+ хода \(в урока: \d+ хода\)\./);
  assert.match((await attempt(page)).status, /Построени върхове: 5 от 5\./);
  assert.equal(await page.$eval('#attempt-hint', (b) => b.getAttribute('aria-disabled')), 'true');
  await shoot(page, 'phone-attempt-done.png');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('on a tablet the keys alone build the hexagon', async () => {
  const page = await startBuilding(TABLET, '6');
  await page.focus('#construction-figure');
  const keys = byKeys(page);
  await buildWithHints(page, { tool: (id) => (id === 'hint' ? page.click('#attempt-hint').then(() => page.focus('#construction-figure')) : page.keyboard.press(String(['straightedge', 'compass', 'opening', 'crossing', 'sides'].indexOf(id) + 1))), pick: keys.pick });
  assert.match(await said(page), /Построихте правилен шестоъгълник за 3 хода/);
  await shoot(page, 'tablet-attempt-done.png');
  assert.deepEqual(page.errors, []);
  await page.close();
});
