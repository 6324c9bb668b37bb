// Debian's Chromium, headless on SwiftShader's WebGL, driven by Playwright
// over the DevTools protocol: the one driver with touch emulation and the
// page's CPU figure. `tab.page` is Playwright's page, for the cases that
// need what the others cannot do.
import { chromium } from 'playwright-core';
import { pageTab } from '../fixture.mjs';

const ARGS = ['--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--use-gl=angle', '--no-sandbox', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run'];

export const needsWindow = false;

export async function launch({ args = [] } = {}) {
  const launchOptions = {
    executablePath: process.env.WATERFALL_CHROMIUM ?? '/usr/bin/chromium', args: [...ARGS, ...args],
  };
  const browser = await chromium.launch(launchOptions);
  return {
    version: `Chromium ${browser.version()}`,
    close: () => browser.close(),
    // Each page in a context of its own: a fresh incognito profile, or with
    // `profile` a persistent one in that folder.
    async open({ url, width, height, touch, profile }) {
      const options = { viewport: { width, height }, hasTouch: touch };
      const context = profile
        ? await chromium.launchPersistentContext(profile, { ...launchOptions, ...options })
        : await browser.newContext(options);
      const page = context.pages()[0] ?? await context.newPage();
      return {
        ...await pageTab(page, url),
        // The share of a core the page's main thread spent on tasks over
        // `seconds` (Chrome's TaskDuration): JS, timers, frames. Chromium's
        // other threads, the sound's among them, are not counted.
        async mainThreadShareOver(seconds) {
          const cdp = await context.newCDPSession(page);
          await cdp.send('Performance.enable');
          const busy = async () => (await cdp.send('Performance.getMetrics')).metrics
            .find((metric) => metric.name === 'TaskDuration').value;
          const before = await busy();
          await page.waitForTimeout(seconds * 1000);
          const share = (await busy() - before) / seconds;
          await cdp.detach();
          return share;
        },
        close: () => context.close(),
      };
    },
  };
}
