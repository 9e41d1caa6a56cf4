// The page on any screen and with any input: a phone's width with a finger, a desktop's, and
// without a network after one visit.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serve, shareBrowser, openPage, site, sleep } from './harness.mjs';

const shared = shareBrowser();

const targets = ['#instructions', '#bug-report', '#start', '#difficulty-text', '#difficulty-open',
                 '#exit'];

// Where things stand on the screen, in CSS pixels.
const layout = (page) => page.evaluate((ids) => {
    const box = (element) => {
        const r = element.getBoundingClientRect();
        return { left: r.left, top: r.top, width: r.width, height: r.height };
    };
    return {
        viewport: document.documentElement.clientWidth,
        height: window.innerHeight,
        scrollWidth: document.documentElement.scrollWidth,
        board: box(document.getElementById('board')),
        pot: box(document.getElementById('human-0')),
        targets: ids.map((id) => box(document.querySelector(id))),
    };
}, targets);

for (const width of [360, 390, 1280]) {
    test(`a screen ${width} px wide: the whole window, to scale, and targets a finger can take`, async () => {
        const phone = width < 600;
        const page = await openPage(shared.browser, shared.server.url, {
            width, height: phone ? 780 : 800, isMobile: phone, hasTouch: phone,
            deviceScaleFactor: phone ? 3 : 1,
        });
        const seen = await layout(page);
        assert.ok(seen.scrollWidth <= seen.viewport, `it scrolls sideways: ${seen.scrollWidth}`);
        // As wide as the screen (up to twice the design), unless the screen's height stops it.
        const bottom = seen.board.top + seen.board.height;
        assert.ok(bottom <= seen.height + 1, `the board is cut at ${seen.height}: ${bottom}`);
        assert.ok(Math.abs(seen.board.width - Math.min(width, 1298)) < 2 ||
                  Math.abs(bottom - seen.height) < 2, `the board is ${seen.board.width} wide`);
        assert.ok(Math.abs(seen.board.height - seen.board.width * 400 / 649) < 2);
        const scale = seen.board.width / 649;
        // The player's first pot over its place in the picture: 48, 304, 33 x 25 at scale 1.
        assert.ok(Math.abs(seen.pot.left - seen.board.left - 48 * scale) < 1.5);
        assert.ok(Math.abs(seen.pot.top - seen.board.top - 304 * scale) < 1.5);
        // Every control at least 24 x 24, none over another.
        seen.targets.forEach((t, i) => {
            assert.ok(t.width >= 24 && t.height >= 24, `${targets[i]} is ${t.width} x ${t.height}`);
            seen.targets.slice(i + 1).forEach((u, j) => {
                const apart = t.left + t.width <= u.left || u.left + u.width <= t.left ||
                              t.top + t.height <= u.top || u.top + u.height <= t.top;
                assert.ok(apart || (targets[i] === '#difficulty-text' &&
                                    targets[i + 1 + j] === '#difficulty-open'),
                          `${targets[i]} and ${targets[i + 1 + j]} overlap`);
            });
        });
        if (phone) {
            // A finger a little off a pot still plays it; the pots are far apart.
            const hit = await page.evaluate(() => {
                const r = document.getElementById('human-2').getBoundingClientRect();
                const x = r.left + r.width / 2;
                const y = r.top + r.height / 2;
                return [[x - 16, y], [x + 16, y], [x, y - 16], [x, y + 16]]
                    .map(([px, py]) => document.elementFromPoint(px, py)?.id);
            });
            assert.deepEqual(hit, ['human-2', 'human-2', 'human-2', 'human-2']);
            await page.tap('#difficulty-open');
            await page.tap('#difficulty-list [role=option]:nth-child(1)');
            await page.tap('#start');
            await page.waitForFunction(() => document.getElementById('human-2').textContent === '4');
            await page.tap('#human-2');
            await page.waitForSelector('#human-3.lit', { timeout: 2000 });
        }
        assert.deepEqual(page.errors, []);
        await page.close();
    });
}

test('after one visit the page plays offline, and takes up a new site at the next visit', async () => {
    const copy = await mkdtemp(join(tmpdir(), 'pentora-site-'));
    try {
        await cp(site, copy, { recursive: true });
        const own = await serve(copy);
        const page = await openPage(shared.browser, own.url);
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null,
                                   { timeout: 20000 });
        // A new version of the site: a change of style, and the worker that lists it.
        await writeFile(join(copy, 'style.css'),
                        `${await readFile(join(copy, 'style.css'), 'utf8')}\n#menubar { background: rgb(1, 2, 3); }\n`);
        const worker = await readFile(join(copy, 'sw.js'), 'utf8');
        await writeFile(join(copy, 'sw.js'), worker.replace(/pentora-[0-9a-f]+/, 'pentora-next'));
        await page.reload();
        await page.waitForSelector('#window.ready');
        const menuColour = () => page.$eval('#menubar', (m) => getComputedStyle(m).backgroundColor);
        assert.equal(await menuColour(), 'rgb(1, 2, 3)', 'the new site at the next visit');
        await sleep(1000); // the new worker keeps what it fetched
        await own.stop();
        await page.reload();
        await page.waitForSelector('#window.ready');
        assert.equal(await menuColour(), 'rgb(1, 2, 3)');
        await page.click('#difficulty-open');
        await page.click('#difficulty-list [role=option]:nth-child(1)');
        await page.click('#start');
        await page.keyboard.press('3');
        await page.waitForSelector('#human-3.lit', { timeout: 2000 });
        page.errors = page.errors.filter((e) => !/ERR_CONNECTION_REFUSED|NetworkError|Failed to load/.test(e));
        assert.deepEqual(page.errors, []);
        await page.close();
    } finally {
        await rm(copy, { recursive: true, force: true });
    }
});
