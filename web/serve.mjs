// Serves a folder (dist/web by default) on 127.0.0.1, for `make web` and the page's tests:
//   node web/serve.mjs [FOLDER] [PORT]      (port 0 or none: a free one); prints the address.
// Text and the WebAssembly module go gzipped to browsers that take it: the module's skins are
// bitmaps that shrink to an eighth.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';

const kTypes = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm', '.wav': 'audio/wav', '.png': 'image/png',
};

const kCompressed = new Set(['.html', '.js', '.css', '.wasm']);

// Resolves to { server, url } once listening.
export function serveFolder(folder, port = 0) {
  const root = resolve(folder);
  const gzipped = new Map(); // file -> { modified, body }: each file compressed once per change
  const server = createServer(async (request, response) => {
    let path;
    try {
      path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch {
      response.writeHead(400).end();
      return;
    }
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    if (!file.startsWith(root + sep)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const headers = { 'Content-Type': kTypes[extname(file)] ?? 'application/octet-stream', 'Cache-Control': 'no-store',
                        'Vary': 'Accept-Encoding' };
      let body;
      if (kCompressed.has(extname(file)) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
        // The file is read only when it changed since it was last compressed.
        const modified = (await stat(file)).mtimeMs;
        let cached = gzipped.get(file);
        if (!cached || cached.modified !== modified)
          gzipped.set(file, (cached = { modified, body: gzipSync(await readFile(file), { level: 9 }) }));
        body = cached.body;
        headers['Content-Encoding'] = 'gzip';
      } else {
        body = await readFile(file);
      }
      response.writeHead(200, headers);
      response.end(body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain' }).end(`${path} not found\n`);
    }
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => done({ server, url: `http://127.0.0.1:${server.address().port}/` }));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const folder = process.argv[2] ?? join(fileURLToPath(new URL('..', import.meta.url)), 'dist/web');
  const { url } = await serveFolder(folder, Number(process.argv[3] ?? 0));
  console.log(`The Stereo Chorus page: ${url}  (Ctrl+C stops the server)`);
}
