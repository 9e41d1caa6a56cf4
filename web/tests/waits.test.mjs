// What happens inside a move's waits, as on the desktop: a click answered at once and its box
// holding the move, a help box holding it too, a start or the exit in the middle of a move; and
// the keys.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { shareBrowser, openPage, frames, lastFrame, waitForRest, startGame, total,
         litPots, sleep, browserName } from './harness.mjs';

const shared = shareBrowser();

const opening = [4, 4, 4, 4, 4, 4, 0, 4, 4, 4, 4, 4, 4, 0];
const waitForLight = (page) => page.waitForSelector('.lit');
const boxText = (page) => page.$eval('#box', (box) =>
    (box.open ? `${box.querySelector('h2').textContent}: ${box.querySelector('p').textContent}` : null));

// The board holds still for a while: no count changes and the same pot stays lit.
async function holdsStill(page) {
    const held = await lastFrame(page);
    await sleep(1500);
    const now = await lastFrame(page);
    assert.deepEqual(now.counts, held.counts, 'the move went on behind the box');
    assert.deepEqual(litPots(now), litPots(held));
    assert.equal(litPots(now).length, 1, 'the move had stopped');
}

test('a click in a move is answered inside its wait, and a box holds the move', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    await startGame(page, 1);
    // Pot 1's four beans go to pots 2 to 5; meanwhile pot 6 is clicked and Istruzioni chosen.
    await page.keyboard.press('1');
    await waitForLight(page);
    await page.click('#human-5');
    await page.waitForSelector('#box[open]', { timeout: 400 });
    assert.equal(await boxText(page), "Pentora: Non e' il tuo turno!");
    await holdsStill(page);
    await page.keyboard.press('Enter');
    await sleep(100);
    await page.click('#instructions');
    await page.waitForSelector('#box[open]', { timeout: 400 });
    assert.match(await boxText(page), /^ISTRUZIONI: Gioca contro il computer/);
    await holdsStill(page);
    await page.keyboard.press(' ');
    await waitForRest(page);
    assert.equal(total(await lastFrame(page)), 48);
    // The player's move was played whole before the computer thought: pots 2 to 5 hold 5.
    const turn = (await frames(page)).find((f) => f.titles.includes('Il computer sta pensando...'));
    assert.deepEqual(turn.counts.slice(0, 7), [0, 5, 5, 5, 5, 4, 0]);
    assert.deepEqual(page.errors, []);
    await page.close();
});

test('a start in the middle of a move abandons it: the new game stands', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    await startGame(page, 1);
    for (const moment of ['player', 'computer']) {
        // Pot 6 sows into the computer's side, and the computer replies.
        await page.keyboard.press('6');
        if (moment === 'computer') {
            await page.waitForFunction(() => document.title === 'Il computer sta muovendo...');
        }
        await waitForLight(page);
        await page.click('#start');
        await sleep(1500);
        const now = await lastFrame(page);
        assert.deepEqual(now.counts, opening, `the board after a start in the ${moment}'s move`);
        assert.deepEqual(litPots(now), []);
        assert.equal(now.title, 'Pentora');
        assert.ok(now.enabled.every(Boolean), 'the player\'s pots are on');
    }
    assert.deepEqual(page.errors, []);
    await page.close();
});

test('the exit in the middle of a move ends the game; a reload starts it again', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    await startGame(page, 1);
    await page.keyboard.press('6');
    await waitForLight(page);
    await page.click('#exit');
    await frames(page);
    await sleep(1500);
    assert.deepEqual(await frames(page), [], 'the page changed after the exit');
    const hidden = await page.$$eval('#menubar, .pot, .control', (all) =>
        all.every((element) => getComputedStyle(element).visibility === 'hidden'));
    assert.ok(hidden, 'the controls are still there');
    await page.reload();
    await page.waitForSelector('#window.ready');
    assert.equal(await page.$eval('#start', (b) => b.textContent), 'Inizia');
    assert.deepEqual(page.errors, []);
    await page.close();
});

test('the keys: Tab, Enter and Space, 1 to 6, 0 for the board held once, access keys', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    const focused = () => page.evaluate(() => document.activeElement.id);
    await page.focus('#instructions');
    const order = [];
    for (let i = 0; i < 3; ++i) {
        await page.keyboard.press('Tab');
        order.push(await focused());
    }
    assert.deepEqual(order, ['start', 'difficulty-text', 'exit']);

    // 0 reads the board to a screen reader; before a game it says that none is being played.
    await page.keyboard.press('0');
    assert.match(await page.$eval('#announcements', (r) => r.textContent),
                 /Nessuna partita in corso\.$/);

    // A digit in the difficulty box is typed; the box's list opens from the keyboard.
    await page.focus('#difficulty-text');
    await page.keyboard.press('End');
    await page.keyboard.type('3');
    assert.equal(await page.$eval('#difficulty-text', (t) => t.value), "Scegli la difficolta'3");
    await page.$eval('#difficulty-text', (t) => { t.value = ''; });
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    assert.equal(await page.$eval('#difficulty-text', (t) => t.value), 'Troppo facile!');

    // Enter on the start button starts, Space too; a start with the box emptied is refused.
    await page.focus('#start');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.getElementById('human-0').textContent === '4');
    await page.keyboard.press(' ');
    assert.equal(await page.$eval('#start', (b) => b.textContent), 'Nuova\nPartita');

    // Pot 3 (4 beans, the last in the big pot: another move, and nothing more).
    await page.keyboard.press('3');
    await waitForLight(page);
    await waitForRest(page);
    assert.deepEqual((await lastFrame(page)).counts, [4, 4, 0, 5, 5, 5, 1, 4, 4, 4, 4, 4, 4, 0]);

    // 0 held down: the key repeats, the board is read once.
    await page.evaluate(() => {
        window.readings = 0;
        new MutationObserver(() => { window.readings += 1; })
            .observe(document.getElementById('announcements'), { childList: true });
    });
    for (let i = 0; i < 4; ++i) {
        await page.keyboard.down('0');
    }
    await page.keyboard.up('0');
    await sleep(200);
    assert.equal(await page.evaluate(() => window.readings), 1, 'readings of one held 0');

    // The menu commands by their access keys (Firefox's Alt+Shift; headless Chromium takes no
    // access key from the keys its driver sends, so there the keys are left to a person).
    if (browserName !== 'firefox') {
        assert.deepEqual(page.errors, []);
        await page.close();
        return;
    }
    const accessKey = ['Alt', 'Shift'];
    for (const key of accessKey) {
        await page.keyboard.down(key);
    }
    await page.keyboard.press('b');
    for (const key of accessKey.reverse()) {
        await page.keyboard.up(key);
    }
    await page.waitForSelector('#box[open]', { timeout: 1000 });
    assert.match(await boxText(page), /^BUG REPORT: Se volete segnalare/);
    assert.equal(await focused(), 'box-ok');
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !document.getElementById('box').open);
    assert.deepEqual(page.errors, []);
    await page.close();
});
