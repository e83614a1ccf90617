// The page in one browser engine, for scripts/bench: the time from
// navigation to the form ready for typing (the focus in Text1, where keys
// land), and to the first frame drawn after it, each against a static copy of
// the page, the same markup, style and font without its scripts, the two
// loaded in turns; and one click of Command1 to the result shown in Label7.
// Both pages are timed by the same few lines of script put before everything
// else in their head. Prints "name value" lines: medians, in milliseconds
// (the click in microseconds), and the page's size in bytes.
//   node page_bench.mjs ENGINE PAGE [RUNS]
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch } from '../scripts/browsers.mjs';

const [engine, page, runs = 21] = process.argv.slice(2);
const median = values => values.sort((a, b) => a - b)[values.length >> 1];
const html = readFileSync(page, 'utf8');
// When Text1 takes the focus, and when the frame after that has been drawn
// (a task queued from the frame's animation callbacks runs after its
// paint), in milliseconds from the start of navigation; before the page's
// policy, which would refuse it.
const timed = text => text.replace('<meta charset="utf-8">', `<meta charset="utf-8">\n<script>
document.addEventListener('focusin', event => {
  if (event.target.id !== 'Text1' || window.focused) return;
  window.focused = performance.now();
  requestAnimationFrame(() => setTimeout(() => { window.shown = performance.now(); }));
}, true);
</script>`);
const folder = mkdtempSync(join(tmpdir(), 'page-bench-'));
process.on('exit', () => rmSync(folder, { recursive: true, force: true }));
const pages = { ours: join(folder, 'page.html'), floor: join(folder, 'static.html') };
writeFileSync(pages.ours, timed(html));
writeFileSync(pages.floor, timed(html.replace(/<script\b[^>]*>[\s\S]*?<\/script>/g, '')));

const browser = await launch(engine);
const load = async path => {
  const tab = await browser.open(pathToFileURL(path).href, { refuse: false });
  let times;
  while (!(times = await tab.evaluate(() => window.shown && [window.focused, window.shown])))
    await new Promise(resolve => setTimeout(resolve, 10));
  return [tab, times];
};
const times = { ours: [[], []], floor: [[], []] };
for (let i = 0; i < runs; i++) {
  for (const kind of ['ours', 'floor']) {
    const [tab, [focused, shown]] = await load(pages[kind]);
    times[kind][0].push(focused);
    times[kind][1].push(shown);
    await tab.close();
  }
}

// Clicks run the handler, which sets the label's text; the label is emptied
// before each, so that every click changes it. Timed a thousand at a time,
// as the browsers' clocks are coarser than one click (WebKit's to the
// millisecond). The first clicks wait for the module to start.
const [tab] = await load(pages.ours);
while (!(await tab.evaluate(() => document.getElementById('Command1').click() || document.getElementById('Label7').textContent)))
  await new Promise(resolve => setTimeout(resolve, 10));
const clicks = await tab.evaluate(() => {
  for (const [box, text] of [['Text6', '10000'], ['Text7', '5000']]) document.getElementById(box).value = text;
  const button = document.getElementById('Command1'), label = document.getElementById('Label7');
  const spent = [];
  for (let batch = 0; batch < 21; batch++) {
    const start = performance.now();
    for (let i = 0; i < 1000; i++) {
      label.textContent = '';
      button.click();
    }
    spent.push((performance.now() - start) / 1000);
  }
  if (label.textContent !== '584000') throw new Error(`Label7 shows "${label.textContent}"`);
  return spent;
});
await tab.close();
await browser.close();

console.log(`Browser ${browser.version}`);
console.log(`PageReady ${median(times.ours[0]).toFixed(1)}`);
console.log(`StaticPageReady ${median(times.floor[0]).toFixed(1)}`);
console.log(`PageShown ${median(times.ours[1]).toFixed(1)}`);
console.log(`StaticPageShown ${median(times.floor[1]).toFixed(1)}`);
console.log(`PageClick ${(median(clicks) * 1000).toFixed(1)}`);
console.log(`PageBytes ${readFileSync(page).length}`);
