// What the page is to a screen reader and to the web's accessibility audit: axe-core finds
// nothing at rest, in a game and with each box open; the boxes are modal dialogs named by their
// titles and described by their texts, with the focus on OK and back where it was after; the
// game's messages reach a polite live region, the same one twice said twice.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { shareBrowser, openPage, startGame, waitForRest, lastFrame, browserName,
         sleep } from './harness.mjs';

const axePath = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

const shared = shareBrowser();

async function audit(page, when) {
    if (!(await page.evaluate(() => 'axe' in window))) {
        await page.addScriptTag({ path: axePath });
    }
    const violations = await page.evaluate(async () => (await window.axe.run(document, {
        runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'],
    })).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
    assert.deepEqual(violations, [], `axe-core, ${when}`);
}

// The open box as the accessibility tree has it (Chromium's, through the DevTools protocol).
async function dialogInTree(page) {
    const cdp = await page.createCDPSession();
    const { nodes } = await cdp.send('Accessibility.getFullAXTree');
    const dialog = nodes.find((n) => n.role?.value === 'dialog' && !n.ignored);
    await cdp.detach();
    return dialog && { name: dialog.name?.value, description: dialog.description?.value,
                       modal: dialog.properties?.find((p) => p.name === 'modal')?.value.value };
}

async function closeBox(page) {
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => !document.getElementById('box').open);
}

test('no finding at rest, in a game and with each box open; boxes are named modal dialogs', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    assert.equal(await page.$eval('html', (h) => h.lang), 'it');
    await audit(page, 'at rest');

    const boxes = [
        ['ATTENZIONE!', "Scegli la difficolta'", () => page.click('#start')],
        ['Pentora', "Clicca su 'Inizia' per giocare!", () => page.click('#human-2')],
        ['ISTRUZIONI', /^Gioca contro il computer/, () => page.click('#instructions')],
        ['BUG REPORT', /^Se volete segnalare/, () => page.click('#bug-report')],
    ];
    for (const [title, text, open] of boxes) {
        await page.focus('#exit');
        await open();
        await page.waitForSelector('#box[open]');
        assert.equal(await page.evaluate(() => document.activeElement.id), 'box-ok');
        // Modal: Tab stays on OK, and a press on the window lands on the box's cover.
        await page.keyboard.press('Tab');
        const [focus, hit] = await page.evaluate(() => {
            const pot = document.getElementById('human-2').getBoundingClientRect();
            const under = document.elementFromPoint(pot.x + pot.width / 2, pot.y + pot.height / 2);
            return [document.activeElement.id, under?.closest('dialog')?.id];
        });
        assert.deepEqual([focus, hit], ['box-ok', 'box']);
        await audit(page, `with the box ${title} open`);
        if (browserName === 'chromium') {
            const dialog = await dialogInTree(page);
            assert.equal(dialog?.name, title);
            assert.ok(typeof text === 'string' ? dialog.description === text : text.test(dialog.description),
                      `the dialog's description: ${dialog?.description}`);
            assert.equal(dialog.modal, true);
        }
        await closeBox(page);
        // The focus goes back where it was: on the exit button, or on the pot's key's target.
        const back = await page.evaluate(() => document.activeElement.id);
        assert.ok(['exit', 'start', 'human-2', 'instructions', 'bug-report'].includes(back),
                  `the focus after the box: ${back}`);
    }

    await startGame(page, 1);
    await audit(page, 'in a game');
    await page.keyboard.press('1');
    await page.waitForSelector('.lit');
    await audit(page, 'in a move');
    assert.deepEqual(page.errors, []);
    await page.close();
});

test('the game\'s messages go to a polite live region, with the counts the page shows', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    const region = await page.$eval('#announcements', (r) => r.getAttribute('aria-live'));
    assert.equal(region, 'polite');
    await page.evaluate(() => {
        window.said = [];
        new MutationObserver(() => window.said.push(document.getElementById('announcements').textContent))
            .observe(document.getElementById('announcements'), { childList: true, subtree: true });
    });
    await startGame(page, 1);
    await page.click('#start');
    await sleep(200);
    const starts = await page.evaluate(() => window.said.splice(0));
    assert.equal(starts.length, 2, 'two starts are said twice');
    // The second, for a reader that drops a repeat, ends in a zero-width space that none says.
    assert.equal(starts[1], `${starts[0]}\u200b`);
    assert.match(starts[0], /^Partita iniziata, livello 1, Troppo facile! Le tue pentole: 4, 4, 4, 4, 4, 4; la tua pentola grande: 0\. .* Tocca a te\.$/);

    // A move and the computer's reply: one message, whole, with the counts then shown.
    await page.keyboard.press('1');
    await page.waitForSelector('.lit');
    await waitForRest(page);
    const [turn, ...more] = await page.evaluate(() => window.said.splice(0));
    assert.deepEqual(more, []);
    const shown = (await lastFrame(page)).counts;
    const mine = shown.slice(0, 6).join(', ');
    const its = shown.slice(7, 13).join(', ');
    assert.match(turn, /^Il computer ha giocato la pentola [1-6]/);
    assert.ok(turn.includes(`Le tue pentole: ${mine}; la tua pentola grande: ${shown[6]}.`), turn);
    assert.ok(turn.includes(`Pentole del computer: ${its}; pentola grande del computer: ${shown[13]}.`), turn);
    assert.ok(turn.endsWith('Tocca a te.'));
    // Each pot's name follows its count.
    const names = await page.$$eval('.pot', (pots) => pots.map((p) => [p.id, p.getAttribute('aria-label'), p.textContent]));
    for (const [id, name, count] of names) {
        assert.ok(name.endsWith(`, ${count} ${count === '1' ? 'fagiolo' : 'fagioli'}`), `${id}: ${name}`);
    }
    assert.deepEqual(page.errors, []);
    await page.close();
});
