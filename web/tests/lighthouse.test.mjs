// Lighthouse's audit of the page in Debian's Chromium, as a phone loads it: 100 for
// accessibility and for best practices. Its report, performance included, is kept beside the
// site (build-web/lighthouse.json) and its scores printed.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { writeFile } from 'node:fs/promises';
import { dirname, join } from 'node:path';
import lighthouse from 'lighthouse';
import { serve, launch, site } from './harness.mjs';

test('Lighthouse: accessibility 100, best practices 100', { timeout: 300000 }, async () => {
    const server = await serve();
    const browser = await launch(); // it listens on a port of its own, which Lighthouse takes
    try {
        const port = Number(new URL(browser.wsEndpoint()).port);
        const { lhr } = await lighthouse(server.url, {
            port, logLevel: 'error', output: 'json',
            onlyCategories: ['accessibility', 'best-practices', 'performance'],
        });
        await writeFile(join(dirname(site), 'lighthouse.json'), JSON.stringify(lhr, null, 1));
        const scores = Object.fromEntries(Object.entries(lhr.categories)
            .map(([name, category]) => [name, Math.round(category.score * 100)]));
        console.log(`# Lighthouse ${lhr.lighthouseVersion}: ${JSON.stringify(scores)}`);
        const failing = Object.values(lhr.audits)
            .filter((audit) => audit.score !== null && audit.score < 1 &&
                               audit.scoreDisplayMode === 'binary')
            .map((audit) => audit.id);
        assert.equal(scores.accessibility, 100, `accessibility: ${failing}`);
        assert.equal(scores['best-practices'], 100, `best practices: ${failing}`);
    } finally {
        await browser.close();
        await server.stop();
    }
});
