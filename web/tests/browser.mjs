// Debian's chromium, headless, driven through Playwright, on the page served from dist/web; for
// the page's tests and make demo's picture of it. Never a downloaded browser.
import { chromium } from 'playwright-core';
import { serveFolder } from '../serve.mjs';

export const kChromium = process.env.CHROMIUM ?? '/usr/bin/chromium';

export async function openBrowser() {
  return chromium.launch({
    executablePath: kChromium,
    headless: true,
    // Root in a container has no sandbox; the page plays without a click; the microphone is a
    // fake one that needs no prompt.
    args: ['--no-sandbox', '--autoplay-policy=no-user-gesture-required',
           '--use-fake-device-for-media-stream', '--use-fake-ui-for-media-stream'],
  });
}

export { serveFolder };

// A page at the given device pixel ratio, loaded and ready, with every console error and page
// error collected in `errors`.
export async function openPage(browser, url, deviceScaleFactor = 1) {
  const context = await browser.newContext({ deviceScaleFactor, viewport: { width: 900, height: 700 } });
  const page = await context.newPage();
  const errors = [];
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(url);
  await page.evaluate(() => window.chorusPageReady);
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  return { context, page, errors };
}

// The editor's canvas as a PNG at the page's device pixel ratio.
export async function editorPicture(page) {
  const box = await page.locator('canvas.editor').boundingBox();
  const size = await page.evaluate(() => {
    const canvas = document.querySelector('canvas.editor');
    return { width: parseFloat(canvas.style.width), height: parseFloat(canvas.style.height) };
  });
  return page.screenshot({ clip: { x: Math.round(box.x), y: Math.round(box.y), ...size } });
}
