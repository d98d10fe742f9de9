// The pupil's own construction in real Chromium: a click, a tap and the keys reach the same
// moves, a refused file changes nothing, a saved one opens on its own figure; and a pupil on a
// phone or a tablet builds the polygon with hints. TAMIREL_SHOTS names a folder for screenshots.
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
const TOOLS = ['straightedge', 'compass', 'opening', 'crossing', 'sides'];   // keys 1 to 5
const attempt = (page) => page.evaluate(() => window.tamirel.construction().attempt);
const attemptFile = (page) => page.evaluate(() => self.tamirelApp.lessonProgram.UTF8ToString(self.tamirelApp.lessonProgram._tamirel_attempt_text()));
const said = (page) => page.$eval('#attempt-said[aria-live=polite]', (p) => p.textContent.trim());

async function startBuilding(viewport, n) {
  const page = await open(browser, server.url, { viewport });
  await choose(page, 1, '300');
  await choose(page, 2, n);
  await page.keyboard.press('F1');
  await page.click('#attempt-build');
  await page.focus('#construction-figure');
  return page;
}

// Where target `i` of the construction's figure is on the screen, `dx` CSS px to its right.
async function onScreen(page, i, dx) {
  await page.$eval('#construction-figure', (c) => c.scrollIntoView({ block: 'center' }));
  return page.evaluate((target, d) => {
    const { x, y } = window.tamirel.construction().attempt.targets[target];
    const r = document.getElementById('construction-figure').getBoundingClientRect();
    const { focus, reach } = window.tamirel.view(1);
    return [r.left + r.width / 2 + (x - focus[0]) * r.width / (2 * reach) + d, r.top + r.height / 2 + (y - focus[1]) * r.height / (2 * reach)];
  }, i, dx);
}

// Hands: each takes up a tool (or asks a hint) and picks target `i`. A tap's click follows the
// finger's lifting, so each tap waits for the frame after it.
const hands = {
  mouse: (page, dx = 6) => ({ tool: (id) => page.click(`#attempt-${id}`), pick: async (i) => page.mouse.click(...await onScreen(page, i, dx)) }),
  touch: (page, dx = 18) => ({
    tool: async (id) => { await (await page.$(`#attempt-${id}`)).tap(); await painted(page); },
    pick: async (i) => { await page.touchscreen.tap(...await onScreen(page, i, dx)); await painted(page); },
  }),
  keys: (page) => ({
    tool: async (id) => (id === 'hint' ? page.click('#attempt-hint').then(() => page.focus('#construction-figure'))
      : page.keyboard.press(String(TOOLS.indexOf(id) + 1))),
    pick: async (i) => {
      for (let k = 0; k < 30 && (await attempt(page)).focus !== i; ++k) await page.keyboard.press('ArrowRight');
      await page.keyboard.press('Enter');
    },
  }),
};
const pointAt = async (page, name) => (await attempt(page)).targets.findIndex((t) => t.said === `Точка ${name}`);

test('a click, a tap within a finger\'s reach and the keys alone make the hexagon\'s first vertex alike', async () => {
  const files = [];
  for (const [name, viewport] of [['mouse'], ['touch', PHONE], ['keys']]) {
    const page = await startBuilding(viewport, '6');
    const hand = hands[name](page);
    await hand.tool('compass');   // the circle about A₁ through O, and where it meets k first
    await hand.pick(await pointAt(page, 'A₁'));
    await hand.pick(await pointAt(page, 'O'));
    await hand.tool('crossing');
    await hand.pick(0);
    assert.match(await said(page), /Това е връх на правилния шестоъгълник: построени са 2 от 6 върха/, name);
    assert.deepEqual(await page.$$eval('[data-attempt][aria-pressed=true]', (b) => b.map((e) => e.dataset.attempt)), ['crossing']);
    files.push(await attemptFile(page));
    if (name === 'mouse') {   // a finger reaches farther than a mouse
      await hands.mouse(page, 18).pick(0);
      assert.equal(await said(page), 'Тук не се пресичат начертани линии.');
    }
    assert.deepEqual(page.errors, [], name);
    await page.close();
  }
  assert.match(files[0], /^circle A₁ O\npoint /m);
  assert.deepEqual(files, [files[0], files[0], files[0]]);
});

test('a refused file changes nothing and says why; a saved one opens on its own figure', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'tamirel-attempt-'));
  const page = await startBuilding(undefined, '6');
  await (await page.createCDPSession()).send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  await hands.keys(page).tool('compass');
  await hands.keys(page).pick(await pointAt(page, 'A₁'));
  await hands.keys(page).pick(await pointAt(page, 'O'));
  const built = await attemptFile(page), saved = join(folder, 'tamirel-opit-6-300.postroi');
  await ctrl(page, 'KeyS');
  // The browser may name the file before its bytes are in it.
  for (let i = 0; i < 100 && !(existsSync(saved) && readFileSync(saved, 'utf8')); ++i) await new Promise((r) => setTimeout(r, 50));
  assert.equal(readFileSync(saved, 'utf8'), built);

  const chooser = await page.$('#construction input[type=file]');
  const shown = await attempt(page);
  for (const [text, message] of [[built.replace(/end \d+\n$/, ''), 'Файлът е непълен: краят му липсва.'], ['<svg/>', 'Това не е файл с построяване на Tamirel.']]) {
    writeFileSync(join(folder, 'bad.postroi'), text);
    await chooser.uploadFile(join(folder, 'bad.postroi'));
    await page.waitForSelector('#message[open]');
    assert.equal(await page.$eval('#message span', (s) => s.textContent), message);
    await page.click('#message button');
    assert.deepEqual(await attempt(page), shown, 'nothing changed');
  }
  await choose(page, 2, '5');   // another figure ends the attempt; the file brings back its own
  await chooser.uploadFile(saved);
  await page.waitForFunction(() => window.tamirel.construction().attempt.active);
  assert.deepEqual(await page.$$eval('#List1_1, #List1_2', (l) => l.map((s) => s.value)), ['300', '6']);
  assert.equal(await page.$eval('#lesson-title', (t) => t.textContent), 'Правилен шестоъгълник', 'the lesson follows');
  await page.$eval('#Command1_0', (b) => b.click());   // and the window draws the file's figure
  assert.match(await page.$eval('#description', (d) => d.textContent), /радиус 300 и вписан правилен шестоъгълник/);
  assert.equal(await attemptFile(page), built);
  assert.deepEqual(page.errors, []);
  await page.close();
  rmSync(folder, { recursive: true, force: true });
});

// As a pupil follows hints: reads one, takes up its tool and picks the points it names (for
// a crossing, the one it rings), until the polygon stands.
const names = (text) => text.match(/\p{Lu}[\u2080-\u2089]*/gu);
const HINTS = [[/правата през ([^\s.]+) и ([^\s.]+)/, 'straightedge', (m) => [m[1], m[2]]],
  [/с център ([^\s.]+) през ([^\s.]+)/, 'compass', (m) => [m[1], m[2]]],
  [/с център ([^\s.]+) и радиус ([^\s.]+)/, 'opening', (m) => [...names(m[2]), m[1]]],
  [/пресечната точка/, 'crossing', () => []], [/страната ([^\s.]+)/, 'sides', (m) => names(m[1])]];

for (const [screen, viewport, n, polygon, hand] of [['phone', PHONE, '5', 'петоъгълник', 'touch'], ['tablet', TABLET, '6', 'шестоъгълник', 'keys']]) {
  test(`on a ${screen} a pupil builds the ${polygon} with hints (${hand}) and hears the verdict`, async () => {
    const page = await startBuilding(viewport, n);
    const pupil = hands[hand](page, 0);
    for (let moves = 0; moves < 40 && !(await attempt(page)).done; ++moves) {
      await pupil.tool('hint');
      const hint = await said(page);
      const [pattern, tool, points] = HINTS.find(([p]) => p.test(hint)) ?? assert.fail(hint);
      await pupil.tool(tool);
      const a = await attempt(page);
      const picks = tool === 'crossing' ? [a.targets.findIndex((t) => a.scene.items.some((i) => i.kind === 'circle'
        && i.radius < a.scene.reach / 10 && Math.hypot(i.a[0] - t.x, i.a[1] - t.y) < 0.01))] : await Promise.all(points(hint.match(pattern)).map((p) => pointAt(page, p)));
      assert.ok(!picks.includes(-1), hint);
      for (const i of picks) await pupil.pick(i);
    }
    assert.match(await said(page), new RegExp(`Построихте правилен ${polygon} за \\d+ хода \\(в урока: \\d+\\)\\.`));
    assert.equal(await page.$eval('#attempt-hint', (b) => b.getAttribute('aria-disabled')), 'true');
    if (process.env.TAMIREL_SHOTS) {
      await page.$eval('#attempt-said', (p) => p.scrollIntoView({ block: 'end' }));
      await page.screenshot({ path: join(process.env.TAMIREL_SHOTS, `${screen}-attempt-done.png`) });
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });
}
