// The offline page in headless chromium: its size, how soon its script is ready, and how long
// Enter takes, from the key to the new result in Label1, beside the 16.7 ms of a frame at 60 Hz.
// Figures only, never pass or fail.
//
//   node page-bench.mjs PAGE [PRESSES]   (SUMA_BROWSER_MODULES: the folder puppeteer-core is in)
import { statSync } from "node:fs";
import { pathToFileURL } from "node:url";

import { launchChromium } from "../tools/chromium.mjs";

const [pagePath, presses = "400"] = process.argv.slice(2);
const { browser, close } = await launchChromium();
try {
    const page = (await browser.pages())[0];
    await page.goto(pathToFileURL(pagePath).href);
    const ready = await page.evaluate(() =>
        performance.getEntriesByType("navigation")[0].domContentLoadedEventEnd);

    // A listener before the page's own takes the time of each key; an observer of Label1 the
    // time its text changed, straight after the page's handler has returned.
    await page.evaluate(() => {
        window.benchTimes = [];
        let pressed = 0;
        addEventListener("keydown", () => { pressed = performance.now(); }, { capture: true });
        new MutationObserver(() => benchTimes.push(performance.now() - pressed))
            .observe(document.getElementById("Label1"), { childList: true, characterData: true });
    });
    // Amounts of every size and shape, each different from the one before, so that the label
    // always changes.
    const amounts = ["1234,56", "999999999,99", "21", "0,56", "-5,25", "1000001", "7,999",
        "100", "345678,9", "12,11", "2021"];
    await page.focus("#Text1");
    for (let i = 0; i < Number(presses); i++) {
        await page.$eval("#Text1", (box, text) => { box.value = text; }, amounts[i % amounts.length]);
        await page.keyboard.press("Enter");
    }
    const times = await page.evaluate(() => benchTimes);
    const first = times.shift();
    times.sort((a, b) => a - b);
    const at = (q) => times[Math.min(times.length - 1, Math.floor(q * times.length))].toFixed(3);
    const frame = 1000 / 60;
    console.log(`page: ${statSync(pagePath).size} bytes (${(statSync(pagePath).size / 1024).toFixed(1)} KiB of 60)`);
    console.log(`script ready ${ready.toFixed(1)} ms after the page was asked for`);
    console.log(`Enter to result, ${times.length + 1} presses: first ${first.toFixed(3)} ms, ` +
        `median ${at(0.5)} ms, 99th percentile ${at(0.99)} ms, slowest ${at(1)} ms`);
    console.log(`slowest / one frame at 60 Hz: ${(times[times.length - 1] / frame).toFixed(3)}x`);
} finally {
    await close();
}
