"""The GBK (code page 936) double-byte code space and its Unicode mapping.

The standard characters come from Python's `gbk` codec. The three
user-defined areas are added with the private-use mapping that code page 936
and GB 18030 share, so that text written there survives a round trip through
UTF-8 too. The euro sign (byte 0x80) is deliberately absent: the byte is a
lead byte to the unit rule, and mapping U+20AC to it would garble the next
character.
"""

LEAD_FIRST = 0x81
LEAD_LAST = 0xFE
ROWS = LEAD_LAST - LEAD_FIRST + 1  # 126
COLUMNS = 190
CODES = ROWS * COLUMNS  # 23,940


def trail_bytes():
    return list(range(0x40, 0x7F)) + list(range(0x80, 0xFF))


def all_codes():
    """Every double-byte code of the 126 x 190 space, in index order."""
    return [(lead << 8) | trail for lead in range(LEAD_FIRST, LEAD_LAST + 1) for trail in trail_bytes()]


def code_index(code):
    """Row-major index into a 126 x 190 table: row = lead - 0x81, column from the trail byte."""
    lead, trail = code >> 8, code & 0xFF
    if not (LEAD_FIRST <= lead <= LEAD_LAST):
        raise ValueError(f"lead byte {lead:#04x} outside 0x81..0xFE")
    if 0x40 <= trail <= 0x7E:
        column = trail - 0x40
    elif 0x80 <= trail <= 0xFE:
        column = trail - 0x41
    else:
        raise ValueError(f"trail byte {trail:#04x} has no column")
    return (lead - LEAD_FIRST) * COLUMNS + column


def in_gb2312(code):
    """Both bytes in 0xA1..0xFE: the GB2312 area of GBK."""
    return 0xA1 <= code >> 8 <= 0xFE and 0xA1 <= code & 0xFF <= 0xFE


def in_user_defined_area(code):
    lead, trail = code >> 8, code & 0xFF
    if (0xAA <= lead <= 0xAF or 0xF8 <= lead <= 0xFE) and 0xA1 <= trail <= 0xFE:
        return True
    return 0xA1 <= lead <= 0xA7 and 0x40 <= trail <= 0xA0 and trail != 0x7F


def _user_defined_mapping():
    """U+E000.. assigned in the order code page 936 uses: AAA1-AFFE, F8A1-FEFE, A140-A7A0."""
    codes = []
    for lead in range(0xAA, 0xB0):
        codes += [(lead << 8) | t for t in range(0xA1, 0xFF)]
    for lead in range(0xF8, 0xFF):
        codes += [(lead << 8) | t for t in range(0xA1, 0xFF)]
    for lead in range(0xA1, 0xA8):
        codes += [(lead << 8) | t for t in range(0x40, 0xA1) if t != 0x7F]
    return {code: 0xE000 + i for i, code in enumerate(codes)}


def _build():
    to_unicode = {}
    for code in all_codes():
        try:
            ch = bytes([code >> 8, code & 0xFF]).decode("gbk")
        except UnicodeDecodeError:
            continue
        to_unicode[code] = ord(ch)
    for code, cp in _user_defined_mapping().items():
        to_unicode.setdefault(code, cp)
    from_unicode = {}
    for code, cp in sorted(to_unicode.items()):
        from_unicode.setdefault(cp, code)
    return to_unicode, from_unicode


TO_UNICODE, FROM_UNICODE = _build()


def encode(ch):
    """GBK double-byte code of a character (a str of one char or a code point), or None."""
    cp = ord(ch) if isinstance(ch, str) else ch
    return FROM_UNICODE.get(cp)


def decode(code):
    """The character of a double-byte code, or None where the code is unassigned."""
    cp = TO_UNICODE.get(code)
    return None if cp is None else chr(cp)


def code_of(ch):
    code = encode(ch)
    if code is None:
        raise KeyError(f"{ch!r} (U+{ord(ch):04X}) has no GBK double-byte code")
    return code


def hex_code(code):
    return f"{code >> 8:02X} {code & 0xFF:02X}"
