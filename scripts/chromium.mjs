// Debian's Chromium, headless, as the page's test, benchmark and screenshots
// drive it through playwright-core: no sandbox (CI runs as root), no GPU, and
// none of the browser's own traffic (updates, sync), which a closed network
// refuses. CHROMIUM names another build.
import { chromium } from 'playwright-core';

export const launch = () => chromium.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
         '--no-first-run', '--disable-sync'],
});
