// The page's driver of the window scenarios (tests/ui/scenarios.h, as JSON
// from scenarios_json), in headless Chromium with real key, mouse and touch
// events; then what only the page has: a phone's width, and no request to
// anywhere. Each scenario starts on the page newly opened from file://.
//   node page_test.mjs PAGE SCENARIOS_JSON
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { launch } from '../../scripts/chromium.mjs';

const [pagePath, scenariosPath] = process.argv.slice(2);
const url = pathToFileURL(pagePath).href;
const browser = await launch();
let failures = 0;
const fail = (where, what) => { failures++; console.log(`FAIL ${where}: ${what}`); };

// Any request but for the page itself is refused, and counted.
const requests = [];
async function open(options = {}) {
  const context = await browser.newContext({ viewport: { width: 800, height: 600 }, ...options });
  await context.route('**/*', route => {
    if (route.request().url() === url) return route.continue();
    requests.push(route.request().url());
    return route.abort();
  });
  const page = await context.newPage();
  page.on('pageerror', error => fail(url, error.message));
  await page.goto(url);
  await page.locator('#Text1:focus').waitFor();
  return page;
}

// Plays one step; what differed from the table, or nothing.
const keys = { Return: 'Enter', Space: ' ', Tab: 'Tab', 'Shift+Tab': 'Shift+Tab' };
async function play(page, warnings, [verb, control, text]) {
  const element = page.locator(control ? `#${control}` : '.client');
  const expect = got => got === text ? '' : `${control}: "${got}", not "${text}"`;
  // The warning is answered by its button's key, as a user would.
  const answerWarning = async () => {
    const dialog = page.getByRole('alertdialog');
    if (!(await dialog.isVisible())) return;
    warnings.push(await dialog.evaluate(d => [d.querySelector('h2').textContent, d.querySelector('p').textContent,
      document.activeElement.closest('dialog') === d ? document.activeElement.textContent : '(no focus)'].join('|')));
    await page.keyboard.press('Enter');
  };
  switch (verb) {
    case 'Type':
      await element.click();
      await page.keyboard.press('Control+A');
      await page.keyboard.press('Delete');
      return page.keyboard.type(text).then(() => '');
    case 'Commit': case 'Paste': // as an input method commits, or a paste inserts
      await element.focus();
      return page.keyboard.insertText(text).then(() => '');
    case 'Click': await page.click('#Command1'); return answerWarning().then(() => '');
    case 'Focus': return element.focus().then(() => '');
    case 'Press': await page.keyboard.press(keys[text]); return answerWarning().then(() => '');
    case 'Shows': {
      const [shown, whole] = await element.evaluate(e => e.localName === 'input' ? [e.value, e.scrollLeft === 0]
        : [e.textContent, e.scrollWidth <= e.clientWidth + 1
                          && e.getBoundingClientRect().right <= document.querySelector('.client').getBoundingClientRect().right]);
      return whole ? expect(shown) : `${control} does not show its whole text`;
    }
    case 'Selects':
      await element.dblclick();
      return expect(await page.evaluate(() => getSelection().toString()));
    case 'HasFocus': return (await page.evaluate(() => document.activeElement.id)) === control ? '' : `${control} has no focus`;
    case 'Warned': return expect(warnings.join('\n'));
    case 'Named': return expect(await page.getByLabel(text, { exact: true }).getAttribute('id') === control ? text : '(another)');
    case 'Face': return expect(await element.evaluate(e => {
      const face = getComputedStyle(e).fontFamily.split(',')[0].replace(/"/g, '');
      return document.fonts.check(`12px "${face}"`, e.textContent) ? face : `${face} (not loaded)`;
    }));
    case 'Placed': return expect(await element.evaluate(e => {
      const client = document.querySelector('.client').getBoundingClientRect(), r = e.getBoundingClientRect();
      return [r.left - client.left, r.top - client.top, r.width, r.height].map(Math.round).join(',');
    }));
  }
  return `unknown step ${verb}`;
}

for (const { name, steps } of JSON.parse(readFileSync(scenariosPath, 'utf8'))) {
  const page = await open(), warnings = [];
  for (const step of steps) {
    const wrong = await play(page, warnings, step);
    if (wrong) { fail(name, wrong); break; }
  }
  await page.context().close();
  console.log(`played: ${name}`);
}

// A phone 360 pixels wide: the form scales to the width, with no sideways
// scrolling, and works by touch.
const phone = await open({ viewport: { width: 360, height: 640 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 });
if (!(await phone.evaluate(() => document.documentElement.scrollWidth <= innerWidth
                                 && document.querySelector('.form').getBoundingClientRect().right <= innerWidth)))
  fail('phone', 'the form does not fit 360 pixels');
for (const [box, text] of [['Text6', '10000'], ['Text7', '5000']]) {
  await phone.locator(`#${box}`).tap();
  await phone.keyboard.type(text);
}
await phone.locator('#Command1').tap();
const shown = await phone.locator('#Label7').textContent();
if (shown !== '584000') fail('phone', `Label7 shows "${shown}" after taps`);

await browser.close();
if (requests.length) fail('network', `the page asked for ${requests.join(', ')}`);
console.log(failures ? `${failures} failed` : 'every scenario, and the phone, passed; no request left the page');
process.exit(failures ? 1 : 0);
