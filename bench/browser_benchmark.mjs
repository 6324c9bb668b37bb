// The web page against the native program on this machine, figures only:
// the frame time while pouring in headless Chromium (SwiftShader's WebGL)
// and in the native program under Xvfb (bench/pacing_benchmark, run first,
// not at the same time); for each page folder, the WebGL calls and draws of
// a steady frame, the main thread's time a frame with every WebGL call
// answered by a no-op (what a fast GPU leaves to the CPU) and the JS heap
// after 20 s and 2 minutes of pour; and the page's download size gzipped:
// every file the page fetched, each gzip -9.
// Usage: node browser_benchmark.mjs [POUR_SECONDS] [OTHER_WEB_BUILD]
// OTHER_WEB_BUILD, another build of the page (an older one, say), is
// measured first, as "before", in the same run.
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { nativeBuild, openPage, start, webBuild } from '../tests/browser/fixture.mjs';

const pourSeconds = Number(process.argv[2] ?? 20);
const otherBuild = process.argv[3] ? resolve(process.argv[3]) : null;
const STEADY_SECONDS = 5;    // the end of the pour, as pacing_benchmark takes it
const LONG_POUR_SECONDS = 120;
const NO_OP_SETTLE_SECONDS = 2;
const NO_OP_SECONDS = 5;

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

function loadAverage() {
  return readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ');
}

// In the page before its scripts: every method of WebGL's contexts and of
// the extensions they hand out counts its calls (draws apart) and, once
// `webglCount.noOp` is set, returns at once, but for get*, is* and create*.
// Each glClear (one a frame) records the time and the counts so far, in
// storage made up front, so that the counting adds nothing to the heap.
function countWebGL() {
  const FRAMES = 1 << 16;
  const count = window.webglCount = {
    calls: 0, draws: 0, noOp: false, frames: 0,
    times: new Float64Array(FRAMES), callsAt: new Float64Array(FRAMES), drawsAt: new Float64Array(FRAMES),
  };
  const counted = new Set();
  const countCalls = (prototype) => {
    if (counted.has(prototype)) return;
    counted.add(prototype);
    for (const name of Object.getOwnPropertyNames(prototype)) {
      const descriptor = Object.getOwnPropertyDescriptor(prototype, name);
      if (name === 'constructor' || typeof descriptor.value !== 'function') continue;
      const real = descriptor.value;
      const kept = /^(get|is|create)/.test(name);
      const draw = /^draw(Arrays|Elements)/.test(name);
      const clear = name === 'clear';
      // Extensions' interfaces are not on window: theirs are taken as handed out.
      const extension = name === 'getExtension';
      prototype[name] = function (...args) {
        count.calls++;
        if (draw) count.draws++;
        if (clear) {
          const at = count.frames++ % FRAMES;
          count.times[at] = performance.now();
          count.callsAt[at] = count.calls;
          count.drawsAt[at] = count.draws;
        }
        if (count.noOp && !kept) return undefined;
        const result = real.apply(this, args);
        if (extension && result) countCalls(Object.getPrototypeOf(result));
        return result;
      };
    }
  };
  for (const kind of [window.WebGLRenderingContext, window.WebGL2RenderingContext].filter(Boolean)) {
    countCalls(kind.prototype);
  }
}

// The frames recorded so far: [{time, calls, draws}], each frame's counts
// from its glClear to the next.
async function frames(page) {
  return page.evaluate(() => {
    const c = window.webglCount, out = [];
    for (let i = Math.max(0, c.frames - c.times.length); i < c.frames; i++) {
      const at = i % c.times.length;
      out.push({ time: c.times[at], calls: c.callsAt[at], draws: c.drawsAt[at] });
    }
    return out;
  });
}

const gaps = (list, key) => list.slice(1).map((f, i) => f[key] - list[i][key]);

async function heapAfterGC(cdp) {
  await cdp.send('HeapProfiler.collectGarbage');
  return (await cdp.send('Runtime.getHeapUsage')).usedSize;
}

async function mainThreadSeconds(cdp) {
  return (await cdp.send('Performance.getMetrics')).metrics
    .find((metric) => metric.name === 'TaskDuration').value;
}

// The main thread's busy time (Chrome's TaskDuration: JS, wasm, timers,
// frames) over `seconds`, by the frames drawn meanwhile.
async function msPerFrame(page, cdp, seconds) {
  const framesBefore = await page.evaluate(() => window.webglCount.frames);
  const busyBefore = await mainThreadSeconds(cdp);
  await page.waitForTimeout(seconds * 1000);
  const busy = await mainThreadSeconds(cdp) - busyBefore;
  return busy * 1000 / (await page.evaluate(() => window.webglCount.frames) - framesBefore);
}

// One page folder: a pour of `pourSeconds`, then on to LONG_POUR_SECONDS,
// then the no-op WebGL.
async function measurePage(label, folder, fetched) {
  console.log(`\n== ${label}: the page from ${folder} in headless Chromium`);
  const env = await start({ folder });
  try {
    const p = await openPage(env, {
      init: countWebGL,
      change: (url, body) => (fetched?.add(new URL(url).pathname), body),
    });
    const cdp = await p.page.context().newCDPSession(p.page);
    await cdp.send('Performance.enable');
    await p.waitForOutput('trying to load close.bmp\n');
    await p.still();
    const first = (await p.page.evaluate(() => window.webglCount.frames));
    await p.page.keyboard.press('a');
    const poured = Date.now();
    const pourFor = async (seconds) => p.page.waitForTimeout(poured + seconds * 1000 - Date.now());

    await pourFor(pourSeconds);
    const pour = (await frames(p.page)).slice(first);
    const end = pour[pour.length - 1].time;
    const steady = pour.filter((f) => f.time >= end - STEADY_SECONDS * 1000);
    const result = {
      label,
      pourFrames: pour.length,
      pourMs: median(gaps(pour, 'time')),
      steadyMs: median(gaps(steady, 'time')),
      heapShort: await heapAfterGC(cdp),
    };
    console.log(`pouring ${pourSeconds} s: ${pour.length} frames, median frame ${result.pourMs.toFixed(1)} ms; ` +
      `last ${STEADY_SECONDS} s: ${steady.length} frames, median frame ${result.steadyMs.toFixed(1)} ms`);

    await pourFor(LONG_POUR_SECONDS);
    result.heapLong = await heapAfterGC(cdp);
    const long = await frames(p.page);
    const longEnd = long[long.length - 1].time;
    const longSteady = long.filter((f) => f.time >= longEnd - STEADY_SECONDS * 1000);
    result.calls = median(gaps(longSteady, 'calls'));
    result.draws = median(gaps(longSteady, 'draws'));
    console.log(`after ${LONG_POUR_SECONDS} s of pour, a frame of the last ${STEADY_SECONDS} s: ` +
      `${result.draws} WebGL draws, ${result.calls} WebGL calls (medians of ${longSteady.length - 1} frames)`);
    console.log(`JS heap after GC: ${(result.heapShort / 1e6).toFixed(2)} MB after ${pourSeconds} s of pour, ` +
      `${(result.heapLong / 1e6).toFixed(2)} MB after ${LONG_POUR_SECONDS} s`);

    result.realMs = await msPerFrame(p.page, cdp, STEADY_SECONDS);
    console.log(`real WebGL: main thread ${result.realMs.toFixed(1)} ms a frame over ${STEADY_SECONDS} s`);

    await p.page.evaluate(() => { window.webglCount.noOp = true; });
    await p.page.waitForTimeout(NO_OP_SETTLE_SECONDS * 1000);
    result.noOpMs = await msPerFrame(p.page, cdp, NO_OP_SECONDS);
    const noOp = (await frames(p.page)).slice(-10);
    result.noOpCalls = median(gaps(noOp, 'calls'));
    console.log(`WebGL answered by no-ops: main thread ${result.noOpMs.toFixed(2)} ms a frame over ` +
      `${NO_OP_SECONDS} s, ${result.noOpCalls} WebGL calls a frame`);
    assert(p.errors.length === 0, `the page reported errors: ${p.errors.join('; ')}`);
    await p.close();
    return result;
  } finally {
    await env.stop();
  }
}

function assert(condition, message) {
  if (!condition) throw new Error(message);
}

console.log(`== native program under Xvfb, ${pourSeconds} s pour (bench/pacing_benchmark)`);
const pacing = execFileSync('nice', ['-n', '10', join(nativeBuild, 'bench', 'pacing_benchmark'),
  String(pourSeconds)], { encoding: 'utf8' });
process.stdout.write(pacing);
const nativeFrames = Number(pacing.match(/pouring: .*?; (\d+) frames/)[1]);
const nativeMs = Number(pacing.match(/steady pour\): \d+ frames, median frame ([\d.]+) ms/)[1]);
console.log(`load average: ${loadAverage()}`);

const results = [];
if (otherBuild) results.push(await measurePage('before', otherBuild, null));
const fetched = new Set();
results.push(await measurePage(otherBuild ? 'after' : 'the page', webBuild, fetched));
console.log(`load average: ${loadAverage()}`);

console.log(`\n== summary (native: ${nativeFrames} frames in the ` +
  `${pourSeconds} s pour, median frame ${nativeMs.toFixed(1)} ms in its last ${STEADY_SECONDS} s)`);
console.log('page    | draws | calls | main thread ms/frame | no-op ms/frame | frames in pour | ' +
  'frame, last 5 s | / native | heap 20 s | heap 2 min');
for (const r of results) {
  console.log(`${r.label.padEnd(7)} | ${String(r.draws).padStart(5)} | ${String(r.calls).padStart(5)} | ` +
    `${r.realMs.toFixed(1).padStart(20)} | ` +
    `${r.noOpMs.toFixed(2).padStart(14)} | ${String(r.pourFrames).padStart(14)} | ` +
    `${(r.steadyMs.toFixed(1) + ' ms').padStart(15)} | ${(r.steadyMs / nativeMs).toFixed(2).padStart(8)} | ` +
    `${(r.heapShort / 1e6).toFixed(2).padStart(6)} MB | ${(r.heapLong / 1e6).toFixed(2).padStart(7)} MB`);
}

console.log('\n== download: each file the page fetched, raw and gzip -9');
let raw = 0;
let gzipped = 0;
for (const path of [...fetched].sort()) {
  const bytes = readFileSync(join(webBuild, path === '/' ? 'index.html' : path));
  const packed = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzipped += packed;
  console.log(`${path.padEnd(16)} ${String(bytes.length).padStart(9)} B  ${String(packed).padStart(9)} B gzipped`);
}
console.log(`${'all'.padEnd(16)} ${String(raw).padStart(9)} B  ${String(gzipped).padStart(9)} B gzipped` +
  ` (${(gzipped / 1e6).toFixed(2)} MB)`);
