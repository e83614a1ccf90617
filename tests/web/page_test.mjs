// The page's driver of the window scenarios (tests/ui/scenarios.h, as JSON
// from scenarios_json) in one browser engine, with real keys, mouse and touch
// (scripts/browsers.mjs); then what only the page has: the form at its twips
// and the one column at a phone's widths, upright and on its side, lines that
// show, and no request to anywhere. Each scenario starts on the page newly
// opened from file://.
//   node page_test.mjs ENGINE PAGE SCENARIOS_JSON
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch } from '../../scripts/browsers.mjs';

const [engine, pagePath, scenariosPath] = process.argv.slice(2);
const url = pathToFileURL(pagePath).href;
const browser = await launch(engine);
console.log(`${engine}: ${browser.version}`);
let failures = 0;
const fail = (where, what) => { failures++; console.log(`FAIL ${engine}, ${where}: ${what}`); };

// The page opened anew, ready for typing: the focus in Text1 (or in
// `first`, on another page).
async function open(options, page = url, first = 'Text1', engineBrowser = browser) {
  const tab = await engineBrowser.open(page, options);
  for (let tries = 0; await tab.evaluate(() => document.activeElement.id) !== first; tries++) {
    if (tries === 100) throw new Error(`${page} never had the focus in ${first}`);
    await new Promise(resolve => setTimeout(resolve, 50));
  }
  return tab;
}
// Closes the page, which must not have failed on the way.
async function close(tab, where) {
  const shown = await tab.evaluate(() => [...document.querySelectorAll('[role=alert]')]
    .filter(message => !message.hidden).map(message => message.textContent));
  for (const what of [...shown, ...tab.errors]) fail(where, what);
  await tab.close();
}

// Tab past the page's last control leaves the page, as on any page, for
// the browser's own controls, and comes back at the first; Shift+Tab the
// other way. Where the focus goes meanwhile is the engine's, which headless
// keeps no steady account of (WebKitGTK under WebDriver goes straight back
// to the first control; headless Firefox brings Shift+Tab back to the last
// control but one, or to none). So the page is compared with itself without
// its script, the same controls in a page that does nothing about keys,
// given the same keys first: the focus must go the same way on both.
const focused = tab => tab.evaluate(() => document.activeElement.matches('input, button') ? document.activeElement.id : '');
const order = tab => tab.evaluate(() => [...document.querySelectorAll('.client > input, .client > button')].map(c => c.id));
// Presses `key` from the last control (Tab) or the first (Shift+Tab) until
// the focus is on another control, at most four times: where it was after
// each press ('' on none).
async function goRound(tab, key) {
  const controls = await order(tab), went = [];
  const edge = key === 'Tab' ? controls.at(-1) : controls[0];
  do {
    await tab.press(key);
    went.push(await focused(tab));
  } while (['', edge].includes(went.at(-1)) && went.length < 4);
  return went;
}
const isEdge = async (tab, key) => {
  const [controls, at] = [await order(tab), await focused(tab)];
  return key === 'Tab' ? at === controls.at(-1) : key === 'Shift+Tab' && at === controls[0];
};
const folder = mkdtempSync(join(tmpdir(), 'page-test-'));
process.on('exit', () => rmSync(folder, { recursive: true, force: true }));
const plain = join(folder, 'plain.html');
writeFileSync(plain, readFileSync(pagePath, 'utf8').replace(/<script\b[^>]*>[\s\S]*?<\/script>/g, ''));
// How the focus goes round the plain page at each Tab past an end, when the
// focus keys of `steps` are played on it.
async function roundsOnPlain(steps) {
  if (!steps.some(([verb, , text]) => verb === 'Press' && text.endsWith('Tab'))) return [];
  const tab = await open({}, pathToFileURL(plain).href), rounds = [];
  for (const [verb, control, text] of steps) {
    if (verb === 'Focus') await tab.focus(`#${control}`);
    if (verb !== 'Press' || !text.endsWith('Tab')) continue;
    if (!(await isEdge(tab, text))) await tab.press(text);
    else rounds.push(await goRound(tab, text));
  }
  await tab.close();
  return rounds;
}

// Plays one step; what differed from the table, or nothing.
const keys = { Return: 'Enter', Space: 'Space', Tab: 'Tab', 'Shift+Tab': 'Shift+Tab' };
async function play(tab, warnings, rounds, [verb, control, text]) {
  const selector = control ? `#${control}` : '.client';
  const expect = got => got === text ? '' : `${control}: "${got}", not "${text}"`;
  // The warning is answered by its button's key, as a user would.
  const answerWarning = async () => {
    const shown = await tab.evaluate(() => {
      const dialog = document.getElementById('warning');
      return dialog.open && [dialog.querySelector('h2').textContent, dialog.querySelector('p').textContent,
        dialog.contains(document.activeElement) ? document.activeElement.textContent : '(no focus)'].join('|');
    });
    if (!shown) return '';
    warnings.push(shown);
    await tab.press('Enter');
    return '';
  };
  switch (verb) {
    case 'Type':
      await tab.click(selector);
      await tab.press('Control+A');
      await tab.press('Delete');
      await tab.type(text);
      return '';
    case 'Commit': case 'Paste': // as an input method commits, or a paste inserts
      await tab.focus(selector);
      await tab.insertText(text);
      return '';
    case 'Click': await tab.click('#Command1'); return answerWarning();
    case 'Focus': await tab.focus(selector); return '';
    case 'Press': {
      if (!(await isEdge(tab, text))) {
        await tab.press(keys[text]);
        return answerWarning();
      }
      const went = await goRound(tab, text), expected = rounds.shift();
      const spelled = ids => ids.map(id => id || '(none)').join(', ');
      if (went.join() !== expected.join())
        return `${text} round the page goes to ${spelled(went)}, round the page without its script to ${spelled(expected)}`;
      // Where the engine brings the focus back elsewhere, as it does on the
      // plain page, a browser's own controls would bring it to the other end.
      const controls = await order(tab);
      const end = text === 'Tab' ? controls[0] : controls.at(-1);
      if (went.at(-1) !== end) {
        console.log(`${engine}: ${text} round goes to ${spelled(went)}; the focus put on ${end}`);
        await tab.focus(`#${end}`);
      }
      return '';
    }
    case 'Shows': {
      const [shown, whole] = await tab.evaluate(selector => {
        const e = document.querySelector(selector);
        return e.localName === 'input' ? [e.value, e.scrollLeft === 0]
          : [e.textContent, e.scrollWidth <= e.clientWidth + 1
             && e.getBoundingClientRect().right <= document.querySelector('.client').getBoundingClientRect().right];
      }, selector);
      return whole ? expect(shown) : `${control} does not show its whole text`;
    }
    case 'Holds':
      return expect(String(await tab.evaluate(selector => new TextEncoder().encode(document.querySelector(selector).value).length, selector)));
    case 'Selects':
      await tab.doubleClick(selector);
      return expect(await tab.evaluate(() => getSelection().toString()));
    case 'HasFocus': return (await tab.evaluate(() => document.activeElement.id)) === control ? '' : `${control} has no focus`;
    case 'Warned': return expect(warnings.join('\n'));
    // The box's label, which is its name for a screen reader.
    case 'Named': return expect(await tab.evaluate(selector => [...document.querySelector(selector).labels]
      .map(label => label.textContent).join('|'), selector));
    case 'Face': return expect(await tab.evaluate(selector => {
      const e = document.querySelector(selector);
      const face = getComputedStyle(e).fontFamily.split(',')[0].replace(/"/g, '');
      return document.fonts.check(`12px "${face}"`, e.textContent) ? face : `${face} (not loaded)`;
    }, selector));
    case 'Placed': return expect(await tab.evaluate(selector => {
      const client = document.querySelector('.client').getBoundingClientRect();
      const r = document.querySelector(selector).getBoundingClientRect();
      return [r.left - client.left, r.top - client.top, r.width, r.height].map(Math.round).join(',');
    }, selector));
  }
  return `unknown step ${verb}`;
}

for (const { name, steps, limits } of JSON.parse(readFileSync(scenariosPath, 'utf8'))) {
  const limit = limits[engine];
  const played = limit ? limit.steps : steps;
  const rounds = await roundsOnPlain(played);
  const tab = await open(), warnings = [];
  for (const step of played) {
    const wrong = await play(tab, warnings, rounds, step);
    if (wrong) { fail(name, wrong); break; }
  }
  await close(tab, name);
  console.log(`played: ${name}${limit ? ` (${limit.why})` : ''}`);
}

// The page at widths from a small phone's to a desktop's. Below the form's
// width, one column: text of 16 pixels and more, targets of 44, the form
// nearly as wide as the screen, the controls in the order of the column and
// Tab going down it. At the form's width and wider, the form at its twips.
// Nowhere a sideways scroll, and everywhere lines that show.
const layout = tab => tab.evaluate(() => {
  const controls = [...document.querySelectorAll('.client > *')];
  const box = e => e.getBoundingClientRect();
  const client = box(document.querySelector('.client'));
  const text = [document.querySelector('h1'), ...controls].filter(e => e.textContent || e.value !== undefined);
  return {
    scrolls: document.documentElement.scrollWidth > innerWidth,
    formWidth: box(document.querySelector('.form')).width,
    smallestText: Math.min(...text.map(e => parseFloat(getComputedStyle(e).fontSize))),
    smallestTarget: Math.min(...controls.filter(e => e.matches('input, button')).flatMap(e => [box(e).width, box(e).height])),
    text1: [box(document.getElementById('Text1')).left - client.left, box(document.getElementById('Text1')).width],
    // Top to bottom by their middles, which a row shares; left to right in a row.
    downward: controls.map(e => [e.id, Math.round(box(e).top + box(e).height / 2), box(e).left])
      .sort((a, b) => a[1] - b[1] || a[2] - b[2]).map(([id]) => id),
  };
});
// Each line and each text against what it stands on: contrast of at least 3
// to 1 for a line, as WCAG asks of a control's edge, and 4.5 to 1 for text.
const lines = tab => tab.evaluate(() => {
  // rgb(r g b / a), or color(srgb r g b / a) with channels from 0 to 1.
  const rgb = colour => {
    const [r, g, b, a = 1] = colour.match(/[\d.]+/g).map(Number);
    const scale = colour.startsWith('color(') ? 255 : 1;
    return [r * scale, g * scale, b * scale, a];
  };
  const behind = e => {
    for (let at = e; at; at = at.parentElement) {
      const [r, g, b, a = 1] = rgb(getComputedStyle(at).backgroundColor);
      if (a > 0) return [r, g, b];
    }
    return [255, 255, 255];
  };
  const luminance = ([r, g, b]) => [r, g, b].map(c => c / 255)
    .map(c => c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4)
    .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
  const contrast = (a, b) => {
    const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
    return (hi + 0.05) / (lo + 0.05);
  };
  const edges = [[document.querySelector('.form'), 'borderTopColor'], [document.querySelector('h1'), 'borderBottomColor'],
                 ...[...document.querySelectorAll('.client > input')].map(box => [box, 'borderTopColor'])];
  const texts = [document.querySelector('h1'), ...document.querySelectorAll('.client > :not(input, button)')];
  return [...edges.map(([e, side]) => [e, contrast(rgb(getComputedStyle(e)[side]), behind(e.parentElement)), 3]),
          ...texts.map(e => [e, contrast(rgb(getComputedStyle(e).color), behind(e)), 4.5])]
    .filter(([, ratio, least]) => ratio < least).map(([e, ratio]) => `${e.id || e.localName} ${ratio.toFixed(2)}:1`);
});
const column = ['Label1', 'Text1', 'Label2', 'Text2', 'Label3', 'Text3', 'Label4', 'Text4', 'Label5', 'Text5',
                'Label8', 'Text6', 'Label9', 'Text7', 'Label6', 'Command1', 'Label7'];
async function tabOrder(tab) {
  const focused = () => tab.evaluate(() => document.activeElement.id);
  const order = [await focused()];
  for (let i = 0; i < 7; i++) {
    await tab.press('Tab');
    order.push(await focused());
  }
  return order.join(' ');
}
// 10000 and 5000 tapped in, 计算 tapped: the result.
async function byTaps(tab) {
  for (const [box, text] of [['Text6', '10000'], ['Text7', '5000']]) {
    await tab.tap(`#${box}`);
    await tab.type(text);
  }
  await tab.tap('#Command1');
  return tab.evaluate(() => document.getElementById('Label7').textContent);
}
for (const [width, height] of [[320, 568], [360, 640], [390, 844], [414, 896], [600, 800], [800, 600]]) {
  const where = `${width} × ${height}`;
  const narrow = width < 524;
  const tab = await open({ width, height, touch: narrow });
  const got = await layout(tab);
  if (got.scrolls) fail(where, 'the page scrolls sideways');
  if (narrow) {
    if (got.formWidth < 0.9 * width) fail(where, `the form is ${got.formWidth} pixels wide`);
    if (got.smallestText < 16) fail(where, `text of ${got.smallestText} pixels`);
    if (got.smallestTarget < 44) fail(where, `a target of ${got.smallestTarget} pixels`);
    if (got.downward.join(' ') !== column.join(' ')) fail(where, `the column goes ${got.downward.join(' ')}`);
    const order = await tabOrder(tab);
    if (order !== 'Text1 Text2 Text3 Text4 Text5 Text6 Text7 Command1') fail(where, `Tab goes ${order}`);
  } else if (got.text1.map(Math.round).join(',') !== '160,89') {
    fail(where, `Text1 is ${got.text1[1]} pixels wide at ${got.text1[0]} from the client's left, not 89 at 160`);
  }
  const faint = await lines(tab);
  if (faint.length) fail(where, `lines or text that hardly show: ${faint.join(', ')}`);
  if (width <= 360) {
    const shown = await byTaps(tab);
    if (shown !== '584000') fail(where, `Label7 shows "${shown}" after taps`);
  }
  await close(tab, where);
  console.log(`checked: ${where}`);
}

// A phone on its side; and the warning on the narrowest screen, which must
// fit it and go away with Enter, leaving the boxes as they were.
{
  const tab = await open({ width: 640, height: 360, touch: true });
  const got = await layout(tab);
  if (got.scrolls) fail('640 × 360', 'the page scrolls sideways');
  if (await tab.evaluate(() => matchMedia('(pointer: coarse)').matches) && (got.smallestText < 16 || got.smallestTarget < 44))
    fail('640 × 360', `a touch screen on its side has text of ${got.smallestText} pixels, targets of ${got.smallestTarget}`);
  const shown = await byTaps(tab);
  if (shown !== '584000') fail('640 × 360', `Label7 shows "${shown}" after taps`);
  await close(tab, '640 × 360');
}
for (const [width, height] of [[320, 568], [640, 360]]) {
  const where = `the warning at ${width} × ${height}`;
  const tab = await open({ width, height, touch: true });
  await tab.tap('#Text6');
  await tab.type('1e400');
  await tab.tap('#Command1');
  const fits = await tab.evaluate(() => {
    const dialog = document.getElementById('warning'), r = dialog.getBoundingClientRect();
    return dialog.open && r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
  });
  if (!fits) fail(where, 'it does not fit the screen');
  await tab.press('Enter');
  const after = await tab.evaluate(() => [document.getElementById('warning').open, document.getElementById('Text6').value]);
  if (after[0] || after[1] !== '1e400') fail(where, `after Enter: open ${after[0]}, Text6 "${after[1]}"`);
  await close(tab, where);
  console.log(`checked: ${where}`);
}

await browser.close();
const requests = [...browser.requests];

// The lines in the engine's other colour schemes: dark, and forced colours
// (a high-contrast mode), light and dark, where the engine has them.
const schemes = {
  chromium: [{ dark: true }, { forced: true }, { forced: true, dark: true }],
  firefox: [{ dark: true }, { forced: true }],
  webkit: [{ dark: true }],
}[engine];
for (const scheme of schemes) {
  const other = await launch(engine, scheme);
  for (const [width, height] of [[800, 600], [360, 640]]) {
    const where = `${Object.keys(scheme).join(' and ')} at ${width} × ${height}`;
    const tab = await open({ width, height }, url, 'Text1', other);
    const faint = await lines(tab);
    if (faint.length) fail(where, `lines or text that hardly show: ${faint.join(', ')}`);
    await close(tab, where);
    console.log(`checked: ${where}`);
  }
  await other.close();
  requests.push(...other.requests);
}

if (requests.length) fail('network', `the page asked for ${requests.join(', ')}`);
console.log(failures ? `${engine}: ${failures} failed` : `${engine}: every scenario and width passed; no request left the page`);
process.exit(failures ? 1 : 0);
