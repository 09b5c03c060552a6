// The offline page in a real browser (Debian's chromium, headless, driven by puppeteer-core),
// opened from file://: the table of amounts through its controls, the clipboard, the currency
// kept across a reload, and not one request beyond the page itself.
//
//   node test_page.mjs PAGE AMOUNTS_TSV   (SUMA_BROWSER_MODULES: the folder puppeteer-core is in)
import assert from "node:assert/strict";
import { mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

import { launchChromium } from "../tools/chromium.mjs";

const [pagePath, tablePath] = process.argv.slice(2);
const messages = { NOT_A_NUMBER: "Turi būti skaičius", TOO_LARGE: "Apsiribokime milijonais !" };
const marker = "LT12 1000 0111 0100 1000"; // what the user had copied before
let passed = 0;
let failed = 0;
const check = async (what, test) => {
    try {
        await test();
        passed++;
    } catch (error) {
        failed++;
        console.log(`FAIL: ${what}\n${error.message}`);
    }
};

const work = mkdtempSync(join(tmpdir(), "suma-page-"));
const { browser, close } = await launchChromium();
try {
    await browser.target().createCDPSession().then((cdp) => cdp.send("Browser.grantPermissions",
        { permissions: ["clipboardReadWrite", "clipboardSanitizedWrite"] }));
    const page = (await browser.pages())[0];
    const requests = [];
    const complaints = [];
    page.on("request", (request) => requests.push(request.url()));
    page.on("console", (message) => message.type() === "error" && complaints.push(message.text()));
    page.on("pageerror", (error) => complaints.push(error.message));
    const url = pathToFileURL(pagePath).href;
    await page.goto(url);
    await page.bringToFront();
    const state = () => page.evaluate(() => {
        const $ = (id) => document.getElementById(id);
        return { label: $("Label1").textContent, message: $("pranesimas").textContent,
            money: $("Option1").checked, plain: $("Option2").checked, first: $("Check1").checked,
            firstGreyed: $("Check1").disabled, upper: $("Check2").checked,
            currency: $("valiuta").value, focus: document.activeElement.id };
    });
    const clipboard = (text) => page.evaluate((t) => t === undefined
        ? navigator.clipboard.readText() : navigator.clipboard.writeText(t), text);
    const start = { label: "", message: "", money: true, plain: false, first: true,
        firstGreyed: false, upper: false, currency: "Lt", focus: "Text1" };

    await check("the page starts as the window does", async () => assert.deepEqual(await state(), start));
    await check("the whole page is at most 60 KiB", () => assert.ok(statSync(pagePath).size <= 60 * 1024));

    // Each row the page can ask for (it writes cents in digits, as the window does), its
    // options set by clicks, alternately by Enter and by the button. Before each, the user's
    // own text on the clipboard: a result replaces it, a refusal leaves it.
    const rows = readFileSync(tablePath, "utf8").split("\n")
        .filter((line) => line && !line.startsWith("#") && !line.includes("--cents words"))
        .map((line) => line.split("\t"));
    let label = "";
    for (const [i, [amount, options, expected]] of rows.entries()) {
        const want = { money: !options.includes("--plain"), upper: options.includes("--upper"),
            first: !options.includes("--lower"),
            currency: /--currency (\S+)/.exec(options)?.[1] ?? "Lt" };
        const set = async (id, key, on) => (await state())[key] !== on && page.click(`#${id}`);
        if ((await state()).first !== want.first) {
            await set("Check2", "upper", false);
            await set("Check1", "first", want.first);
        }
        await set("Check2", "upper", want.upper);
        await page.click(want.money ? "#Option1" : "#Option2");
        await page.select("#valiuta", want.currency);
        await page.$eval("#Text1", (box) => { box.value = ""; });
        await page.type("#Text1", amount);
        await clipboard(marker);
        await (i % 2 ? page.click("#Command1") : page.keyboard.press("Enter"));
        const refusal = expected.startsWith("!") ? messages[expected.slice(1)] : undefined;
        await check(`"${amount}" ${options}`, async () => {
            const shown = await state();
            assert.equal(shown.firstGreyed, want.upper, "first capital greyed exactly with all capitals");
            assert.equal(shown.first, want.first, "and keeps its tick");
            assert.deepEqual([shown.label, shown.message, await clipboard()],
                refusal ? [label, refusal, marker] : [expected, "", expected]);
        });
        label = refusal ? label : expected;
        // Read where the page's code is not, once: the browser's one clipboard, not the page's.
        if (i === 0)
            await check("another tab reads the same clipboard", async () => {
                writeFileSync(join(work, "empty.html"), "<!DOCTYPE html><title>–</title>");
                const other = await browser.newPage();
                try {
                    await other.goto(pathToFileURL(join(work, "empty.html")).href);
                    await other.bringToFront();
                    assert.equal(await other.evaluate(() => navigator.clipboard.readText()), label);
                } finally {
                    await other.close();
                    await page.bringToFront();
                }
            });
    }

    await check("after a reload the currency is remembered and the rest starts anew", async () => {
        await page.select("#valiuta", "eurai");
        await page.click("#Option2");
        await page.click("#Check2");
        await page.reload();
        assert.deepEqual(await state(), { ...start, currency: "eurai" });
    });

    await check("no request beyond the page, no complaint", () => {
        assert.deepEqual(requests.filter((r) => r !== url && !r.startsWith("data:")), []);
        assert.deepEqual(complaints, []);
    });
} finally {
    await close();
    rmSync(work, { recursive: true, force: true });
}
console.log(`${passed} passed, ${failed} failed`);
process.exitCode = failed ? 1 : 0;
