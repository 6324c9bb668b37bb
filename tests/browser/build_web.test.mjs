// scripts/build-web with a stand-in emcc older than the page needs first on PATH.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { test } from 'node:test';

test('scripts/build-web stops at once with one line before an Emscripten older than it needs', () => {
  const bin = mkdtempSync(`${tmpdir()}/waterfall-emcc-`);
  writeFileSync(`${bin}/emcc`, '#!/bin/sh\necho "emcc (Emscripten gcc/clang-like replacement) 3.1.5 (x)"\n',
    { mode: 0o755 });
  const run = spawnSync(new URL('../../scripts/build-web', import.meta.url).pathname, { encoding: 'utf8',
    env: { ...process.env, PATH: `${bin}:${process.env.PATH}`, WATERFALL_WEB_BUILD_DIR: `${bin}/build` } });
  rmSync(bin, { recursive: true, force: true });
  assert.deepEqual([run.status, run.stdout], [1, '']);
  assert.match(run.stderr, /^build-web: FAILED: [^\n]*3\.1\.5\b[^\n]*needs Emscripten 3\.1\.6 or later[^\n]*\n$/);
});
