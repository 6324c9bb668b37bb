// The web page against the native program on this machine, figures only:
// the frame time while pouring in each browser engine (WATERFALL_BROWSERS, by
// default Chromium headless on SwiftShader's WebGL, then Firefox and WebKit
// under Xvfb on Mesa's llvmpipe) and in the native program under Xvfb
// (bench/pacing_benchmark, run first), one after the other, never at the same
// time; and the page's download size gzipped: every file the page fetched,
// each gzip -9.
// Usage: node browser_benchmark.mjs [POUR_SECONDS]
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { ENGINES, nativeBuild, openPage, sleep, start, webBuild } from '../tests/browser/fixture.mjs';

const pourSeconds = Number(process.argv[2] ?? 20);
const STEADY_SECONDS = 5;  // the end of the pour, as pacing_benchmark takes it
const engines = process.env.WATERFALL_BROWSERS?.split(/[\s,]+/).filter(Boolean) ?? ENGINES;

// One glClear a frame: its times are the frames'. First in the page, before
// the program makes its context.
const CLEAR_TIMES = `<script>
  window.clearTimes = [];
  for (const kind of [WebGLRenderingContext, WebGL2RenderingContext]) {
    const clear = kind.prototype.clear;
    kind.prototype.clear = function (mask) {
      window.clearTimes.push(performance.now());
      return clear.call(this, mask);
    };
  }
</script>`;
const timingClears = (path, body) =>
  path === '/index.html' ? Buffer.from(String(body).replace('<head>', '<head>' + CLEAR_TIMES)) : body;

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}
const loadAverage = () => readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ');

console.log(`== native program under Xvfb, ${pourSeconds} s pour (bench/pacing_benchmark)`);
const pacing = execFileSync('nice', ['-n', '10', join(nativeBuild, 'bench', 'pacing_benchmark'),
  String(pourSeconds)], { encoding: 'utf8' });
process.stdout.write(pacing);
const nativeMs = Number(pacing.match(/steady pour\): \d+ frames, median frame ([\d.]+) ms/)[1]);

let fetched;
for (const engine of engines) {
  const env = await start(engine);
  try {
    const p = await openPage(env, { change: timingClears });
    await p.waitForOutput('trying to load close.bmp\n');
    await p.still();
    console.log(`\n== the page in ${env.browser.version}, ${pourSeconds} s pour`);
    await p.evaluate(() => { window.clearTimes = []; });  // the pour's frames only
    await p.key('a');
    await sleep(pourSeconds * 1000);
    const times = await p.evaluate(() => window.clearTimes);
    const end = times[times.length - 1];
    const steady = times.filter((t) => t >= end - STEADY_SECONDS * 1000);
    const gaps = (frames) => frames.slice(1).map((t, i) => t - frames[i]);
    const browserMs = median(gaps(steady));
    console.log(`pouring: ${times.length} frames, median frame ${median(gaps(times)).toFixed(1)} ms; ` +
      `last ${STEADY_SECONDS} s (steady pour): ${steady.length} frames, median frame ${browserMs.toFixed(1)} ms`);
    console.log(`browser frame / native frame: ${browserMs.toFixed(1)} / ${nativeMs.toFixed(1)} ms = ` +
      `${(browserMs / nativeMs).toFixed(2)}`);
    console.log(`load average: ${loadAverage()}`);
    fetched = p.fetched;
    await p.close();
  } finally {
    await env.stop();
  }
}

console.log('\n== download: each file the page fetched, raw and gzip -9');
let raw = 0;
let gzipped = 0;
for (const path of [...fetched].sort()) {
  const bytes = readFileSync(join(webBuild, path));
  const packed = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzipped += packed;
  console.log(`${path.padEnd(16)} ${String(bytes.length).padStart(9)} B  ${String(packed).padStart(9)} B gzipped`);
}
console.log(`${'all'.padEnd(16)} ${String(raw).padStart(9)} B  ${String(gzipped).padStart(9)} B gzipped` +
  ` (${(gzipped / 1e6).toFixed(2)} MB)`);
