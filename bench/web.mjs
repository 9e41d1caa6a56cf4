// Measures the web page in Debian's Chromium and prints the figures as Markdown: its weight,
// file by file, gzipped as a server sends it; first contentful paint on a first visit from a
// server on this machine; and how busy the page's main thread is while a move and the
// computer's reply are shown. Run by bench/web.sh.
//
//     node bench/web.mjs [RUNS]
import { readdir, readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { serve, launch, site, chooseLevel, sleep } from '../web/tests/harness.mjs';

const runs = Number(process.argv[2] ?? 5);
const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const kb = (bytes) => (bytes / 1024).toFixed(1);

console.log('## Weight (gzip -9, as served compressed)\n');
console.log('| File | Bytes | Gzipped |\n|---|---:|---:|');
let raw = 0;
let packed = 0;
for (const file of (await readdir(site)).sort()) {
    const body = await readFile(join(site, file));
    const gz = gzipSync(body, { level: 9 }).length;
    raw += body.length;
    packed += gz;
    console.log(`| ${file} | ${body.length} | ${gz} |`);
}
console.log(`| **the whole site** | ${raw} | **${packed} (${kb(packed)} KiB)** |\n`);

const server = await serve();
const browser = await launch();
try {
    // A first visit each time: a context of its own, nothing cached, no service worker.
    const paints = [];
    for (let i = 0; i < runs; ++i) {
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.goto(server.url);
        await page.waitForSelector('#window.ready');
        paints.push(await page.evaluate(() => new Promise((found) => {
            new PerformanceObserver((list) => {
                const paint = list.getEntriesByName('first-contentful-paint')[0];
                if (paint) {
                    found(paint.startTime);
                }
            }).observe({ type: 'paint', buffered: true });
        })));
        await context.close();
    }
    console.log(`## First contentful paint, first visit (${runs} runs)\n`);
    console.log(`median ${median(paints).toFixed(0)} ms, slowest ${Math.max(...paints).toFixed(0)} ms\n`);

    // The page's main thread while pot 6's beans and the computer's reply are shown: the page
    // alone, without the tests' recorder of frames, as Chromium counts its tasks' time.
    const busy = [];
    for (let i = 0; i < runs; ++i) {
        const page = await browser.newPage();
        await page.setViewport({ width: 800, height: 600 });
        await page.goto(server.url);
        await page.waitForSelector('#window.ready');
        const cdp = await page.createCDPSession();
        await cdp.send('Performance.enable');
        await chooseLevel(page, 1);
        await page.click('#start');
        await sleep(300);
        const taskTime = async () => (await cdp.send('Performance.getMetrics')).metrics
            .find((m) => m.name === 'TaskDuration').value;
        const t0 = Date.now();
        const busy0 = await taskTime();
        // Pot 6's four beans take 2 s, the reply 1.5 s or more: the first 4 s are all steps.
        // Nothing polls the page meanwhile.
        await page.keyboard.press('6');
        await sleep(4000);
        const busy1 = await taskTime();
        busy.push((busy1 - busy0) / ((Date.now() - t0) / 1000) * 100);
        await page.close();
    }
    console.log(`## Main thread busy while a move and the reply are shown (${runs} moves)\n`);
    console.log(`median ${median(busy).toFixed(2)} %, most ${Math.max(...busy).toFixed(2)} %`);
} finally {
    await browser.close();
    await server.stop();
}
