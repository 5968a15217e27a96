// Writes a PNG of the editor on the web page (make demo's out/web-editor.png):
//   node web/tests/editor-picture.mjs OUTPUT.png [DIST_WEB]
import { writeFile } from 'node:fs/promises';
import { editorPicture, openBrowser, openPage, serveFolder } from './browser.mjs';

const [output, folder = new URL('../../dist/web', import.meta.url).pathname] = process.argv.slice(2);
if (!output) {
  console.error('usage: node web/tests/editor-picture.mjs OUTPUT.png [DIST_WEB]');
  process.exit(2);
}
const { server, url } = await serveFolder(folder);
const browser = await openBrowser();
try {
  const { page } = await openPage(browser, url);
  await writeFile(output, await editorPicture(page));
  console.log(output);
} finally {
  await browser.close();
  server.close();
}
