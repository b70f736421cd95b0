"""kGbkToUnicode: the Unicode character of every GBK double-byte code.

Standard characters from Python's gbk codec; the three user-defined areas
with code page 936's private-use assignment (see gbk.py). 0 marks a code with
no character; the euro sign is not mapped to 0x80 (a lead byte).
"""

from . import emit, gbk

TARGET = "unicode"
OUTPUT = "cli/gbk_unicode_table.h"


def generate():
    values = [gbk.TO_UNICODE.get(code, 0) for code in gbk.all_codes()]
    assert len(values) == gbk.CODES and all(v < 0x10000 for v in values)
    text = emit.header(TARGET, [], ["Source: Python's codec 'gbk', plus the user-defined areas (tools/gentables/gbk.py)"])
    text += f"""#pragma once
// The Unicode code point of each GBK double-byte code, in the 126 x 190 layout
// (row = lead - 0x81; column = trail - 0x40 for 0x40..0x7E, trail - 0x41 for
// 0x80..0xFE). 0: the code holds no character. {len([v for v in values if v])} codes hold one.

#include <cstdint>

namespace huoxing {{

inline constexpr int kGbkCodeCount = {gbk.CODES};

inline constexpr std::uint16_t kGbkToUnicode[kGbkCodeCount] = {{
{emit.hex_words(values, per_line=12)}
}};

}}  // namespace huoxing
"""
    return {OUTPUT: text}
