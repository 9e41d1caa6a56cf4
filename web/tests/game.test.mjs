// A whole level-1 game read off the page at the game's own pace, in one browser: every frame
// the player sees is checked against the rules of sowing, and the steps' pace against the
// 500 ms step.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { serve, launch, openPage, frames, waitForRest, startGame, total, litPots, white,
         magenta } from './harness.mjs';

const thinking = 'Il computer sta pensando...';
const moving = 'Il computer sta muovendo...';
const successor = (pot) => (pot + 1) % 14;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The frames of a game cut into moves: a move is a run of lit frames, each lighting the pot
// after the last; the computer's move starts where it has thought, with the pot it plays.
function moves(all) {
    const result = [];
    let current = null;
    all.forEach((frame, index) => {
        const [lit] = litPots(frame);
        if (lit === undefined) {
            current = null;
            return;
        }
        if (!current || lit !== successor(current.at(-1).lit) || frame.titles.includes(thinking)) {
            current = [];
            result.push(current);
        }
        current.push({ index, lit, frame });
    });
    return result;
}

test('a whole level-1 game at the game\'s own pace', { timeout: 600000 }, async () => {
    const server = await serve();
    const browser = await launch();
    try {
        const page = await openPage(browser, server.url);
        await startGame(page, 1);
        let ended = false;
        while (!ended) {
            // The player plays the rightmost pot with beans, from the keyboard.
            const counts = await page.$$eval('#human-pots button', (pots) =>
                pots.map((pot) => Number(pot.textContent)));
            const pot = counts.findLastIndex((n) => n > 0);
            await page.keyboard.press(String(pot + 1));
            await page.waitForFunction(() => document.querySelector('.lit') !== null ||
                                             document.getElementById('box').open);
            ended = await waitForRest(page);
        }
        const all = await frames(page);

        for (const frame of all) {
            assert.ok(litPots(frame).length <= 1, `two pots lit at once: ${frame.colours}`);
            for (const colour of frame.colours) {
                assert.ok(colour === white || colour === magenta, `a pot painted ${colour}`);
            }
            assert.ok(total(frame) <= 48, `${total(frame)} beans on the board`);
            if (!frame.box && litPots(frame).length === 0 && frame.enabled.every(Boolean) &&
                frame.counts.some((n) => n > 0)) {
                assert.equal(total(frame), 48, `the board at rest: ${frame.counts}`);
            }
        }

        const shown = moves(all);
        assert.ok(shown.length >= 4, `${shown.length} moves seen`);
        const computerMoves = shown.filter((move) => move[0].frame.title === moving);
        assert.ok(computerMoves.length >= 2, 'the computer played');
        for (const move of shown) {
            const computer = computerMoves.includes(move);
            // The computer announces its thinking and then its move; the player's move goes on
            // under the window's own title.
            if (computer) {
                const titles = move[0].frame.titles;
                assert.deepEqual(titles.slice(-2), [thinking, moving], `titles ${titles}`);
            }
            move.forEach((step, i) => {
                assert.equal(step.frame.title, computer ? moving : 'Pentora');
                if (i === 0) {
                    return;
                }
                // The computer's pot is shown full, then emptied; each bean drops into the pot
                // lit before it, after that pot's tick.
                const before = move[i - 1];
                if (computer && i === 1) {
                    assert.equal(step.frame.counts[before.lit], 0, 'the computer\'s pot emptied');
                    return;
                }
                assert.equal(step.frame.counts[before.lit], before.frame.counts[before.lit] + 1,
                             `the bean into pot ${before.lit} at step ${i}`);
            });
            if (move.length >= 3) {
                const steps = move.slice(1).map((step, i) => step.frame.t - move[i].frame.t);
                const m = median(steps);
                assert.ok(m >= 450 && m <= 650, `a move's median step lasted ${m} ms: ${steps}`);
            }
        }

        // The result: every bean swept into the big pots, the scores in the box, then the board
        // reset and the start button back to "Inizia".
        const result = all.find((frame) => frame.box);
        assert.ok(result, 'the result box');
        assert.equal(result.box.title, 'Pentora');
        const [cpu, you] = result.box.text.match(/CPU: (\d+) \/ TU: (\d+)$/).slice(1).map(Number);
        assert.match(result.box.text, /^(:-\( Hai PERSO! :-\(|:-\) Hai VINTO! :-\)|:-\| Pareggio! :-\|)\n/);
        assert.equal(cpu + you, 48);
        assert.deepEqual(result.counts, [0, 0, 0, 0, 0, 0, you, 0, 0, 0, 0, 0, 0, cpu]);
        await page.keyboard.press('Enter');
        // The box closes, and then the game, told so, sets the board again.
        await page.waitForFunction(() => !document.getElementById('box').open &&
                                         document.getElementById('human-0').textContent === '4');
        const [reset] = (await frames(page)).slice(-1);
        assert.deepEqual(reset.counts, [4, 4, 4, 4, 4, 4, 0, 4, 4, 4, 4, 4, 4, 0]);
        assert.equal(reset.start, 'Inizia');
        assert.deepEqual(litPots(reset), []);
        assert.deepEqual(page.errors, []);
    } finally {
        await browser.close();
        await server.stop();
    }
});
