// The page in headless Chromium, for scripts/bench: the time from navigation
// to the form ready for typing (the focus in Text1), against a static page of
// the same seventeen controls and the same font, the two loaded in turns; and
// one click of Command1 to the result shown in Label7. Prints "name value"
// lines: medians, in milliseconds (the click in microseconds), and the
// page's size in bytes.
//   node page_bench.mjs PAGE [RUNS]
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch } from '../scripts/chromium.mjs';

const [page, runs = 21] = process.argv.slice(2);
const median = values => values.sort((a, b) => a - b)[values.length >> 1];
const browser = await launch();
const context = await browser.newContext();
// When Text1 takes the focus, in milliseconds from the start of navigation.
await context.addInitScript(() => document.addEventListener('focusin', event => {
  if (event.target.id === 'Text1') window.ready ??= performance.now();
}, true));
const tab = await context.newPage();
const load = async url => {
  await tab.goto(url);
  await tab.waitForFunction(() => window.ready);
  return tab.evaluate(() => window.ready);
};

// The floor: the page as it stands once started, without its script and
// module, Text1 focused by the browser itself.
const ours = pathToFileURL(page).href;
await load(ours);
const still = await tab.evaluate(() => {
  for (const box of document.querySelectorAll('input')) box.setAttribute('value', box.value);
  document.getElementById('Text1').autofocus = true;
  const copy = document.documentElement.cloneNode(true);
  for (const script of copy.querySelectorAll('script')) script.remove();
  return `<!DOCTYPE html>\n${copy.outerHTML}`;
});
const floor = join(mkdtempSync(join(tmpdir(), 'page-bench-')), 'static.html');
writeFileSync(floor, still);

const times = { ours: [], floor: [] };
for (let i = 0; i < runs; i++) {
  times.ours.push(await load(ours));
  times.floor.push(await load(pathToFileURL(floor).href));
}

// Clicks run the handler, which sets the label's text; the label is emptied
// before each, so that every click changes it. Timed a hundred at a time, as
// the browser's clock is coarser than one click.
await load(ours);
const clicks = await tab.evaluate(() => {
  for (const [box, text] of [['Text6', '10000'], ['Text7', '5000']]) document.getElementById(box).value = text;
  const button = document.getElementById('Command1'), label = document.getElementById('Label7');
  const spent = [];
  for (let batch = 0; batch < 21; batch++) {
    const start = performance.now();
    for (let i = 0; i < 100; i++) {
      label.textContent = '';
      button.click();
    }
    spent.push((performance.now() - start) / 100);
  }
  if (label.textContent !== '584000') throw new Error(`Label7 shows "${label.textContent}"`);
  return spent;
});
await browser.close();

console.log(`PageReady ${median(times.ours).toFixed(1)}`);
console.log(`StaticPageReady ${median(times.floor).toFixed(1)}`);
console.log(`PageClick ${(median(clicks) * 1000).toFixed(1)}`);
console.log(`PageBytes ${readFileSync(page).length}`);
