// Makes the README's picture of the web page: the help text in the console
// pane ("h"), then the waterfall pouring ("a") for a few seconds.
// Usage: node take_screenshot.mjs OUTPUT.png [SECONDS]
import { openPage, start } from './fixture.mjs';

const [output, seconds = '20'] = process.argv.slice(2);
const env = await start();
try {
  const p = await openPage(env, { width: 1040, height: 540 });
  await p.waitForOutput('trying to load close.bmp\n');
  await p.still();
  await p.page.keyboard.press('h');
  await p.page.keyboard.press('a');
  await p.page.waitForTimeout(Number(seconds) * 1000);
  await p.page.screenshot({ path: output });
  if (p.errors.length) console.error(p.errors.join('\n'));
  console.log(`${output}: the page after ${seconds} s of pouring`);
} finally {
  await env.stop();
}
