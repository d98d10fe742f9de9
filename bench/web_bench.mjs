// The browser edition's size, load time and response, in Debian's chromium:
//   size      everything the page loads, gzip -9, against 80 KB (the lesson included);
//   load      cold load to the canvas's first paint, median of RUNS, against a baseline page
//             with the same window whose canvas is painted by plain script (no WebAssembly),
//             measured alternately;
//   response  a press of "Чертай": frames from the click to the frame that shows it;
//   lesson    F1 (R = 300, N = 6) to the lesson's figure painted, median of RUNS, and the frame
//             that shows it.
// node bench/web_bench.mjs SITE_DIR [RUNS]
import { readFileSync, writeFileSync, mkdtempSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

process.env.TAMIREL_SITE ||= process.argv[2];
const { serve, launch, open } = await import('../web/tests/harness.mjs');
const site = process.argv[2];
const runs = Number(process.argv[3] || 15);

const browser = await launch();
const server = await serve(site);
const first = await open(browser, server.url);

// Size: what the page fetched, each file compressed as a server would.
const fetched = await first.evaluate(() => performance.getEntriesByType('resource').map((r) => new URL(r.name).pathname));
const files = ['index.html', ...new Set(fetched.map((p) => p.replace(/^\//, '')))].filter((f) => f && f !== 'sw.js');
let total = 0;
for (const f of files) total += gzipSync(readFileSync(join(site, f)), { level: 9 }).length;

// The baseline: the page's own window as built, with its scripts replaced by one that paints
// the canvas white.
const baselineDir = mkdtempSync(join(tmpdir(), 'tamirel-baseline-'));
const body = await first.evaluate(() => document.getElementById('form').outerHTML);
const style = await first.evaluate(() => document.querySelector('style').outerHTML);
writeFileSync(join(baselineDir, 'index.html'), `<!DOCTYPE html><html lang="bg"><head><meta charset="utf-8">${style}</head>
<body>${body}<script>
const c = document.querySelector('canvas'); const r = devicePixelRatio || 1;
c.width = c.height = Math.round(c.clientWidth * r);
requestAnimationFrame(() => { const x = c.getContext('2d'); x.fillStyle = '#fff'; x.fillRect(0, 0, c.width, c.height);
  performance.mark('tamirel-paint'); });
</script></body></html>`);
const baseline = await serve(baselineDir);
await first.close();

async function coldLoad(url) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setCacheEnabled(false);
  await page.goto(url);
  const ms = await page.evaluate(() => new Promise((resolve) => {
    const look = () => {
      const mark = performance.getEntriesByName('tamirel-paint')[0];
      if (mark) resolve(mark.startTime); else requestAnimationFrame(look);
    };
    look();
  }));
  await context.close();
  return ms;
}

const program = [], plain = [];
await coldLoad(server.url);
await coldLoad(baseline.url);
for (let i = 0; i < runs; ++i) {
  program.push(await coldLoad(server.url));
  plain.push(await coldLoad(baseline.url));
}
const median = (v) => { const s = [...v].sort((a, b) => a - b); return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2; };

// Response: the frame after the click's must show the figure.
const page = await open(browser, server.url);
const frames = await page.evaluate(() => new Promise((resolve) => {
  const canvas = document.querySelector('canvas');
  const inked = () => canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data.some((v, i) => i % 4 === 0 && v < 128);
  document.getElementById('Command1_0').click();
  let n = 0;
  const look = () => { ++n; if (inked() || n > 10) resolve(n); else requestAnimationFrame(look); };
  requestAnimationFrame(() => requestAnimationFrame(look));
}));

// Lesson: F1 runs the lesson's opening and painting at once; the next frame must show it.
await page.select('#List1_1', '300');
await page.select('#List1_2', '6');
const lessonRuns = [];
let lessonFrame = 0;
for (let i = 0; i < runs; ++i) {
  const run = await page.evaluate(() => new Promise((resolve) => {
    const start = performance.now();
    document.dispatchEvent(new KeyboardEvent('keydown', { key: 'F1', bubbles: true, cancelable: true }));
    const ms = performance.now() - start;
    const figure = document.getElementById('lesson-figure');
    requestAnimationFrame(() => {
      const d = figure.getContext('2d').getImageData(0, 0, figure.width, figure.height).data;
      const inked = d.some((v, k) => k % 4 === 0 && v < 128);
      document.getElementById('lesson').close();
      resolve({ ms, frame: inked ? 1 : 2 });
    });
  }));
  lessonRuns.push(run.ms);
  lessonFrame = Math.max(lessonFrame, run.frame);
}

const load = median(program) / median(plain);
console.log(`size      ${(total / 1024).toFixed(1)} KB gzip in ${files.length} files (${files.join(', ')})  goal <= 80 KB with the lesson: ${total <= 80 * 1024 ? 'met' : 'NOT MET'}`);
console.log(`load      ${median(program).toFixed(1)} ms against ${median(plain).toFixed(1)} ms for the baseline, median of ${runs}: ratio ${load.toFixed(2)}  goal <= 1.5: ${load <= 1.5 ? 'met' : 'NOT MET'}`);
console.log(`response  "Чертай" shows in frame ${frames - 1} after the click's  goal: the next frame: ${frames - 1 <= 1 ? 'met' : 'NOT MET'}`);
console.log(`lesson    F1 to the figure painted ${median(lessonRuns).toFixed(1)} ms, median of ${runs}; shows in frame ${lessonFrame} after the key's  goal: the next frame: ${lessonFrame <= 1 ? 'met' : 'NOT MET'}`);
await page.close();
await baseline.close();
await server.close();
await browser.close();
