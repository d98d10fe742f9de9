// What every browser test needs: the built page served on 127.0.0.1 and Debian's chromium,
// headless, driven by puppeteer-core.
import { createServer } from 'node:http';
import { after, before } from 'node:test';
import { mkdtempSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

export const site = process.env.TAMIREL_SITE;
export const singleFile = process.env.TAMIREL_SINGLE;
if (!site) throw new Error('TAMIREL_SITE names the built site folder (make web-test sets it)');

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml',
};

// Serves `folder` on 127.0.0.1 at a free port, with the Last-Modified of a plain static host;
// resolves to { url, close, use }, where use(other) serves another folder at the same address.
export function serve(folder) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).replace(/^(\.\.[/\\])+/, '');
    const file = join(folder, path.endsWith('/') ? path + 'index.html' : path);
    try {
      const body = readFileSync(file);
      response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream',
        'Last-Modified': statSync(file).mtime.toUTCString() });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((done) => { server.close(done); server.closeAllConnections(); }),
    use: (other) => { folder = other; },
  })));
}

// TAMIREL_BROWSER=firefox drives Debian's firefox-esr instead (over WebDriver BiDi).
export const firefox = process.env.TAMIREL_BROWSER === 'firefox';

// `args`: more of chromium's command-line switches; `prefs`: more of firefox's preferences.
export async function launch(args = [], prefs = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'tamirel-chromium-'));
  const browser = firefox ? await puppeteer.launch({
    browser: 'firefox', executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr', headless: true, userDataDir: profile,
    extraPrefsFirefox: prefs,
  }) : await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--lang=bg', ...args],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// A new tab on `url`, once the page has built its window (or, `until`, reached another state).
// `page.errors` collects uncaught errors and console errors; `page.uncaught` the first alone.
// `viewport`: puppeteer's; `prepare(page)` runs before the page loads.
export async function open(browser, url, { viewport = { width: 600, height: 460 }, until = 'html[data-ready]', prepare } = {}) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const errors = [], uncaught = [];
  page.on('pageerror', (error) => { errors.push(error.message); uncaught.push(error.message); });
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  page.errors = errors;
  page.uncaught = uncaught;
  if (prepare) await prepare(page);
  await page.goto(url);
  await page.waitForSelector(until);
  await page.bringToFront();
  return page;
}

// The drawing area's pixels as rows of booleans: true where it is not white.
export async function ink(page) {
  return page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    const { width, height } = canvas;
    const data = canvas.getContext('2d').getImageData(0, 0, width, height).data;
    const rows = [];
    for (let y = 0; y < height; ++y) {
      const row = [];
      for (let x = 0; x < width; ++x) {
        const i = 4 * (y * width + x);
        row.push(data[i] < 200 || data[i + 1] < 200 || data[i + 2] < 200);
      }
      rows.push(row);
    }
    return rows;
  });
}

// Waits for the frame that paints what the last action drew.
// The types of what the clipboard holds, once something is there (empty after 2.5 s).
export const clipboardTypes = (page) => page.evaluate(async () => {
  for (let i = 0; i < 50; ++i) {
    const items = await navigator.clipboard.read().catch(() => []);
    if (items.length && items[0].types.length) return items[0].types;
    await new Promise((r) => setTimeout(r, 50));
  }
  return [];
});
export const painted = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));

// Serves the site and starts a browser before a test file's tests, and ends both after them;
// `use` is handed the server and the browser once both are up.
export function withSiteAndBrowser(use) {
  let server, browser;
  before(async () => {
    server = await serve(site);
    browser = await launch();
    use(server, browser);
  });
  after(async () => {
    await browser?.close();
    await server?.close();
  });
}
