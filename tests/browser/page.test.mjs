// Water Fall's web page in headless Chromium: the picture, keys, buttons,
// menu, touch, the end of the program, a picture that cannot be loaded, a lost
// or missing WebGL, the CPU a stopped pour costs, and the start frame against
// the native program's.
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { SIDE, helpText, nativeStartFrame, openPage, pixelsApart, rgb, start }
  from './fixture.mjs';

const LOADED = 'trying to load sky.bmp\ntrying to load ground.bmp\ntrying to load close.bmp\n';
const SKY = [0, 128, 255];            // glClearColor(0, 0.5, 1)
const STILL_CPU_SECONDS = 5;
const MAX_STILL_CORE_SHARE = 0.02;
const MAX_NATIVE_DIFFERENT_SHARE = 0.01;  // of the pixels, each more than 2 % apart
const POUR_MS = 1500;

let env;
let scratch;
let native;
before(async () => {
  scratch = mkdtempSync(join(tmpdir(), 'waterfall-browser-'));
  native = nativeStartFrame(join(scratch, 'native.png'));  // under Xvfb, meanwhile
  native.catch(() => {});
  env = await start();
});
after(async () => {
  await env?.stop();
  rmSync(scratch, { recursive: true, force: true });
});

describe('the page with a mouse and keys', () => {
  let p;
  before(async () => {
    p = await openPage(env);
    await p.waitForOutput(LOADED);
  });
  after(() => p.close());

  test('draws the start frame of the native program, in a 400x400 canvas with sky corners', async () => {
    const frame = rgb(await p.still());
    assert.equal(frame.length, SIDE * SIDE * 3);
    for (const corner of [0, SIDE - 1, SIDE * (SIDE - 1), SIDE * SIDE - 1]) {
      assert.deepEqual([...frame.subarray(corner * 3, corner * 3 + 3)], SKY);
    }
    const apart = pixelsApart(frame, rgb(await native), 0.02);
    assert.ok(apart < MAX_NATIVE_DIFFERENT_SHARE * SIDE * SIDE, `${apart} pixels differ`);
  });

  test('the h button prints the help text byte for byte, and the keys stay on the canvas', async () => {
    await p.page.click('button[data-key="h"]');
    await p.waitForOutput(LOADED + helpText()).catch(() => {});  // the comparison shows how not
    assert.equal(await p.output(), LOADED + helpText());
    assert.equal(await p.page.evaluate(() => document.activeElement.id), 'canvas');
  });

  test('f while stopped changes the picture', async () => {
    const before = await p.still();
    await p.page.keyboard.press('f');
    await p.changedFrom(before);
  });

  test('a pours, the second a freezes it, and a stopped pour costs no CPU', async () => {
    const stopped = await p.still();
    await p.page.keyboard.press('a');
    const pouring = await p.changedFrom(stopped);
    await p.page.waitForTimeout(POUR_MS);
    await p.changedFrom(pouring);
    await p.page.keyboard.press('a');
    await p.page.waitForTimeout(POUR_MS);
    assert.ok((await p.shot()).equals(await p.still()), 'the pour went on after the second a');
    const share = await p.mainThreadShareOver(STILL_CPU_SECONDS);
    assert.ok(share < MAX_STILL_CORE_SHARE, `the stopped page used ${(share * 100).toFixed(2)} % of a core`);
  });

  test('the right button menu switches the red light and its label; Exit ends with 0', async () => {
    const labels = async () => {
      await p.canvas.click({ button: 'right', position: { x: 200, y: 100 } });
      const items = p.page.locator('.waterfall-menu-item');
      await items.first().waitFor();
      return items.allTextContents();
    };
    assert.deepEqual(await labels(),
      ['Enable light - Red', 'Enable light - Green', 'Enable light - Blue', 'Exit']);
    await p.page.keyboard.press('Escape');
    const dark = await p.still();  // the canvas alone, before the pop-up opens again
    await labels();
    await p.page.click('.waterfall-menu-item >> text="Enable light - Red"');
    assert.equal(await p.page.locator('.waterfall-menu').count(), 0);
    await p.changedFrom(dark);
    assert.deepEqual(await labels(),
      ['Disable light - Red ', 'Enable light - Green', 'Enable light - Blue', 'Exit']);
    await p.page.click('.waterfall-menu-item >> text="Exit"');
    await p.page.getByText('The program ended with status 0.').waitFor();
    assert.deepEqual(p.errors, []);
  });
});

test('on a narrow touch screen: nothing scrolls sideways, a long press opens the menu, a tap on a pours, q ends with 0 and the canvas stops', async () => {
  const p = await openPage(env, { touch: true, width: 360, height: 740 });
  await p.waitForOutput(LOADED);
  const layout = await p.page.evaluate(() => ({
    overflow: document.documentElement.scrollWidth - innerWidth,
    below: document.getElementById('console').getBoundingClientRect().top
      >= document.getElementById('canvas').getBoundingClientRect().bottom,
  }));
  assert.deepEqual(layout, { overflow: 0, below: true });
  const box = await p.canvas.boundingBox();
  const touch = await p.page.context().newCDPSession(p.page);
  await touch.send('Input.dispatchTouchEvent',
    { type: 'touchStart', touchPoints: [{ x: box.x + box.width / 2, y: box.y + box.height / 2 }] });
  await p.page.locator('.waterfall-menu-item >> text="Exit"').waitFor();  // a long press: the menu
  await touch.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await p.page.keyboard.press('Escape');
  const stopped = await p.still();
  await p.page.tap('button[data-key="a"]');
  await p.changedFrom(stopped);
  await p.page.tap('button[data-key="q"]');
  await p.page.getByText('The program ended with status 0.').waitFor();
  await p.page.getByRole('button', { name: 'Start again' }).waitFor();
  assert.ok((await p.shot()).equals(await p.still()), 'the canvas went on drawing');
  assert.deepEqual(p.errors, []);
  await p.close();
});

test('a picture missing from the data shows the loader lines and status 1', async () => {
  // The package's index names each file: a renamed entry leaves no ground.bmp.
  const p = await openPage(env, {
    change: (url, body) => url.endsWith('/waterfall.js')
      ? Buffer.from(String(body).replaceAll('/ground.bmp"', '/ground.gone"')) : body,
  });
  await p.page.getByText('The program ended with status 1.').waitFor();
  assert.equal(await p.output(),
    'trying to load sky.bmp\ntrying to load ground.bmp\nFile Not Found : ground.bmp\n');
  assert.deepEqual(p.errors, []);
  await p.close();
});

test('a lost WebGL context is said with Start again; the keys and q with status 0 still work', async () => {
  const p = await openPage(env);
  await p.waitForOutput(LOADED);
  await p.page.evaluate(() => document.getElementById('canvas').getContext('webgl')
    .getExtension('WEBGL_lose_context').loseContext());
  await p.page.getByText('The graphics were lost').waitFor();
  await p.page.getByRole('button', { name: 'Start again' }).waitFor();
  await p.page.keyboard.press('a');
  await p.page.waitForTimeout(POUR_MS);
  await p.page.keyboard.press('q');
  await p.page.getByText('The program ended with status 0.').waitFor();
  assert.deepEqual(p.errors, []);
  await p.close();
});

test('without WebGL the page says so, its keys are off and the program never loads', async (t) => {
  const off = await start({ args: ['--disable-webgl', '--disable-3d-apis'] });
  t.after(() => off.stop());
  const p = await openPage(off);
  await p.page.getByText('needs WebGL, and this browser has it turned off').waitFor();
  await p.page.waitForTimeout(POUR_MS);
  assert.deepEqual(await p.page.$$eval('#keys button', (keys) => keys.map((key) => key.disabled)),
    Array(6).fill(true));
  assert.deepEqual(await p.page.evaluate(() => performance.getEntriesByType('resource')
    .map((entry) => entry.name).filter((name) => name.includes('/waterfall.'))), []);
  assert.deepEqual(p.errors, []);
});
