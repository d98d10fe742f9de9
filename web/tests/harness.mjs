// What every browser test needs: the built page served on 127.0.0.1 and Debian's chromium,
// headless, driven by puppeteer-core.
import { createServer } from 'node:http';
import { after, before } from 'node:test';
import { existsSync, mkdtempSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import { gzipSync } from 'node:zlib';
import puppeteer from 'puppeteer-core';

export const site = process.env.TAMIREL_SITE;
export const singleFile = process.env.TAMIREL_SINGLE;
if (!site) throw new Error('TAMIREL_SITE names the built site folder (make web-test sets it)');

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml',
};

// Serves `folder` on 127.0.0.1 at a free port as a plain static host does: Last-Modified to the
// second, 304 to a request whose If-Modified-Since is that, and gzip to a browser that takes it
// (all but images), each file compressed once while it is unchanged, as a host keeps its
// compressed copies (so no load waits on the compressing); resolves to { url, close, use,
// hold }, where use(other) serves another folder at the same address, and hold(name, after)
// keeps the answers for the file `name` back until the function it returns is called, or with
// `after`, keeps back only what follows that text's first occurrence in it (sent unzipped; a
// 500 naming the text where the file lacks it, so that the test fails rather than runs on a
// page cut at the wrong place).
export function serve(folder) {
  const held = new Map(), zippedCopies = new Map();
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).replace(/^(\.\.[/\\])+/, '');
    const file = join(folder, path.endsWith('/') ? path + 'index.html' : path);
    const hold = held.get(path.replace(/^\//, ''));
    if (hold?.after) {
      const body = readFileSync(file), found = body.indexOf(hold.after), at = found + Buffer.byteLength(hold.after);
      if (found < 0) {
        response.writeHead(500);
        response.end(`hold: ${JSON.stringify(hold.after)} is not in ${path}`);
        return;
      }
      response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' });
      response.write(body.subarray(0, at));
      await hold.promise;
      response.end(body.subarray(at));
      return;
    }
    await hold?.promise;
    try {
      const body = readFileSync(file);
      const { mtime, mtimeMs } = statSync(file);
      const modified = mtime.toUTCString();
      if (request.headers['if-modified-since'] === modified) {
        response.writeHead(304);
        response.end();
        return;
      }
      const type = types[extname(file)] || 'application/octet-stream';
      const zipped = !type.startsWith('image/') && /\bgzip\b/.test(request.headers['accept-encoding'] || '');
      response.writeHead(200, { 'Content-Type': type, 'Last-Modified': modified, ...(zipped && { 'Content-Encoding': 'gzip' }) });
      const key = `${file} ${mtimeMs} ${body.length}`;
      if (zipped && !zippedCopies.has(key)) zippedCopies.set(key, gzipSync(body));
      response.end(zipped ? zippedCopies.get(key) : body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((done) => {
      for (const entry of held.values()) entry.release();
      server.close(done);
      server.closeAllConnections();
    }),
    use: (other) => { folder = other; },
    hold: (name, after) => {
      const entry = { after };
      entry.promise = new Promise((resolve) => { entry.release = resolve; });
      held.set(name, entry);
      return () => { held.delete(name); entry.release(); };
    },
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
    // Without the omnibox's own web page, which headless Chromium otherwise loads beside every
    // page under test, taking more of the processor than the page (later puppeteers do the same).
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--lang=bg', '--disable-features=WebUIOmniboxPopup,WebUIOmniboxAimPopup', ...args],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// A new tab on `url`, once the page has built its window (or, `until`, reached another state),
// with the lesson's scripts loaded (`late`, by default when it waits for the window), so that
// F1 opens the lesson at once, as it does for a pupil once they are there.
// `page.errors` collects uncaught errors and console errors; `page.uncaught` the first alone.
// `viewport`: puppeteer's; `prepare(page)` runs before the page loads.
export async function open(browser, url, { viewport = { width: 600, height: 460 }, until = 'html[data-ready]', prepare,
  late = until === 'html[data-ready]' } = {}) {
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
  if (late) await page.evaluate(() => self.tamirelApp.late());
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

// Chooses the item `text` in list `list` (0 style, 1 radius, 2 vertices) and waits for the frame.
export const choose = async (page, list, text) => { await page.select(`#List1_${list}`, text); await painted(page); };

// Presses Ctrl with `key` (a puppeteer key name, 'KeyS').
export async function ctrl(page, key) {
  await page.keyboard.down('Control');
  await page.keyboard.press(key);
  await page.keyboard.up('Control');
}

// The page's downloads, into a folder of their own (chromium only): `save(format, name)` presses
// Ctrl+S, answers the save dialog with `format` and resolves to the file `name`'s bytes once
// written; `remove()` deletes the folder.
export async function downloads(page) {
  const folder = mkdtempSync(join(tmpdir(), 'tamirel-downloads-'));
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  return {
    async save(format, name) {
      const file = join(folder, name);
      rmSync(file, { force: true });
      await ctrl(page, 'KeyS');
      await page.waitForSelector('#save-dialog[open]');
      await page.click(`#save-dialog button[value=${format}]`);
      for (let i = 0; i < 100 && !existsSync(file); ++i) await new Promise((r) => setTimeout(r, 50));
      return readFileSync(file);
    },
    remove: () => rmSync(folder, { recursive: true, force: true }),
  };
}

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
