// Whether WebGL culls the page's drops, and what it saves: the page pours for
// a while and stops; one frame counts the draws made with culling on, and
// its mode (GL queries, untimed: each is a round trip to the GPU process);
// then the same frame is redrawn (the fog key, on and off) with WebGL's
// CULL_FACE honoured and refused in turn (culled, refused, refused, culled,
// ...), each timed from its callback through a one-pixel read. Main's page
// from before the drops were culled is the control: its ratio is the
// method's noise. Figures only.
// Usage: node browser_culling.mjs [POUR_SECONDS [PAIRS]]   (default 30, 10)
import { openPage, sleep, start } from '../tests/browser/fixture.mjs';

const pourSeconds = Number(process.argv[2] ?? 30);
const pairs = Number(process.argv[3] ?? 10);
const FRAME_WAIT_MS = 2500;  // a frame under SwiftShader takes about a second at most

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

const env = await start('chromium');
try {
  const p = await openPage(env);
  await p.waitForOutput('trying to load close.bmp\n');
  await p.still();
  await p.evaluate(() => {
    window.bench = { refuse: false, count: false, frames: [], culledDraws: 0, otherDraws: 0,
      modes: new Set() };
    const canvas = document.getElementById('canvas');
    const gl = canvas.getContext('webgl');
    const enable = WebGLRenderingContext.prototype.enable;
    WebGLRenderingContext.prototype.enable = function (cap) {
      if (cap === this.CULL_FACE && window.bench.refuse) return undefined;
      return enable.call(this, cap);
    };
    // A draw counts once, or once an instance when drawn instanced.
    const instanced = gl.getExtension('ANGLE_instanced_arrays');
    const drawers = [[WebGLRenderingContext.prototype, ['drawArrays', 'drawElements'], () => 1],
      [Object.getPrototypeOf(instanced), ['drawArraysInstancedANGLE'], (args) => args[3]]];
    for (const [prototype, names, draws] of drawers) {
      for (const name of names) {
        const draw = prototype[name];
        prototype[name] = function (...args) {
          if (!window.bench.count) {
            // timed frames ask GL nothing
          } else if (gl.isEnabled(gl.CULL_FACE)) {
            window.bench.culledDraws += draws(args);
            window.bench.modes.add(`${gl.getParameter(gl.CULL_FACE_MODE)}/` +
              `${gl.getParameter(gl.FRONT_FACE)}`);
          } else {
            window.bench.otherDraws += draws(args);
          }
          return draw.apply(this, args);
        };
      }
    }
    const pixel = new Uint8Array(4);
    const raf = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = (callback) => raf((time) => {
      const begin = performance.now();
      callback(time);
      gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);  // waits for the frame
      if (!window.bench.count) {
        window.bench.frames.push({ refused: window.bench.refuse, ms: performance.now() - begin });
      }
    });
  });
  await p.key('a');
  await sleep(pourSeconds * 1000);
  await p.key('a');
  await sleep(FRAME_WAIT_MS);
  await p.evaluate(() => { window.bench.count = true; });
  await p.key('f');
  await sleep(FRAME_WAIT_MS);
  await p.evaluate(() => Object.assign(window.bench, { count: false, frames: [] }));
  for (let i = 1; i <= 2 * pairs; ++i) {
    await p.evaluate((refuse) => { window.bench.refuse = refuse; }, i % 4 === 1 || i % 4 === 2);
    await p.key('f');
    await sleep(FRAME_WAIT_MS);
  }
  const bench = await p.evaluate(() => ({ ...window.bench, modes: [...window.bench.modes] }));
  const culled = bench.frames.filter((f) => !f.refused).map((f) => f.ms);
  const refused = bench.frames.filter((f) => f.refused).map((f) => f.ms);
  console.log(`after ${pourSeconds} s of pouring, ${bench.frames.length} frames of the same scene`);
  console.log(`one frame's draws (an instance counted as a draw) with CULL_FACE on: ${bench.culledDraws} (CULL_FACE_MODE/FRONT_FACE ` +
    `${bench.modes.join(', ') || '-'}; 1029/2305 is BACK/CCW), without: ${bench.otherDraws}`);
  console.log(`culled: median frame ${median(culled).toFixed(1)} ms; culling refused: median ` +
    `${median(refused).toFixed(1)} ms; ratio ${(median(culled) / median(refused)).toFixed(3)}`);
  await p.close();
} finally {
  await env.stop();
}
