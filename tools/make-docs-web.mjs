// node tools/make-docs-web.mjs OUT.png: the browser edition in Chromium with the same two
// figures as the desktop pictures, shot to OUT.png. TAMIREL_SITE names the built site.
import { launch, open, painted, serve, site } from '../web/tests/harness.mjs';

const out = process.argv[2];
const server = await serve(site);
const browser = await launch();
try {
  const page = await open(browser, server.url);
  const figure = async (radius, count) => {
    await page.select('#List1_1', radius);
    await page.select('#List1_2', count);
    await page.click('#Command1_0');
    await painted(page);
  };
  await figure('500', '3');
  await figure('300', '7');
  await page.mouse.move(1, 1);
  await page.screenshot({ path: out });
} finally {
  await browser.close();
  await server.close();
}
