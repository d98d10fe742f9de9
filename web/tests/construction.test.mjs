// The construction in the lesson, in real Chromium: keys move through the steps, the step
// number shows, the copy follows the step, and the printed handout holds every step.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { choose, clipboardTypes, ctrl, open, painted, withSiteAndBrowser } from './harness.mjs';

let server, browser;
withSiteAndBrowser((s, b) => { server = s; browser = b; });

const caption = (page) => page.$eval('#construction-caption', (c) => c.textContent);
const state = (page) => page.evaluate(() => window.tamirel.construction());

async function openPentagon(width = 1280) {
  const page = await open(browser, server.url);
  await page.setViewport({ width, height: 1000 });
  await choose(page, 1, '300');
  await choose(page, 2, '5');
  await page.keyboard.press('F1');
  await page.focus('#construction-figure');
  return page;
}

test('keys move through the steps, the step number shows, and Space plays to the end', async () => {
  const page = await openPentagon();
  const { steps } = await state(page);
  assert.equal(await caption(page), `Построяване на правилен петоъгълник — Стъпка 1 от ${steps}`);
  for (const key of ['ArrowRight', 'PageDown', 'ArrowRight', 'ArrowLeft']) await page.keyboard.press(key);
  assert.equal((await state(page)).step, 3);
  assert.equal(await caption(page), `Построяване на правилен петоъгълник — Стъпка 3 от ${steps}`);
  assert.equal(await page.$eval('#construction-sentence', (s) => s.textContent), (await state(page)).sentence);
  assert.equal(await page.$eval('#construction-step[aria-live=polite]', (r) => r.textContent.replace(/\s+/g, ' ').trim()),
    `${await caption(page)} ${(await state(page)).sentence}`, 'a reader hears the step from a polite live region');
  await page.keyboard.press('End');
  assert.equal((await state(page)).step, steps);
  await page.keyboard.press('PageUp');
  assert.equal((await state(page)).step, steps - 1);
  await page.keyboard.press('Space');   // plays the last step and stops
  assert.equal(await page.$eval('[data-step=play]', (b) => b.textContent), 'Спри');
  await page.waitForFunction(() => document.querySelector('[data-step=play]').textContent === 'Пусни', { timeout: 5000 });
  assert.equal((await state(page)).step, steps);
  await page.keyboard.press('Home');
  assert.equal((await state(page)).step, 1);
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('Space');
  await choose(page, 1, '400');   // a new figure while playing: it stops and shows its first step
  assert.deepEqual([(await state(page)).step, await page.$eval('[data-step=play]', (b) => b.textContent)], [1, 'Пусни']);

  await choose(page, 2, '7');   // the lesson follows the lists, and so does its construction
  assert.match(await caption(page), /^Чертане на правилен седмоъгълник — Стъпка 1 от 9$/);
  assert.match(await page.$eval('#construction-sentence', (s) => s.textContent), /не може да се построи само с линийка и пергел/);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('the copy at the first step holds fewer objects than at the last', async () => {
  const context = browser.defaultBrowserContext();
  await context.overridePermissions(server.url, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const page = await openPentagon();
  const objects = (svg) => (svg.match(/<circle|<line/g) || []).length;
  const home = (await state(page)).svg;
  await page.keyboard.press('End');
  const end = (await state(page)).svg;
  assert.ok(objects(home) < objects(end), `${objects(home)} < ${objects(end)}`);
  assert.ok(end.includes('viewBox="0 0 1000 1000"') && end.includes('r="300"'));
  await ctrl(page, 'KeyC');
  const copied = await clipboardTypes(page);
  assert.ok(copied.includes('image/png'), copied.join());
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('the handout PDF has every step with its sentence', async () => {
  const page = await openPentagon();
  const { steps } = await state(page);
  await page.evaluate(() => window.tamirel.handout());
  const pdf = await page.pdf({ format: 'A4', preferCSSPageSize: true });
  const folder = mkdtempSync(join(tmpdir(), 'tamirel-handout-'));
  writeFileSync(join(folder, 'handout.pdf'), pdf);
  const text = execFileSync('pdftotext', ['-raw', join(folder, 'handout.pdf'), '-'], { encoding: 'utf8' }).replace(/\s+/g, ' ');
  rmSync(folder, { recursive: true, force: true });
  assert.equal(text.split('Построяване на правилен петоъгълник, R = 300 единици').length - 1, Math.ceil(steps / 6));
  for (let step = 1; step <= steps; ++step) {
    assert.ok(text.includes(`${step}. `), `step ${step}`);
  }
  assert.ok(text.includes('14. Свързваме последователно точките'));
  await page.close();
});
