// The npm package, installed from its tarball (npm-package.sh): the table of amounts every face
// is held to, and what is JavaScript's own (the amount's types, the error, the options).
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import test from "node:test";
import { SumaError, zodziais } from "suma-zodziais";

// zodziais's options, as the table gives them, as the module's.
function optionsOf(args) {
    const options = {};
    for (let i = 0; i < args.length; i++) {
        if (args[i] === "--plain")
            options.currency = null;
        else if (args[i] === "--upper" || args[i] === "--lower")
            options.case = args[i].slice(2);
        else if (args[i] === "--currency" || args[i] === "--cents")
            options[args[i].slice(2)] = args[++i];
        else
            throw new Error(`an option the table may not use: ${args[i]}`);
    }
    return options;
}

// The text, or "!" and the refusal's status.
function spelled(amount, options) {
    try {
        return zodziais(amount, options);
    } catch (error) {
        if (error instanceof SumaError)
            return "!" + error.status;
        throw error;
    }
}

test("the table of amounts", () => {
    const rows = readFileSync(process.env.SUMA_AMOUNT_CASES, "utf8").split("\n")
        .filter((line) => line && !line.startsWith("#"));
    for (const row of rows) {
        const [amount, args, expected] = row.split("\t");
        assert.equal(spelled(amount, optionsOf(args.split(" ").filter(Boolean))), expected, row);
    }
});

test("numbers, bigints and texts", () => {
    for (const [amount, expected] of [
        [21n, "Dvidešimt vienas Lt"], // whole litai, never cents
        [-5n, "Minus penki Lt"],
        [10n ** 9n, "!TOO_LARGE"],
        [0.1 + 0.2, "30 ct"], // read as String gives it: 0.30000000000000004
        [2.675, "Du Lt 68 ct"],
        [1e-7, "Nulis Lt"],
        [-0, "Nulis Lt"],
        [-5.25, "Minus penki Lt 25 ct"],
        [1e21, "!TOO_LARGE"],
        [NaN, "!NOT_A_NUMBER"],
        [-Infinity, "!NOT_A_NUMBER"],
        ["\u22125", "Minus penki Lt"],
        ["1\u00a0234,56", "Vienas tūkstantis du šimtai trisdešimt keturi Lt 56 ct"],
        ["1e3", "Vienas tūkstantis Lt"],
        ["", "!NOT_A_NUMBER"],
        // Longer than the room the module starts with: the memory grows, and what follows is
        // read from the new memory.
        ["0".repeat(300_000) + "1,5", "Vienas Lt 50 ct"],
        ["\u2212" + "0".repeat(300_000) + "5", "Minus penki Lt"],
        ["9".repeat(100_000), "!TOO_LARGE"],
        ["7", "Septyni Lt"],
    ]) {
        assert.equal(spelled(amount), expected, String(amount).slice(0, 20));
    }
});

test("a refusal is a SumaError with its status and the Lithuanian message", () => {
    for (const [amount, status, message] of [
        ["abc", "NOT_A_NUMBER", "Turi būti skaičius"],
        [1e9, "TOO_LARGE", "Apsiribokime milijonais !"],
    ]) {
        assert.throws(() => zodziais(amount), (error) => error instanceof SumaError
            && error instanceof Error && error.name === "SumaError" && error.status === status
            && error.message === message);
    }
});

test("wrong arguments are TypeErrors and RangeErrors", () => {
    for (const [amount, options, expected] of [
        [true, {}, TypeError],
        [null, {}, TypeError],
        [undefined, {}, TypeError],
        [new Number(5), {}, TypeError],
        [1, null, TypeError],
        [1, "Eur", TypeError],
        [1, { currency: "USD" }, RangeError],
        [1, { currency: "lt" }, RangeError],
        [1, { cents: "Words" }, RangeError],
        [1, { case: "title" }, RangeError],
        [1, { cents: null }, TypeError],
        [1, { case: 2 }, TypeError],
    ]) {
        assert.throws(() => zodziais(amount, options), expected, JSON.stringify(options));
    }
    assert.equal(zodziais(1, { currency: undefined, cents: undefined, case: undefined }), "Vienas Lt");
});

test("the READMEs' examples, line by line", () => {
    const readmes = [process.env.SUMA_README,
        new URL("./node_modules/suma-zodziais/README.md", import.meta.url)];
    for (const readme of readmes) {
        const block = readFileSync(readme, "utf8").split("```js\n")[1].split("```")[0];
        const lines = block.split("\n").map((line) => line.match(/^(.*?);\s*\/\/ (".*")$/))
            .filter(Boolean);
        assert.ok(lines.length > 0, `no example in ${readme}`);
        for (const [, code, shown] of lines)
            assert.equal(new Function("zodziais", `return ${code}`)(zodziais), JSON.parse(shown), code);
    }
});

test("the WebAssembly imports nothing and stays within 20 KB", () => {
    const bytes = readFileSync(process.env.SUMA_WASM);
    assert.deepEqual(WebAssembly.Module.imports(new WebAssembly.Module(bytes)), []);
    assert.ok(bytes.length <= 20 * 1024, `${bytes.length} bytes`);
});
