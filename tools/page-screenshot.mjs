// A picture of the offline page for the docs: headless chromium at 96 dpi, 1234,56 typed and
// Enter pressed, the page's card alone with a margin of the page around it.
//
//   node page-screenshot.mjs PAGE OUTPUT.png   (SUMA_BROWSER_MODULES: where puppeteer-core is)
import { mkdtempSync, rmSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const [pagePath, output] = process.argv.slice(2);
const puppeteer = createRequire(join(process.env.SUMA_BROWSER_MODULES, "x"))("puppeteer-core");
const profile = mkdtempSync(join(tmpdir(), "suma-page-shot-"));
const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
        "--disable-background-networking", "--disable-component-update", "--disable-sync",
        "--hide-scrollbars", "--font-render-hinting=none"],
});
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
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
}
