// Debian's chromium, headless, driven by puppeteer-core (from the folder SUMA_BROWSER_MODULES
// names), with a new profile of its own and nothing that reaches out to the network: for the
// offline page's test, its benchmark and its picture. `close` ends the browser and removes the
// profile.
import { mkdtempSync, rmSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";

export async function launchChromium(extraArgs = []) {
    const puppeteer = createRequire(join(process.env.SUMA_BROWSER_MODULES, "x"))("puppeteer-core");
    const profile = mkdtempSync(join(tmpdir(), "suma-chromium-"));
    const browser = await puppeteer.launch({
        executablePath: "/usr/bin/chromium",
        headless: true,
        userDataDir: profile,
        args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            ...extraArgs],
    });
    const close = async () => {
        try {
            await browser.close();
        } finally {
            rmSync(profile, { recursive: true, force: true });
        }
    };
    return { browser, close };
}
