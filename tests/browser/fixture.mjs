// One shared fixture for the browser tests, whatever the engine: the page's
// folder (build-web/page/) served on a free 127.0.0.1 port by a server of its own, one browser of the
// engine asked for (drivers/*.mjs), and pages behind one small interface:
// keys, clicks, the canvas's pixels, the pane's text, the errors the page
// reported. The server puts an error recorder first in every index.html it
// serves and may rewrite any file for one page, so no driver needs request
// interception or console events.
import { execFileSync, spawn } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { dirname, extname, join, normalize } from 'node:path';
import { fileURLToPath } from 'node:url';

export const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const webBuild = join(process.env.WATERFALL_WEB_BUILD_DIR ?? join(root, 'build-web'), 'page');
export const nativeBuild = process.env.WATERFALL_BUILD_DIR ?? join(root, 'build');
export const ENGINES = ['chromium', 'firefox', 'webkit'];

export const SIDE = 400;      // the canvas, in pixels
const STILL_GAP_MS = 600;     // two pictures this far apart agree: nothing is moving
const WAIT_MS = 20000;        // longest wait for a picture or a text
const POLL_MS = 100;

const TYPES = { '.html': 'text/html; charset=utf-8', '.css': 'text/css', '.js': 'text/javascript',
  '.wasm': 'application/wasm', '.json': 'application/json', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json' };

// Errors as the page meets them: thrown and unhandled, console.error, and
// elements that could not load. window.pageErrors keeps them for the test.
const RECORDER = `<script>(() => {
  const errors = window.pageErrors = [];
  addEventListener('error', (event) => errors.push(event instanceof ErrorEvent
    ? event.message + ' (' + event.filename + ':' + event.lineno + ')'
    : 'could not load ' + (event.target.src || event.target.href)), true);
  addEventListener('unhandledrejection', (event) => errors.push('unhandled: ' + event.reason));
  const error = console.error;
  console.error = function (...args) { errors.push(args.join(' ')); return error.apply(this, args); };
})();</script>`;

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The page's files from `folder`, each page under a path of its own (/0/,
// /1/, ...) so that `change(path, body)` may rewrite what that page alone
// gets. Every request is kept in the page's `fetched`, every one that failed
// in its `failed`.
async function serve(folder) {
  const pages = [];
  const server = createServer(async (request, response) => {
    const [, number, rest] = request.url.split('?')[0].match(/^\/(\d+)(\/.*)$/) ?? [];
    const page = pages[number];
    const path = rest === '/' ? '/index.html' : normalize(rest ?? '/');
    let body = page && await readFile(join(folder, path)).catch(() => null);
    if (!body) {
      page?.failed.push(`${request.method} ${path}: 404`);
      response.writeHead(404).end();
      return;
    }
    page.fetched.add(path);
    if (path === '/index.html' && page.record) {
      body = Buffer.from(String(body).replace('<head>', '<head>' + RECORDER));
    }
    if (page.change) body = page.change(path, body);
    response.writeHead(200, { 'Content-Type': TYPES[extname(path)] ?? 'application/octet-stream',
      'Cache-Control': 'no-store' });
    response.end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    page(change, record = true) {
      const page = { change, record, fetched: new Set(), failed: [] };
      pages.push(page);
      return { ...page, url: `http://127.0.0.1:${server.address().port}/${pages.length - 1}/` };
    },
    stop: () => new Promise((resolve) => {
      server.close(resolve);
      server.closeAllConnections();  // the browsers' keep-alive ones too
    }),
  };
}

// A private Xvfb for a browser that needs a window; its DISPLAY.
async function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-nolisten', 'tcp', '-screen', '0', '1280x1024x24'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise((resolve, reject) => {
    xvfb.stdio[3].once('data', (number) => resolve(`:${String(number).trim()}`));
    xvfb.once('error', reject);
    xvfb.once('exit', (status) => reject(new Error(`Xvfb ended: ${status}`)));
  });
  return { display, stop: () => xvfb.kill() };
}

// The server of `folder` (build-web/page/ by default) and one browser of `engine`,
// started once; `args`, more of the browser's own switches (Chromium's only).
export async function start(engine, { args = [], folder = webBuild } = {}) {
  const { launch, needsWindow } = await import(`./drivers/${engine}.mjs`);
  const server = await serve(folder);
  const xvfb = needsWindow ? await startXvfb() : null;
  const browser = await launch({ display: xvfb?.display, args })
    .catch((error) => { xvfb?.stop(); server.stop(); throw error; });
  return {
    engine, server, browser,
    stop: async () => { await browser.close(); xvfb?.stop(); await server.stop(); },
  };
}

// Opens the page in a fresh tab. `change(path, body)` may rewrite a file on
// its way to this page; `touch` and `profile` (a folder: a browser of its own
// with that profile, not an incognito one, where Chromium installs no web
// app) are for the engines whose drivers have them. With `asBuilt`, every
// file comes as built, index.html without the error recorder (the service
// worker checks each file's digest): only the driver hears of errors then.
export async function openPage(env, { touch = false, width = 1100, height = 700, change,
  profile, asBuilt = false } = {}) {
  const served = env.server.page(change, !asBuilt);
  const tab = await env.browser.open({ url: served.url, width, height, touch, profile });
  const evaluate = (fn, arg) => tab.evaluate(fn, arg);
  const boxOf = (selector, text) => evaluate(([selector, text]) => {
    const element = [...document.querySelectorAll(selector)]
      .find((candidate) => text == null || candidate.textContent === text);
    const box = element?.getBoundingClientRect();
    return box && { x: Math.round(box.x), y: Math.round(box.y),
      width: Math.round(box.width), height: Math.round(box.height) };
  }, [selector, text]);
  const p = {
    // `page`: the driver's own page where it has one (Playwright's in
    // Chromium, Puppeteer's in Firefox), for the cases only that engine runs.
    tab, page: tab.page, evaluate, fetched: served.fetched,
    // Polls `fn(arg)` in the page until it returns something true, then
    // waits for two animation frames: what the page did then is on the screen.
    async until(what, fn, arg) {
      const value = await poll(what, () => evaluate(fn, arg));
      await evaluate(() => new Promise((painted) =>
        requestAnimationFrame(() => requestAnimationFrame(() => painted(true)))));
      return value;
    },
    // The pane's text as rendered: blanks and line ends only survive a
    // terminal-like white-space rule.
    output: () => evaluate(() => document.getElementById('console').innerText),
    waitForOutput: (text) => p.until(`the output ${JSON.stringify(text)}`,
      (t) => document.getElementById('console').textContent.includes(t), text),
    waitForText: (text) => p.until(`the text ${JSON.stringify(text)}`,
      (t) => document.body.innerText.includes(t), text),
    key: (name) => tab.key(name),
    // A click at the centre of the first element matching `selector` (with
    // `text` as its text, if given), once there is one.
    async click(selector, text) {
      const box = await waitForBox(selector, text);
      await tab.click(box.x + box.width / 2, box.y + box.height / 2, 'left');
    },
    async clickCanvas(x, y, button = 'left') {
      const box = await boxOf('#canvas');
      await tab.click(box.x + x, box.y + y, button);
    },
    // The light menu's labels, opened by the right button over the sky.
    async menu() {
      await p.clickCanvas(200, 100, 'right');
      await waitForBox('.waterfall-menu-item');
      return evaluate(() => [...document.querySelectorAll('.waterfall-menu-item')]
        .map((item) => item.textContent));
    },
    // The canvas's pixels as the user sees them, RGB bytes, rows top-down.
    shot: async () => tab.shot(await boxOf('#canvas')),
    // The next picture that differs from `before`; throws if none comes.
    changedFrom: (before) => poll('a changed picture', async () => {
      const now = await p.shot();
      return !now.equals(before) && now;
    }),
    async still() {
      let last = await p.shot();
      for (const end = Date.now() + WAIT_MS; Date.now() < end;) {
        await sleep(STILL_GAP_MS);
        const now = await p.shot();
        if (now.equals(last)) return now;
        last = now;
      }
      throw new Error('the picture did not come to rest');
    },
    // What went wrong so far: the page's own record, the files it could not
    // get, and what the driver heard from the browser where it hears that.
    errors: async () => [...asBuilt ? [] : await evaluate(() => window.pageErrors ?? ['no error recorder']),
      ...served.failed, ...tab.errors ?? []],
    close: () => tab.close(),
  };
  const waitForBox = (selector, text) =>
    poll(`${selector} ${text ?? ''}`.trim(), () => boxOf(selector, text));
  return p;
}

// Calls `get` until it gives something true, and gives that. A call that
// fails (the page is loading anew, say) counts as a no.
async function poll(what, get) {
  let failure = '';
  for (const end = Date.now() + WAIT_MS; Date.now() < end; await sleep(POLL_MS)) {
    const value = await get().catch((error) => { failure = ` (${error.message})`; });
    if (value) return value;
  }
  throw new Error(`${what}: not within ${WAIT_MS} ms${failure}`);
}

// The tab interface over a Playwright or a Puppeteer page, whose page APIs
// agree on these; the page loads `url` first. `page` stays reachable for
// the cases only that driver's engine runs.
export async function pageTab(page, url) {
  const errors = [];
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.goto(url);
  return {
    page, errors,
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    key: (name) => page.keyboard.press(name),
    click: (x, y, button) => page.mouse.click(x, y, { button }),
    shot: async (box) => rgb(Buffer.from(await page.screenshot({ clip: box }))),
  };
}

// A PNG's pixels as RGB bytes, rows top-down, cut to `box` if given
// (ImageMagick decodes).
export function rgb(png, box) {
  const crop = box ? ['-crop', `${box.width}x${box.height}+${box.x}+${box.y}`, '+repage'] : [];
  return execFileSync('convert', ['png:-', ...crop, '-depth', '8', 'rgb:-'],
    { input: png, maxBuffer: 64 << 20 });
}

// Pixels whose colours differ by more than `share` of full scale in a channel.
export function pixelsApart(a, b, share) {
  let count = 0;
  for (let i = 0; i < a.length; i += 3) {
    if (Math.max(...[0, 1, 2].map((c) => Math.abs(a[i + c] - b[i + c]))) > share * 255) count++;
  }
  return count;
}

// The native program's start frame, taken by the Linux build's screenshot
// tool under Xvfb (0 seconds: no pour).
export const nativeStartFrame = (path) => nativeFrame(path, ['e2e', 'take_screenshot'], '0');

// The native program's frame after `steps` pour steps, by its own start-up,
// pour and frame pass in a freeglut window under Xvfb.
export const nativeFrameAtStep = (path, steps) =>
  nativeFrame(path, ['frame', 'take_frame_at_step'], String(steps));

function nativeFrame(path, tool, argument) {
  return new Promise((resolve, reject) => {
    const run = spawn('nice', ['-n', '10', join(nativeBuild, 'tests', ...tool), path, argument],
      { stdio: 'inherit' });
    run.once('error', reject);
    run.once('exit', (status) => status === 0 ? resolve(readFileSync(path))
      : reject(new Error(`${tool[1]} ended with ${status}`)));
  });
}

// The help text as the program's source spells it: its C string pieces joined.
export function helpText() {
  const source = readFileSync(join(root, 'tests', 'support', 'help_text.h'), 'utf8');
  return [...source.split('HELP_TEXT =')[1].matchAll(/"((?:[^"\\]|\\.)*)"/g)]
    .map((piece) => JSON.parse(`"${piece[1]}"`)).join('');
}
