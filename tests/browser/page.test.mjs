// Water Fall's web page in each browser engine (WATERFALL_BROWSERS, by
// default all of ENGINES, side by side): the picture against the native
// program's, at the start and with the pour frozen at a known step, keys,
// buttons, the light menu, the end of the program, a picture that cannot be
// loaded, a lost WebGL context, the drops drawn as instances against the
// drops drawn one by one; in Chromium alone, what only its
// driver can do (touch, the CPU a stopped pour costs, a browser with WebGL off,
// the page installed and started offline).
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { ENGINES, SIDE, helpText, nativeFrameAtStep, nativeStartFrame, openPage, pixelsApart, rgb,
  sleep, start } from './fixture.mjs';

const LOADED = 'trying to load sky.bmp\ntrying to load ground.bmp\ntrying to load close.bmp\n';
const SKY = [0, 128, 255];            // glClearColor(0, 0.5, 1)
const FOG = [230, 230, 230];          // the fog's colour, 0.9 grey, rounded
const STILL_CPU_SECONDS = 5;
const MAX_STILL_CORE_SHARE = 0.02;
const MAX_NATIVE_DIFFERENT_SHARE = 0.01;  // of the pixels, each more than 2 % apart
const POUR_MS = 1500;
const STEADY_DROPS = 8000;            // drops in a frame once the pour is steady
const STEADY_WAIT_MS = 90000;
const FROZEN_STEPS = 150;             // the pour's steps before its frame is compared
const FROZEN_MIN_DROPS = 1000;
const engines = process.env.WATERFALL_BROWSERS?.split(/[\s,]+/).filter(Boolean) ?? ENGINES;

// A case for the engines whose drivers can do `what`; skipped, saying so, in the others.
const onlyIn = (engine, drivers, what) =>
  drivers.includes(engine) ? {} : { skip: `needs ${what}: ${drivers.join(', ')} only` };

let scratch;
let native;
let nativeFrozen;
before(() => {
  scratch = mkdtempSync(join(tmpdir(), 'waterfall-browser-'));
  native = nativeStartFrame(join(scratch, 'native.png'));  // under Xvfb, meanwhile
  native.catch(() => {});
  nativeFrozen = native.then(() => nativeFrameAtStep(join(scratch, 'frozen.png'), FROZEN_STEPS));
  nativeFrozen.catch(() => {});
});
after(() => rmSync(scratch, { recursive: true, force: true }));

// The engines side by side, each one's cases in turn.
describe('the page', { concurrency: true }, () => {
  for (const engine of engines) describe(engine, { concurrency: 1 }, () => cases(engine));
});

// What the page must do, in `engine`.
function cases(engine) {
  let env;
  before(async () => { env = await start(engine); });
  after(async () => {
    console.log(`${engine}: ${env?.browser.version}`);
    await env?.stop();
  });

  describe('the page with a mouse and keys', () => {
    let p;
    before(async () => {
      p = await openPage(env);
      await p.waitForOutput(LOADED);
    });
    after(() => p.close());

    test('draws the start frame of the native program, in a 400x400 canvas with sky corners', async (t) => {
      const frame = await p.still();
      assert.equal(frame.length, SIDE * SIDE * 3);
      for (const corner of [0, SIDE - 1, SIDE * (SIDE - 1), SIDE * SIDE - 1]) {
        assert.deepEqual([...frame.subarray(corner * 3, corner * 3 + 3)], SKY);
      }
      const apart = pixelsApart(frame, rgb(await native), 0.02);
      t.diagnostic(`${apart} of ${SIDE * SIDE} pixels more than 2 % from the native frame`);
      assert.ok(apart < MAX_NATIVE_DIFFERENT_SHARE * SIDE * SIDE, `${apart} pixels differ`);
    });

    test('the h button prints the help text byte for byte, and the keys stay on the canvas', async () => {
      await p.click('button[data-key="h"]');
      await p.waitForOutput(LOADED + helpText()).catch(() => {});  // the comparison shows how not
      assert.equal(await p.output(), LOADED + helpText());
      assert.equal(await p.evaluate(() => document.activeElement.id), 'canvas');
    });

    test('f while stopped fades the picture towards the fog\'s grey, and f again takes the fog away', async () => {
      const before = await p.still();
      await p.key('f');
      await p.changedFrom(before);
      const fogged = await p.still();
      let changed = 0;
      for (let i = 0; i < before.length; i += 3) {
        if ([0, 1, 2].every((c) => before[i + c] === fogged[i + c])) continue;
        changed++;
        // Linear fog: each channel moves towards the fog's, never past it (1 off for rounding).
        for (const c of [0, 1, 2]) {
          assert.ok(Math.abs(fogged[i + c] - FOG[c]) <= Math.abs(before[i + c] - FOG[c]) + 1,
            `pixel ${i / 3} moved away from the fog: ${[...before.subarray(i, i + 3)]} -> ${[...fogged.subarray(i, i + 3)]}`);
        }
      }
      assert.ok(changed > 0);
      await p.key('f');
      await p.changedFrom(fogged);
      assert.ok((await p.still()).equals(before), 'the second f did not give the picture back');
    });

    test('a pours, the second a freezes it', async () => {
      const stopped = await p.still();
      await p.key('a');
      const pouring = await p.changedFrom(stopped);
      await sleep(POUR_MS);
      await p.changedFrom(pouring);
      await p.key('a');
      await sleep(POUR_MS);
      assert.ok((await p.shot()).equals(await p.still()), 'the pour went on after the second a');
    });

    test('a stopped pour costs no CPU', onlyIn(engine, ['chromium'], "the DevTools protocol's CPU figure"), async () => {
      const share = await p.tab.mainThreadShareOver(STILL_CPU_SECONDS);
      assert.ok(share < MAX_STILL_CORE_SHARE, `the stopped page used ${(share * 100).toFixed(2)} % of a core`);
    });

    test('the right button menu switches the red light and its label; Exit ends with 0', async () => {
      assert.deepEqual(await p.menu(),
        ['Enable light - Red', 'Enable light - Green', 'Enable light - Blue', 'Exit']);
      await p.key('Escape');
      const dark = await p.still();  // the canvas alone, before the pop-up opens again
      await p.menu();
      await p.click('.waterfall-menu-item', 'Enable light - Red');
      assert.equal(await p.evaluate(() => document.querySelectorAll('.waterfall-menu').length), 0);
      await p.changedFrom(dark);
      assert.deepEqual(await p.menu(),
        ['Disable light - Red ', 'Enable light - Green', 'Enable light - Blue', 'Exit']);
      await p.click('.waterfall-menu-item', 'Exit');
      await p.waitForText('The program ended with status 0.');
      assert.deepEqual(await p.errors(), []);
    });

    test('Start again runs the program anew; q ends it with 0 and the canvas stops', async () => {
      await p.click('#again');
      await p.until('the program started anew, its pane holding the loader lines alone',
        (t) => document.getElementById('console').textContent === t, LOADED);
      const stopped = await p.still();
      await p.key('a');
      await p.changedFrom(stopped);
      await p.key('q');
      await p.waitForText('The program ended with status 0.');
      assert.ok((await p.shot()).equals(await p.still()), 'the canvas went on drawing');
      assert.deepEqual(await p.errors(), []);
    });
  });

  test('on a narrow touch screen: nothing scrolls sideways, a long press opens the menu, a tap on a pours, q ends with 0 and the canvas stops',
    onlyIn(engine, ['chromium'], 'touch emulation'), async () => {
      const p = await openPage(env, { touch: true, width: 360, height: 740 });
      await p.waitForOutput(LOADED);
      const layout = await p.evaluate(() => ({
        overflow: document.documentElement.scrollWidth - innerWidth,
        below: document.getElementById('console').getBoundingClientRect().top
          >= document.getElementById('canvas').getBoundingClientRect().bottom,
      }));
      assert.deepEqual(layout, { overflow: 0, below: true });
      const { page } = p;
      const box = await page.locator('#canvas').boundingBox();
      const touch = await page.context().newCDPSession(page);
      await touch.send('Input.dispatchTouchEvent',
        { type: 'touchStart', touchPoints: [{ x: box.x + box.width / 2, y: box.y + box.height / 2 }] });
      await page.locator('.waterfall-menu-item >> text="Exit"').waitFor();  // a long press: the menu
      await touch.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
      await p.key('Escape');
      const stopped = await p.still();
      await page.tap('button[data-key="a"]');
      await p.changedFrom(stopped);
      await page.tap('button[data-key="q"]');
      await p.waitForText('The program ended with status 0.');
      await page.getByRole('button', { name: 'Start again' }).waitFor();
      assert.ok((await p.shot()).equals(await p.still()), 'the canvas went on drawing');
      assert.deepEqual(await p.errors(), []);
      await p.close();
    });

  test('a lost WebGL context is said with Start again; the keys and q with status 0 still work', async () => {
    const p = await openPage(env);
    await p.waitForOutput(LOADED);
    await p.evaluate(() => { const canvas = document.getElementById('canvas');
      (canvas.getContext('webgl2') ?? canvas.getContext('webgl')).getExtension('WEBGL_lose_context').loseContext(); });
    await p.waitForText('The graphics were lost');
    await p.until('Start again offered', () => !document.getElementById('ended').hidden);
    assert.equal(await p.evaluate(() => Module.waterfallPour(0)), 0, 'drops fell before a');
    await p.key('a');
    await p.until('the pour running, undrawn', () => Module.waterfallPour(0).then((drops) => drops > 0));
    await p.key('q');
    await p.waitForText('The program ended with status 0.');
    assert.deepEqual(await p.errors(), []);
    await p.close();
  });

  test('without WebGL the page says so, its keys are off and the program never loads',
    onlyIn(engine, ['chromium'], 'a browser started with WebGL off'), async (t) => {
      const off = await start(engine, { args: ['--disable-webgl', '--disable-3d-apis'] });
      t.after(() => off.stop());
      const p = await openPage(off);
      await p.waitForText('needs WebGL, and this browser has it turned off');
      await sleep(POUR_MS);
      assert.deepEqual(await p.evaluate(() => [...document.querySelectorAll('#keys button')]
        .map((key) => key.disabled)), Array(6).fill(true));
      assert.deepEqual([...p.fetched].filter((path) => path.startsWith('/waterfall.')), []);
      assert.deepEqual(await p.errors(), []);
    });

  test('the manifest makes the page installable, and after one visit it starts, runs the keys and prints the help text offline',
    onlyIn(engine, ['chromium'], 'installability and a persistent profile'), async (t) => {
      const p = await openPage(env, { profile: join(scratch, 'profile'), asBuilt: true });
      t.after(() => p.close());
      await p.waitForOutput(LOADED);
      const cdp = await p.page.context().newCDPSession(p.page);
      assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
      const { data } = await cdp.send('Page.getAppManifest');
      const rgbOf = (hex) => `rgb(${hex.match(/\w\w/g).map((pair) => parseInt(pair, 16)).join(', ')})`;
      const page = await p.evaluate(() => getComputedStyle(document.body).backgroundColor);
      const { background_color: background, theme_color: theme } = JSON.parse(data);
      assert.deepEqual([background, theme].map(rgbOf), [page, page]);
      await p.evaluate(() => Promise.race([navigator.serviceWorker.ready, new Promise((_, reject) =>
        setTimeout(() => reject(new Error('no service worker became active')), 20000))]));
      const online = await p.still();
      await p.page.context().setOffline(true);
      await p.page.reload();
      await p.waitForOutput(LOADED);
      assert.ok((await p.still()).equals(online), 'the offline start frame differs');
      await p.key('a');
      await p.changedFrom(online);
      await p.key('h');
      await p.waitForOutput(LOADED + helpText());
      assert.deepEqual(await p.errors(), []);
    });

  test('the drops drawn as instances give the frame they give drawn one by one, byte for byte: fog off, fog on, all lights on', async () => {
    const p = await openPage(env);
    await p.waitForOutput(LOADED);
    // Redraws with the drops as instances or one by one; the page's hook
    // answers how many drops that frame drew as instances.
    const drawDrops = (instanced) => p.evaluate((on) => Module.waterfallInstancedDrops(on), instanced);
    await p.key('a');
    for (const end = Date.now() + STEADY_WAIT_MS; await drawDrops(true) < STEADY_DROPS;) {
      assert.ok(Date.now() < end, 'the pour did not reach a steady frame');
    }
    await p.key('a');  // frozen: every frame from now shows the same drops
    const states = [
      ['fog off', async () => {}],
      ['fog on', () => p.key('f')],
      ['all lights on', async () => {
        for (const light of ['Red', 'Green', 'Blue']) {
          await p.menu();
          await p.click('.waterfall-menu-item', `Enable light - ${light}`);
        }
      }],
    ];
    for (const [state, change] of states) {
      await change();
      assert.ok(await drawDrops(true) >= STEADY_DROPS, `${state}: the drops were not drawn as instances`);
      const instanced = await p.still();
      assert.equal(await drawDrops(false), 0, `${state}: drops were drawn as instances`);
      const oneByOne = await p.still();
      assert.ok(instanced.equals(oneByOne), `${state}: ${pixelsApart(instanced, oneByOne, 0)} pixels differ`);
    }
    assert.deepEqual(await p.errors(), []);
    await p.close();
  });

  test('the pour frozen at a known step draws the native program\'s frame at that step', async (t) => {
    const p = await openPage(env);
    await p.waitForOutput(LOADED);
    await p.still();
    // The page's hook stops the pour, takes the steps, draws, and answers the drops falling.
    const drops = await p.evaluate((steps) => Module.waterfallPour(steps), FROZEN_STEPS);
    assert.ok(drops >= FROZEN_MIN_DROPS, `${drops} drops falling`);
    const apart = pixelsApart(await p.still(), rgb(await nativeFrozen), 0.02);
    t.diagnostic(`${apart} of ${SIDE * SIDE} pixels more than 2 % from the native frame at step ${FROZEN_STEPS}`);
    assert.ok(apart < MAX_NATIVE_DIFFERENT_SHARE * SIDE * SIDE, `${apart} pixels differ`);
    assert.deepEqual(await p.errors(), []);
    await p.close();
  });

  test('a picture missing from the data shows the loader lines and status 1', async () => {
    // The package's index names each file: a renamed entry leaves no ground.bmp.
    const p = await openPage(env, {
      change: (path, body) => path === '/waterfall.js'
        ? Buffer.from(String(body).replaceAll('/ground.bmp"', '/ground.gone"')) : body,
    });
    await p.waitForText('The program ended with status 1.');
    assert.equal(await p.output(),
      'trying to load sky.bmp\ntrying to load ground.bmp\nFile Not Found : ground.bmp\n');
    assert.deepEqual(await p.errors(), []);
    await p.close();
  });
}
