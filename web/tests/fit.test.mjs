// The lesson on classroom screens, tablets and phones, at 100 % and zoomed: every text in sight
// or reachable by scrolling, no letter smaller than the window's, the lists it follows left in
// reach where there is room, and its figures enlarged and moved by wheel, keys and drag.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { open, painted, withSiteAndBrowser } from './harness.mjs';

let server, browser;
withSiteAndBrowser((s, b) => { server = s; browser = b; });


async function openLesson(viewport, n, before) {
  const page = await open(browser, server.url, { viewport });
  await page.select('#List1_1', '300');
  await page.select('#List1_2', before ?? n);
  await page.keyboard.press('F1');
  if (before) await page.select('#List1_2', n);   // the lesson follows the list to the figure
  await page.focus('#construction-figure');
  await page.keyboard.press('End');
  await painted(page);
  return page;
}

// Where the dialog and its figures stand, and what of its content could not be reached: texts
// or figures outside its scroll range, boxes that cut their content, letters too small.
// The least a lesson letter may be: the window's text as the page shows it, never below its
// designed 16 CSS px.
const survey = (page) => page.evaluate(() => {
  const dialog = document.getElementById('lesson');
  const form = document.getElementById('form');
  const least = parseFloat(getComputedStyle(form).fontSize) * Math.max(1, form.getBoundingClientRect().width / form.offsetWidth);
  const root = document.documentElement;
  const d = dialog.getBoundingClientRect();
  const x0 = d.left + dialog.clientLeft - dialog.scrollLeft, y0 = d.top + dialog.clientTop - dialog.scrollTop;
  const texts = [...dialog.querySelectorAll('*')].filter((e) => e.checkVisibility() &&
    ([...e.childNodes].some((n) => n.nodeType === Node.TEXT_NODE && n.textContent.trim()) || e.tagName === 'CANVAS'));
  const unreachable = texts.filter((e) => {
    const r = e.getBoundingClientRect();
    return r.left - x0 < -0.5 || r.top - y0 < -0.5 || r.right - x0 > dialog.scrollWidth + 0.5 || r.bottom - y0 > dialog.scrollHeight + 0.5;
  }).map((e) => e.id || e.textContent.slice(0, 30));
  const cuts = (e) => {   // a box that hides what overflows it, in a direction where something does
    const style = getComputedStyle(e), hides = (o) => o === 'hidden' || o === 'clip';
    return (hides(style.overflowX) && e.scrollWidth > e.clientWidth) || (hides(style.overflowY) && e.scrollHeight > e.clientHeight);
  };
  const cut = [dialog, ...dialog.querySelectorAll('*')].filter(cuts).map((e) => e.outerHTML.slice(0, 40));
  const fonts = texts.filter((e) => e.tagName !== 'CANVAS').map((e) => parseFloat(getComputedStyle(e).fontSize));
  const letters = ['lesson', 'construction'].map((name) => {
    const scene = window.tamirel[name]().scene;
    const side = document.getElementById(`${name}-figure`).getBoundingClientRect().width;
    return Math.min(...scene.items.filter((i) => i.kind === 'label').map((i) => i.size)) * side / (2 * scene.reach);
  });
  // A list is in reach where the point at its middle is the list's own.
  const lists = [1, 2].map((i) => {
    const list = document.getElementById(`List1_${i}`), r = list.getBoundingClientRect();
    return list.contains(document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2));
  });
  const box = (e) => [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight];
  return {
    inViewport: d.left >= 0 && d.top >= 0 && d.right <= root.clientWidth + 0.5 && d.bottom <= root.clientHeight + 0.5,
    unreachable, cut, smallestFont: Math.min(...fonts), smallestLetter: Math.min(...letters), least, lists,
    layout: [[d.left, d.top, d.width, d.height], box(document.getElementById('lesson-figure')), box(document.getElementById('construction-figure'))],
  };
});

// Browser zoom: the viewport in CSS px shrinks by the zoom, its device pixels grow by it.
const screens = [
  { name: '1024 × 768', viewport: { width: 1024, height: 768 }, lists: true },
  { name: '1366 × 768', viewport: { width: 1366, height: 768 }, lists: true },
  { name: '1920 × 1080', viewport: { width: 1920, height: 1080 }, lists: true },
  { name: '1024 × 768 at 250 %', viewport: { width: 410, height: 307, deviceScaleFactor: 2.5 } },
  { name: '1366 × 768 at 150 %', viewport: { width: 911, height: 512, deviceScaleFactor: 1.5 } },
  { name: 'phone', viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true }, lists: true },
  { name: 'tablet, landscape', viewport: { width: 1024, height: 768, deviceScaleFactor: 2, isMobile: true, hasTouch: true } },
  { name: 'tablet, portrait', viewport: { width: 768, height: 1024, deviceScaleFactor: 2, isMobile: true, hasTouch: true }, lists: true },
];
for (const { name, viewport, lists } of screens) {
  test(`${name}: every text of the lesson in reach, letters at the window's size at least${lists ? ', the lists uncovered' : ''}`, async () => {
    let layout;
    const direct = await openLesson(viewport, '17');
    try {
      for (const n of ['17', '7']) {
        await direct.select('#List1_2', n);
        await painted(direct);
        const s = await survey(direct);
        assert.equal(s.inViewport, true, 'the dialog lies within the screen');
        assert.deepEqual(s.unreachable, [], `N = ${n}: outside the dialog's scroll range`);
        assert.deepEqual(s.cut, [], `N = ${n}: boxes that cut their content`);
        assert.ok(s.least >= 16 && s.smallestFont >= s.least - 0.01, `N = ${n}: text ${s.smallestFont} px, at least ${s.least}`);
        assert.ok(s.smallestLetter >= s.least - 0.01, `N = ${n}: figure letters ${s.smallestLetter} px high, at least ${s.least}`);
        if (lists) assert.deepEqual(s.lists, [true, true], 'the radius and vertex lists stay in reach');
        layout = s.layout;
      }
      assert.deepEqual(direct.errors, []);
    } finally {
      await direct.close();
    }
    const followed = await openLesson(viewport, '7', '3');
    try {
      assert.deepEqual((await survey(followed)).layout, layout, 'the same place and figures whether opened on the figure or followed to it');
    } finally {
      await followed.close();
    }
  });
}

test('"Скрий" folds the dialog to its title bar off the lists, and "Покажи" brings it back', async () => {
  const page = await openLesson({ width: 1024, height: 768, deviceScaleFactor: 2, isMobile: true, hasTouch: true }, '17');
  try {
    assert.deepEqual((await survey(page)).lists, [false, false], 'over the page where nothing else fits');
    await page.click('[data-lesson=fold]');
    assert.deepEqual((await survey(page)).lists, [true, true]);
    await page.select('#List1_2', '5');
    assert.equal(await page.$eval('#lesson-title', (t) => t.textContent), 'Правилен петоъгълник', 'folded, it still follows');
    await page.click('[data-lesson=fold]');
    assert.equal(await page.$eval('#construction-figure', (c) => c.checkVisibility()), true);
  } finally {
    await page.close();
  }
});

test('wheel, keys and drag enlarge and move the construction\'s figure; Ctrl+0 and a new figure reset it', async () => {
  const page = await openLesson({ width: 1024, height: 768 }, '17');
  try {
    const view = () => page.evaluate(() => window.tamirel.view(1));
    const scrollTop = () => page.$eval('#lesson', (d) => d.scrollTop);
    const key = async (k, modifier) => {
      if (modifier) await page.keyboard.down(modifier);
      await page.keyboard.press(k);
      if (modifier) await page.keyboard.up(modifier);
    };
    await page.$eval('#construction-figure', (c) => c.scrollIntoView({ block: 'center' }));
    const c = await page.$eval('#construction-figure', (e) => e.getBoundingClientRect().toJSON());
    await page.mouse.move(c.x + c.width / 2, c.y + c.height / 2);
    const top = await scrollTop();
    await page.mouse.wheel({ deltaY: -100 });
    await painted(page);
    assert.equal((await view()).factor, 1, 'a plain wheel does not enlarge');
    assert.notEqual(await scrollTop(), top, 'it scrolls the dialog');
    await page.$eval('#construction-figure', (e) => e.scrollIntoView({ block: 'center' }));

    await page.keyboard.down('Control');
    await page.mouse.wheel({ deltaY: -100 });
    await page.keyboard.up('Control');
    assert.equal((await view()).factor, 1.25, 'Ctrl+wheel enlarges one step');
    const cases = [['+', null, 1.25 ** 2], ['Equal', 'Control', 1.25 ** 3], ['-', null, 1.25 ** 2], ['Minus', 'Control', 1.25], ['0', 'Control', 1]];
    await page.focus('#construction-figure');
    for (const [k, modifier, factor] of cases) {
      await key(k, modifier);
      assert.ok(Math.abs((await view()).factor - factor) < 1e-9, `${modifier ? modifier + '+' : ''}${k}: ${factor}`);
    }
    assert.equal((await page.evaluate(() => window.tamirel.construction())).step,
      (await page.evaluate(() => window.tamirel.construction())).steps, 'the keys leave the step alone');

    await key('+');
    await key('+');
    const before = (await view()).focus;
    const d = await page.$eval('#construction-figure', (e) => e.getBoundingClientRect().toJSON());
    await page.mouse.move(d.x + d.width / 2, d.y + d.height / 2);
    await page.mouse.down();
    await page.mouse.move(d.x + d.width / 2 + 60, d.y + d.height / 2 + 30, { steps: 3 });
    await page.mouse.up();
    const after = (await view()).focus;
    assert.ok(after[0] < before[0] && after[1] < before[1], `dragging right and down shows more of the left and top: ${before} → ${after}`);
    await key('ArrowLeft', 'Shift');
    assert.ok((await view()).focus[0] < after[0], 'Shift+Left moves the view left');

    const pageZoom = await page.$eval('#List1_2', (list) => !list.dispatchEvent(new KeyboardEvent('keydown',
      { key: '+', code: 'Equal', ctrlKey: true, bubbles: true, cancelable: true })));
    assert.equal(pageZoom, false, 'Ctrl+Plus off the figure stays the browser\'s');
    await page.select('#List1_2', '5');
    assert.equal((await view()).factor, 1, 'a new figure starts in its own frame');
    assert.deepEqual(page.errors, []);
  } finally {
    await page.close();
  }
});

test('two fingers on a phone enlarge the construction\'s figure, and one then moves it', async () => {
  const page = await openLesson({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true }, '17');
  try {
    await page.$eval('#construction-figure', (c) => c.scrollIntoView({ block: 'center' }));
    const r = await page.$eval('#construction-figure', (e) => e.getBoundingClientRect().toJSON());
    const x = r.x + r.width / 2, y = r.y + r.height / 2;
    const cdp = await page.createCDPSession();
    const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points.map(([px, py], id) => ({ x: px, y: py, id })) });
    await touch('touchStart', [[x - 30, y], [x + 30, y]]);
    for (let i = 1; i <= 5; ++i) await touch('touchMove', [[x - 30 - 6 * i, y], [x + 30 + 6 * i, y]]);
    await touch('touchEnd', []);
    const view = () => page.evaluate(() => window.tamirel.view(1));
    const pinched = await view();
    assert.ok(Math.abs(pinched.factor - 2) < 1e-6, `60 px apart to 120 px: twice as large (${pinched.factor})`);
    await touch('touchStart', [[x, y]]);
    for (let i = 1; i <= 5; ++i) await touch('touchMove', [[x - 6 * i, y]]);
    await touch('touchEnd', []);
    assert.ok((await view()).focus[0] > pinched.focus[0], 'a finger drawn left shows more of the right');
    assert.deepEqual(page.errors, []);
  } finally {
    await page.close();
  }
});
