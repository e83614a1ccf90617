// A trap in the module, for real: Chromium launched with a cap on the
// memory of a WebAssembly module (V8's --wasm-max-mem-pages, here 2 MiB), and
// a box holding more text than that. The module computes under the cap; the
// click that hands it the big text fails to grow its memory, and the module
// traps. The page must say so, keep what the boxes hold and the last result,
// and take no more clicks.
//   node trap_test.mjs PAGE
import { pathToFileURL } from 'node:url';
import { launch, until } from '../../scripts/browsers.mjs';

const browser = await launch('chromium', { args: ['--js-flags=--wasm-max-mem-pages=32'] });
const tab = await browser.open(pathToFileURL(process.argv[2]).href);
await until(tab, () => document.body.hasAttribute('data-started'), 'the module never started');
const stopped = 'stopped; Label7 54.75; no clicks; boxes of 3, 3, 3, 4, 3, 1, 3145728 characters, read-only';
// Each step, and what the page shows after it.
const steps = [
  [[['click', '#Text6'], ['type', '1'], ['click', '#Command1']],
   'running; Label7 54.75; takes clicks; boxes of 3, 3, 3, 4, 3, 1, 0 characters'],
  [[['focus', '#Text7'], ['insertText', ' '.repeat(3 << 20)], ['click', '#Command1']], stopped],
  [[['click', '#Command1']], stopped], // the button no longer takes the click: nothing changes
];
const failures = [];
for (const [calls, expected] of steps) {
  for (const [call, ...args] of calls) await tab[call](...args);
  const shown = await tab.evaluate(() => {
    const boxes = [...document.querySelectorAll('.client > input')];
    return [document.getElementById('stopped').hidden ? 'running' : 'stopped',
      `Label7 ${document.getElementById('Label7').textContent}`,
      document.getElementById('Command1').disabled ? 'no clicks' : 'takes clicks',
      `boxes of ${boxes.map(box => box.value.length).join(', ')} characters`
      + (boxes.every(box => box.readOnly) ? ', read-only' : ''),
    ].join('; ');
  });
  if (shown !== expected)
    failures.push(`after ${calls.map(([call]) => call).join(', ')}: "${shown}", not "${expected}"`);
}
failures.push(...tab.errors);
await browser.close();

for (const failure of failures) console.log(`FAIL: ${failure}`);
console.log(failures.length ? `${failures.length} failed` : `the trap stopped the page: ${stopped}`);
process.exit(failures.length ? 1 : 0);
