#!/usr/bin/python3
"""Unit checks of the font generator's own pieces: syllable parsing, the
record checks and the outline merging."""

import dataclasses
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "tools", "font"))

from fontTools.pens.recordingPen import RecordingPen  # noqa: E402

import outlines  # noqa: E402
import script  # noqa: E402


def _area(points):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1)
               in zip(points, points[1:] + points[:1])) / 2


class Syllables(unittest.TestCase):
    def test_shapes(self):
        self.assertEqual(script.split_syllable("ča"), ("CV", ("č",), "a"))
        self.assertEqual(script.split_syllable("uš"), ("VC", ("š",), "u"))
        self.assertEqual(script.split_syllable("gud"), ("CVC", ("g", "d"), "u"))

    def test_rejects_what_the_script_cannot_write(self):
        for bad in ("a", "aa", "bd", "abab", "qa", "ac"):
            with self.subTest(bad=bad), self.assertRaises(ValueError):
                script.split_syllable(bad)


class RecordChecks(unittest.TestCase):
    def _spoiled(self, index, **change):
        records = list(script.GLYPHS)
        records[index] = dataclasses.replace(records[index], **change)
        return records

    def test_catches_slips(self):
        key = next(i for i, r in enumerate(script.GLYPHS) if r.syllable)
        other = script.GLYPHS[key + 1]
        for change in (dict(code=other.code), dict(name=other.name),
                       dict(syllable=other.syllable), dict(advance=900)):
            with self.subTest(change=change), self.assertRaises(ValueError):
                script.check_records(self._spoiled(key, **change))


class Merging(unittest.TestCase):
    def test_overlapping_strokes_become_one_clockwise_contour(self):
        o = outlines.Outline()
        o.rect(0, 0, 100, 600)
        o.rect(0, 500, 400, 600)
        (contour,) = o.merged_polygons()
        self.assertEqual(len(contour), 6)
        self.assertLess(_area(contour), 0)  # TrueType outer contours run clockwise
        self.assertEqual(contour[0], (0, 0))

    def test_box_keeps_its_hollow(self):
        o = outlines.consonant("p", outlines.Box(0, 0, 400, 600))
        outer, hole = sorted(o.merged_polygons(), key=_area)
        self.assertLess(_area(outer), 0)
        self.assertGreater(_area(hole), 0)
        self.assertEqual(_area(outer) + _area(hole), -(400 * 600 - 200 * 400))

    def test_round_parts_must_stand_apart(self):
        o = outlines.Outline()
        o.rect(0, 0, 100, 600)
        o.dot(120, 300, 50)
        with self.assertRaises(ValueError):
            o.draw(RecordingPen())

    def test_only_outer_corners_are_rounded(self):
        pen = RecordingPen()
        outlines.consonant("p", outlines.Box(0, 0, 400, 600)).draw(pen)
        contours, current = [], []
        for op, _ in pen.value:
            current.append(op)
            if op == "closePath":
                contours.append(current)
                current = []
        self.assertEqual([c.count("qCurveTo") for c in contours], [4, 0])


if __name__ == "__main__":
    unittest.main(verbosity=2)
