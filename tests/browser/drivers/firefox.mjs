// Debian's Firefox ESR driven by Puppeteer over WebDriver BiDi. With a window
// under Xvfb: headless, it has no WebGL here (Mesa's llvmpipe draws).
import puppeteer from 'puppeteer-core';
import { pageTab } from '../fixture.mjs';

export const needsWindow = true;

export async function launch({ display }) {
  const browser = await puppeteer.launch({
    browser: 'firefox', headless: false,
    executablePath: process.env.WATERFALL_FIREFOX ?? '/usr/bin/firefox-esr',
    env: { ...process.env, DISPLAY: display },
  });
  return {
    version: `Firefox ${(await browser.version()).split('/')[1]}`,
    close: () => browser.close(),
    async open({ url, width, height }) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width, height });
      return {
        ...await pageTab(page, url),
        close: () => context.close(),
      };
    },
  };
}
