"""The real program's tooltips: every glyph key's tooltip is the label of the syllable key
that writes the same character, all 180 in one tooltip control of the main window."""
import unittest

from keyboard_model import GLYPH_KEYS
from wexa_driver import WexaApp, probe, text_of


class Tooltips(unittest.TestCase):
    def test_every_glyph_key_shows_the_label_of_its_syllable_key(self):
        with WexaApp() as app:
            answer = probe("tooltips")
            labels = {c["id"]: text_of(c["text"]) for c in app.controls()}  # read from the real keys
        self.assertEqual(answer["controls"], 1)
        tools = {number: text_of(units) for number, units in answer["tools"]}
        self.assertEqual(sorted(tools), list(GLYPH_KEYS))
        for n in GLYPH_KEYS:
            self.assertEqual(tools[n], labels[n + 190], f"glyph key {n}")


if __name__ == "__main__":
    unittest.main()
