// The page's side of the runtime (module.cpp beside this file). The page
// already shows the form, written into it by the build; this script starts
// the program's WebAssembly module, inlined in the page, tells it which
// control was activated, and gives it the texts of the boxes, the captions,
// their widths and the warning it asks for. A control is its index in tab
// order, which is the order of the form's elements, as the build wrote them
// from the same description. Texts cross as UTF-8 in the module's memory:
// where they start, how many bytes. User text only ever enters the page as
// text, never as markup.
'use strict';
{
    const client = document.querySelector('.client');
    const controls = [...client.children];
    const warning = document.getElementById('warning');
    const decoder = new TextDecoder();
    const encoder = new TextEncoder();
    let measurer; // a canvas's, made at the first measure: before, it would hold up the first frame
    let exports, running = false;

    const textAt = (start, size) => decoder.decode(new Uint8Array(exports.memory.buffer, start, size));

    const page = {
        // The box's text, written into room that the module makes for it.
        text(box) {
            const bytes = encoder.encode(controls[box].value);
            const start = exports.receive(bytes.length); // may grow the memory
            new Uint8Array(exports.memory.buffer, start, bytes.length).set(bytes);
        },
        measure(label, text, size) {
            const style = getComputedStyle(controls[label]);
            measurer = measurer || document.createElement('canvas').getContext('2d');
            measurer.font = `${style.fontSize} ${style.fontFamily}`;
            return Math.ceil(measurer.measureText(textAt(text, size)).width);
        },
        setCaption(label, text, size, width) {
            controls[label].textContent = textAt(text, size);
            controls[label].style.setProperty('--width', width);
        },
        // A modal box over the page; Enter or Escape closes it, and the focus
        // goes back where it was.
        warn(title, titleSize, message, messageSize) {
            document.getElementById('warning-title').textContent = textAt(title, titleSize);
            document.getElementById('warning-text').textContent = textAt(message, messageSize);
            const focus = document.activeElement;
            warning.addEventListener('close', () => focus.focus(), { once: true });
            warning.showModal();
        },
    };

    // The program cannot go on: the page says so (`message`, one of its
    // paragraphs) and takes no more input. A module that trapped is in no
    // known state, so it is never called again. The boxes keep their text,
    // to be copied.
    const stop = (message, error) => {
        running = false;
        document.getElementById(message).hidden = false;
        for (const control of controls)
            control.localName === 'button' ? (control.disabled = true) : (control.readOnly = true);
        console.error(error);
    };
    const click = button => {
        if (!running)
            return;
        try {
            exports.click(controls.indexOf(button));
        } catch (error) {
            stop('stopped', error);
        }
    };

    // In one column, on a narrow screen, Tab goes down the column: each
    // control takes its place there (the order the style gives it) as its tab
    // index. At the form's width the described tab order holds, which is the
    // order of the page.
    const followColumn = () => {
        for (const control of client.querySelectorAll('input, button')) {
            const order = Number(getComputedStyle(control).order);
            if (order)
                control.tabIndex = order;
            else
                control.removeAttribute('tabindex');
        }
    };

    // Once the form is drawn, and drawn again with the focus in Text1 (which
    // autofocus puts there at the first frame), the tab order follows the
    // layout, and the module starts: reading the style before would hold up
    // the first frame (by a quarter in WebKit), and decoding and compiling
    // the module, the second.
    const shown = new Promise(resolve => requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(resolve))));
    shown.then(() => {
        followColumn();
        addEventListener('resize', followColumn);
    });
    const started = shown.then(() => {
        // A plain loop: several times faster here than Uint8Array.from with
        // a function for each byte.
        const binary = atob(document.getElementById('module').textContent);
        const bytes = new Uint8Array(binary.length);
        for (let i = 0; i < binary.length; i++)
            bytes[i] = binary.charCodeAt(i);
        return WebAssembly.instantiate(bytes, { page });
    }).then(({ instance }) => {
        exports = instance.exports;
        exports.start();
        running = true;
        document.body.dataset.started = ''; // a mark for scripts that wait for the program, as its tests do
    });
    started.catch(error => stop('failed', error));

    // A button activated before the module has started runs once it has.
    client.addEventListener('click', event => {
        const button = event.target.closest('button');
        if (button)
            running ? click(button) : started.then(() => click(button), () => {});
    });
    warning.querySelector('button').addEventListener('click', () => warning.close());
}
