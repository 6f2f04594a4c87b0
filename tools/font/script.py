"""The Vevoviv writing system as data.

A syllable sign is put together from named parts:
  * a consonant shape: a frame that tells where the sound is made, plus
    features that tell how it is made,
  * a vowel mark, one per vowel,
  * a placement that tells the order of the sounds: the mark after the
    consonant (CV), before it (VC), or beneath two consonants (CVC).

Everything the font, the tests and the chart need comes out of GLYPHS, the
list of glyph records built at the bottom of this file.
"""

from __future__ import annotations

from dataclasses import dataclass

# --- consonants ------------------------------------------------------------
# Frames by place of articulation:
#   box      labial, the closed lips
#   arch     tongue tip against the ridge behind the teeth
#   cup      tongue body raised under the hard palate
#   pillars  the open throat, far back
# Features, each one stroke joined to the frame:
#   voice    the left stem rises to the ascender line (voiced stops and z)
#   hiss     a middle stem (fricatives)
#   nasal    a dot inside the frame (the sound resonates in the nose)
#   glide    a slanted stroke through the frame (w, r, h)
#   side     a crossbar (l: air passes at the sides of the tongue)
CONSONANTS: dict[str, tuple[str, tuple[str, ...]]] = {
    "p": ("box", ()),
    "b": ("box", ("voice",)),
    "f": ("box", ("hiss",)),
    "m": ("box", ("nasal",)),
    "w": ("box", ("glide",)),
    "t": ("arch", ()),
    "d": ("arch", ("voice",)),
    "s": ("arch", ("hiss",)),
    "z": ("arch", ("hiss", "voice")),
    "n": ("arch", ("nasal",)),
    "l": ("arch", ("side",)),
    "r": ("arch", ("glide",)),
    "č": ("cup", ()),
    "j": ("cup", ("voice",)),
    "š": ("cup", ("hiss",)),
    "k": ("pillars", ()),
    "g": ("pillars", ("voice",)),
    "x": ("pillars", ("hiss",)),
    "h": ("pillars", ("glide",)),
}

# Vowel marks always stand free of the consonant; nothing of a consonant does.
VOWELS: dict[str, str] = {
    "a": "dot",
    "e": "bar",
    "i": "stroke",
    "o": "ring",
    "u": "twin",
}

# --- the keys ----------------------------------------------------------------
# The keyboard's two blocks, row by row: five character codes and the five
# syllables they write.
KEY_ROWS: tuple[tuple[str, str], ...] = (
    # block A / C
    ("21 22 23 24 25", "ab eb ib ob ub"),
    ("A8 27 28 29 2A", "ad ed id od ud"),
    ("2B 2C 2D 2E 2F", "af ef if of uf"),
    ("30 31 32 33 34", "ag eg ig og ug"),
    ("35 36 37 38 39", "ak ek ik ok uk"),
    ("3A 3B 3C 3D 3E", "al el il ol ul"),
    ("3F 40 41 42 43", "am em im om um"),
    ("44 45 46 47 48", "an en in on un"),
    ("49 4A 4B 4C 4D", "ap ep ip op up"),
    ("4E 4F 50 51 52", "ar er ir or ur"),
    ("53 54 55 56 57", "as es is os us"),
    ("58 59 5A 5B 5C", "aš eš iš oš uš"),
    ("5D 5E 5F 60 61", "at et it ot ut"),
    ("62 63 64 65 66", "ax ex ix ox ux"),
    ("67 68 69 6A 6B", "az ez iz oz uz"),
    ("6C 6D 6E 6F 70", "ba be bi bo bu"),
    ("71 72 73 74 75", "ča če či čo ču"),
    ("76 77 78 79 7A", "da de di do du"),
    # block B / D
    ("7B 7C 7D 7E 7F", "fa fe fi fo fu"),
    ("A1 AF B2 B3 B4", "ga ge gi go gu"),
    ("B5 B6 B7 B8 B9", "ha he hi ho hu"),
    ("BA BB BC B0 B1", "ja je ji jo ju"),
    ("AC AD AE BE BF", "ka ke ki ko ku"),
    ("C0 C1 C2 C3 C4", "la le li lo lu"),
    ("C5 C6 C7 C8 AB", "ma me mi mo mu"),
    ("AA C9 CA CB CC", "na ne ni no nu"),
    ("CD CE CF D0 D1", "pa pe pi po pu"),
    ("D2 D3 D4 D5 D6", "ra re ri ro ru"),
    ("D7 D8 D9 DA DB", "sa se si so su"),
    ("DC DD DE DF A9", "ša še ši šo šu"),
    ("E0 E1 E2 E3 E4", "ta te ti to tu"),
    ("E5 E6 E7 E8 E9", "wa we wi wo wu"),
    ("EA EB EC ED EE", "za ze zi zo zu"),
    ("EF F0 F1 F2 F3", "dab dag dal dam dar"),
    ("F4 F5 F6 F7 F8", "gab geb gib gob gub"),
    ("F9 FA FB FC FD", "gad ged gid god gud"),
)

# Characters the font maps although no key writes them. They get pip signs
# (see SIGN_PIPS), so a stray one shows up and cannot be taken for a syllable.
SIGN_CODES: tuple[int, ...] = (
    0x26, 0x80, 0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E, 0xA0, 0xA2, 0xA3,
    0xA4, 0xA5, 0xA6, 0xA7, 0xBD, 0xFF, 0x17D, 0x192, 0x201A, 0x2219,
)
BLANK_CODES: dict[int, str] = {0x09: "uni0009", 0x20: "space"}

# --- metrics -----------------------------------------------------------------
# The program draws a character in a 45 pixel cell at 40 px/em starting 10
# pixels in, so nothing may be wider than 35 px = 875 units.
UNITS_PER_EM = 1000
MAX_ADVANCE = 875
SYLLABLE_ADVANCE = 850
SIGN_ADVANCE = 500
SPACE_ADVANCE = 275
NOTDEF_ADVANCE = 500


@dataclass(frozen=True)
class Part:
    """One named piece of a sign and where it goes.

    kind is "consonant", "vowel", "pips" or "notdef"; what names the
    consonant, the vowel or the pip pattern; slot names a box of the
    placement (see outlines.SLOTS).
    """

    kind: str
    what: str
    slot: str


@dataclass(frozen=True)
class GlyphRecord:
    code: int | None  # None: not in the cmap (.notdef)
    name: str
    syllable: str  # "" for signs that are not syllables
    advance: int
    parts: tuple[Part, ...]


ASCII_SOUNDS = {"č": "ch", "š": "sh"}


def glyph_name(syllable: str) -> str:
    """PostScript-safe glyph name of a syllable: "ča" -> "syl_cha"."""
    return "syl_" + "".join(ASCII_SOUNDS.get(c, c) for c in syllable)


def split_syllable(syllable: str) -> tuple[str, tuple[str, ...], str]:
    """Returns (shape, consonants, vowel), shape one of "CV", "VC", "CVC"."""
    shape = "".join("V" if c in VOWELS else "C" for c in syllable)
    if shape not in ("CV", "VC", "CVC"):
        raise ValueError(f"{syllable!r} is no Vevoviv syllable")
    for c in syllable:
        if c not in VOWELS and c not in CONSONANTS:
            raise ValueError(f"{c!r} in {syllable!r} is no Vevoviv sound")
    vowel = next(c for c in syllable if c in VOWELS)
    consonants = tuple(c for c in syllable if c not in VOWELS)
    return shape, consonants, vowel


def syllable_parts(syllable: str) -> tuple[Part, ...]:
    shape, consonants, vowel = split_syllable(syllable)
    if shape == "CV":
        return (Part("consonant", consonants[0], "cv.consonant"),
                Part("vowel", vowel, "cv.mark"))
    if shape == "VC":
        return (Part("vowel", vowel, "vc.mark"),
                Part("consonant", consonants[0], "vc.consonant"))
    return (Part("consonant", consonants[0], "cvc.first"),
            Part("vowel", vowel, "cvc.mark"),
            Part("consonant", consonants[1], "cvc.last"))


def key_table() -> list[tuple[int, str]]:
    """(character code, syllable) of every key, in keyboard order."""
    keys = []
    for codes, syllables in KEY_ROWS:
        codes_row = [int(c, 16) for c in codes.split()]
        syllables_row = syllables.split()
        if len(codes_row) != 5 or len(syllables_row) != 5:
            raise ValueError(f"key row {codes!r} is not five wide")
        keys.extend(zip(codes_row, syllables_row))
    return keys


# Pip patterns of the non-syllable signs: a 2 x 3 cell, bit 0 top left,
# bit 1 middle left, bit 2 bottom left, bits 3-5 the right column. Handed out
# in character order, plainest first: single pips, then pairs, corners
# before middles.
def _pip_patterns() -> list[int]:
    def weight(mask):
        bits = [b for b in range(6) if mask >> b & 1]
        middles = sum(1 for b in bits if b in (1, 4))
        return (len(bits), middles, mask)

    return sorted(range(1, 64), key=weight)


SIGN_PIPS: dict[int, int] = dict(zip(SIGN_CODES, _pip_patterns()))


def _records() -> list[GlyphRecord]:
    records = [GlyphRecord(None, ".notdef", "", NOTDEF_ADVANCE,
                           (Part("notdef", "box", "notdef"),))]
    for code, name in sorted(BLANK_CODES.items()):
        records.append(GlyphRecord(code, name, "", SPACE_ADVANCE, ()))
    for code, syllable in key_table():
        records.append(GlyphRecord(code, glyph_name(syllable), syllable,
                                   SYLLABLE_ADVANCE, syllable_parts(syllable)))
    for code in SIGN_CODES:
        records.append(GlyphRecord(code, f"sign{code:04X}", "", SIGN_ADVANCE,
                                   (Part("pips", f"{SIGN_PIPS[code]:06b}", "sign"),)))
    # .notdef first, the rest in character order
    records[1:] = sorted(records[1:], key=lambda r: r.code)
    return records


GLYPHS: tuple[GlyphRecord, ...] = tuple(_records())


def check_records(records=GLYPHS) -> None:
    """Catches table slips early, before they become a font."""
    names = [r.name for r in records]
    if len(set(names)) != len(names):
        raise ValueError("glyph names repeat")
    codes = [r.code for r in records if r.code is not None]
    if len(set(codes)) != len(codes):
        raise ValueError("a character code is mapped twice")
    syllables = [r.syllable for r in records if r.syllable]
    if len(set(syllables)) != len(syllables):
        raise ValueError("a syllable has two keys")
    for r in records:
        if r.advance > MAX_ADVANCE:
            raise ValueError(f"{r.name} is wider than a cell")


check_records()
