// What the page's tests share: the site served on this machine, one of Debian's browsers driven
// by puppeteer-core, and the page read as a player sees it.
import { createServer } from 'node:http';
import { existsSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { after, before } from 'node:test';
import puppeteer from 'puppeteer-core';

export const site = process.env.PENTORA_SITE;
if (!site || !existsSync(join(site, 'index.html'))) {
    throw new Error(`no page in ${site}: scripts/web.sh --build makes it`);
}
export const browserName = process.env.PENTORA_BROWSER ?? 'chromium';

const types = {
    '.html': 'text/html; charset=utf-8', '.css': 'text/css', '.mjs': 'text/javascript',
    '.js': 'text/javascript', '.wasm': 'application/wasm', '.jpg': 'image/jpeg',
    '.png': 'image/png', '.webmanifest': 'application/manifest+json',
};

// The site (or a copy of it) on a port of 127.0.0.1, a secure context as a service worker needs.
// stop() takes the network away: the page's next requests find nothing listening.
export async function serve(root = site) {
    const server = createServer(async (request, response) => {
        let path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
        if (path.endsWith('/')) {
            path += 'index.html';
        }
        const file = join(root, normalize(path).replace(/^(\.\.[/\\])+/, ''));
        try {
            const body = await readFile(file);
            response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream',
                                      'Cache-Control': 'no-cache' });
            response.end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    await new Promise((ready) => server.listen(0, '127.0.0.1', ready));
    return {
        url: `http://127.0.0.1:${server.address().port}/`,
        stop: () => new Promise((done) => { server.closeAllConnections(); server.close(done); }),
    };
}

// One server and one browser for all the tests of a file: `shared.server`, `shared.browser`.
export function shareBrowser() {
    const shared = {};
    before(async () => {
        shared.server = await serve();
        shared.browser = await launch();
    });
    after(async () => {
        await shared.browser?.close();
        await shared.server?.stop();
    });
    return shared;
}

export async function launch() {
    if (browserName === 'firefox') {
        return puppeteer.launch({
            browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
            extraPrefsFirefox: { 'browser.shell.checkDefaultBrowser': false },
        });
    }
    return puppeteer.launch({
        executablePath: '/usr/bin/chromium', headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
}

export const white = 'rgb(255, 255, 255)';
export const magenta = 'rgb(255, 0, 255)';
// The fourteen pots in the order of the sowing ring: the player's six and big pot, then the
// computer's. Both players sow round the same ring.
export const potIds = [...Array(7).keys()].map((s) => `human-${s}`)
    .concat([...Array(7).keys()].map((s) => `cpu-${s}`));

// A new tab on the served page, its errors collected in `errors`, with a recorder of frames: the
// game changes the document only between its waits, so each change the page sees is one frame
// of what the player sees: the counts, the pots' colours as painted, the title (and every title
// set since the last frame), the start button, an open box.
export async function openPage(browser, url, viewport = { width: 800, height: 600 }) {
    const page = await browser.newPage();
    page.errors = [];
    page.on('pageerror', (error) => page.errors.push(String(error.message ?? error)));
    page.on('console', (message) => {
        if (message.type() === 'error' && !/favicon|status of 404/.test(message.text())) {
            page.errors.push(message.text());
        }
    });
    await page.setViewport(viewport);
    await page.goto(url);
    await page.waitForSelector('#window.ready');
    await page.evaluate((ids) => {
        const frames = [];
        let titles = [];
        const snapshot = () => {
            const pots = ids.map((id) => document.getElementById(id));
            const box = document.getElementById('box');
            frames.push({
                t: performance.now(),
                counts: pots.map((pot) => Number(pot.textContent)),
                colours: pots.map((pot) => getComputedStyle(pot).backgroundColor),
                labels: pots.map((pot) => pot.getAttribute('aria-label')),
                title: document.title,
                titles,
                start: document.getElementById('start').textContent,
                box: box.open ? { title: document.getElementById('box-title').textContent,
                                  text: document.getElementById('box-text').textContent } : null,
                enabled: pots.slice(0, 6).map((pot) => !pot.disabled),
            });
            titles = [];
            window.pentoraLast = frames.at(-1);
        };
        new MutationObserver((records) => {
            for (const r of records) {
                // Setting the title puts a new text in it: each one set is seen.
                if (r.target.nodeName === 'TITLE' && r.addedNodes.length > 0) {
                    titles.push(r.addedNodes[0].textContent);
                }
            }
            snapshot();
        }).observe(document.documentElement, { subtree: true, childList: true,
                                               characterData: true, attributes: true,
                                               attributeFilter: ['class', 'open', 'disabled'] });
        snapshot();
        window.pentoraFrames = frames;
    }, potIds);
    return page;
}

export const frames = (page) => page.evaluate(() => window.pentoraFrames.splice(0));
// The page as it stands: the last frame, whether or not it was taken.
export const lastFrame = (page) => page.evaluate(() => window.pentoraLast);
export const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
export const total = (frame) => frame.counts.reduce((sum, n) => sum + n, 0);
export const litPots = (frame) => frame.colours.flatMap((c, i) => (c === magenta ? [i] : []));

// The page at rest: a box open, or the player's pots on and nothing changed for a while (longer
// than any step where a pot is lit: the mouse's light stays on the pot it last touched). True when
// a box is open.
export async function waitForRest(page, { quiet = 150, timeout = 60000 } = {}) {
    const end = Date.now() + timeout;
    while (Date.now() < end) {
        const state = await page.evaluate(() => ({
            box: document.getElementById('box').open,
            last: window.pentoraLast,
            now: performance.now(),
        }));
        const f = state.last;
        const still = state.now - f.t > (litPots(f).length === 0 ? quiet : 1500);
        if (state.box || (f.enabled.every(Boolean) && f.title === 'Pentora' && still)) {
            return state.box;
        }
        await sleep(50);
    }
    throw new Error('the page never came to rest');
}

// Chooses a level in the difficulty box as a player does: the box's button, then the item.
export async function chooseLevel(page, level) {
    await page.click('#difficulty-open');
    await page.click(`#difficulty-list [role=option]:nth-child(${level})`);
}

export async function startGame(page, level = 1) {
    await chooseLevel(page, level);
    await page.click('#start');
    await page.waitForFunction(() => document.getElementById('human-0').textContent === '4');
}
