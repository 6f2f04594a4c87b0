"""Keyboard navigation of the real program: Tab and Shift+Tab walk the focus over the
buttons in creation order and wrap; space presses the focused button."""
import unittest

from keyboard_model import BUTTONS
from wexa_driver import WexaApp

FIRST_GLYPH_KEY, LAST_COMMAND = BUTTONS[0], BUTTONS[-1]


class FocusWalk(unittest.TestCase):
    def setUp(self):
        self.app = WexaApp().__enter__()
        self.addCleanup(self.app.__exit__, None, None, None)
        w = self.app.window()
        # Give the window the keyboard: there is no window manager to do it.
        self.app.click_at(w["client"][0] + 5, w["client"][1] + 5)

    def test_tab_starts_at_the_first_key_and_walks_forward(self):
        self.app.key("Tab")
        self.assertEqual(self.app.focus(), FIRST_GLYPH_KEY)
        self.app.key("Tab", "Tab")
        self.assertEqual(self.app.focus(), 2)
        self.app.key("shift+Tab")
        self.assertEqual(self.app.focus(), 1)

    def test_the_walk_wraps_at_both_ends_and_skips_the_line_display(self):
        self.app.key("Tab", "shift+Tab")  # first key, then back past the start
        self.assertEqual(self.app.focus(), LAST_COMMAND)
        self.app.key("Tab")
        self.assertEqual(self.app.focus(), FIRST_GLYPH_KEY)
        self.app.click(179)  # the last glyph key; the next tab stop is syllable key 190
        self.app.key("Tab")
        self.assertEqual(self.app.focus(), 190)

    def test_space_on_the_focused_key_appends_its_character_once(self):
        self.app.key("Tab", "space")
        self.assertEqual(self.app.line_text(), "!")
        self.app.key("Tab", "space")
        self.assertEqual(self.app.line_text(), "!\"")


if __name__ == "__main__":
    unittest.main()
