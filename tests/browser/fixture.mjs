// One shared fixture for the browser tests: build-web/ served by
// scripts/serve-web on a free 127.0.0.1 port, Debian's Chromium headless on
// SwiftShader's WebGL, and pages that record what the console pane shows and
// every error the browser reports.
import { execFileSync, spawn } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

export const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const webBuild = process.env.WATERFALL_WEB_BUILD_DIR ?? join(root, 'build-web');
export const nativeBuild = process.env.WATERFALL_BUILD_DIR ?? join(root, 'build');

const CHROMIUM_ARGS = ['--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--use-gl=angle', '--no-sandbox', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run'];
const STILL_GAP_MS = 600;     // two pictures this far apart agree: nothing is moving
const WAIT_MS = 20000;        // longest wait for a picture or a text
const SIDE = 400;             // the canvas, in pixels

// The server and the browser, started once; Playwright gives the browser a
// fresh profile of its own. `args`: more of Chromium's switches.
export async function start({ args = [] } = {}) {
  const server = spawn(join(root, 'scripts', 'serve-web'), ['0', webBuild],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const address = await new Promise((resolve, reject) => {
    server.stdout.once('data', (line) => resolve(String(line).match(/http:\S+/)[0]));
    server.once('exit', (status) => reject(new Error(`scripts/serve-web ended: ${status}`)));
  });
  const browser = await chromium.launch({
    executablePath: process.env.WATERFALL_CHROMIUM ?? '/usr/bin/chromium',
    args: [...CHROMIUM_ARGS, ...args],
  }).catch((error) => { server.kill(); throw error; });
  return { address, browser, stop: async () => { await browser.close(); server.kill(); } };
}

// Opens the page in a context of its own. `change(url, body)` may rewrite a
// file on its way to the page.
export async function openPage({ address, browser }, { touch = false, width = 1100, height = 700,
  change } = {}) {
  const context = await browser.newContext({ viewport: { width, height }, hasTouch: touch });
  const page = await context.newPage();
  const errors = [];
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  page.on('pageerror', (error) => errors.push(String(error)));
  if (change) {
    await page.route('**/*', async (route) => {
      const response = await route.fetch();
      const body = change(route.request().url(), await response.body());
      await route.fulfill({ response, body });
    });
  }
  await page.goto(address);
  const canvas = page.locator('#canvas');
  const shot = () => canvas.screenshot();
  return {
    page, errors, canvas, shot,
    // The pane's text as rendered: blanks and line ends only survive a
    // terminal-like white-space rule.
    output: () => page.locator('#console').innerText(),
    async waitForOutput(text) {
      await page.waitForFunction((t) => document.getElementById('console').textContent.includes(t),
        text, { timeout: WAIT_MS });
    },
    // The next picture that differs from `before`; throws if none comes.
    async changedFrom(before) {
      for (const end = Date.now() + WAIT_MS; Date.now() < end;) {
        const now = await shot();
        if (!now.equals(before)) return now;
        await page.waitForTimeout(200);
      }
      throw new Error('the picture did not change');
    },
    async still() {
      let last = await shot();
      for (const end = Date.now() + WAIT_MS; Date.now() < end;) {
        await page.waitForTimeout(STILL_GAP_MS);
        const now = await shot();
        if (now.equals(last)) return now;
        last = now;
      }
      throw new Error('the picture did not come to rest');
    },
    // The share of a core the page's main thread spent on tasks over
    // `seconds` (Chrome's TaskDuration): JS, timers, frames. Chromium's other
    // threads, the sound's among them, are not counted.
    async mainThreadShareOver(seconds) {
      const cdp = await context.newCDPSession(page);
      await cdp.send('Performance.enable');
      const busy = async () => (await cdp.send('Performance.getMetrics')).metrics
        .find((metric) => metric.name === 'TaskDuration').value;
      const before = await busy();
      await page.waitForTimeout(seconds * 1000);
      const share = (await busy() - before) / seconds;
      await cdp.detach();
      return share;
    },
    close: () => context.close(),
  };
}

// A PNG's pixels as RGB bytes, rows top-down (ImageMagick decodes).
export function rgb(png) {
  return execFileSync('convert', ['png:-', '-depth', '8', 'rgb:-'], { input: png });
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
export function nativeStartFrame(path) {
  return new Promise((resolve, reject) => {
    const tool = spawn('nice', ['-n', '10', join(nativeBuild, 'tests', 'e2e', 'take_screenshot'),
      path, '0'], { stdio: 'inherit' });
    tool.once('error', reject);
    tool.once('exit', (status) => status === 0 ? resolve(readFileSync(path))
      : reject(new Error(`take_screenshot ended with ${status}`)));
  });
}

// The help text as the program's source spells it: its C string pieces joined.
export function helpText() {
  const source = readFileSync(join(root, 'tests', 'support', 'help_text.h'), 'utf8');
  return [...source.split('HELP_TEXT =')[1].matchAll(/"((?:[^"\\]|\\.)*)"/g)]
    .map((piece) => JSON.parse(`"${piece[1]}"`)).join('');
}

export { SIDE };
