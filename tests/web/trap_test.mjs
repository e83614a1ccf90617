// A trap in the module, for real: Chromium launched with a cap on the
// memory of a WebAssembly module (V8's --wasm-max-mem-pages, here 2 MiB), and
// a box holding more text than that. The module computes under the cap; the
// click that hands it the big text fails to grow its memory, and the module
// traps. The page must say so, keep what the boxes hold and the last result,
// and take no more clicks.
//   node trap_test.mjs PAGE
import { pathToFileURL } from 'node:url';
import { launch } from '../../scripts/browsers.mjs';

const url = pathToFileURL(process.argv[2]).href;
const browser = await launch('chromium', { args: ['--js-flags=--wasm-max-mem-pages=32'] });
const tab = await browser.open(url);
const failures = [];
const state = () => tab.evaluate(() => ({
  message: document.getElementById('stopped').hidden ? '' : document.getElementById('stopped').textContent,
  result: document.getElementById('Label7').textContent,
  takesClicks: !document.getElementById('Command1').disabled,
  boxes: [...document.querySelectorAll('.client > input')].map(box => `${box.value.length}${box.readOnly ? ' read-only' : ''}`),
}));

await tab.click('#Text6');
await tab.type('1');
await tab.click('#Command1');
const before = await state();
if (before.result !== '54.75' || before.message) failures.push(`under the cap the page shows "${before.result}", "${before.message}"`);

await tab.focus('#Text7');
await tab.insertText(' '.repeat(3 << 20));
await tab.click('#Command1');
const after = await state();
if (!after.message) failures.push('no failure message after the trap');
if (after.result !== '54.75') failures.push(`Label7 shows "${after.result}", not the last result`);
if (after.takesClicks) failures.push('the button still takes clicks');
if (after.boxes.join() !== '3 read-only,3 read-only,3 read-only,4 read-only,3 read-only,1 read-only,3145728 read-only')
  failures.push(`the boxes hold ${after.boxes.join(', ')}`);

// One more click, on the button that no longer takes it: nothing changes.
await tab.click('#Command1');
const again = await state();
if (JSON.stringify(again) !== JSON.stringify(after)) failures.push('a click after the trap changed the page');
failures.push(...tab.errors);
await tab.close();
await browser.close();

for (const failure of failures) console.log(`FAIL: ${failure}`);
console.log(failures.length ? `${failures.length} failed` : `the trap stopped the page: "${after.message}"`);
process.exit(failures.length ? 1 : 0);
