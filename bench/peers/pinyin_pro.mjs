// Times pinyin-pro's toneless transcription of a whole UTF-8 text in memory.
//
//   node pinyin_pro.mjs PACKAGE_DIR FILE RUNS
//
// PACKAGE_DIR is a folder whose node_modules holds pinyin-pro (run.py passes
// tools/pinyin_quality, where its version is pinned). Prints
// "pinyin-pro INPUT_BYTES MEDIAN_SECONDS" and the version on stderr.

import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { resolve } from "node:path";

const [packageDir, file, runs] = process.argv.slice(2);
if (!packageDir || !file) {
    console.error("usage: node pinyin_pro.mjs PACKAGE_DIR FILE [RUNS]");
    process.exit(64);
}
const require = createRequire(resolve(packageDir, "package.json"));
const { pinyin } = require("pinyin-pro");
const { version } = require("pinyin-pro/package.json");

const bytes = readFileSync(file);
const text = bytes.toString("utf8");
const seconds = [];
let keep = 0;
for (let i = 0; i < Number(runs || 3); i++) {
    const start = process.hrtime.bigint();
    const result = pinyin(text, { toneType: "none" });
    seconds.push(Number(process.hrtime.bigint() - start) / 1e9);
    keep += result.length;
}
seconds.sort((a, b) => a - b);
console.error(`pinyin-pro ${version}: ${keep} characters written`);
console.log(`pinyin-pro ${bytes.length} ${seconds[Math.floor(seconds.length / 2)]}`);
