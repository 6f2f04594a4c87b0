"""The real program's tooltips: every glyph key's tooltip is the label of the syllable key
that writes the same character, and every command's names its key on the computer's
keyboard, all in one tooltip control of the main window; the pointer resting on a key shows it."""
import time
import unittest

from keyboard_model import CLEAR, DELETE_ONE, GLYPH_KEYS, SPACES, TRANSFER
from wexa_driver import WexaApp, probe, send_input, text_of


class Tooltips(unittest.TestCase):
    def test_every_glyph_key_shows_the_label_of_its_syllable_key(self):
        with WexaApp() as app:
            answer = probe("tooltips")
            labels = {c["id"]: text_of(c["text"]) for c in app.controls()}  # read from the real keys
        self.assertEqual(answer["controls"], 1)
        tools = {number: text_of(units) for number, units in answer["tools"]}
        self.assertEqual(sorted(tools), list(GLYPH_KEYS) + sorted((SPACES, TRANSFER, CLEAR, DELETE_ONE)))
        for n in GLYPH_KEYS:
            self.assertEqual(tools[n], labels[n + 190], f"glyph key {n}")
        # Each command's key, and for the removing ones what brings their work back.
        for n, key in ((TRANSFER, "Strg+C"), (DELETE_ONE, "R\u00fccktaste"), (CLEAR, "Strg+Z"), (SPACES, "Strg+Z")):
            self.assertIn(key, tools[n], f"command {n}")

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
