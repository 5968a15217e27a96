// The web page in Debian's chromium: it loads from the local server, renders the demo offline
// bit for bit as vstrender renders it, takes real mouse input on a fader and the preset list,
// reports a file it cannot decode, looks like the Linux editor at pixel ratios 1 and 2, and
// logs no error. Run by ctest (web_page_tests) after the web target is built.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { get } from 'node:http';
import { promisify } from 'node:util';
import { gunzipSync } from 'node:zlib';
import { decodeWav } from '../page/wav.js';
import { editorPicture, openBrowser, openPage, serveFolder } from './browser.mjs';

const root = new URL('../../', import.meta.url).pathname;
const distWeb = process.env.DIST_WEB ?? join(root, 'dist/web');
const vstrender = process.env.VSTRENDER ?? join(root, 'dist/linux/vstrender');
const run = promisify(execFile);

let server, url, browser, session, work, ids;

before(async () => {
  ({ server, url } = await serveFolder(distWeb));
  browser = await openBrowser();
  session = await openPage(browser, url);
  work = await mkdtemp(join(tmpdir(), 'web-page-tests-'));
  ids = await controlIds();
});

after(async () => {
  await browser?.close();
  server?.close();
  if (work)
    await rm(work, { recursive: true, force: true });
});

// The control ids of the editor, from the resource header the plug-in is built with.
async function controlIds() {
  const header = await readFile(join(root, 'resources/resource.h'), 'utf8');
  return Object.fromEntries([...header.matchAll(/#define\s+(IDC_\w+)\s+(\d+)/g)].map(([, name, id]) => [name, +id]));
}

// vstrender's render of the page's own demo input, as raw float bytes per channel.
async function vstrenderOutput(args) {
  const output = join(work, 'out.wav');
  await run(vstrender, ['-q', '--block', '1024', ...args, join(distWeb, 'demo-input.wav'), output]);
  const wav = decodeWav((await readFile(output)).buffer);
  return wav.channels.map((c) => Buffer.from(c.buffer, c.byteOffset, c.byteLength));
}

async function pageOutput(settings) {
  const rendered = await session.page.evaluate((s) => window.chorusPage.render(s), settings);
  return [Buffer.from(rendered.left, 'base64'), Buffer.from(rendered.right, 'base64')];
}

function assertSameBits(page, reference, what) {
  assert.equal(page[0].length, reference[0].length, `${what}: length`);
  for (let c = 0; c < 2; ++c)
    assert.ok(page[c].equals(reference[c]), `${what}: channel ${c} differs from vstrender`);
}

// vstrender options that set every parameter to the page editor's normalised values.
async function editorValuesAsOptions() {
  const values = await session.page.evaluate(() => window.chorusPage.parameters());
  return values.flatMap(([index, value]) => ['--param', `${index === 0 ? 'Bypass' : kNames[index]}=${value}n`]);
}
const kNames = ['Bypass', 'Gain', 'Dry', 'Wet', 'Delay', 'Depth', 'LFO Frequency', 'Stereo', 'LFO Type'];

test('the offline render of the demo equals vstrender bit for bit at the defaults, every program and set values', async () => {
  const cases = [{ settings: {}, args: [] }];
  for (let program = 1; program <= 10; ++program)
    cases.push({ settings: { program }, args: ['--program', String(program)] });
  cases.push({ settings: { parameters: [[5, 0.3], [6, 0.8]] }, args: ['--param', 'Depth=0.3n', '--param', 'LFO Frequency=0.8n'] });
  cases.push({ settings: { program: 8, parameters: [[1, 0.35], [8, 0.5], [4, 1]] },
               args: ['--program', '8', '--param', 'Gain=0.35n', '--param', 'LFO Type=0.5n', '--param', 'Delay=1n'] });
  cases.push({ settings: { program: 3, parameters: [[0, 1]] }, args: ['--program', '3', '--param', 'Bypass=1n'] });
  for (const { settings, args } of cases)
    assertSameBits(await pageOutput(settings), await vstrenderOutput(args), JSON.stringify(settings));
});

// A real drag: press on the thumb, move up, release; the tooltip shows while dragging.
test('a fader dragged with the mouse changes its parameter, shows its value and changes the sound as the plug-in', async () => {
  const { page } = session;
  const box = await page.locator('canvas.editor').boundingBox();
  const [left, top, right, bottom] = await page.evaluate((id) => window.chorusPage.thumb(id), ids.IDC_DEPTH_SLIDER);
  const before = (await page.evaluate(() => window.chorusPage.parameters()))[5][1];
  const x = box.x + (left + right) / 2, y = box.y + (top + bottom) / 2;
  await page.mouse.move(x, y);
  await page.mouse.down();
  for (let dy = 2; dy <= 20; dy += 2)
    await page.mouse.move(x, y - dy);
  const tooltip = await page.evaluate(() => {
    const shown = [...document.querySelectorAll('canvas.editor-popup')].filter((c) => !c.hidden);
    return shown.length ? window.chorusPage.texts(Number(shown[0].dataset.window)).map((t) => t.text) : [];
  });
  await page.mouse.up();
  assert.equal(await page.locator('canvas.editor-popup:visible').count(), 0, 'the tooltip goes with the release');
  const after = (await page.evaluate(() => window.chorusPage.parameters()))[5][1];
  const shows = await page.evaluate(() => window.chorusPage.parameterText(5));
  assert.ok(after > before, `Depth moved up from ${before} (now ${after})`);
  assert.equal(tooltip.length, 1, 'one tooltip while dragging');
  assert.equal(tooltip[0], `${Math.round(Number.parseFloat(shows))} %`, `the tooltip shows the value and unit (${shows})`);
  assertSameBits(await pageOutput(undefined), await vstrenderOutput(await editorValuesAsOptions()), 'after the drag');
});

test('a program chosen from the preset list sets the program\'s values, as the plug-in\'s editor does', async () => {
  const { page } = session;
  const box = await page.locator('canvas.editor').boundingBox();
  const presets = (await page.evaluate(() => window.chorusPage.controls())).find((c) => c.id === ids.IDC_PRESETS_BUTTON);
  await page.mouse.click(box.x + (presets.left + presets.right) / 2, box.y + (presets.top + presets.bottom) / 2);
  const list = page.locator('canvas.editor-popup:not([hidden])');
  await page.waitForFunction(() => {
    const shown = [...document.querySelectorAll('canvas.editor-popup')].filter((c) => !c.hidden);
    return shown.some((c) => window.chorusPage.texts(Number(c.dataset.window)).some((t) => t.text === 'Crazy Voice'));
  });
  // The list slides out on the editor's timer: wait until its width holds still.
  for (let last = -1, width = 0; width !== last; await page.waitForTimeout(100))
    [last, width] = [width, (await list.first().boundingBox()).width];
  const index = Number(await list.first().getAttribute('data-window'));
  const row = (await page.evaluate((i) => window.chorusPage.texts(i), index)).find((t) => t.text === 'Crazy Voice');
  const listBox = await list.first().boundingBox();
  await page.mouse.click(listBox.x + row.left + 10, listBox.y + (row.top + row.bottom) / 2);
  await page.waitForTimeout(100);
  // The editor applies a preset through its faders, so each value lands on the nearest fader
  // position (the finest is 1/40 of the range); the sound check below holds the exact values.
  const info = (await run(vstrender, ['--info', '--program', 'Crazy Voice'])).stdout;
  for (let index = 1; index <= 8; ++index) {
    const shown = Number.parseFloat(await page.evaluate((i) => window.chorusPage.parameterText(i), index));
    const line = info.split('\n').find((l) => l.trim().startsWith(`${index}  ${kNames[index]} `));
    assert.ok(line, `vstrender lists ${kNames[index]}`);
    const [value, low, , high] = line.slice(line.indexOf(kNames[index]) + kNames[index].length).trim().split(/\s+/)
        .filter((field) => /^-?[\d.]+$|^\.\.$/.test(field)).map(Number);
    assert.ok(Math.abs(shown - value) <= (high - low) / 80,
              `${kNames[index]} after choosing Crazy Voice: page ${shown}, the program ${value}`);
  }
  assertSameBits(await pageOutput(undefined), await vstrenderOutput(await editorValuesAsOptions()), 'after the preset');
});

test('the keyboard and the wheel move faders one position at a time', async () => {
  const { page } = session;
  const delay = async () => (await page.evaluate(() => window.chorusPage.parameters()))[4][1];
  const before = await delay();
  await page.focus('canvas.editor'); // the first control in the template's order: Delay
  await page.keyboard.press('ArrowUp');
  const afterKey = await delay();
  assert.ok(afterKey > before, `ArrowUp raised Delay from ${before} to ${afterKey}`);
  await page.keyboard.press('ArrowDown');
  assert.ok(Math.abs(await delay() - before) < 1e-6, 'ArrowDown brought it back');

  const box = await page.locator('canvas.editor').boundingBox();
  const [left, top, right, bottom] = await page.evaluate((id) => window.chorusPage.thumb(id), ids.IDC_STEREO_SLIDER);
  const stereo = async () => (await page.evaluate(() => window.chorusPage.parameters()))[7][1];
  const beforeWheel = await stereo();
  await page.mouse.move(box.x + (left + right) / 2, box.y + bottom + 10);
  await page.mouse.wheel(0, 100);
  assert.ok(await stereo() < beforeWheel, 'the wheel turned down lowers Stereo');
});

test('a dropped WAV file becomes the input, and one the browser cannot decode gives a clear message', async () => {
  const { page } = session;
  await page.evaluate(async () => {
    const transfer = new DataTransfer();
    const bytes = await (await fetch('demo-input.wav')).arrayBuffer();
    transfer.items.add(new File([bytes], 'chords.wav', { type: 'audio/wav' }));
    document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  });
  await page.waitForFunction(() => document.getElementById('status').textContent.startsWith('chords.wav: 8.5 s at 44100 Hz, stereo'));
  assert.ok(await page.isChecked('#source-file'), 'the file is the input');
  await page.evaluate(() => {
    const transfer = new DataTransfer();
    transfer.items.add(new File(['this is no audio at all'], 'broken.mp3', { type: 'audio/mpeg' }));
    document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  });
  const message = page.locator('#message');
  await message.waitFor({ state: 'visible' });
  assert.match(await message.textContent(), /“broken\.mp3” could not be decoded/);
});

test('play runs the chorus in an audio worklet from the demo and the microphone, A/B is Bypass, stop stops', async () => {
  const { page } = session;
  await page.click('#play');
  await page.waitForFunction(() => window.chorusPage.playing());
  await page.click('#ab');
  assert.equal((await page.evaluate(() => window.chorusPage.parameters()))[0][1], 1, 'A/B sets the plug-in\'s Bypass');
  await page.click('#ab');
  await page.click('#play');
  await page.waitForFunction(() => !window.chorusPage.playing());
  await page.check('input[value=microphone]'); // chromium's fake microphone
  await page.click('#play');
  await page.waitForFunction(() => window.chorusPage.playing());
  await page.click('#play');
  await page.waitForFunction(() => !window.chorusPage.playing());
  await page.check('input[value=demo]');
});

test('a browser without AudioWorklet is told so, and the offline render still works', async () => {
  const context = await browser.newContext();
  await context.addInitScript(() => { delete window.AudioWorkletNode; });
  const page = await context.newPage();
  await page.goto(url);
  await page.evaluate(() => window.chorusPageReady);
  assert.match(await page.locator('#message').textContent(), /no AudioWorklet/);
  assert.ok(await page.locator('#play').isDisabled(), 'Play is off');
  const rendered = await page.evaluate(() => window.chorusPage.render().left.length);
  assert.ok(rendered > 0, 'Download renders');
  await context.close();
});

// The Linux editor's picture at the same scale, the same rule as its own test: at most 5 % of
// the pixels differ by more than 24 in a channel. At ratio 2 the page draws the editor at 200 %,
// so its picture is the Linux editor's native 200 % one, never the 100 % one enlarged.
const kLinuxPictures = { 1: 'docs/editor-linux.png', 2: 'docs/editor-linux-200.png' };
for (const ratio of [1, 2]) {
  test(`the editor at device pixel ratio ${ratio} looks like the Linux plug-in's editor at ${ratio * 100} %`, async () => {
    const { page, context, errors } = await openPage(browser, url, ratio);
    const picture = await editorPicture(page);
    const reference = await readFile(join(root, kLinuxPictures[ratio]));
    const share = await page.evaluate(async ([shot, ref, scale]) => {
      const pixels = async (base64, width, height) => {
        const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${base64}`)).blob());
        const canvas = new OffscreenCanvas(width ?? bitmap.width, height ?? bitmap.height);
        const context = canvas.getContext('2d');
        context.imageSmoothingEnabled = false;
        context.drawImage(bitmap, 0, 0, canvas.width, canvas.height);
        return context.getImageData(0, 0, canvas.width, canvas.height);
      };
      const taken = await pixels(shot);
      if (taken.width !== 408 * scale || taken.height !== 174 * scale)
        return `size ${taken.width} x ${taken.height}`;
      const wanted = await pixels(ref);
      if (wanted.width !== taken.width || wanted.height !== taken.height)
        return `size ${taken.width} x ${taken.height}, the reference ${wanted.width} x ${wanted.height}`;
      let differing = 0;
      for (let i = 0; i < taken.data.length; i += 4)
        if ([0, 1, 2].some((c) => Math.abs(taken.data[i + c] - wanted.data[i + c]) > 24))
          ++differing;
      return differing / (taken.width * taken.height);
    }, [picture.toString('base64'), reference.toString('base64'), ratio]);
    assert.equal(typeof share, 'number', String(share));
    assert.ok(share <= 0.05, `${(share * 100).toFixed(2)} % of the pixels differ by more than 24`);
    console.log(`# ratio ${ratio}: ${(share * 100).toFixed(2)} % of the pixels differ by more than 24`);
    assert.deepEqual(errors, []);
    await context.close();
  });
}

// At ratio 2 the editor's pixels are half a CSS pixel: a click lands on the control under it,
// and the page's layout keeps the 1x size. A ratio changed while open redraws it at the new one.
test('at device pixel ratio 2 the editor keeps its CSS size, takes clicks where shown and follows a ratio change', async () => {
  const { page, context, errors } = await openPage(browser, url, 2);
  const sizes = () => page.evaluate(() => {
    const canvas = document.querySelector('canvas.editor');
    const box = canvas.getBoundingClientRect();
    return [canvas.width, canvas.height, box.width, box.height, window.chorusPage.scale()];
  });
  assert.deepEqual(await sizes(), [816, 348, 408, 174, 2]);
  const box = await page.locator('canvas.editor').boundingBox();
  const bypass = (await page.evaluate(() => window.chorusPage.controls())).find((c) => c.id === ids.IDC_BYPASS_BUTTON);
  assert.ok(bypass, 'the layout has the Bypass switch');
  await page.mouse.click(box.x + (bypass.left + bypass.right) / 2, box.y + (bypass.top + bypass.bottom) / 2);
  assert.equal((await page.evaluate(() => window.chorusPage.parameters()))[0][1], 1, 'the click set Bypass');

  const cdp = await context.newCDPSession(page);
  await cdp.send('Emulation.setDeviceMetricsOverride', { width: 900, height: 700, deviceScaleFactor: 3, mobile: false });
  await page.waitForFunction(() => window.chorusPage.scale() === 3);
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  assert.deepEqual(await sizes(), [1224, 522, 408, 174, 3]);
  await cdp.send('Emulation.setDeviceMetricsOverride', { width: 900, height: 700, deviceScaleFactor: 1.5, mobile: false });
  await page.waitForFunction(() => window.chorusPage.scale() === 1.5);
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  assert.deepEqual(await sizes(), [612, 261, 408, 174, 1.5]);
  assert.deepEqual(errors, []);
  await context.close();
});

test('the server sends the module gzipped to a browser that takes it, and nothing outside its folder', async () => {
  const plain = await fetch(`${url}chorus.wasm`, { headers: { 'Accept-Encoding': 'identity' } });
  const wasm = Buffer.from(await plain.arrayBuffer());
  assert.equal(plain.headers.get('content-encoding'), null);
  const raw = await new Promise((done, fail) => {
    get(`${url}chorus.wasm`, { headers: { 'Accept-Encoding': 'gzip' } }, (response) => {
      const parts = [];
      response.on('data', (part) => parts.push(part)).on('end', () => done({ headers: response.headers, body: Buffer.concat(parts) }));
    }).on('error', fail);
  });
  assert.equal(raw.headers['content-encoding'], 'gzip');
  assert.ok(raw.body.length < wasm.length / 4, `${raw.body.length} bytes gzipped of ${wasm.length}`);
  assert.ok(gunzipSync(raw.body).equals(wasm));
  for (const outside of ['..%2Fpackage.json', '%2e%2e/%2e%2e/README.md', '%E0%A4%A'])
    assert.notEqual((await fetch(`${url}${outside}`)).status, 200, outside);
});

test('the browser console shows no error', () => {
  assert.deepEqual(session.errors, []);
});
