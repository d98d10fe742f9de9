// The page on tablets, phones and desktops, by touch and by mouse, and to assistive technology.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { firefox, ink, open, painted, withSiteAndBrowser } from './harness.mjs';

const axePath = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
let server, browser;
withSiteAndBrowser((s, b) => { server = s; browser = b; });

// How the window sits in the viewport: every control's box, the scale, what overflows, and
// whether the canvas's backing store has one pixel per device pixel.
const geometry = (page) => page.evaluate(() => {
  const root = document.documentElement, form = document.getElementById('form');
  const canvas = form.querySelector('canvas');
  const scale = form.getBoundingClientRect().width / form.offsetWidth;
  return {
    scale,
    overflow: root.scrollWidth > root.clientWidth || root.scrollHeight > root.clientHeight,
    fill: Math.max(form.getBoundingClientRect().width / (root.clientWidth - 16), form.getBoundingClientRect().height / (root.clientHeight - 16)),
    offScreen: [...form.children].filter((c) => {
      const r = c.getBoundingClientRect();
      return r.left < 0 || r.top < 0 || r.right > root.clientWidth || r.bottom > root.clientHeight;
    }).map((c) => c.id),
    sharp: canvas.width === Math.round(canvas.clientWidth * scale * devicePixelRatio),
    rows: Math.min(...[...form.querySelectorAll('option')].map((o) => o.getBoundingClientRect().height)),
    // A button takes a touch 12 CSS px above and below its middle.
    targets: [...form.querySelectorAll('button')].every((b) => {
      const r = b.getBoundingClientRect(), x = r.left + r.width / 2, y = r.top + r.height / 2;
      return [-11.9, 11.9].every((d) => document.elementFromPoint(x, y + d) === b);
    }),
  };
});

const screens = [
  { name: 'tablet, landscape', width: 1024, height: 768, ratio: 2, touch: true },
  { name: 'tablet, portrait', width: 768, height: 1024, ratio: 2, touch: true },
  { name: 'phone', width: 390, height: 844, ratio: 3, touch: true },
  { name: 'touch laptop', width: 1366, height: 768, ratio: 1, touch: true },
  { name: 'desktop, mouse', width: 1366, height: 768, ratio: 1, touch: false, scale: 1 },
  { name: 'small window, mouse', width: 420, height: 360, ratio: 1, touch: false },
];
for (const { name, width, height, ratio, touch, scale } of screens) {
  const skip = touch && firefox && 'puppeteer emulates a touch screen only in chromium';
  test(`${name}, ${width} × ${height}: the whole window in sight, scaled as one, sharp, and usable`, { skip }, async () => {
    const page = await open(browser, server.url, { viewport: { width, height, deviceScaleFactor: ratio, isMobile: touch, hasTouch: touch } });
    await painted(page);
    const g = await geometry(page);
    assert.equal(g.overflow, false, 'nothing overflows');
    assert.deepEqual(g.offScreen, [], 'every control fully on screen');
    if (scale) assert.equal(g.scale, scale, 'the designed size');
    else assert.ok(g.fill > 0.99, `as large as fits (${g.fill})`);
    assert.equal(g.sharp, true, 'one canvas pixel per device pixel');
    if (touch) {
      assert.ok(g.rows >= 24, `list rows ${g.rows} CSS px high`);
      assert.equal(g.targets, true, 'buttons take a touch 24 CSS px high');
      await page.tap('#Command1_0');
      await painted(page);
      assert.ok((await ink(page)).some((row) => row.includes(true)), 'a tap on "Чертай" draws');
      const c = await page.$eval('canvas', (e) => e.getBoundingClientRect().toJSON());
      await page.touchscreen.touchStart(c.x + c.width / 2, c.y + c.height / 2);
      await new Promise((resolve) => setTimeout(resolve, 700));
      await page.touchscreen.touchEnd();
      await painted(page);
      const items = await page.$$eval('#menu:not([hidden]) [role=menuitem]', (all) => all.map((i) => i.getBoundingClientRect().height));
      assert.equal(items.length, 3, 'a long press opens the menu');
      assert.ok(Math.min(...items) >= 44, `menu items ${items} CSS px high`);
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });
}

// WCAG's contrast ratio of two computed CSS colours.
function contrast(a, b) {
  const luminance = (css) => {
    const [r, g, b] = css.match(/\d+/g).slice(0, 3).map((v) => {
      const c = v / 255;
      return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
  return (hi + 0.05) / (lo + 0.05);
}

test('axe finds no fault, on the page and with the menu open; the selections read at 4.5:1 at least; "Tamirel" is the h1', async () => {
  const page = await open(browser, server.url);
  await page.addScriptTag({ path: axePath });
  const audit = async () => (await page.evaluate(() => axe.run())).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
  assert.deepEqual(await audit(), []);
  // Text and background colours; a gradient's first colour stands for it.
  const colours = (selector) => page.$eval(selector, (e) => {
    const style = getComputedStyle(e);
    return [style.color, style.backgroundImage === 'none' ? style.backgroundColor : style.backgroundImage];
  });
  const [text, back] = await colours('#List1_1 option:checked');
  assert.ok(contrast(text, back) >= 4.5, `selected item ${text} on ${back}`);

  await page.click('canvas', { button: 'right' });
  assert.deepEqual(await audit(), []);
  const [menuText, menuBack] = await colours('#menu [role=menuitem]:focus');
  assert.ok(contrast(menuText, menuBack) >= 4.5, `highlighted menu item ${menuText} on ${menuBack}`);
  assert.equal(await page.$eval('h1', (h) => h.textContent), 'Tamirel');
  await page.close();
});
