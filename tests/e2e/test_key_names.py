"""The real program's tooltips: every glyph key's tooltip is the label of the syllable key
that writes the same character, all 180 in one tooltip control of the main window."""
import time
import unittest

from keyboard_model import GLYPH_KEYS
from wexa_driver import WexaApp, probe, send_input, text_of


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

    def test_the_pointer_resting_on_a_glyph_key_brings_up_the_tooltip(self):
        with WexaApp() as app:
            self.assertFalse(probe("tooltips")["shown"])
            send_input("mousemove", *app.screen_point(0))
            deadline = time.monotonic() + 10  # the tooltip's delay is half a second
            while not probe("tooltips")["shown"] and time.monotonic() < deadline:
                time.sleep(0.1)
            self.assertTrue(probe("tooltips")["shown"])


if __name__ == "__main__":
    unittest.main()
