// The web page against the native program on this machine, figures only:
// the frame time while pouring in headless Chromium (SwiftShader's WebGL)
// and in the native program under Xvfb (bench/pacing_benchmark, run first,
// not at the same time), and the page's download size gzipped.
// Usage: node browser_benchmark.mjs [POUR_SECONDS]
import { execFileSync } from 'node:child_process';
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { nativeBuild, openPage, start, webBuild } from '../tests/browser/fixture.mjs';

const pourSeconds = Number(process.argv[2] ?? 20);
const STEADY_SECONDS = 5;  // the end of the pour, as pacing_benchmark takes it

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

console.log('== download: each file of build-web/, raw and gzip -9');
let raw = 0;
let gzipped = 0;
for (const name of readdirSync(webBuild).sort()) {
  const bytes = readFileSync(join(webBuild, name));
  const packed = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzipped += packed;
  console.log(`${name.padEnd(16)} ${String(bytes.length).padStart(9)} B  ${String(packed).padStart(9)} B gzipped`);
}
console.log(`${'all'.padEnd(16)} ${String(raw).padStart(9)} B  ${String(gzipped).padStart(9)} B gzipped` +
  ` (${(gzipped / 1e6).toFixed(2)} MB)`);

console.log(`\n== native program under Xvfb, ${pourSeconds} s pour (bench/pacing_benchmark)`);
const pacing = execFileSync('nice', ['-n', '10', join(nativeBuild, 'bench', 'pacing_benchmark'),
  String(pourSeconds)], { encoding: 'utf8' });
process.stdout.write(pacing);
const nativeMs = Number(pacing.match(/steady pour\): \d+ frames, median frame ([\d.]+) ms/)[1]);

console.log(`\n== the page in headless Chromium, ${pourSeconds} s pour`);
const env = await start();
try {
  const p = await openPage(env);
  // One glClear a frame: its times are the frames'.
  await p.page.evaluate(() => {
    window.clearTimes = [];
    for (const kind of [WebGLRenderingContext, WebGL2RenderingContext]) {
      const clear = kind.prototype.clear;
      kind.prototype.clear = function (mask) {
        window.clearTimes.push(performance.now());
        return clear.call(this, mask);
      };
    }
  });
  await p.waitForOutput('trying to load close.bmp\n');
  await p.still();
  await p.page.keyboard.press('a');
  await p.page.waitForTimeout(pourSeconds * 1000);
  const times = await p.page.evaluate(() => window.clearTimes);
  const end = times[times.length - 1];
  const steady = times.filter((t) => t >= end - STEADY_SECONDS * 1000);
  const gaps = steady.slice(1).map((t, i) => t - steady[i]);
  const browserMs = median(gaps);
  console.log(`pouring: ${times.length} frames; last ${STEADY_SECONDS} s (steady pour): ` +
    `${steady.length} frames, median frame ${browserMs.toFixed(1)} ms`);
  console.log(`\nbrowser frame / native frame: ${browserMs.toFixed(1)} / ${nativeMs.toFixed(1)} ms = ` +
    `${(browserMs / nativeMs).toFixed(2)}`);
  console.log(`download, gzipped: ${(gzipped / 1e6).toFixed(2)} MB`);
  console.log(`load average: ${readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ')}`);
  await p.close();
} finally {
  await env.stop();
}
