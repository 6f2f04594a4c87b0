#!/usr/bin/python3
"""Draws the Vevoviv chart: every syllable sign with its syllable and key
code, arranged by the system (consonant x vowel), plus a legend of the parts.

    /usr/bin/python3 tools/font/specimen.py --font vevoviv.ttf --out chart.png

Signs come from the font given; the legend's bare parts are drawn by the
same outline code, so the chart always shows what the font holds.
"""

from __future__ import annotations

import argparse
import io
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image, ImageDraw, ImageFont  # noqa: E402

import build_font  # noqa: E402
from script import (CONSONANTS, GLYPHS, SYLLABLE_ADVANCE, VOWELS,  # noqa: E402
                    GlyphRecord, Part, split_syllable)

INK = 0
TEXT = 40
GREY = 120
RULE = 200
PAPER = 255

FRAME_TITLES = {
    "box": "box: lips",
    "arch": "arch: tongue tip",
    "cup": "cup: tongue body",
    "pillars": "pillars: throat",
}
FEATURE_NOTES = (
    "plain frame: stops p t č k    tall left stem: voiced b d j g z    "
    "middle stem: hissing f s š x z",
    "dot inside: nasal m n    slant: glides w r h    crossbar: l",
)
MARK_NAMES = {"dot": "dot", "bar": "bar", "stroke": "stroke", "ring": "ring",
              "twin": "two dots"}
LEGEND_BASE = 0xE000  # private code points of the legend's bare parts


def _label_font_path(bold=False) -> str:
    name = "DejaVu Sans:bold" if bold else "DejaVu Sans"
    if shutil.which("fc-match"):
        found = subprocess.run(["fc-match", "-f", "%{file}", name],
                               capture_output=True, text=True).stdout.strip()
        if found and os.path.exists(found):
            return found
    return ("/usr/share/fonts/truetype/dejavu/DejaVuSans%s.ttf"
            % ("-Bold" if bold else ""))


def _legend_font(size):
    """A throw-away font with the bare consonants and vowel marks."""
    records = [r for r in GLYPHS if r.code is None]
    for i, c in enumerate(CONSONANTS):
        records.append(GlyphRecord(LEGEND_BASE + i, f"part_c{i}", "", SYLLABLE_ADVANCE,
                                   (Part("consonant", c, "cv.consonant"),)))
    for i, v in enumerate(VOWELS):
        records.append(GlyphRecord(LEGEND_BASE + 0x100 + i, f"part_v{i}", "", 300,
                                   (Part("vowel", v, "vc.mark"),)))
    buf = io.BytesIO()
    build_font.build_font(records).save(buf)
    buf.seek(0)
    return ImageFont.truetype(buf, size, layout_engine=ImageFont.Layout.BASIC)


class Chart:
    CELL_W, CELL_H = 84, 76
    SIGN_PX = 48
    HEAD_W = 40

    def __init__(self, font_path):
        # One character at a time through the cmap: no shaping engine, which
        # would hide U+00AD (a soft hyphen elsewhere, the key "ke" here).
        self.sign = ImageFont.truetype(font_path, self.SIGN_PX,
                                       layout_engine=ImageFont.Layout.BASIC)
        self.legend = _legend_font(self.SIGN_PX)
        label = _label_font_path()
        bold = _label_font_path(bold=True)
        self.title = ImageFont.truetype(bold, 34)
        self.heading = ImageFont.truetype(bold, 17)
        self.text = ImageFont.truetype(label, 14)
        self.syllable = ImageFont.truetype(label, 15)
        self.small = ImageFont.truetype(label, 11)
        self.keys = {r.syllable: r.code for r in GLYPHS if r.syllable}

    def draw_sign(self, d, x, y, char, font=None):
        """x, y: top left of a sign's em box."""
        font = font or self.sign
        d.text((x, y + round(0.784 * self.SIGN_PX)), char, font=font, fill=INK,
               anchor="ls")

    def cell(self, d, x, y, syllable):
        code = self.keys[syllable]
        sign_w = SYLLABLE_ADVANCE * self.SIGN_PX / 1000
        self.draw_sign(d, x + (self.CELL_W - sign_w) / 2, y + 4, chr(code))
        base = y + 4 + round(0.9 * self.SIGN_PX) + 14
        d.text((x + self.CELL_W / 2 - 3, base), syllable, font=self.syllable,
               fill=TEXT, anchor="rs")
        d.text((x + self.CELL_W / 2 + 3, base), f"{code:02X}", font=self.small,
               fill=GREY, anchor="ls")

    def table(self, d, x, y, title, rows, vowel_columns=True):
        """rows: (row heading, five syllables or None)."""
        d.text((x, y), title, font=self.heading, fill=TEXT, anchor="lt")
        y += 28
        if vowel_columns:
            for i, v in enumerate(VOWELS):
                d.text((x + self.HEAD_W + (i + 0.5) * self.CELL_W, y), v,
                       font=self.heading, fill=GREY, anchor="mt")
            y += 24
        for heading, syllables in rows:
            d.line((x, y, x + self.HEAD_W + 5 * self.CELL_W, y), fill=RULE)
            d.text((x + self.HEAD_W / 2, y + self.CELL_H / 2 - 6), heading,
                   font=self.heading, fill=GREY, anchor="mm")
            for i, s in enumerate(syllables):
                if s:
                    self.cell(d, x + self.HEAD_W + i * self.CELL_W, y, s)
            y += self.CELL_H
        return y

    def legend_block(self, d, x, y):
        d.text((x, y), "Consonant frames and features", font=self.heading,
               fill=TEXT, anchor="lt")
        y += 30
        col = x
        letters = list(CONSONANTS)
        for frame, title in FRAME_TITLES.items():
            members = [c for c in letters if CONSONANTS[c][0] == frame]
            d.text((col, y), title, font=self.small, fill=GREY, anchor="lt")
            for j, c in enumerate(members):
                cx = col + j * 46
                self.draw_sign(d, cx - 2, y + 14,
                               chr(LEGEND_BASE + letters.index(c)), self.legend)
                d.text((cx + 11, y + 88), c, font=self.syllable, fill=TEXT,
                       anchor="ms")
            col += max(len(members) * 46, 150) + 34
        y += 108
        for line in FEATURE_NOTES:
            d.text((x, y), line, font=self.text, fill=TEXT, anchor="lt")
            y += 20
        y += 16
        d.text((x, y), "Vowel marks", font=self.heading, fill=TEXT, anchor="lt")
        d.text((x + 430, y), "Placement", font=self.heading, fill=TEXT, anchor="lt")
        y += 30
        for i, (v, kind) in enumerate(VOWELS.items()):
            cx = x + i * 80
            self.draw_sign(d, cx, y, chr(LEGEND_BASE + 0x100 + i), self.legend)
            d.text((cx + 7, y + 70), v, font=self.syllable, fill=TEXT, anchor="ms")
            d.text((cx + 7, y + 86), MARK_NAMES[kind], font=self.small, fill=GREY,
                   anchor="ms")
        px = x + 430
        for j, (s, words) in enumerate((("ta", "CV: mark after"),
                                        ("at", "VC: mark before"),
                                        ("dab", "CVC: mark beneath"))):
            cx = px + j * 190
            self.draw_sign(d, cx, y, chr(self.keys[s]))
            d.text((cx + 52, y + 10), s, font=self.syllable, fill=TEXT, anchor="lt")
            d.text((cx + 52, y + 32), words, font=self.small, fill=GREY, anchor="lt")
        return y + 90

    def render(self):
        cv, vc, closed = {}, {}, {}
        for r in GLYPHS:
            if not r.syllable:
                continue
            shape, consonants, vowel = split_syllable(r.syllable)
            if shape == "CV":
                cv.setdefault(consonants[0], {})[vowel] = r.syllable
            elif shape == "VC":
                vc.setdefault(consonants[0], {})[vowel] = r.syllable
            else:
                closed[r.code] = r.syllable
        order = list(CONSONANTS)

        def grid(table, heading):
            return [(heading(c), [table[c].get(v) for v in VOWELS])
                    for c in sorted(table, key=order.index)]

        # Closed syllables are few; they keep the keyboard's rows of five.
        cvc = [s for _, s in sorted(closed.items())]
        cvc_rows = []
        for i in range(0, len(cvc), 5):
            row = cvc[i:i + 5]
            common = [c if all(s[j] == c for s in row) else "·"
                      for j, c in enumerate(row[0])]
            cvc_rows.append(("".join(common).replace("·", "-", 1).replace("·", ""), row))

        margin, gap = 36, 56
        panel_w = self.HEAD_W + 5 * self.CELL_W
        width = 2 * margin + 2 * panel_w + gap
        n_rows = max(len(cv), len(vc) + len(cvc_rows) + 1)
        height = 1030 + n_rows * self.CELL_H + 200
        img = Image.new("L", (width, height), PAPER)
        d = ImageDraw.Draw(img)
        y = margin
        d.text((margin, y), "Vevoviv", font=self.title, fill=INK, anchor="lt")
        d.text((margin + 170, y + 8),
               "the syllabic script of Wexa Font Tastatur", font=self.heading,
               fill=GREY, anchor="lt")
        d.text((margin + 170, y + 30),
               f"{sum(1 for r in GLYPHS if r.syllable)} signs: a consonant frame "
               "and a vowel mark, in the order they are spoken",
               font=self.text, fill=GREY, anchor="lt")
        y += 72
        y = self.legend_block(d, margin, y)
        y += 10
        d.text((margin, y), "Small grey numbers: the character code (hex) "
               "that writes the sign.", font=self.small, fill=GREY, anchor="lt")
        y += 30
        left_end = self.table(d, margin, y, "Consonant + vowel",
                              grid(cv, lambda c: c + "-"))
        x2 = margin + panel_w + gap
        mid = self.table(d, x2, y, "Vowel + consonant", grid(vc, lambda c: "-" + c))
        right_end = self.table(d, x2, mid + 12, "Consonant + vowel + consonant",
                               cvc_rows, vowel_columns=False)
        bottom = max(left_end, right_end) + margin
        return img.crop((0, 0, width, bottom))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--font", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args(argv)
    img = Chart(args.font).render()
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    img.save(args.out, optimize=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
