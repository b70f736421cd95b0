"""The pinyin dictionary: kReadingTable, kPolyphoneTable and kSyllableParts.

One cell of kReadingTable for each code of the GB2312 hanzi area (lead bytes
0xB0..0xF7, trail bytes 0xA1..0xFE): 0 for no reading, a reading with bit 15
clear, or bit 15 set and the row of kPolyphoneTable (rows numbered in the
order of the polyphonic cells). A reading is two codes of kSyllableParts: the
initial in the low byte and the final in the high byte, or a syllable without
an initial as its final alone in the low byte.

Where the readings of a character come from, highest precedence first:
  1. tools/data/pinyin_readings.txt: a line there replaces everything Unihan
     says about the character (its readings in order, or none at all), and may
     pin the character to a row of kPolyphoneTable.
  2. Unihan, lowercased, tones removed, u with diaeresis written u, syllables
     that do not split into a listed initial (or none) and a listed final left
     out (m, n, ng, hm, the r of erhua). The first reading is the most common
     one in modern use: the largest kHanyuPinlu count where the character has
     counts, else kMandarin. The other readings follow in the order kHanyuPinlu
     (by count), kMandarin, kXHC1983, kTGHZ2013, kHanyuPinyin.

Which characters are stored as polyphonic: the pinned rows fix how many
polyphonic cells lie before each of them, and PolyphoneRows fixes the total.
Between two pinned rows the generator takes the characters with a second
reading whose second reading is the most common in modern text: counted in
kHanyuPinlu, else listed by both modern dictionaries (kXHC1983 and kTGHZ2013),
else by one of them or kMandarin; among equals the commoner character (GB2312
level 1 before level 2), then code order. The rest keep their first reading
alone. Characters of the data file are polyphonic exactly when the file gives
them more than one reading. ThirdReadingRows rows also keep a third reading,
chosen by the same order over the third readings.
"""

import os
import re
import unicodedata

from . import emit, gbk, unihan

TARGET = "pinyin"
OUTPUT = "convert/pinyin_tables.h"
READINGS_FILE = "Unihan_Readings.txt.bz2"
HAND_READINGS_NAME = "tools/data/pinyin_readings.txt"
HAND_READINGS = os.path.join(os.path.dirname(__file__), "..", "data", "pinyin_readings.txt")
FIELDS = ["kHanyuPinlu", "kMandarin", "kXHC1983", "kTGHZ2013", "kHanyuPinyin"]
MODERN_DICTIONARIES = ["kXHC1983", "kTGHZ2013"]

INITIALS = "zh ch sh b p m f d t n l g k h j q x r z c s y w".split()
FINALS = "ang eng an ai ao ou er en ei a o e uang iang iong ing ong uai uan iao ian ui iu ie ue in un ia ua uo i u".split()
PARTS = INITIALS + FINALS  # code = index + 1
# The finals a syllable without an initial can have (y and w count as initials).
BARE_FINALS = {"a", "o", "e", "ai", "ei", "ao", "ou", "an", "en", "ang", "eng", "er"}

LEAD_FIRST, LEAD_LAST = 0xB0, 0xF7
TRAIL_FIRST, TRAIL_LAST = 0xA1, 0xFE
COLUMNS = TRAIL_LAST - TRAIL_FIRST + 1  # 94
CELLS = (LEAD_LAST - LEAD_FIRST + 1) * COLUMNS  # 6,768
UNASSIGNED = {0xD7FA, 0xD7FB, 0xD7FC, 0xD7FD, 0xD7FE}
POLYPHONE_FLAG = 0x8000
READINGS_PER_ROW = 3

POLYPHONE_ROWS = 479
THIRD_READING_ROWS = 26


class BadData(SystemExit):
    pass


def part_code(letters):
    return PARTS.index(letters) + 1


def split_syllable(syllable):
    """(initial or None, final) of a toneless syllable, or None where it does not split."""
    for initial in INITIALS:
        if syllable.startswith(initial) and syllable[len(initial) :] in FINALS:
            return initial, syllable[len(initial) :]
    if syllable in BARE_FINALS:
        return None, syllable
    return None


def encode_reading(syllable):
    parts = split_syllable(syllable)
    if parts is None:
        raise BadData(f"pinyin: {syllable!r} is no syllable of a listed initial and final")
    initial, final = parts
    if initial is None:
        return part_code(final)
    return part_code(initial) | part_code(final) << 8


def decode_reading(value):
    low, high = value & 0xFF, value >> 8
    return "".join(PARTS[code - 1] for code in (low, high) if code)


def toneless(syllable):
    """'lǜ' -> 'lu': lowercase, every combining mark (tone or diaeresis) removed."""
    decomposed = unicodedata.normalize("NFD", syllable.lower())
    plain = "".join(c for c in decomposed if not unicodedata.combining(c))
    if not re.fullmatch(r"[a-z]+", plain):
        raise BadData(f"pinyin: cannot read the Unihan reading {syllable!r}")
    return plain


def unique(values):
    seen = []
    for value in values:
        if value not in seen:
            seen.append(value)
    return seen


class Sources:
    """The toneless readings Unihan gives a character, field by field."""

    def __init__(self):
        self.fields = unihan.read_fields(READINGS_FILE, FIELDS)

    def pinlu_counts(self, cp):
        counts = {}
        for token in self.fields["kHanyuPinlu"].get(cp, "").split():
            m = re.fullmatch(r"(\S+)\((\d+)\)", token)
            if not m:
                raise BadData(f"pinyin: cannot read the kHanyuPinlu entry {token!r} of U+{cp:04X}")
            syllable = toneless(m.group(1))
            counts[syllable] = counts.get(syllable, 0) + int(m.group(2))
        return counts

    def listed(self, field, cp):
        """Readings of a field in the order it gives them ('0121.040:cháng 1456.020:zhǎng')."""
        value = self.fields[field].get(cp, "")
        if field == "kMandarin":
            return [toneless(s) for s in value.split()]
        readings = []
        for token in value.split():
            if ":" not in token:
                raise BadData(f"pinyin: cannot read the {field} entry {token!r} of U+{cp:04X}")
            readings += [toneless(s) for s in token.split(":", 1)[1].split(",")]
        return readings

    def readings(self, cp):
        """Splittable readings in order of precedence, the most common first."""
        counts = self.pinlu_counts(cp)
        by_count = sorted(counts, key=lambda s: -counts[s])  # stable: ties keep Unihan's order
        ordered = by_count + [s for field in FIELDS[1:] for s in self.listed(field, cp)]
        return [s for s in unique(ordered) if split_syllable(s)]

    def commonness(self, cp, syllable):
        """Sort key of a further reading: the more common in modern text, the smaller."""
        in_modern = sum(syllable in self.listed(field, cp) for field in MODERN_DICTIONARIES)
        in_mandarin = syllable in self.listed("kMandarin", cp)
        return (-self.pinlu_counts(cp).get(syllable, 0), -in_modern, -in_mandarin)


class HandReadings:
    """tools/data/pinyin_readings.txt: char<TAB>readings[<TAB>row N]."""

    def __init__(self, path=HAND_READINGS):
        self.readings = {}  # char -> [syllables], [] for no reading
        self.rows = {}  # char -> pinned row of kPolyphoneTable
        with open(path, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                if line.startswith("#") or not line.strip():
                    continue
                where = f"{HAND_READINGS_NAME}:{number}"
                fields = line.rstrip("\n").split("\t")
                if len(fields) not in (2, 3) or len(fields[0]) != 1:
                    raise BadData(f"{where}: expected char<TAB>readings[<TAB>row N]")
                ch, syllables = fields[0], fields[1].split()
                code = gbk.encode(ch)
                if code is None or not in_hanzi_area(code):
                    raise BadData(f"{where}: {ch} is not in the GB2312 hanzi area")
                if ch in self.readings:
                    raise BadData(f"{where}: {ch} given twice")
                if syllables == ["-"]:
                    syllables = []
                for syllable in syllables:
                    if split_syllable(syllable) is None:
                        raise BadData(f"{where}: {syllable!r} is no syllable of a listed initial and final")
                if len(unique(syllables)) != len(syllables) or len(syllables) > READINGS_PER_ROW:
                    raise BadData(f"{where}: readings repeated, or more than {READINGS_PER_ROW}")
                self.readings[ch] = syllables
                if len(fields) == 3:
                    m = re.fullmatch(r"row (\d+)", fields[2])
                    if not m or len(syllables) < 2 or not 0 <= int(m.group(1)) < POLYPHONE_ROWS:
                        raise BadData(f"{where}: a pinned row is 'row N' of a character with several readings")
                    self.rows[ch] = int(m.group(1))
        if len(set(self.rows.values())) != len(self.rows):
            raise BadData(f"{HAND_READINGS_NAME}: two characters pinned to one row")


def in_hanzi_area(code):
    return LEAD_FIRST <= code >> 8 <= LEAD_LAST and TRAIL_FIRST <= code & 0xFF <= TRAIL_LAST


def cell_code(cell):
    return (LEAD_FIRST + cell // COLUMNS) << 8 | (TRAIL_FIRST + cell % COLUMNS)


def is_level_one(code):
    return code >> 8 <= 0xD7


class Dictionary:
    def __init__(self):
        self.sources = Sources()
        self.hand = HandReadings()
        self.chars = [gbk.decode(cell_code(cell)) for cell in range(CELLS)]
        self.readings = [self.readings_of(cell) for cell in range(CELLS)]
        polyphonic = self.choose_polyphonic()
        self.rows = [self.row_readings(cell) for cell in polyphonic]
        self.keep_third_readings(polyphonic)
        self.polyphonic = polyphonic

    def readings_of(self, cell):
        code, ch = cell_code(cell), self.chars[cell]
        if ch is None:
            if code not in UNASSIGNED:
                raise BadData(f"pinyin: {gbk.hex_code(code)} holds no character")
            return []
        if ch in self.hand.readings:
            return self.hand.readings[ch]
        readings = self.sources.readings(ord(ch))
        if not readings:
            raise BadData(f"pinyin: {ch} ({gbk.hex_code(code)}) has no reading; give it one in {HAND_READINGS_NAME}")
        return readings

    def hand_given(self, cell):
        return self.chars[cell] in self.hand.readings

    def rank(self, cell, index):
        """Sort key of a cell by how common its reading number `index` (0-based) is."""
        code = cell_code(cell)
        common = self.sources.commonness(ord(self.chars[cell]), self.readings[cell][index])
        return common + (not is_level_one(code), cell)

    def choose_polyphonic(self):
        """The polyphonic cells in order: every pinned row keeps its number."""
        pinned = sorted((cell for cell in range(CELLS) if self.chars[cell] in self.hand.rows))
        chosen = []
        segments = zip([-1] + pinned, pinned + [CELLS])
        for after, before in segments:
            want = (self.hand.rows[self.chars[before]] if before < CELLS else POLYPHONE_ROWS) - len(chosen)
            want -= 1 if after >= 0 else 0
            if after >= 0:
                chosen.append(after)
            inside = range(after + 1, before)
            forced = [c for c in inside if self.hand_given(c) and len(self.readings[c]) > 1]
            free = [c for c in inside if not self.hand_given(c) and len(self.readings[c]) > 1]
            free.sort(key=lambda c: self.rank(c, 1))
            if want < len(forced) or want > len(forced) + len(free):
                raise BadData(f"pinyin: {want} polyphonic cells wanted before row {len(chosen) + want}, "
                              f"{len(forced)} given and {len(free)} more to choose from")
            chosen += sorted(forced + free[: want - len(forced)])
        assert len(chosen) == POLYPHONE_ROWS
        return chosen

    def row_readings(self, cell):
        return self.readings[cell][:READINGS_PER_ROW]

    def keep_third_readings(self, polyphonic):
        """Third readings: those of the data file, then the most common others up to the total."""
        forced = [r for r, c in enumerate(polyphonic) if self.hand_given(c) and len(self.rows[r]) == 3]
        free = [r for r, c in enumerate(polyphonic) if not self.hand_given(c) and len(self.rows[r]) == 3]
        free.sort(key=lambda r: self.rank(polyphonic[r], 2))
        if len(forced) > THIRD_READING_ROWS or len(forced) + len(free) < THIRD_READING_ROWS:
            raise BadData(f"pinyin: cannot keep exactly {THIRD_READING_ROWS} third readings")
        keep = set(forced + free[: THIRD_READING_ROWS - len(forced)])
        for r in range(len(self.rows)):
            if r not in keep:
                self.rows[r] = self.rows[r][:2]

    def cells(self):
        row_of = {cell: r for r, cell in enumerate(self.polyphonic)}
        values = []
        for cell in range(CELLS):
            if cell in row_of:
                values.append(POLYPHONE_FLAG | row_of[cell])
            elif self.readings[cell]:
                values.append(encode_reading(self.readings[cell][0]))
            else:
                values.append(0)
        return values

    def polyphone_values(self):
        return [[encode_reading(s) for s in row] + [0] * (READINGS_PER_ROW - len(row)) for row in self.rows]


def check(dictionary, cells, rows):
    """Invariants of the tables; a violation stops the generator."""
    assert len(cells) == CELLS and len(rows) == POLYPHONE_ROWS
    flagged = [c for c in cells if c & POLYPHONE_FLAG]
    assert [c & ~POLYPHONE_FLAG for c in flagged] == list(range(POLYPHONE_ROWS)), "rows out of cell order"
    assert sum(1 for row in rows if row[2]) == THIRD_READING_ROWS
    for row in rows:
        assert row[0] and row[1] and len(set(v for v in row if v)) == sum(1 for v in row if v)
    for value in [c for c in cells if c and not c & POLYPHONE_FLAG] + [v for row in rows for v in row if v]:
        low, high = value & 0xFF, value >> 8
        assert 1 <= low <= len(PARTS) and 0 <= high <= len(PARTS), hex(value)
        assert split_syllable(decode_reading(value)) is not None, hex(value)
        assert (high == 0) == (low > len(INITIALS)), f"{value:#06x}: an initial needs a final after it"
    for ch, row in dictionary.hand.rows.items():
        assert cells[cell_of(gbk.code_of(ch))] == POLYPHONE_FLAG | row, ch


def cell_of(code):
    return ((code >> 8) - LEAD_FIRST) * COLUMNS + (code & 0xFF) - TRAIL_FIRST


def reading_lines(dictionary, cells):
    lines = []
    per_line = 12
    starts = [row + column for row in range(0, CELLS, COLUMNS) for column in range(0, COLUMNS, per_line)]
    for start in starts:
        chunk = range(start, min(start + per_line, start - start % COLUMNS + COLUMNS))
        values = ", ".join(f"0x{cells[c]:04X}" for c in chunk)
        chars = "".join(dictionary.chars[c] or "\u3000" for c in chunk)
        lines.append(f"    {values},  // {gbk.hex_code(cell_code(start))} {chars}")
    return "\n".join(lines)


def polyphone_lines(dictionary, rows):
    lines = []
    for number, (cell, row) in enumerate(zip(dictionary.polyphonic, rows)):
        values = ", ".join(f"0x{v:04X}" for v in row)
        names = " ".join(decode_reading(v) for v in row if v)
        lines.append(f"    {{{values}}},  // {number} {dictionary.chars[cell]} {names}")
    return "\n".join(lines)


def part_lines():
    lines = ['    "",  // 0: no part']
    for code, letters in enumerate(PARTS, 1):
        kind = "initial" if code <= len(INITIALS) else "final"
        lines.append(f'    "{letters}",  // {code} {kind}')
    return "\n".join(lines)


def generate():
    dictionary = Dictionary()
    cells, rows = dictionary.cells(), dictionary.polyphone_values()
    check(dictionary, cells, rows)
    zero = sum(1 for c in cells if c == 0)
    single = CELLS - zero - POLYPHONE_ROWS
    text = emit.header(TARGET, [READINGS_FILE], [f"Hand readings: {HAND_READINGS_NAME}"])
    text += f"""#pragma once
// The pinyin dictionary. kReadingTable has one cell for each code of the GB2312
// hanzi area, cell = (lead - 0xB0) * 94 + (trail - 0xA1): 0 for no reading, a
// reading with bit 15 clear, or bit 15 set and the row of kPolyphoneTable.
// A reading holds two codes of kSyllableParts: low byte first, high byte second.
// {POLYPHONE_ROWS} polyphonic cells ({THIRD_READING_ROWS} with a third reading), {single} single, {zero} without reading.

#include <cstdint>
#include <string_view>

namespace huoxing {{

inline constexpr int kReadingCellCount = {CELLS};
inline constexpr int kPolyphoneRowCount = {POLYPHONE_ROWS};
inline constexpr int kReadingsPerRow = {READINGS_PER_ROW};
inline constexpr int kSyllablePartCount = {len(PARTS)};
inline constexpr int kInitialCount = {len(INITIALS)};
inline constexpr std::uint16_t kPolyphoneFlag = 0x{POLYPHONE_FLAG:04X};

inline constexpr std::uint16_t kReadingTable[kReadingCellCount] = {{
{reading_lines(dictionary, cells)}
}};

inline constexpr std::uint16_t kPolyphoneTable[kPolyphoneRowCount][kReadingsPerRow] = {{
{polyphone_lines(dictionary, rows)}
}};

// Index 0 stands for "no part".
inline constexpr std::string_view kSyllableParts[kSyllablePartCount + 1] = {{
{part_lines()}
}};

}}  // namespace huoxing
"""
    return {OUTPUT: text}
