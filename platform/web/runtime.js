// The page's side of the runtime (runtime.cpp beside this file). It starts
// the program's WebAssembly module, inlined in the page, makes the form of
// the browser's own controls from what the module hands it, and gives the
// module the texts of the boxes, the captions and the warning it asks for.
// Texts cross as UTF-8 in the module's memory: where they start, how many
// bytes. User text only ever enters the page as text, never as markup.
'use strict';
{
    const TextBox = 0, Button = 2; // platform::ControlKind; the rest are labels
    const form = document.querySelector('.form');
    const client = form.querySelector('.client');
    const warning = document.getElementById('warning');
    const decoder = new TextDecoder();
    const encoder = new TextEncoder();
    let exports;

    const textAt = (start, size) => decoder.decode(new Uint8Array(exports.memory.buffer, start, size));
    const elementNamed = (start, size) => document.getElementById(textAt(start, size));

    const page = {
        form(caption, captionSize, width, height) {
            form.querySelector('h1').textContent = textAt(caption, captionSize);
            form.style.setProperty('--client-width', width);
            form.style.setProperty('--client-height', height);
        },
        // A control at its place in twips; its element has the control's
        // name as its id. A caption that names a box is its <label>; a
        // selectable label is an <output>, which takes no focus.
        control(name, nameSize, kind, left, top, width, height, caption, captionSize,
                names, namesSize, clickable, selectable) {
            const index = client.childElementCount;
            let element;
            if (kind === TextBox) {
                element = document.createElement('input');
                element.type = 'text';
                element.inputMode = 'decimal';
                element.autocomplete = 'off';
                element.spellcheck = false;
                element.value = textAt(caption, captionSize);
            } else {
                if (kind === Button) {
                    element = document.createElement('button');
                    element.type = 'button';
                    if (clickable)
                        element.addEventListener('click', () => exports.click(index));
                } else if (selectable) {
                    element = document.createElement('output');
                } else if (namesSize) {
                    element = document.createElement('label');
                    element.htmlFor = textAt(names, namesSize);
                } else {
                    element = document.createElement('div');
                }
                element.textContent = textAt(caption, captionSize);
            }
            element.id = textAt(name, nameSize);
            for (const [side, twips] of Object.entries({ left, top, width, height }))
                element.style.setProperty(`--${side}`, twips);
            client.append(element);
        },
        show() {
            form.hidden = false;
            form.querySelector('input, button').focus();
        },
        // The box's text, written into room that the module makes for it.
        text(box, boxSize) {
            const bytes = encoder.encode(elementNamed(box, boxSize).value);
            const start = exports.receive(bytes.length); // may grow the memory
            new Uint8Array(exports.memory.buffer, start, bytes.length).set(bytes);
        },
        setCaption(label, labelSize, caption, captionSize) {
            elementNamed(label, labelSize).textContent = textAt(caption, captionSize);
        },
        // A modal box over the page; Enter or Escape closes it, and the focus
        // goes back where it was.
        warn(title, titleSize, message, messageSize, button, buttonSize) {
            document.getElementById('warning-title').textContent = textAt(title, titleSize);
            document.getElementById('warning-text').textContent = textAt(message, messageSize);
            warning.querySelector('button').textContent = textAt(button, buttonSize);
            const focus = document.activeElement;
            warning.addEventListener('close', () => focus.focus(), { once: true });
            warning.showModal();
        },
    };

    // Tab and Shift+Tab go round the form's controls, as in a window.
    client.addEventListener('keydown', event => {
        if (event.key !== 'Tab')
            return;
        const controls = client.querySelectorAll('input, button');
        const first = controls[0], last = controls[controls.length - 1];
        if (document.activeElement === (event.shiftKey ? first : last)) {
            event.preventDefault();
            (event.shiftKey ? last : first).focus();
        }
    });
    warning.querySelector('button').addEventListener('click', () => warning.close());
    // A plain loop: several times faster here than Uint8Array.from with a
    // function for each byte, which took most of the start-up.
    const binary = atob(document.getElementById('module').textContent);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; i++)
        bytes[i] = binary.charCodeAt(i);
    WebAssembly.instantiate(bytes, { page }).then(({ instance }) => {
        exports = instance.exports;
        exports.start();
    }).catch(error => {
        document.getElementById('failed').hidden = false;
        console.error(error);
    });
}
