// The page's driver of the window scenarios (tests/ui/scenarios.h, as JSON
// from scenarios_json) in one browser engine, with real keys, mouse and touch
// (scripts/browsers.mjs); then what only the page has, at widths from a small
// phone's to a desktop's and in each of the engine's colour schemes: the form
// at its twips, one column for a thumb, upright and on its side, the warning
// on a phone, lines that show, and no request to anywhere. Each scenario and
// each width starts on the page newly opened from file://.
//   node page_test.mjs ENGINE PAGE SCENARIOS_JSON
import { readFileSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch, until } from '../../scripts/browsers.mjs';

const [engine, pagePath, scenariosPath] = process.argv.slice(2);
const url = pathToFileURL(pagePath).href;
let failures = 0;
const fail = (where, what) => { failures++; console.log(`FAIL ${engine}, ${where}: ${what}`); };
const old = /^chromium\d/.test(engine); // Chromium 80 or 92: a small phone, a phone and the desktop

// The steps that act, as a user would: the calls on the page that each
// makes. A Tab past the page's last control leaves the page for the
// browser's own controls (headless: for none), which give the focus back to
// the page's first; Shift+Tab the other way. Where the focus goes outside
// the page is the engine's own. (No Array's at(): Chromium 80 has none.)
const backToPage = key => key.endsWith('Tab') && [null, document.body].includes(document.activeElement)
  && [...document.querySelectorAll('.client > input, .client > button')].slice(key === 'Tab' ? 0 : -1)[0].focus();
const act = {
  Type: (selector, text) => [['click', selector], ['press', 'Control+A'], ['press', 'Delete'], ['type', text]],
  Commit: (selector, text) => [['focus', selector], ['insertText', text]], // as an input method commits
  Paste: (selector, text) => [['focus', selector], ['insertText', text]], // as a paste inserts
  Click: () => [['click', '#Command1']],
  Focus: selector => [['focus', selector]],
  Press: (selector, key) => [['press', key === 'Return' ? 'Enter' : key], ['evaluate', backToPage, key]],
  Tap: (selector, text) => [['tap', selector], ...text ? [['type', text]] : []],
  Selects: selector => [['doubleClick', selector]],
};

// What the page shows for a step that checks; `id` '' is the form's client
// area. The warning, when it is open: its title, text and focused button.
const look = (verb, id) => {
  const client = document.querySelector('.client'), e = id ? document.getElementById(id) : client;
  const [r, c] = [e, client].map(e => e.getBoundingClientRect()), focus = document.activeElement;
  const face = getComputedStyle(e).fontFamily.split(',')[0].replace(/"/g, '');
  const loaded = [...document.fonts].filter(font => font.status === 'loaded').map(font => font.family.replace(/"/g, ''));
  switch (verb) {
    case 'Shows': return e.localName === 'input' ? (e.scrollLeft ? `scrolled: ${e.value}` : e.value)
      : e.scrollWidth > e.clientWidth + 1 || r.right > c.right ? `cut: ${e.textContent}` : e.textContent;
    case 'Holds': return String(new TextEncoder().encode(e.value).length);
    case 'Selects': return getSelection().toString();
    case 'HasFocus': return focus === e ? '' : `the focus in ${focus?.id || focus?.localName}`;
    case 'Named': return [...e.labels].map(label => label.textContent).join('|'); // for a screen reader
    case 'Face': return loaded.includes(face) ? face : `${face} (not loaded)`; // one of the page's own
    case 'Placed': return [r.left - c.left, r.top - c.top, r.width, r.height].map(Math.round).join();
    case 'Warning': return !e.open ? '' : [e.querySelector('h2').textContent, e.querySelector('p').textContent,
      e.contains(focus) ? focus.textContent : '(no focus)'].join('|')
      + (r.left < 0 || r.top < 0 || r.right > innerWidth || r.bottom > innerHeight ? ' (off the screen)' : '');
  }
  return `unknown step ${verb}`;
};

// Plays `steps` on the page up to the first that differs. A warning is
// answered with Enter, which must close it.
async function play(tab, where, steps) {
  const warnings = [];
  for (const [verb, control, text] of steps) {
    const selector = control ? `#${control}` : '.client';
    if (act[verb]) {
      for (const [call, ...args] of act[verb](selector, text)) await tab[call](...args);
      const warning = await tab.evaluate(look, 'Warning', 'warning');
      if (warning) { warnings.push(warning); await tab.press('Enter'); }
      // Chromium 80 and 92 give the focus back as the warning's close event
      // runs, at the next frame; later engines at once, as it closes.
      if (warning && old) await tab.evaluate(() => new Promise(resolve => requestAnimationFrame(() => setTimeout(resolve))));
      if (verb !== 'Selects') continue;
    }
    // Warned: what was warned of, and none open now.
    const got = verb !== 'Warned' ? await tab.evaluate(look, verb, control)
      : [...warnings, await tab.evaluate(look, 'Warning', 'warning')].filter(Boolean).join('\n');
    if (got !== text) return fail(where, `${verb} ${control}: "${got}", not "${text}"`);
  }
}

// What a width must show, all of it measured at once. Everywhere no sideways
// scroll, and each line and text against what it stands on of a contrast of
// at least 3 to 1 for a line, as WCAG asks of a control's edge, and 4.5 to 1
// for text. Each box and 计算 shows its focus: between `shots` of it focused
// and not, the pixels that change by 3 to 1 or more make at least a ring 2
// pixels thick about it (WCAG's focus appearance). axe-core finds nothing
// against WCAG 2.2's A and AA rules. In one column (below the form's width,
// and on a touch screen lower than the form): text of 16 pixels and more,
// targets of 44, the form nearly as wide as the screen, the controls in the
// column's order. Else the form at its twips.
const measure = async (order, shots) => {
  const $ = selector => document.querySelector(selector), box = e => e.getBoundingClientRect();
  const style = e => getComputedStyle(e), controls = [...document.querySelectorAll('.client > *')];
  // rgb(r g b / a), or color(srgb r g b / a) with channels from 0 to 1.
  const rgb = colour => colour.match(/[\d.]+/g).map((c, i) => colour.startsWith('color(') && i < 3 ? c * 255 : +c);
  const behind = e => !e ? [255, 255, 255]
    : [rgb(style(e).backgroundColor)].find(([, , , a = 1]) => a > 0) ?? behind(e.parentElement);
  const luminance = colour => [...colour].slice(0, 3).map(c => c / 255)
    .map(c => c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4)
    .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
  const contrast = (...pair) => pair.map(luminance).sort((x, y) => y - x).reduce((hi, lo) => (hi + 0.05) / (lo + 0.05));
  const lines = [[$('.form'), 'borderTopColor'], [$('h1'), 'borderBottomColor'], [$('h1'), 'color'],
    ...controls.filter(e => !e.matches('button')).map(e => [e, e.matches('input') ? 'borderTopColor' : 'color'])]
    .map(([e, line]) => line === 'color' ? [e, 4.5, contrast(rgb(style(e).color), behind(e))]
      : [e, 3, contrast(rgb(style(e)[line]), behind(e.parentElement))]);
  const text = Math.min(...[$('h1'), ...controls].map(e => parseFloat(style(e).fontSize)));
  const targets = controls.filter(e => e.matches('input, button')).map(box);
  const target = Math.min(...targets.flatMap(r => [r.width, r.height]));
  // Top to bottom by their middles, which a row shares; left to right in a row.
  const downward = controls.map(e => [e.id, Math.round(box(e).top + box(e).height / 2), box(e).left])
    .sort((a, b) => a[1] - b[1] || a[2] - b[2]).map(([id]) => id).join(' ');
  const width = document.documentElement.clientWidth; // without a scroll bar, nor what is out of sight on a phone
  const column = width < 524 || matchMedia('(pointer: coarse)').matches && innerHeight < 480;
  const text1 = [box($('#Text1')).left - box($('.client')).left, box($('#Text1')).width].map(Math.round).join();
  const rings = await Promise.all(Object.entries(shots).map(async ([id, [r, ...pngs]]) => {
    const scale = devicePixelRatio, [x, y, w, h] = [r.left - 6, r.top - 6, r.width + 12, r.height + 12]
      .map(v => Math.round(v * scale));
    const [focused, blurred] = await Promise.all(pngs.map(async png => {
      const image = Object.assign(new Image(), { src: `data:image/png;base64,${png}` });
      await image.decode();
      const canvas = Object.assign(document.createElement('canvas'), { width: image.width, height: image.height });
      canvas.getContext('2d').drawImage(image, 0, 0);
      return canvas.getContext('2d').getImageData(x, y, w, h).data;
    }));
    let changed = 0;
    for (let i = 0; i < focused.length; i += 4)
      changed += contrast(focused.subarray(i, i + 3), blurred.subarray(i, i + 3)) >= 3;
    return [id, changed, Math.round(4 * (r.width + r.height) * scale * scale)];
  }));
  const { violations } = await axe.run(document, { runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] });
  return [[document.documentElement.scrollWidth > width, 'the page scrolls sideways'],
    ...lines.map(([e, least, ratio]) => [ratio < least, `${e.id || e.localName} shows at ${ratio.toFixed(2)}:1`]),
    [column && box($('.form')).width < 0.9 * width, `the form is ${box($('.form')).width} pixels wide`],
    [column && text < 16, `text of ${text} pixels`],
    [column && target < 44, `a target of ${target} pixels`],
    [column && downward !== order, `the column goes ${downward}`],
    [!column && text1 !== '160,89', `Text1 at ${text1} (left, width) in the client, not 160,89`],
    ...rings.map(([id, changed, ring]) => [changed < ring, `${id}'s focus changes ${changed} pixels, not ${ring}`]),
    ...violations.map(({ id, nodes }) => [true, `axe: ${id} (${nodes.map(node => node.target).join(', ')})`]),
  ].filter(([wrong]) => wrong).map(([, what]) => what);
};
const column = ['Label1', 'Text1', 'Label2', 'Text2', 'Label3', 'Text3', 'Label4', 'Text4', 'Label5', 'Text5',
                'Label8', 'Text6', 'Label9', 'Text7', 'Label6', 'Command1', 'Label7'];
const focusable = column.filter(id => !id.startsWith('Label'));
// Tab going down the column; 10000 and 5000 tapped in, 计算 tapped, then a
// number too big for it: the warning fits the screen and loses nothing.
const down = focusable.slice(1).flatMap(id => [['Press', '', 'Tab'], ['HasFocus', id, '']]);
const taps = [['Tap', 'Text6', '10000'], ['Tap', 'Text7', '5000'], ['Tap', 'Command1', ''],
  ['Shows', 'Label7', '584000'], ['Tap', 'Text7', 'e400'], ['Tap', 'Command1', ''],
  ['Warned', '', 'Form1|溢出：计算结果超出数值范围。|确定'], ['Shows', 'Text7', '5000e400'], ['Shows', 'Label7', '584000']];

// Phones upright and on their side, a narrow window, a tablet, a desktop;
// in the engine's other colour schemes (dark, and forced colours, a
// high-contrast mode, where the engine has them) a phone, the narrow window
// and the desktop, measured only (on a newly installed machine, WebKitGTK in
// its dark scheme lost the first Tab).
const sizes = [[320, 568, true], [360, 640, true], [390, 844, true], [414, 896, true], [640, 360, true],
               [360, 640, false], [600, 800, false], [800, 600, false]];
const schemes = { chromium: [{}, { dark: true }, { forced: true }, { forced: true, dark: true }],
                  firefox: [{}, { dark: true }, { forced: true }], webkit: [{}, { dark: true }],
                  chromium92: [{}, { dark: true }, { forced: true }, { forced: true, dark: true }],
                  chromium80: [{}, { dark: true }] }[engine];
// The control `id` focused in the middle of the screen, then nothing
// focused: where it is, and each time the page as a PNG in base64.
const shotPath = join(tmpdir(), `page-test-${process.pid}.png`);
process.on('exit', () => rmSync(shotPath, { force: true }));
const shoot = async tab => (await tab.screenshot(shotPath), readFileSync(shotPath, 'base64'));
const shots = async (tab, id) => {
  await tab.focus(`#${id}`);
  const place = await tab.evaluate(id => (document.getElementById(id).scrollIntoView({ block: 'center' }),
    document.getElementById(id).getBoundingClientRect().toJSON()), id);
  const focused = await shoot(tab);
  await tab.evaluate(() => document.activeElement.blur());
  return [place, focused, await shoot(tab)];
};
const axe = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

for (const scheme of schemes) {
  const browser = await launch(engine, scheme), named = Object.keys(scheme).join(' and ');
  if (!named) console.log(`${engine}: ${browser.version}`);
  const scenarios = named ? [] : JSON.parse(readFileSync(scenariosPath, 'utf8'));
  const widths = sizes.map(([width, height, touch]) => ({
    name: `${named || 'light'} at ${width} × ${height}${touch ? ' by touch' : ''}`,
    options: { width, height, touch }, steps: named ? [] : [...width < 524 ? down : [], ...touch ? taps : []] }))
    .filter(({ options }) => (!named || [360, 800].includes(options.width))
      && (!old || [320, 360, 800].includes(options.width)));
  for (const { name, steps, limits, options } of [...scenarios, ...widths]) {
    const tab = await browser.open(url, options), limit = limits?.[engine];
    // Ready: the focus in Text1, where the page puts it once parsed (WebKitGTK's
    // driver may return before that, and a Tab would go to Text1), and the
    // module started, or its failure shown: a click before it runs once it
    // has, too late for the check after it (so, under load, in Chromium 80).
    const ready = () => document.activeElement.id === 'Text1'
      && (document.body.hasAttribute('data-started') || !!document.querySelector('[role=alert]:not([hidden])'));
    await until(tab, ready, `${name}: the focus never went to Text1, or the module never started`);
    if (options) {
      const focus = {};
      for (const id of focusable) focus[id] = await shots(tab, id);
      await tab.focus('#Text1');
      await tab.evaluate(source => (0, eval)(source), axe);
      for (const what of await tab.evaluate(measure, column.join(' '), focus)) fail(name, what);
    }
    await play(tab, name, limit ? limit.steps : steps);
    const alerts = await tab.evaluate(() => [...document.querySelectorAll('[role=alert]:not([hidden])')]
      .map(alert => alert.textContent));
    for (const what of [...alerts, ...tab.errors]) fail(name, what);
    await tab.close();
    console.log(`${options ? 'checked' : 'played'}: ${name}${limit ? ` (${limit.why})` : ''}`);
  }
  await browser.close();
  if (browser.requests.length) fail(named || 'light', `the page asked for ${browser.requests.join(', ')}`);
}
console.log(failures ? `${engine}: ${failures} failed` : `${engine}: every scenario and width passed; no request`);
process.exit(failures ? 1 : 0);
