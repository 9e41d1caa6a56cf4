// The page of the game. The game itself (rules, flow and the page's view) is C++ compiled to
// WebAssembly, in pentora-game.mjs; it runs from its own loop and takes its events from the
// queue below. Three parts here, each handed to the game or to the next:
//   EventQueue    what the page has for the game: every event, and the step timer's ticks;
//   Actuator      the only code that changes the document, told by the game what to show;
//   InputManager  turns clicks, taps, mouse moves and keys into events on the queue.
// None of them calls into the game: when the game waits, it sleeps until the queue has an event.
import createPentora from './pentora-game.mjs';

// The kinds of event, as the game reads them (web/page_view.h).
const Event = Object.freeze({
    start: 1, exit: 2, potClick: 3, potHover: 4, tick: 5, instructions: 6, bugReport: 7,
    boardKey: 8, boxClosed: 9,
});

class EventQueue {
    #events = [];
    #waiting = null;
    #timer = 0;
    #closed = false;

    push(kind, argument = 0) {
        if (this.#closed) {
            return;
        }
        const event = kind | (argument << 8);
        // A mouse that keeps moving over one pot is one move for the game.
        if (kind === Event.potHover && this.#events.at(-1) === event) {
            return;
        }
        if (this.#waiting) {
            const wake = this.#waiting;
            this.#waiting = null;
            wake(event);
        } else {
            this.#events.push(event);
        }
    }

    // The game's wait: the next event, at once or when one comes.
    next() {
        if (this.#events.length > 0) {
            return Promise.resolve(this.#events.shift());
        }
        return new Promise((wake) => { this.#waiting = wake; });
    }

    // The step timer, a one-shot: its tick carries the number of its start.
    startTimer(start, interval) {
        clearTimeout(this.#timer);
        this.#timer = setTimeout(() => this.push(Event.tick, start), interval);
    }

    stopTimer() {
        clearTimeout(this.#timer);
    }

    close() {
        this.stopTimer();
        this.#closed = true;
        this.#events = [];
    }
}

const sides = ['human', 'cpu'];
const byId = (id) => document.getElementById(id);

class Actuator {
    #queue;
    #width = 1;
    #height = 1;
    #returnFocus = null;

    constructor(queue) {
        this.#queue = queue;
        const box = byId('box');
        box.addEventListener('close', () => {
            this.#returnFocus?.focus();
            this.#returnFocus = null;
            this.#queue.push(Event.boxClosed);
        });
        // The box is modal by its own hand, as the WAI-ARIA practices' modal dialog: the focus
        // stays on OK, Escape closes it, and a press beside it neither acts nor takes the focus.
        // (A browser's own modal dialog takes the window out of the accessibility tree before
        // the focus reaches OK, and a screen reader then hears neither the box's title nor its
        // text.)
        box.addEventListener('keydown', (event) => {
            if (event.key === 'Escape') {
                box.close();
            } else if (event.key !== 'Tab') {
                return;
            }
            event.preventDefault();
        });
        document.addEventListener('focusin', (event) => {
            if (box.open && !box.contains(event.target)) {
                byId('box-ok').focus();
            }
        });
        box.addEventListener('mousedown', (event) => {
            if (event.target === box) {
                event.preventDefault();
            }
        });
    }

    pot(side, slot) {
        return byId(`${sides[side]}-${slot}`);
    }

    // A control's place on the board, in pixels of the window's design; the page scales them.
    place(id, left, top, width, height) {
        const style = byId(id).style;
        style.setProperty('--left', left);
        style.setProperty('--top', top);
        style.setProperty('--width', width);
        style.setProperty('--height', height);
    }

    ready(width, height) {
        this.#width = width;
        this.#height = height;
        const root = document.documentElement.style;
        root.setProperty('--design-width', width);
        root.setProperty('--design-height', height);
        byId('window').classList.add('ready');
    }

    // A caption; in a menu command's '&' marks its access key, as on the desktop.
    setText(id, text) {
        const element = byId(id);
        if (id === 'difficulty') {
            byId('difficulty-text').setAttribute('aria-label', text);
            byId('difficulty-list').setAttribute('aria-label', text);
            return;
        }
        const mark = text.indexOf('&');
        if (mark < 0) {
            element.textContent = text;
            return;
        }
        const key = text.charAt(mark + 1);
        const underlined = document.createElement('u');
        underlined.textContent = key;
        element.replaceChildren(text.slice(0, mark), underlined, text.slice(mark + 2));
        element.accessKey = key.toLowerCase();
    }

    showCount(side, slot, value, reading) {
        const pot = this.pot(side, slot);
        pot.textContent = String(value);
        pot.setAttribute('aria-label', reading);
    }

    showHighlight(side, lit) {
        for (let slot = 0; slot < 7; ++slot) {
            this.pot(side, slot).classList.toggle('lit', slot === lit);
        }
    }

    setPotsEnabled(enabled) {
        for (let slot = 0; slot < 6; ++slot) {
            this.pot(0, slot).disabled = !enabled;
        }
    }

    setTitle(title) {
        document.title = title;
    }

    difficultyText() {
        return byId('difficulty-text').value;
    }

    setDifficultyText(text) {
        byId('difficulty-text').value = text;
    }

    addDifficultyItem(index, text) {
        const list = byId('difficulty-list');
        const item = document.createElement('li');
        item.role = 'option';
        item.id = `difficulty-${list.children.length}`;
        item.setAttribute('aria-selected', 'false');
        item.textContent = text;
        list.insertBefore(item, list.children[index] ?? null);
    }

    // Said by a screen reader once, whole: each message is a new paragraph of the live region,
    // so the same message twice is said twice. A message equal to the one just shown ends in a
    // zero-width space, which no reader speaks: Orca drops a live region's text that equals the
    // text before it, as Chromium reports it.
    announce(message) {
        const region = byId('announcements');
        const paragraph = document.createElement('p');
        paragraph.textContent = region.textContent === message ? `${message}\u200b` : message;
        region.replaceChildren(paragraph);
    }

    openBox(title, text) {
        this.#returnFocus = document.activeElement;
        byId('box-title').textContent = title;
        byId('box-text').textContent = text;
        byId('box').show();
        byId('box-ok').focus();
    }

    // The window unloaded: the step timer stops, the controls go, and an installed app's window
    // closes (a browser's tab stays, with the board alone). A reload starts the game again.
    unload() {
        this.#queue.close();
        byId('window').classList.add('unloaded');
        if (matchMedia('(display-mode: standalone)').matches) {
            window.close();
        }
    }
}

class InputManager {
    #queue;

    constructor(queue) {
        this.#queue = queue;
        const push = (kind, argument) => () => this.#queue.push(kind, argument);
        byId('start').addEventListener('click', push(Event.start));
        byId('exit').addEventListener('click', push(Event.exit));
        byId('instructions').addEventListener('click', push(Event.instructions));
        byId('bug-report').addEventListener('click', push(Event.bugReport));
        for (let slot = 0; slot < 7; ++slot) {
            const pot = byId(`human-${slot}`);
            pot.addEventListener('click', push(Event.potClick, slot));
            pot.addEventListener('mousemove', push(Event.potHover, slot));
        }
        document.addEventListener('keydown', (event) => this.#key(event));
        this.#menuBar();
        this.#comboBox();
    }

    // 1 to 6 play the pots, 0 reads the board, wherever the focus is but in the difficulty's text
    // (where a digit is typed) and in a message box. A held key plays once.
    #key(event) {
        if (event.repeat || event.ctrlKey || event.altKey || event.metaKey ||
            byId('box').open || event.target === byId('difficulty-text')) {
            return;
        }
        if (event.key === '0') {
            this.#queue.push(Event.boardKey);
        } else if (event.key >= '1' && event.key <= '6' && event.key.length === 1) {
            const pot = byId(`human-${Number(event.key) - 1}`);
            if (!pot.disabled) {
                this.#queue.push(Event.potClick, Number(event.key) - 1);
            }
        } else {
            return;
        }
        event.preventDefault();
    }

    // The menu bar: one stop of the Tab key, the arrows move between its two commands.
    #menuBar() {
        const items = [byId('instructions'), byId('bug-report')];
        byId('menubar').addEventListener('keydown', (event) => {
            const step = { ArrowRight: 1, ArrowLeft: -1, Home: -2, End: 2 }[event.key];
            if (!step) {
                return;
            }
            const current = items.indexOf(document.activeElement);
            const next = Math.abs(step) === 2 ? (step > 0 ? items.length - 1 : 0)
                : (current + step + items.length) % items.length;
            items.forEach((item, i) => { item.tabIndex = i === next ? 0 : -1; });
            items[next].focus();
            event.preventDefault();
        });
    }

    // The difficulty box: an editable text with a list of the six levels. The text is the
    // player's to type; choosing an item puts its text in the box.
    #comboBox() {
        const text = byId('difficulty-text');
        const list = byId('difficulty-list');
        let active = -1;
        const options = () => [...list.children];
        const show = (open) => {
            list.hidden = !open;
            text.setAttribute('aria-expanded', String(open));
            if (!open) {
                setActive(-1);
            }
        };
        const setActive = (index) => {
            active = index;
            options().forEach((option, i) => option.setAttribute('aria-selected', String(i === index)));
            if (index >= 0) {
                text.setAttribute('aria-activedescendant', options()[index].id);
            } else {
                text.removeAttribute('aria-activedescendant');
            }
        };
        const choose = (index) => {
            text.value = options()[index].textContent;
            show(false);
            text.setSelectionRange(0, 0);
        };
        byId('difficulty-open').addEventListener('click', () => {
            show(list.hidden);
            text.focus();
        });
        list.addEventListener('click', (event) => {
            const index = options().indexOf(event.target.closest('[role=option]'));
            if (index >= 0) {
                choose(index);
                text.focus();
            }
        });
        // A press on the list must not take the focus from the text.
        list.addEventListener('mousedown', (event) => event.preventDefault());
        text.addEventListener('blur', () => show(false));
        text.addEventListener('keydown', (event) => {
            const count = options().length;
            if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
                if (list.hidden) {
                    show(true);
                    setActive(Math.max(0, options().findIndex((o) => o.textContent === text.value)));
                } else if (!event.altKey) {
                    setActive((active + (event.key === 'ArrowDown' ? 1 : count - 1)) % count);
                } else {
                    show(false);
                }
            } else if (event.key === 'Enter' && !list.hidden && active >= 0) {
                choose(active);
            } else if (event.key === 'Escape' && !list.hidden) {
                show(false);
            } else {
                return;
            }
            event.preventDefault();
        });
    }
}

const queue = new EventQueue();
const actuator = new Actuator(queue);
new InputManager(queue);
// A fault of the game ends it; the page says so as any script error.
createPentora({ actuator, queue, onAbort: (what) => reportError(new Error(`Pentora: ${what}`)) })
    .catch(reportError);

if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js');
}
