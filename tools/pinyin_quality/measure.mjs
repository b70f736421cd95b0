// Measures the first readings of huoxing's pinyin dictionary against
// pinyin-pro on simplified Chinese text: the zh_CN manual pages of Debian's
// manpages-zh and the Tang and Song poems of fortunes-zh.
//
//   node measure.mjs HELPER WORKDIR
//
// HELPER is the transcribe_lines program (built by measure.sh), which reports
// what transcribePinyin writes for each character. For every Han character
// (Unified_Ideograph) the toneless syllable we write is compared with the one
// pinyin-pro gives that character in its context. Prints the share that
// agrees, the most frequent disagreements, and the characters whose agreement
// would rise with another first reading.

import { execFileSync } from "node:child_process";
import { readdirSync, readFileSync, lstatSync, writeFileSync, mkdirSync } from "node:fs";
import { join } from "node:path";
import { gunzipSync } from "node:zlib";
import { pinyin } from "pinyin-pro";

const MAN_DIR = "/usr/share/man/zh_CN";
const POEMS = ["/usr/share/games/fortunes/tang300", "/usr/share/games/fortunes/song100"];
// Characters whose readings are pinned: another first reading is no option.
const PINNED = new Set([..."啊安二中国一我女略的长和行重"]);
const TOP = 20;

const [helper, workDir] = process.argv.slice(2);
if (!helper || !workDir) {
    console.error("usage: node measure.mjs HELPER WORKDIR");
    process.exit(64);
}

// Roff source to its text, roughly: comments and macro names go, escapes go.
function roffText(source) {
    const lines = [];
    for (let line of source.split("\n")) {
        if (/^[.']\s*\\"/.test(line)) continue;
        line = line.replace(/\\".*$/, "");
        if (/^[.'](so|de|ds|nr|if|ie|el|ig|tr)\b/.test(line)) continue;
        line = line.replace(/^[.']\s*[A-Za-z]+\s?/, "");
        line = line
            .replace(/\\f(\[[^\]]*\]|\(..|.)/g, "")
            .replace(/\\s[+-]?\d/g, "")
            .replace(/\\[*n](\[[^\]]*\]|\(..|.)/g, "")
            .replace(/\\\(\S\S/g, "")
            .replace(/\\\[[^\]]*\]/g, "")
            .replace(/\\[-e]/g, "-")
            .replace(/\\[&,/|^%:c]/g, "")
            .replace(/\\(.)/g, "$1");
        if (line.trim()) lines.push(line);
    }
    return lines;
}

function manPages(dir) {
    const lines = [];
    for (const name of readdirSync(dir).sort()) {
        const path = join(dir, name);
        const info = lstatSync(path);
        if (info.isDirectory()) lines.push(...manPages(path));
        else if (info.isFile()) {
            const raw = readFileSync(path);
            lines.push(...roffText((name.endsWith(".gz") ? gunzipSync(raw) : raw).toString("utf8")));
        }
    }
    return lines;
}

// Fortune files: poems separated by "%" lines, titles in terminal colours.
function poems(path) {
    return readFileSync(path, "utf8")
        .replace(/\x1b\[[0-9;]*m/g, "")
        .split("\n")
        .filter((line) => line.trim() && line.trim() !== "%");
}

const toneless = (syllable) =>
    syllable
        .normalize("NFD")
        .replace(/\p{M}/gu, "")
        .toLowerCase();
const isHan = (ch) => /\p{Unified_Ideograph}/u.test(ch);

function measure(name, lines) {
    mkdirSync(workDir, { recursive: true });
    const corpus = lines.join("\n") + "\n";
    writeFileSync(join(workDir, `${name}.txt`), corpus);
    const ours = execFileSync(helper, { input: corpus, maxBuffer: 1 << 30 }).toString("utf8").split("\n");
    const result = { han: 0, agree: 0, kept: 0, pairs: new Map(), byChar: new Map() };
    lines.forEach((line, index) => {
        const fields = ours[index].split(" ");
        const chars = [...line];
        const theirs = pinyin(line, { toneType: "none", type: "all" });
        if (fields.length !== chars.length || theirs.length !== chars.length) {
            throw new Error(`line ${index + 1} of ${name}: ${chars.length} characters, ` +
                `${fields.length} fields, ${theirs.length} from pinyin-pro`);
        }
        chars.forEach((ch, i) => {
            if (!isHan(ch)) return;
            if (theirs[i].origin !== ch) throw new Error(`line ${index + 1} of ${name}: pinyin-pro out of step`);
            const mine = fields[i];
            const peer = toneless(theirs[i].pinyin);
            result.han += 1;
            if (mine === "*") result.kept += 1;
            const readings = result.byChar.get(ch) ?? { ours: mine, peer: new Map() };
            readings.peer.set(peer, (readings.peer.get(peer) ?? 0) + 1);
            result.byChar.set(ch, readings);
            if (mine === peer) {
                result.agree += 1;
                return;
            }
            const key = `${ch} ${mine === "*" ? "(kept)" : mine} ${peer || "(none)"}`;
            result.pairs.set(key, (result.pairs.get(key) ?? 0) + 1);
        });
    });
    return result;
}

const percent = (part, whole) => ((100 * part) / whole).toFixed(2) + "%";

function merge(results) {
    const total = { han: 0, agree: 0, kept: 0, pairs: new Map(), byChar: new Map() };
    for (const r of results) {
        total.han += r.han;
        total.agree += r.agree;
        total.kept += r.kept;
        for (const [k, v] of r.pairs) total.pairs.set(k, (total.pairs.get(k) ?? 0) + v);
        for (const [ch, readings] of r.byChar) {
            const t = total.byChar.get(ch) ?? { ours: readings.ours, peer: new Map() };
            for (const [s, n] of readings.peer) t.peer.set(s, (t.peer.get(s) ?? 0) + n);
            total.byChar.set(ch, t);
        }
    }
    return total;
}

const corpora = [
    ["manpages-zh", manPages(MAN_DIR)],
    ["fortunes-zh poems", POEMS.flatMap(poems)],
];
const results = corpora.map(([name, lines]) => {
    const r = measure(name.replace(/\W+/g, "-"), lines);
    console.log(`${name}: ${r.agree} of ${r.han} Han characters agree (${percent(r.agree, r.han)}), ` +
        `${r.kept} kept without reading`);
    return r;
});
const total = merge(results);
console.log(`together: ${total.agree} of ${total.han} Han characters agree (${percent(total.agree, total.han)})`);

console.log(`\nThe ${TOP} most frequent disagreements (character, ours, pinyin-pro's, count):`);
[...total.pairs].sort((a, b) => b[1] - a[1]).slice(0, TOP).forEach(([key, n]) => console.log(`  ${key} ${n}`));

console.log("\nCharacters that would agree more often with another first reading (gain, the counts):");
const better = [];
for (const [ch, { ours, peer }] of total.byChar) {
    const [best, bestCount] = [...peer].sort((a, b) => b[1] - a[1])[0];
    const gain = bestCount - (peer.get(ours) ?? 0);
    if (best !== ours && best && gain > 0) better.push([gain, ch, ours, best, peer]);
}
better.sort((a, b) => b[0] - a[0]);
for (const [gain, ch, ours, best, peer] of better.slice(0, TOP)) {
    const counts = [...peer].map(([s, n]) => `${s || "(none)"} ${n}`).join(", ");
    console.log(`  ${ch} ${ours} -> ${best}: +${gain}${PINNED.has(ch) ? " (pinned row, stays)" : ""} [${counts}]`);
}
if (!better.length) console.log("  none");
