// The three browser engines that Debian ships, each driven by a well-kept
// client of its own protocol, behind one small interface for the page's
// test, benchmark and screenshots: Chromium over the DevTools protocol and
// Firefox ESR over WebDriver BiDi, both through puppeteer-core, and WebKitGTK
// (its MiniBrowser) over W3C WebDriver through selenium-webdriver.
//
//   const browser = await launch('chromium' | 'firefox' | 'webkit' | 'chromium80' | 'chromium92', { args, dark, forced })
//   const tab = await browser.open(url, { width, height, touch, refuse })
//   tab.type(text), .insertText(text), .press(key), .click(selector),
//   .tap(selector), .doubleClick(selector), .focus(selector), .resize(width, height),
//   .evaluate(fn, ...args), .screenshot(path, selector?), .close()
//   browser.version, browser.requests, browser.close()
//   await until(tab, fn, what)   waits for fn, run in the page, to return something true
//
// Keys: 'Tab', 'Shift+Tab', 'Enter', 'Space', 'Control+A', 'Delete'. One tab
// is open at a time. Every request a page makes, but for the page itself and
// what it holds (data: URLs), is refused and kept in browser.requests; with
// `refuse: false` Chromium and Firefox let them be, which spares the page
// the round trip through this script that watching every request costs.
// `dark` asks for the dark colour scheme; `forced`, for forced colours (a
// high-contrast mode), which Chromium emulates and Firefox has, and WebKit
// has not. Chromium and Firefox run headless; WebKitGTK has no headless mode
// and needs a display (scripts/with-xvfb). CHROMIUM, FIREFOX and MINIBROWSER
// name other builds of the browsers.
//
// 'chromium80' and 'chromium92', the engines of older desktops' browsers and
// of chat apps' built-in ones, come from npm and run under puppeteer-core
// 2.1.1 (launchOld below).
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdtempSync, mkdirSync, readFileSync, renameSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { brotliDecompressSync } from 'node:zlib';
import puppeteer from 'puppeteer-core';
import { Builder, By, Key } from 'selenium-webdriver';
import input from 'selenium-webdriver/lib/input.js';

export const engines = ['chromium', 'firefox', 'webkit', 'chromium80', 'chromium92'];

// No sandbox (CI runs as root), no GPU, none of the browser's own traffic.
const chromiumArgs = ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
                      '--no-first-run', '--disable-sync'];

export function launch(engine, { args = [], dark = false, forced = false } = {}) {
  switch (engine) {
    case 'chromium': return launchPuppeteer('chrome', process.env.CHROMIUM ?? '/usr/bin/chromium', {
      args: [...chromiumArgs, ...args],
    }, [{ name: 'prefers-color-scheme', value: dark ? 'dark' : 'light' },
        { name: 'forced-colors', value: forced ? 'active' : 'none' }]);
    case 'chromium80': case 'chromium92': return launchOld(engine.slice(-2), { args, dark, forced });
    case 'firefox': return launchPuppeteer('firefox', process.env.FIREFOX ?? '/usr/bin/firefox-esr', {
      args, extraPrefsFirefox: {
        'layout.css.prefers-color-scheme.content-override': dark ? 0 : 1,
        // Always the user's colours, not the page's: Firefox's high-contrast mode.
        ...forced && { 'browser.display.document_color_use': 2 },
      },
    });
    case 'webkit':
      if (forced) throw new Error('WebKit has no forced colours mode');
      return launchWebKit(dark ? ['--dark-mode', ...args] : args);
  }
  throw new Error(`no engine "${engine}": ${engines.join(', ')}`);
}

// Chromium 80 and 92: the headless builds that the npm packages chromium-80
// and chromium-92 (chrome-aws-lambda 2.1.1 and 10.1.0) carry, driven by
// puppeteer-core 2.1.1, which speaks their protocol. They run in one process
// (as root on Debian 12 they start no other way), where Chromium 80 closes a
// second browser context as it is made: each tab opens in the default one.
// What they lack: forced colours came in Chromium 89, so 80 has none, and 92
// ignores their emulation and takes them from its switch for Windows' high
// contrast; dark system colours came in 81 (color-scheme), so 80, asked for
// the dark scheme, matches (prefers-color-scheme: dark) and draws the page
// light.
async function launchOld(version, { args, dark, forced }) {
  if (forced && version === '80') throw new Error('Chromium 80 has no forced colours: they came in 89');
  return launchPuppeteer('chrome', unpacked(version), {
    args: [...chromiumArgs, '--single-process', '--no-zygote', ...forced ? ['--force-high-contrast'] : [], ...args],
  }, [{ name: 'prefers-color-scheme', value: dark ? 'dark' : 'light' }], (await import('puppeteer-core-2')).default);
}

// The package's browser and SwiftShader's GL libraries beside it, which its
// GPU thread loads even with --disable-gpu (without them Chromium 92 may hang
// as it starts), brotli-compressed: unpacked once into node_modules/.cache,
// the browser last.
function unpacked(version) {
  const modules = join(dirname(fileURLToPath(import.meta.url)), '..', 'node_modules');
  const [packed, dir] = [join(modules, `chromium-${version}`, 'bin'), join(modules, '.cache', `chromium-${version}`)];
  const binary = join(dir, 'chromium'), unpack = file => brotliDecompressSync(readFileSync(join(packed, file)));
  if (existsSync(binary)) return binary;
  mkdirSync(join(dir, 'swiftshader'), { recursive: true });
  execFileSync('tar', ['-x', '--no-same-owner', '-C', join(dir, 'swiftshader')], { input: unpack('swiftshader.tar.br') });
  writeFileSync(`${binary}.new`, unpack('chromium.br'), { mode: 0o755 });
  renameSync(`${binary}.new`, binary);
  return binary;
}

// Asks the page every 50 ms; after 10 s, fails saying `what` did not happen.
export async function until(tab, fn, what) {
  for (let tries = 0; !await tab.evaluate(fn); tries++) {
    if (tries === 200) throw new Error(`in 10 s, ${what}`);
    await new Promise(resolve => setTimeout(resolve, 50));
  }
}

const wanted = (url, page) => url === page || url.startsWith('data:');

async function launchPuppeteer(name, executablePath, options, media = [], driver = puppeteer) {
  const browser = await driver.launch({ browser: name, executablePath, headless: true, ...options });
  const requests = [];
  const version = `${name === 'chrome' ? 'Chromium' : 'Firefox'} ${(await browser.version()).split('/')[1]}`;
  return {
    version, requests,
    close: () => browser.close(),
    async open(url, { width = 800, height = 600, touch = false, refuse = true } = {}) {
      const page = await browser.newPage();
      const view = { width, height, isMobile: touch, hasTouch: touch, deviceScaleFactor: touch ? 2 : 1 };
      await page.setViewport(view);
      if (media.length) // puppeteer-core 2 has the session on the page's target
        await (await (page.createCDPSession?.() ?? page.target().createCDPSession()))
          .send('Emulation.setEmulatedMedia', { features: media });
      await page.setRequestInterception(refuse);
      if (refuse) page.on('request', request => {
        if (wanted(request.url(), url)) return request.continue();
        requests.push(request.url());
        return request.abort();
      });
      const errors = [];
      page.on('pageerror', error => errors.push(error.message));
      await page.goto(url);
      await page.bringToFront();
      return {
        errors,
        type: text => page.keyboard.type(text),
        // As an input method commits text: Chromium's own command for it;
        // Firefox has none over BiDi, so the editing command that a paste runs.
        insertText: text => name === 'chrome' ? page.keyboard.sendCharacter(text)
          : page.evaluate(text => document.execCommand('insertText', false, text), text),
        async press(key) {
          const keys = { Space: ' ', A: 'a' };
          const [last, ...held] = key.split('+').map(k => keys[k] ?? k).reverse();
          for (const k of held) await page.keyboard.down(k);
          await page.keyboard.press(last);
          for (const k of held) await page.keyboard.up(k);
        },
        click: selector => page.click(selector),
        tap: selector => page.tap(selector),
        doubleClick: selector => page.click(selector, { count: 2, clickCount: 2 }), // puppeteer-core 2: clickCount
        focus: selector => page.focus(selector),
        resize: (width, height) => page.setViewport({ ...view, width, height }),
        evaluate: (fn, ...args) => page.evaluate(fn, ...args),
        screenshot: async (path, selector) => (selector ? await page.$(selector) : page).screenshot({ path }),
        close: () => page.close(),
      };
    },
  };
}

// WebKitWebDriver starts the MiniBrowser for a session. Its window cannot be
// narrower than its toolbar, which the GTK style here shrinks (a theme's
// padding on the toolbar's buttons), so that the page can be as narrow as a
// phone. Requests go through a proxy of this script's, which refuses them;
// a file or data that the page loads shows in its resource timing.
async function launchWebKit(args) {
  if (!process.env.DISPLAY && !process.env.WAYLAND_DISPLAY)
    throw new Error('WebKitGTK needs a display: run under scripts/with-xvfb');
  const config = mkdtempSync(join(tmpdir(), 'webkit-'));
  mkdirSync(join(config, 'gtk-3.0'));
  writeFileSync(join(config, 'gtk-3.0', 'gtk.css'), 'button { min-width: 0; padding: 0; margin: 0; border-width: 0; }\n');
  const requests = [];
  const proxy = createServer((request, response) => {
    requests.push(request.url);
    response.writeHead(403).end();
  });
  proxy.on('connect', (request, socket) => {
    requests.push(`https://${request.url}`);
    socket.end('HTTP/1.1 403 Forbidden\r\n\r\n');
  });
  const port = await listening(proxy);
  const driverPort = await freePort();
  const driver = spawn('WebKitWebDriver', [`--port=${driverPort}`],
                       { env: { ...process.env, XDG_CONFIG_HOME: config }, stdio: ['ignore', 'ignore', 'inherit'] });
  process.on('exit', () => {
    driver.kill();
    rmSync(config, { recursive: true, force: true });
  });
  const binary = process.env.MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
  let session;
  for (let tries = 0; !session; tries++) {
    try {
      session = await new Builder().usingServer(`http://127.0.0.1:${driverPort}`).withCapabilities({
        browserName: 'MiniBrowser',
        proxy: { proxyType: 'manual', httpProxy: `127.0.0.1:${port}`, sslProxy: `127.0.0.1:${port}` },
        'webkitgtk:browserOptions': { binary, args: ['--automation', ...args] },
      }).build();
    } catch (error) {
      if (tries === 50 || driver.exitCode !== null) { driver.kill(); proxy.close(); throw error; }
      await new Promise(resolve => setTimeout(resolve, 100));
    }
  }
  const capabilities = await session.getCapabilities();
  const script = (fn, args) => session.executeScript(`return (${fn}).apply(null, arguments)`, ...args);
  const find = selector => session.findElement(By.css(selector));
  // In sight first, as a user scrolls to it: WebDriver's actions do not.
  const shown = async selector => {
    await script(selector => document.querySelector(selector).scrollIntoView({ block: 'nearest' }), [selector]);
    return find(selector);
  };
  const finger = new input.Pointer('finger', input.Pointer.Type.TOUCH);
  const keys = { Tab: Key.TAB, Enter: Key.ENTER, Space: Key.SPACE, Delete: Key.DELETE, Shift: Key.SHIFT,
                 Control: Key.CONTROL, A: 'a' };
  // Sizes the window so that its page is `width` × `height`. The page learns
  // of a new size a moment after the window has it, later on a busy machine:
  // measured again until it is right.
  const resize = async (width, height) => {
    const window = session.manage().window();
    let outer = { width, height };
    for (let tries = 0; ; tries++) {
      await window.setRect(outer);
      const inner = await script(() => [innerWidth, innerHeight], []);
      if (inner[0] === width && inner[1] === height) return;
      if (tries === 100) throw new Error(`the page stays ${inner.join(' × ')}, not ${width} × ${height}`);
      const rect = await window.getRect();
      outer = { width: Math.max(width, rect.width + width - inner[0]),
                height: Math.max(height, rect.height + height - inner[1]) };
      await new Promise(resolve => setTimeout(resolve, 50));
    }
  };
  return {
    version: `WebKitGTK ${capabilities.get('browserVersion')}`, requests,
    async close() {
      await session.quit();
      driver.kill();
      proxy.close();
    },
    async open(url, { width = 800, height = 600 } = {}) {
      await resize(width, height);
      await session.get(url);
      return {
        errors: [],
        type: text => session.actions().sendKeys(text).perform(),
        insertText: text => script(text => document.execCommand('insertText', false, text), [text]),
        async press(key) {
          const [last, ...held] = key.split('+').map(k => keys[k] ?? k).reverse();
          let actions = session.actions();
          for (const k of held) actions = actions.keyDown(k);
          actions = actions.sendKeys(last);
          for (const k of held) actions = actions.keyUp(k);
          await actions.perform();
        },
        click: async selector => (await find(selector)).click(),
        // WebKitGTK delivers a touch pointer as the mouse: it has no touch events.
        tap: async selector => session.actions({ async: true })
          .insert(finger, finger.move({ origin: await shown(selector), duration: 0 }), finger.press(), finger.release())
          .perform(),
        doubleClick: async selector => session.actions().doubleClick(await shown(selector)).perform(),
        focus: selector => script(selector => document.querySelector(selector).focus(), [selector]),
        resize,
        evaluate: (fn, ...args) => script(fn, args),
        // An element cut out of the page's screenshot (by Pillow): WebKitGTK's
        // own screenshot of an element comes out partly black.
        async screenshot(path, selector) {
          await session.executeAsyncScript('requestAnimationFrame(() => setTimeout(arguments[0]))');
          const png = Buffer.from(await session.takeScreenshot(), 'base64');
          if (!selector) return writeFileSync(path, png);
          const [x, y, right, bottom] = await script(selector => {
            const r = document.querySelector(selector).getBoundingClientRect();
            return [Math.floor(r.left), Math.floor(r.top), Math.ceil(r.right), Math.ceil(r.bottom)];
          }, [selector]);
          writeFileSync(path, png);
          execFileSync('/usr/bin/python3', ['-c', 'import sys; from PIL import Image; p = sys.argv[1]; '
                                   + 'Image.open(p).crop(tuple(map(int, sys.argv[2:]))).save(p)', path, ...[x, y, right, bottom].map(String)]);
        },
        async close() {
          requests.push(...await script(() => performance.getEntriesByType('resource').map(entry => entry.name), [])
            .then(names => names.filter(name => !wanted(name, url))));
          await session.get('about:blank');
        },
      };
    },
  };
}

const listening = server => new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server.address().port)));

async function freePort() {
  const server = createServer();
  const port = await listening(server);
  await new Promise(resolve => server.close(resolve));
  return port;
}
