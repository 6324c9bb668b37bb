// Makes the README's picture of the web page: the help text in the console
// pane ("h"), then the waterfall pouring ("a") for a few seconds, in Chromium.
// Usage: node take_screenshot.mjs OUTPUT.png [SECONDS]
import { openPage, sleep, start } from './fixture.mjs';

const [output, seconds = '20'] = process.argv.slice(2);
const env = await start('chromium');
try {
  const p = await openPage(env, { width: 1040, height: 570 });
  await p.waitForOutput('trying to load close.bmp\n');
  await p.still();
  await p.key('h');
  await p.key('a');
  await sleep(Number(seconds) * 1000);
  await p.page.screenshot({ path: output });
  const errors = await p.errors();
  if (errors.length) console.error(errors.join('\n'));
  console.log(`${output}: the page after ${seconds} s of pouring`);
} finally {
  await env.stop();
}
