// The web page against the native program on this machine, figures only:
// the frame time while pouring in each browser engine (WATERFALL_BROWSERS, by
// default Chromium headless on SwiftShader's WebGL, then Firefox and WebKit
// under Xvfb on Mesa's llvmpipe) and in the native program under Xvfb
// (bench/pacing_benchmark, run first), one after the other, never at the same
// time; the WebGL draws and calls of a steady frame; in Chromium, whose
// DevTools protocol tells, also the main thread's time a frame with WebGL as
// it is and with every WebGL call answered by a no-op (what a fast GPU leaves
// to the CPU), and the JS heap after 20 s and 2 minutes of pour; and the
// page's download size gzipped: every file the page fetched, each gzip -9.
// Usage: node browser_benchmark.mjs [POUR_SECONDS] [OTHER_WEB_BUILD]
// OTHER_WEB_BUILD, another build's page folder (an older one, say), is
// measured first in Chromium, as "before", in the same run.
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { ENGINES, nativeBuild, openPage, sleep, start, webBuild } from '../tests/browser/fixture.mjs';

const pourSeconds = Number(process.argv[2] ?? 20);
const otherBuild = process.argv[3] ? resolve(process.argv[3]) : null;
const engines = process.env.WATERFALL_BROWSERS?.split(/[\s,]+/).filter(Boolean) ?? ENGINES;
const STEADY_SECONDS = 5;    // the end of the pour, as pacing_benchmark takes it
const LONG_POUR_SECONDS = 120;
const NO_OP_SETTLE_SECONDS = 2;
const NO_OP_SECONDS = 5;

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}
const loadAverage = () => readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ');

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
const COUNTING = `<script>(${countWebGL})();</script>`;
const counting = (path, body) =>
  path === '/index.html' ? Buffer.from(String(body).replace('<head>', '<head>' + COUNTING)) : body;

// The frames recorded so far: [{time, calls, draws}], each frame's counts
// from its glClear to the next.
const frames = (p) => p.evaluate(() => {
  const c = window.webglCount, out = [];
  for (let i = Math.max(0, c.frames - c.times.length); i < c.frames; i++) {
    const at = i % c.times.length;
    out.push({ time: c.times[at], calls: c.callsAt[at], draws: c.drawsAt[at] });
  }
  return out;
});
const gaps = (list, key) => list.slice(1).map((f, i) => f[key] - list[i][key]);
const lastSeconds = (list) => list.filter((f) => f.time >= list[list.length - 1].time - STEADY_SECONDS * 1000);

async function heapAfterGC(cdp) {
  await cdp.send('HeapProfiler.collectGarbage');
  return (await cdp.send('Runtime.getHeapUsage')).usedSize;
}

// The main thread's busy time (Chrome's TaskDuration: JS, wasm, timers,
// frames) over `seconds`, by the frames drawn meanwhile.
async function msPerFrame(p, cdp, seconds) {
  const busy = async () => (await cdp.send('Performance.getMetrics')).metrics
    .find((metric) => metric.name === 'TaskDuration').value;
  const framesBefore = await p.evaluate(() => window.webglCount.frames);
  const busyBefore = await busy();
  await sleep(seconds * 1000);
  const spent = await busy() - busyBefore;
  return spent * 1000 / (await p.evaluate(() => window.webglCount.frames) - framesBefore);
}

// One page folder in one engine: a pour of `pourSeconds`; in Chromium then
// on to LONG_POUR_SECONDS, and the no-op WebGL.
async function measurePage(engine, label, folder) {
  const env = await start(engine, { folder });
  try {
    const p = await openPage(env, { change: counting });
    await p.waitForOutput('trying to load close.bmp\n');
    await p.still();
    console.log(`\n== ${label}: the page from ${folder} in ${env.browser.version}`);
    const first = await p.evaluate(() => window.webglCount.frames);
    await p.key('a');
    const poured = Date.now();
    const pourFor = (seconds) => sleep(poured + seconds * 1000 - Date.now());

    await pourFor(pourSeconds);
    const pour = (await frames(p)).slice(first);
    const steady = lastSeconds(pour);
    const r = { label: `${label}, ${engine}`, pourFrames: pour.length, pourMs: median(gaps(pour, 'time')),
      steadyMs: median(gaps(steady, 'time')), calls: median(gaps(steady, 'calls')),
      draws: median(gaps(steady, 'draws')) };
    console.log(`pouring ${pourSeconds} s: ${pour.length} frames, median frame ${r.pourMs.toFixed(1)} ms; ` +
      `last ${STEADY_SECONDS} s: ${steady.length} frames, median frame ${r.steadyMs.toFixed(1)} ms, ` +
      `${r.draws} WebGL draws, ${r.calls} WebGL calls a frame`);
    if (engine === 'chromium') {
      const cdp = await p.page.context().newCDPSession(p.page);
      await cdp.send('Performance.enable');
      r.heapShort = await heapAfterGC(cdp);
      await pourFor(LONG_POUR_SECONDS);
      r.heapLong = await heapAfterGC(cdp);
      const longSteady = lastSeconds(await frames(p));
      r.calls = median(gaps(longSteady, 'calls'));
      r.draws = median(gaps(longSteady, 'draws'));
      console.log(`after ${LONG_POUR_SECONDS} s of pour, a frame of the last ${STEADY_SECONDS} s: ` +
        `${r.draws} WebGL draws, ${r.calls} WebGL calls (medians of ${longSteady.length - 1} frames)`);
      console.log(`JS heap after GC: ${(r.heapShort / 1e6).toFixed(2)} MB after ${pourSeconds} s of pour, ` +
        `${(r.heapLong / 1e6).toFixed(2)} MB after ${LONG_POUR_SECONDS} s`);
      r.realMs = await msPerFrame(p, cdp, STEADY_SECONDS);
      console.log(`real WebGL: main thread ${r.realMs.toFixed(1)} ms a frame over ${STEADY_SECONDS} s`);
      await p.evaluate(() => { window.webglCount.noOp = true; });
      await sleep(NO_OP_SETTLE_SECONDS * 1000);
      r.noOpMs = await msPerFrame(p, cdp, NO_OP_SECONDS);
      console.log(`WebGL answered by no-ops: main thread ${r.noOpMs.toFixed(2)} ms a frame over ` +
        `${NO_OP_SECONDS} s, ${median(gaps((await frames(p)).slice(-10), 'calls'))} WebGL calls a frame`);
    }
    const errors = await p.errors();
    if (errors.length) throw new Error(`the page reported errors: ${errors.join('; ')}`);
    r.fetched = p.fetched;
    console.log(`load average: ${loadAverage()}`);
    await p.close();
    return r;
  } finally {
    await env.stop();
  }
}

console.log(`== native program under Xvfb, ${pourSeconds} s pour (bench/pacing_benchmark)`);
const pacing = execFileSync('nice', ['-n', '10', join(nativeBuild, 'bench', 'pacing_benchmark'),
  String(pourSeconds)], { encoding: 'utf8' });
process.stdout.write(pacing);
const nativeFrames = Number(pacing.match(/pouring: .*?; (\d+) frames/)[1]);
const nativeMs = Number(pacing.match(/steady pour\): \d+ frames, median frame ([\d.]+) ms/)[1]);
console.log(`load average: ${loadAverage()}`);

const results = [];
for (const engine of engines) {
  if (otherBuild && engine === 'chromium') results.push(await measurePage(engine, 'before', otherBuild));
  results.push(await measurePage(engine, otherBuild ? 'after' : 'the page', webBuild));
}

const cell = (value, digits, width) => (value === undefined ? '-' : value.toFixed(digits)).padStart(width);
console.log(`\n== summary (native: ${nativeFrames} frames in the ${pourSeconds} s pour, ` +
  `median frame ${nativeMs.toFixed(1)} ms in its last ${STEADY_SECONDS} s)`);
console.log('page              | draws | calls | main thread ms/frame | no-op ms/frame | frames in pour | ' +
  'frame, last 5 s | / native | heap 20 s | heap 2 min');
for (const r of results) {
  console.log(`${r.label.padEnd(17)} | ${cell(r.draws, 0, 5)} | ${cell(r.calls, 0, 5)} | ` +
    `${cell(r.realMs, 1, 20)} | ${cell(r.noOpMs, 2, 14)} | ${String(r.pourFrames).padStart(14)} | ` +
    `${(r.steadyMs.toFixed(1) + ' ms').padStart(15)} | ${(r.steadyMs / nativeMs).toFixed(2).padStart(8)} | ` +
    `${cell(r.heapShort && r.heapShort / 1e6, 2, 6)} MB | ${cell(r.heapLong && r.heapLong / 1e6, 2, 7)} MB`);
}

console.log('\n== download: each file the page fetched, raw and gzip -9');
let raw = 0;
let gzipped = 0;
for (const path of [...results[results.length - 1].fetched].sort()) {
  const bytes = readFileSync(join(webBuild, path));
  const packed = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzipped += packed;
  console.log(`${path.padEnd(22)} ${String(bytes.length).padStart(9)} B  ${String(packed).padStart(9)} B gzipped`);
}
console.log(`${'all'.padEnd(22)} ${String(raw).padStart(9)} B  ${String(gzipped).padStart(9)} B gzipped` +
  ` (${(gzipped / 1e6).toFixed(2)} MB)`);
