// A monkey in the page: a thousand random clicks, taps, mouse moves, keys and box answers at
// random moments, inside the game's waits too. After each, no page error, and every frame the
// page showed meanwhile is one a player may see; at each pause, the board holds 48 beans (none
// before the first game). PENTORA_MONKEY_SEED and PENTORA_MONKEY_EVENTS change the run.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { serve, launch, openPage, frames, lastFrame, waitForRest, total, litPots, white, magenta,
         sleep } from './harness.mjs';

const seed = Number(process.env.PENTORA_MONKEY_SEED ?? 20261210);
const events = Number(process.env.PENTORA_MONKEY_EVENTS ?? 1000);

// A small seeded generator, so that a failing run can be run again.
function generator(state) {
    return () => {
        state = (state + 0x6d2b79f5) | 0;
        let t = Math.imul(state ^ (state >>> 15), 1 | state);
        t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

function checkFrames(seen, started, where) {
    for (const frame of seen) {
        assert.ok(litPots(frame).length <= 1, `${where}: two pots lit`);
        assert.ok(frame.colours.every((c) => c === white || c === magenta), `${where}: a colour`);
        assert.ok(frame.counts.every((n) => Number.isInteger(n) && n >= 0 && n <= 48),
                  `${where}: a count ${frame.counts}`);
        assert.ok(total(frame) <= 48, `${where}: ${total(frame)} beans`);
        if (!started) {
            assert.equal(total(frame), 0, `${where}: beans before the first game`);
        }
    }
}

// The exit as a person reaches it: a box in the way is answered first (a press on the window
// under a box lands on the box's cover), and so is any box its answer brings.
async function exit(page) {
    for (let boxes = 0; await page.$eval('#box', (box) => box.open); ++boxes) {
        assert.ok(boxes < 5, 'the boxes keep coming');
        await page.click('#box-ok');
    }
    await page.click('#exit');
}

test(`${events} random events at random moments (seed ${seed})`, { timeout: 900000 }, async () => {
    const random = generator(seed);
    const pick = (list) => list[Math.floor(random() * list.length)];
    const server = await serve();
    const browser = await launch();
    try {
        let page = await openPage(browser, server.url);
        let started = false;
        const actions = [
            ['a click on a pot of the player', () => page.click(`#human-${pick([0, 1, 2, 3, 4, 5, 6])}`)],
            ['a mouse move over the pots', async () => {
                for (let i = 0; i < 4; ++i) {
                    await page.hover(`#human-${pick([0, 1, 2, 3, 4, 5, 6])}`);
                }
            }],
            ['a click on a pot of the computer', () => page.click(`#cpu-${pick([0, 3, 6])}`)],
            ['a start', () => page.click('#start')],
            ['a level chosen', async () => {
                await page.click('#difficulty-open');
                await page.click(`#difficulty-list [role=option]:nth-child(${pick([1, 2, 6])})`);
            }],
            ['a level typed', async () => {
                await page.click('#difficulty-text', { count: 3 });
                await page.keyboard.type(pick(['Facile!', 'facile!', 'Mediocre! ', '7', '']));
            }],
            ['a menu command', () => page.click(pick(['#instructions', '#bug-report']))],
            ['a key', () => page.keyboard.press(pick(['1', '2', '3', '4', '5', '6', '0', 'Tab',
                                                      'Enter', ' ', 'Escape', 'ArrowDown']))],
            ['a box answered', () => page.keyboard.press('Enter')],
        ];
        for (let i = 1; i <= events; ++i) {
            // Now and then a pause of a step or two, and once in a while the exit.
            const [what, act] = i % 997 === 0  ? ['the exit', () => exit(page)]
                                : random() < 0.04 ? ['a wait', () => sleep(400 + random() * 600)]
                                                  : pick(actions);
            await act().catch((error) => {
                // A control under a box cannot be clicked, as for a person.
                if (!/not clickable|covered|Node is either not visible|could not be scrolled/.test(error.message)) {
                    throw error;
                }
            });
            await sleep(random() * 40);
            const where = `event ${i}, ${what}`;
            assert.deepEqual(page.errors, [], where);
            const seen = await frames(page);
            started ||= seen.some((frame) => total(frame) > 0);
            checkFrames(seen, started, where);
            if (what === 'the exit') {
                await sleep(700);
                assert.deepEqual(await frames(page), [], `${where}: the page changed after it`);
                await page.close();
                page = await openPage(browser, server.url);
                started = false;
            } else if (i % 250 === 0) {
                console.log(`# ${where}: ${Math.round(performance.now() / 1000)} s`);
                // A pause: the boxes answered, the game at rest, every bean on the board.
                for (let boxes = 0; await waitForRest(page); ++boxes) {
                    assert.ok(boxes < 20, `${where}: the boxes keep coming`);
                    await page.click('#box-ok');
                    await sleep(50);
                }
                checkFrames(await frames(page), started, where);
                assert.equal(total(await lastFrame(page)), started ? 48 : 0,
                             `${where}: the board at rest`);
            }
        }
    } finally {
        await browser.close();
        await server.stop();
    }
});
