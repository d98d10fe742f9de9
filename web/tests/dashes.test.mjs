// The page's line styles read back from pixels: along a side of a dashed figure, on the canvas
// and in the saved PNG, ink and gaps keep each style's proportions.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { downloads, open, painted, withSiteAndBrowser } from './harness.mjs';

let server, browser;
withSiteAndBrowser((s, b) => { server = s; browser = b; });

// Ink and gap lengths in pen widths, dash first, as the desktop draws them.
const styles = [
  ['1 - Dash', [18, 6]],
  ['2 - Dot', [3, 3]],
  ['3 - Dash-dot', [9, 6, 3, 6]],
  ['4 - Dash-dot-dot', [9, 3, 3, 3, 3, 3]],
];

// The rows from 80 to 90 % of the height, where the bottom side of the square R = 500, N = 4
// lies (at 500 + 250√2 of 1000 units): their red channel, row by row; of the page's canvas, or
// of the PNG given in base 64.
const band = (page, png) => page.evaluate(async (base64) => {
  let ctx;
  if (base64) {
    const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${base64}`)).blob());
    ctx = new OffscreenCanvas(image.width, image.height).getContext('2d');
    ctx.drawImage(image, 0, 0);
  } else {
    ctx = document.querySelector('canvas').getContext('2d');
  }
  const { width, height } = ctx.canvas;
  const first = Math.floor(0.8 * height);
  const data = ctx.getImageData(0, first, width, Math.ceil(0.9 * height) - first).data;
  const rows = [];
  for (let i = 0; i < data.length; i += 4 * width) {
    rows.push(Array.from({ length: width }, (_, x) => data[i + 4 * x]));
  }
  return { width, rows };
}, png?.toString('base64'));

// Ink and gap runs along the side, from 22 to 78 % of the width (its corners are at 14.6 and
// 85.4 %, and the circle through them leaves the band at 22 and 78 %), one
// column at a time: a column is ink when the pen covers at least half of it, summed over the
// band (this takes in the smoothing of edges across two rows). The runs cut by the ends of the
// stretch are dropped.
function sideRuns({ width, rows }, pen) {
  const coverage = [];
  for (let x = Math.ceil(0.22 * width); x < Math.floor(0.78 * width); ++x) {
    coverage.push(rows.reduce((sum, row) => sum + (255 - row[x]) / 255, 0) / pen);
  }
  const runs = [];
  let ink = coverage[0] >= 0.5, length = 0;
  for (const c of coverage) {
    if ((c >= 0.5) === ink) {
      ++length;
    } else {
      runs.push({ ink, length });
      ink = !ink;
      length = 1;
    }
  }
  runs.push({ ink, length });
  return runs.slice(1, -1);
}

// The runs follow `pattern` (in pen widths) from some place in it on, each within a pixel.
function followsPattern(runs, pattern, pen) {
  if (runs.length < 2 * pattern.length) return false;
  return pattern.some((_, start) => (start % 2 === 0) === runs[0].ink
    && runs.every((r, i) => Math.abs(r.length - pen * pattern[(start + i) % pattern.length]) <= 1));
}

const show = (runs) => runs.map((r) => (r.ink ? '' : '-') + r.length).join(' ');

test('a dashed side keeps its style\'s proportions on the canvas and in the saved PNG', async () => {
  const page = await open(browser, server.url);
  const files = await downloads(page);
  await page.select('#List1_2', '4');   // R = 500 is the first choice
  await painted(page);

  for (const [style, pattern] of styles) {
    await page.select('#List1_0', style);   // redraws the square alone in this style
    await painted(page);
    const onScreen = sideRuns(await band(page), 1);
    assert.ok(followsPattern(onScreen, pattern, 1), `${style} on the canvas: ${show(onScreen)}`);

    // The exported image's pen is 3 pixels wide, and its dashes with it.
    const inFile = sideRuns(await band(page, await files.save('png', 'tamirel.png')), 3);
    assert.ok(followsPattern(inFile, pattern, 3), `${style} in the PNG: ${show(inFile)}`);
  }
  assert.deepEqual(page.errors, []);
  files.remove();
  await page.close();
});
