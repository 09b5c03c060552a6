// The npm package's module beside n2words (npm), the number-to-words library JavaScript code
// mostly uses, on the same amounts with cents: time per call, and the ratio. Figures only.
//   node bench/node-vs-n2words.mjs MODULE N2WORDS_LT_MODULE WASM
import { readFileSync, statSync } from "node:fs";
import { pathToFileURL } from "node:url";

const [modulePath, peerPath, wasmPath] = process.argv.slice(2);
const { zodziais } = await import(pathToFileURL(modulePath));
const { toCurrency } = await import(pathToFileURL(peerPath));

// 20,000 amounts in 0..999 999 999,99, drawn from a seeded generator, the same in every run.
let seed = 20261209;
const random = (below) => ((seed = (Math.imul(seed, 1103515245) + 12345) >>> 0) >>> 8) % below;
const numbers = Array.from({ length: 20_000 },
    () => random(1000) * 1_000_000 + random(1_000_000) + random(100) / 100);
const texts = numbers.map(String);

// The best of seven passes over the amounts, in ns a call. Every result is read (a character
// from its middle), as a caller would, so that neither side's string is left unfinished.
function perCall(spell, amounts) {
    let best = Infinity;
    let sink = 0;
    for (let pass = 0; pass < 7; pass++) {
        const start = process.hrtime.bigint();
        for (const amount of amounts) {
            const text = spell(amount);
            sink += text.charCodeAt(text.length >> 1);
        }
        best = Math.min(best, Number(process.hrtime.bigint() - start) / amounts.length);
    }
    if (sink === 0)
        throw new Error("no text");
    return best;
}

// The same words on both sides: euros as the noun, cents in words, lower case.
const options = { currency: "eurai", cents: "words", case: "lower" };
const sample = numbers[1];
if (zodziais(sample, options) !== toCurrency(sample))
    console.log(`(the texts differ: "${zodziais(sample, options)}" and "${toCurrency(sample)}")`);
const rows = [
    ["suma-zodziais zodziais(number)", perCall((a) => zodziais(a, options), numbers)],
    ["n2words lt-LT toCurrency(number)", perCall(toCurrency, numbers)],
    ["suma-zodziais zodziais(string)", perCall((a) => zodziais(a, options), texts)],
    ["n2words lt-LT toCurrency(string)", perCall(toCurrency, texts)],
];
for (const [name, ns] of rows)
    console.log(`${name.padEnd(40)} ${(ns / 1000).toFixed(2).padStart(6)} us`);
console.log(`n2words / suma-zodziais, per call: ${(rows[1][1] / rows[0][1]).toFixed(2)}x (numbers), ${(rows[3][1] / rows[2][1]).toFixed(2)}x (strings)`);
console.log(`wasm: ${statSync(wasmPath).size} bytes; the module with it inlined: ${readFileSync(modulePath).length} bytes`);
