"""Reading Unicode's Unihan data as Debian's `unicode-data` package ships it."""

import bz2
import hashlib
import os
import re

UNIHAN_DIR = os.environ.get("UNIHAN_DIR", "/usr/share/unicode")

_LINE = re.compile(r"^U\+([0-9A-F]{4,6})\t(k\w+)\t(.*)$")


def path(name):
    return os.path.join(UNIHAN_DIR, name)


def read_fields(name, wanted):
    """{field: {code point: raw value}} for the wanted fields of one Unihan file.

    Stops on a line it cannot parse: a silent skip would quietly change the tables.
    """
    result = {field: {} for field in wanted}
    with bz2.open(path(name), "rt", encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            m = _LINE.match(line)
            if not m:
                raise ValueError(f"{name}:{number}: cannot parse {line!r}")
            cp, field, value = int(m.group(1), 16), m.group(2), m.group(3)
            if field in result:
                result[field][cp] = value
    return result


def code_points(value):
    """The code points of a variant field value such as 'U+842C U+4E07<kMatthews'."""
    return [int(token.split("<")[0][2:], 16) for token in value.split()]


def unicode_version(name):
    with bz2.open(path(name), "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("# Unicode version:"):
                return line.split(":", 1)[1].strip()
            if not line.startswith("#"):
                break
    return "unknown"


def sha256(name):
    with open(path(name), "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()
