// WebKitGTK's MiniBrowser driven by WebKitWebDriver over W3C WebDriver (plain
// HTTP), under Xvfb; one browser session (one window) per page. WebKit's
// element screenshot of a WebGL canvas is not the picture (black where the
// scene is): the canvas is cut from a screenshot of the window's viewport,
// which shows what the user sees.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';
import { rgb, sleep } from '../fixture.mjs';

const MINIBROWSER = process.env.WATERFALL_MINIBROWSER
  ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const START_MS = 10000;
const KEYS = { Escape: '\uE00C', Enter: '\uE007' };  // WebDriver's code points for named keys
const BUTTONS = { left: 0, middle: 1, right: 2 };

export const needsWindow = true;

async function freePort() {
  const server = createServer();
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const { port } = server.address();
  await new Promise((resolve) => server.close(resolve));
  return port;
}

export async function launch({ display }) {
  const port = await freePort();
  const driver = spawn('WebKitWebDriver', [`--port=${port}`], {
    stdio: 'ignore', env: { ...process.env, DISPLAY: display },
  });
  const base = `http://127.0.0.1:${port}`;
  async function call(method, path, body) {
    const response = await fetch(base + path, {
      method, headers: { 'Content-Type': 'application/json' },
      body: body && JSON.stringify(body),
    });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
    return value;
  }
  for (const end = Date.now() + START_MS; ; await sleep(100)) {
    if (await call('GET', '/status').then((status) => status.ready, () => false)) break;
    if (Date.now() > end) throw new Error('WebKitWebDriver did not start');
  }
  const sessions = new Set();  // what a failed case left open
  const browser = {
    version: 'WebKitGTK',  // its number comes with the first session
    async close() {
      await Promise.all([...sessions].map((id) => call('DELETE', `/session/${id}`).catch(() => {})));
      driver.kill();
    },
    async open({ url, width, height }) {
      const { sessionId, capabilities } = await call('POST', '/session', { capabilities: {
        alwaysMatch: { 'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation'] } },
      } });
      browser.version = `WebKitGTK ${capabilities.browserVersion}`;
      sessions.add(sessionId);
      const session = (method, path, body) => call(method, `/session/${sessionId}${path}`, body);
      const act = (actions) => session('POST', '/actions', { actions: [actions] });
      await session('POST', '/window/rect', { width, height });  // the viewport a little less
      await session('POST', '/url', { url });
      return {
        evaluate: (fn, arg) => session('POST', '/execute/sync',
          { script: `return (${fn})(arguments[0]);`, args: [arg] }),
        key: (name) => act({ type: 'key', id: 'keyboard', actions: [
          { type: 'keyDown', value: KEYS[name] ?? name }, { type: 'keyUp', value: KEYS[name] ?? name }] }),
        click: (x, y, button) => act({ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' },
          actions: [{ type: 'pointerMove', x: Math.round(x), y: Math.round(y), origin: 'viewport' },
            { type: 'pointerDown', button: BUTTONS[button] }, { type: 'pointerUp', button: BUTTONS[button] }] }),
        shot: async (box) => rgb(Buffer.from(await session('GET', '/screenshot'), 'base64'), box),
        async close() {
          sessions.delete(sessionId);
          await session('DELETE', '');
        },
      };
    },
  };
  return browser;
}
