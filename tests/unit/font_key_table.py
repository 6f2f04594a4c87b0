"""Writes the font generator's key table as C++ rows, for the key table test to compare.

    font_key_table.py SCRIPT_DIR OUT

The program's key table and the font's are kept apart on purpose; this makes a slip in
either one show up as a disagreement.
"""
import sys

sys.path.insert(0, sys.argv[1])
import script  # noqa: E402  the font generator's writing system


def escaped(syllable):
    return "".join(c if c.isascii() else f"\\u{ord(c):04X}" for c in syllable)


rows = [f"    {{0x{code:04X}, u\"{escaped(syllable)}\"}},\n" for code, syllable in script.key_table()]
with open(sys.argv[2], "w", encoding="ascii") as out:
    out.write("// Generated from the font generator's key table; do not edit.\n")
    out.writelines(rows)
