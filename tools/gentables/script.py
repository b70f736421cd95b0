"""The script-conversion tables: kTraditionalToSimplifiedTable and
kSimplifiedToTraditionalTable, one entry for each of the 126 x 190 GBK
double-byte codes: the code that replaces it.

Where an entry comes from, highest precedence first:
  1. tools/data/script_rows.txt: fixed entries (forms the tables must give,
     the punctuation, chosen forms). Nothing below changes one; where a rule
     would have to, the generator stops.
  2. The symbol rows (lead bytes 0xA1-0xA9) and the user-defined areas: the
     code's own code.
  3. Unihan's kSimplifiedVariant and kTraditionalVariant: a traditional-
     simplified pair read from either field counts for both tables, where
     both characters have a GBK double-byte code outside the symbol rows and
     the user-defined areas. Where a unit has several counterparts:
       t2s  a character other than the unit itself wins (乾 -> 干, 裡 -> 里,
            which Unihan also lists as their own simplified form); among
            several, the commoner simplified character: GB2312 level 1, then
            level 2, then the GBK extension; then Unicode order.
       s2t  the counterpart commonest in traditional text: Unihan's kFrequency
            (1 is the most frequent; none counts as rarest), then Big5 level 1
            (Big5's frequent set), level 2, outside Big5; then the unit itself
            (a character that traditional text also writes unchanged, as often
            as its counterpart, stays); then Unicode order.
  4. Every other code: its own code.

Then each table is made to map every code it gives to itself, so converting
twice gives what converting once gives. Where an entry gives a code whose own
entry moves on:
  t2s  the entry follows on (薴 -> 苧 -> 苎 gives 薴 -> 苎): a variant of a
       traditional character simplifies as that character does;
  s2t  the code given keeps its own code: it is a traditional form already.
A fixed entry is never moved; a fixed entry that gives a code with a
different fixed entry stops the generator.
"""

import os

from . import emit, gbk, unihan

TARGET = "script"
OUTPUT = "convert/script_tables.h"
FIXED_ROWS = os.path.join(os.path.dirname(__file__), "..", "data", "script_rows.txt")
VARIANTS_FILE = "Unihan_Variants.txt.bz2"
MAPPINGS_FILE = "Unihan_OtherMappings.txt.bz2"
DICTIONARY_FILE = "Unihan_DictionaryLikeData.txt.bz2"
TABLES = {"t2s": "kTraditionalToSimplifiedTable", "s2t": "kSimplifiedToTraditionalTable"}


def in_symbol_rows(code):
    return 0xA1 <= code >> 8 <= 0xA9


def read_fixed_rows(path=FIXED_ROWS):
    """{"t2s": {unit code: entry code}, "s2t": {...}} from the data file."""
    fixed = {name: {} for name in TABLES}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 3 or fields[0] not in fixed or len(fields[1]) != 1 or len(fields[2]) != 1:
                raise SystemExit(f"{path}:{number}: expected t2s|s2t<TAB>unit<TAB>entry")
            table, unit, entry = fixed[fields[0]], gbk.code_of(fields[1]), gbk.code_of(fields[2])
            if unit in table:
                raise SystemExit(f"{path}:{number}: {fields[1]} already has an entry in {fields[0]}")
            table[unit] = entry
    return fixed


def convertible(cp):
    """A character the Unihan pairs may use: GBK double-byte, no symbol, not user-defined."""
    code = gbk.encode(cp)
    return code is not None and not in_symbol_rows(code) and not gbk.in_user_defined_area(code)


def read_pairs():
    """{traditional cp: [simplified cps]} and {simplified cp: [traditional cps]}, in Unihan's order.

    A unit may list itself: Unihan names a character its own simplified
    (or traditional) form where it also stands for itself in that script.
    """
    fields = unihan.read_fields(VARIANTS_FILE, ["kSimplifiedVariant", "kTraditionalVariant"])
    to_simplified, to_traditional = {}, {}

    def add(mapping, unit, counterpart):
        forms = mapping.setdefault(unit, [])
        if counterpart not in forms:
            forms.append(counterpart)

    for field, forward, backward in (
        ("kSimplifiedVariant", to_simplified, to_traditional),
        ("kTraditionalVariant", to_traditional, to_simplified),
    ):
        for unit, value in sorted(fields[field].items()):
            for form in unihan.code_points(value):
                if convertible(unit) and convertible(form):
                    add(forward, unit, form)
                    if form != unit:
                        add(backward, form, unit)
    return to_simplified, to_traditional


def gb2312_level(cp):
    """0 for GB2312 level 1 (its common characters), 1 for level 2, 2 for the GBK extension."""
    code = gbk.code_of(chr(cp))
    if not gbk.in_gb2312(code):
        return 2
    return 0 if code >> 8 <= 0xD7 else 1


def big5_levels():
    levels = {}
    for cp, value in unihan.read_fields(MAPPINGS_FILE, ["kBigFive"])["kBigFive"].items():
        levels[cp] = 0 if int(value.split()[0], 16) < 0xC940 else 1
    return levels


def frequencies():
    return {cp: int(value) for cp, value in unihan.read_fields(DICTIONARY_FILE, ["kFrequency"])["kFrequency"].items()}


def choose_simplified(unit, forms):
    others = [f for f in forms if f != unit]
    if not others:
        return unit
    return min(others, key=lambda f: (gb2312_level(f), f))


def choose_traditional(unit, forms, frequency, big5):
    return min(forms, key=lambda f: (frequency.get(f, 6), big5.get(f, 2), f != unit, f))


def derived_entries(fixed):
    """{code: entry} for both tables from rules 1 to 4, before idempotence."""
    to_simplified, to_traditional = read_pairs()
    frequency, big5 = frequencies(), big5_levels()
    tables = {}
    for name, pairs in (("t2s", to_simplified), ("s2t", to_traditional)):
        entries = {}
        for code in gbk.all_codes():
            cp = gbk.TO_UNICODE.get(code)
            if code in fixed[name]:
                entries[code] = fixed[name][code]
            elif cp is None or in_symbol_rows(code) or gbk.in_user_defined_area(code) or cp not in pairs:
                entries[code] = code
            elif name == "t2s":
                entries[code] = gbk.code_of(chr(choose_simplified(cp, pairs[cp])))
            else:
                entries[code] = gbk.code_of(chr(choose_traditional(cp, pairs[cp], frequency, big5)))
        tables[name] = entries
    return tables


def settle(name, entries, fixed):
    """Makes `entries` map every code it gives to itself (see the module's notes)."""
    follow = name == "t2s"
    for _ in range(8):
        moved = False
        for code in gbk.all_codes():
            target = entries[code]
            onward = entries[target]
            if onward == target:
                continue
            moved = True
            if code in fixed and target in fixed:
                raise SystemExit(f"script: fixed {name} entries {show(code)} -> {show(target)} -> {show(onward)}")
            if code not in fixed and (follow or target in fixed):
                entries[code] = onward
            else:
                entries[target] = target
        if not moved:
            return entries
    raise SystemExit(f"script: {name} does not settle")


def show(code):
    ch = gbk.decode(code)
    return f"{ch or '?'} ({gbk.hex_code(code)})"


def check(name, entries, fixed):
    """Every fact the tables must hold; a violation stops the generator."""
    assert len(entries) == gbk.CODES
    for code, entry in entries.items():
        gbk.code_index(entry)  # a GBK double-byte code: lead 0x81-0xFE, a trail byte with a column
        assert entry >> 8 and entry & 0xFF, f"{name}: zero byte in the entry of {show(code)}"
        assert entries[entry] == entry, f"{name}: {show(code)} -> {show(entry)} -> {show(entries[entry])}"
        if code in fixed:
            assert entry == fixed[code], f"{name}: fixed entry of {show(code)} moved to {show(entry)}"
        elif in_symbol_rows(code) or gbk.in_user_defined_area(code):
            assert entry == code, f"{name}: {show(code)} is a symbol or user-defined code"
        if code in gbk.TO_UNICODE:
            assert entry in gbk.TO_UNICODE, f"{name}: {show(code)} -> {gbk.hex_code(entry)}, no character"
        else:
            assert entry == code, f"{name}: {gbk.hex_code(code)} holds no character"


def build():
    fixed = read_fixed_rows()
    tables = derived_entries(fixed)
    for name, entries in tables.items():
        settle(name, entries, fixed[name])
        check(name, entries, fixed[name])
    return tables


def changed_count(entries):
    return sum(1 for code, entry in entries.items() if entry != code)


def table_text(name, entries):
    codes = gbk.all_codes()
    lines = []
    for row, lead in enumerate(range(gbk.LEAD_FIRST, gbk.LEAD_LAST + 1)):
        values = [entries[code] for code in codes[row * gbk.COLUMNS : (row + 1) * gbk.COLUMNS]]
        lines.append(f"    // lead byte 0x{lead:02X}")
        lines.append(emit.hex_words(values, per_line=10))
    return f"""inline constexpr ScriptTable {TABLES[name]} = {{{{
{chr(10).join(lines)}
}}}};"""


def generate():
    tables = build()
    counts = {name: changed_count(entries) for name, entries in tables.items()}
    text = emit.header(
        TARGET,
        [VARIANTS_FILE, MAPPINGS_FILE, DICTIONARY_FILE],
        ["Fixed entries: tools/data/script_rows.txt", "Rules for the choice of forms: tools/gentables/script.py"],
    )
    text += f"""#pragma once
// The script-conversion tables. Each holds one entry for every GBK double-byte
// code, in the 126 x 190 layout (row = lead - 0x81; column = trail - 0x40 for
// 0x40..0x7E, trail - 0x41 for 0x80..0xFE): the code that replaces it, lead
// byte high. A code without a counterpart holds its own code; each table maps
// every code it gives to itself.
//   {TABLES["t2s"]}: {counts["t2s"]} entries differ from their own code.
//   {TABLES["s2t"]}: {counts["s2t"]} entries differ from their own code.

#include <array>
#include <cstdint>

namespace huoxing {{

inline constexpr int kScriptTableRows = {gbk.ROWS};
inline constexpr int kScriptTableColumns = {gbk.COLUMNS};

using ScriptTable = std::array<std::uint16_t, kScriptTableRows * kScriptTableColumns>;

{table_text("t2s", tables["t2s"])}

{table_text("s2t", tables["s2t"])}

static_assert(std::tuple_size_v<ScriptTable> == {gbk.CODES});
static_assert(sizeof(ScriptTable) == {2 * gbk.CODES});

}}  // namespace huoxing
"""
    return {OUTPUT: text}
