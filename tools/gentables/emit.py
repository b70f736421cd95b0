"""Writing generated C++ sources: one header that names the inputs, then the data."""

import os

from . import unihan

REGENERATE = "python3 tools/gentables.py"


def header(target, unihan_files, notes=()):
    lines = [
        "// Generated file: do not edit by hand.",
        f"// Generator: tools/gentables.py ({target})",
    ]
    for name in unihan_files:
        lines.append(f"// Input: Unihan {unihan.unicode_version(name)}, {name}")
        lines.append(f"//   sha256 {unihan.sha256(name)}")
    lines += [f"// {note}" for note in notes]
    lines.append(f"// Regenerate: {REGENERATE} {target}   (or: make tables)")
    return "\n".join(lines) + "\n"


def hex_words(values, per_line=12, width=4, indent="    "):
    """Comma-separated hexadecimal literals, a fixed number per line."""
    out = []
    for i in range(0, len(values), per_line):
        chunk = values[i : i + per_line]
        out.append(indent + ", ".join(f"0x{v:0{width}X}" for v in chunk) + ",")
    return "\n".join(out)


def write_if_changed(path, text):
    """Write text to path; returns True when the file's bytes changed."""
    data = text.encode("utf-8")
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return False
    except FileNotFoundError:
        pass
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    return True
