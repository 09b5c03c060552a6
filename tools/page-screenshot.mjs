// A picture of the offline page for the docs: headless chromium at 96 dpi, 1234,56 typed and
// Enter pressed, the page's card alone with a margin of the page around it.
//
//   node page-screenshot.mjs PAGE OUTPUT.png   (SUMA_BROWSER_MODULES: where puppeteer-core is)
import { pathToFileURL } from "node:url";

import { launchChromium } from "./chromium.mjs";

const [pagePath, output] = process.argv.slice(2);
const { browser, close } = await launchChromium(["--hide-scrollbars", "--font-render-hinting=none"]);
try {
    const page = (await browser.pages())[0];
    await page.setViewport({ width: 640, height: 480, deviceScaleFactor: 1 });
    await page.goto(pathToFileURL(pagePath).href);
    await page.keyboard.type("1234,56");
    await page.keyboard.press("Enter");
    const card = await (await page.$("main")).boundingBox();
    const margin = 12;
    await page.screenshot({ path: output, clip: { x: card.x - margin, y: card.y - margin,
        width: card.width + 2 * margin, height: card.height + 2 * margin } });
} finally {
    await close();
}
