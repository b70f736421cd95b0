"""The Martian tables: kPlainTable and kMartianTable, 2,826 parallel rows.

Rows 1-270 (look-alike rows) and the numbered traditional-form rows come from
tools/data/martian_rows.txt. Every other row is a traditional-form row drawn
from Unihan, filled into the gap between the two fixed rows around it so that
each fixed row keeps its number.

Rules for a generated row (plain -> Martian):
  - plain is a Han character of U+4E00..U+9FFF with a GBK double-byte code,
    strictly between the plain characters of the fixed rows around the gap
    (the section is ascending by code point); it stands in no look-alike row
    and in no row's Martian column;
  - Martian is a GBK double-byte code outside the GB2312 area that stands in
    no other row of either column, so each generated row round-trips alone;
  - Martian is the plain character's kTraditionalVariant. Where Unihan lists
    several, the form in common use wins: a Big5 level-1 character (Big5's
    frequent set) before a level-2 one before one outside Big5, and among
    equals a form whose kSimplifiedVariant names the plain character, then
    Unihan's order.
  - Where a gap has more candidates than rows, the commonest plain characters
    stay: GB2312 level 1, then level 2, then the GBK extension, then by code
    point. Where kTraditionalVariant runs short, kSemanticVariant, kZVariant
    and kSpecializedSemanticVariant pairs fill the gap, ranked the same way.
  - If a gap still cannot be filled, the generator stops: the fixed rows must
    keep their numbers.
"""

import os

from . import emit, gbk, unihan

TARGET = "martian"
ROW_COUNT = 2826
LOOKALIKE_ROWS = 270
OUTPUT = "convert/martian_tables.h"
FIXED_ROWS = os.path.join(os.path.dirname(__file__), "..", "data", "martian_rows.txt")
VARIANT_FIELDS = ["kTraditionalVariant", "kSemanticVariant", "kZVariant", "kSpecializedSemanticVariant"]
VARIANTS_FILE = "Unihan_Variants.txt.bz2"
MAPPINGS_FILE = "Unihan_OtherMappings.txt.bz2"


def read_fixed_rows(path=FIXED_ROWS):
    rows = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 3 or len(fields[1]) != 1 or len(fields[2]) != 1:
                raise ValueError(f"{path}:{number}: expected row<TAB>plain<TAB>Martian")
            row = int(fields[0])
            if row in rows or not 1 <= row <= ROW_COUNT:
                raise ValueError(f"{path}:{number}: row {row} repeated or out of range")
            rows[row] = (fields[1], fields[2])
    return rows


def big5_rank(big5_fields):
    """0 for Big5 level 1 (its frequent characters), 1 for level 2, 2 outside Big5."""
    ranks = {}
    for cp, value in big5_fields.items():
        code = int(value.split()[0], 16)
        ranks[cp] = 0 if code < 0xC940 else 1
    return ranks


def plain_rank(ch):
    """Commoner plain characters first: GB2312 level 1, level 2, then the GBK extension."""
    code = gbk.code_of(ch)
    lead = code >> 8
    if gbk.in_gb2312(code) and lead <= 0xD7:
        return 0
    if gbk.in_gb2312(code):
        return 1
    return 2


class Generator:
    def __init__(self):
        self.fixed = read_fixed_rows()
        self.variants = unihan.read_fields(VARIANTS_FILE, VARIANT_FIELDS)
        self.big5 = big5_rank(unihan.read_fields(MAPPINGS_FILE, ["kBigFive"])["kBigFive"])
        self.simplified_of = {
            cp: set(unihan.code_points(value))
            for cp, value in unihan.read_fields(VARIANTS_FILE, ["kSimplifiedVariant"])["kSimplifiedVariant"].items()
        }
        lookalike = [pair for row, pair in self.fixed.items() if row <= LOOKALIKE_ROWS]
        self.not_plain = {ch for pair in lookalike for ch in pair} | {m for _, m in self.fixed.values()}
        self.used = {ch for pair in self.fixed.values() for ch in pair}

    def form_order(self, plain, forms):
        def key(indexed):
            index, cp = indexed
            names_plain = ord(plain) in self.simplified_of.get(cp, ())
            return (self.big5.get(cp, 2), not names_plain, index)

        return [cp for _, cp in sorted(enumerate(forms), key=key)]

    def usable_form(self, cp):
        code = gbk.encode(cp)
        return code is not None and not gbk.in_gb2312(code) and chr(cp) not in self.used

    def candidates(self, low, high, fields):
        """(plain, [forms in order of preference]) for plain characters in (low, high)."""
        found = []
        for cp in range(ord(low) + 1, ord(high)):
            plain = chr(cp)
            if not 0x4E00 <= cp <= 0x9FFF or gbk.encode(cp) is None or plain in self.not_plain:
                continue
            if plain in self.used:
                continue
            forms = []
            for field in fields:
                value = self.variants[field].get(cp)
                if value:
                    forms += [f for f in unihan.code_points(value) if f != cp and f not in forms]
            forms = [f for f in self.form_order(plain, forms)]
            if forms:
                found.append((plain, forms))
        return found

    def fill_gap(self, low, high, need):
        """Exactly `need` rows with plain characters strictly between low and high."""
        chosen = []
        for tier in (VARIANT_FIELDS[:1], VARIANT_FIELDS[1:]):
            if len(chosen) == need:
                break
            taken = {plain for plain, _ in chosen}
            pool = [c for c in self.candidates(low, high, tier) if c[0] not in taken]
            pool.sort(key=lambda c: (plain_rank(c[0]), ord(c[0])))
            for plain, forms in pool:
                if len(chosen) == need:
                    break
                form = next((f for f in forms if self.usable_form(f)), None)
                if form is None:
                    continue
                chosen.append((plain, chr(form)))
                self.used |= {plain, chr(form)}
        if len(chosen) != need:
            raise SystemExit(f"martian: the gap between {low} and {high} takes {need} rows, found {len(chosen)}")
        return sorted(chosen, key=lambda pair: ord(pair[0]))

    def rows(self):
        rows = [self.fixed[r] for r in range(1, LOOKALIKE_ROWS + 1)]
        numbered = sorted(r for r in self.fixed if r > LOOKALIKE_ROWS)
        if numbered[0] != LOOKALIKE_ROWS + 1 or numbered[-1] != ROW_COUNT:
            raise SystemExit("martian: the traditional-form section must start and end with fixed rows")
        # Claim the plain characters of every fixed row before filling any gap.
        for before, after in zip(numbered, numbered[1:]):
            rows.append(self.fixed[before])
            rows += self.fill_gap(self.fixed[before][0], self.fixed[after][0], after - before - 1)
        rows.append(self.fixed[numbered[-1]])
        return rows


def check(rows):
    """Invariants of the tables; a violation stops the generator."""
    assert len(rows) == ROW_COUNT
    section = [plain for plain, _ in rows[LOOKALIKE_ROWS:]]
    assert all(ord(a) < ord(b) for a, b in zip(section, section[1:])), "plain column not ascending"
    for plain, martian in rows:
        for ch in (plain, martian):
            code = gbk.code_of(ch)
            assert 0x81 <= code >> 8 <= 0xFD and 0x40 <= code & 0xFF <= 0xFE and code & 0xFF != 0x7F, ch
        assert 0x4E00 <= ord(plain) <= 0x9FFF, plain


def table_lines(rows, column):
    lines = []
    for number, pair in enumerate(rows, 1):
        code = gbk.code_of(pair[column])
        lines.append(f"    0x{code >> 8:02X}, 0x{code & 0xFF:02X},  // {number} {pair[column]}")
    return "\n".join(lines)


def generate():
    rows = Generator().rows()
    check(rows)
    text = emit.header(TARGET, [VARIANTS_FILE, MAPPINGS_FILE], ["Fixed rows: tools/data/martian_rows.txt"])
    text += f"""#pragma once
// The Martian-script tables: row r of kPlainTable and row r of kMartianTable
// form a pair. Each table is one run of {ROW_COUNT} GBK double-byte codes
// (lead byte, trail byte) followed by a terminating zero byte.

namespace huoxing {{

inline constexpr int kMartianRowCount = {ROW_COUNT};

inline constexpr unsigned char kPlainTable[{2 * ROW_COUNT + 1}] = {{
{table_lines(rows, 0)}
    0x00,
}};

inline constexpr unsigned char kMartianTable[{2 * ROW_COUNT + 1}] = {{
{table_lines(rows, 1)}
    0x00,
}};

}}  // namespace huoxing
"""
    return {OUTPUT: text}
