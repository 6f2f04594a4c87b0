"""Real pointer clicks on the keyboard's buttons, with the line read back from the line
display code unit by code unit after every click."""
import random
import unittest

from keyboard_model import (BUTTONS, CLEAR, DELETE_ONE, LINE_DISPLAY, SPACES, TRANSFER, Keyboard, KeyboardTestCase,
                            after, rebuilds_line_display)
from wexa_driver import WexaApp


class EveryButton(unittest.TestCase):
    def test_every_button_once_in_a_scripted_order(self):
        with WexaApp() as app:
            self.click_every_button(Keyboard(app))
            self.assertEqual(app.close(), 0)

    def click_every_button(self, keys):
        order = list(BUTTONS)
        random.Random(4).shuffle(order)
        # The clear comes early, so that the line grows long after it.
        order.remove(CLEAR)
        order.insert(20, CLEAR)
        expected = ""
        _, previous, _ = keys.line_display()
        for n in order:
            keys.click(n)
            expected = after(expected, n)
            count, field, line = keys.line_display()
            self.assertEqual(count, 1, f"button {n}")
            self.assertEqual([ord(c) for c in line], [ord(c) for c in expected], f"after button {n}")
            self.assertEqual(field != previous, rebuilds_line_display(n), f"line display rebuilt by {n}")
            previous = field
        self.assertGreater(len(expected), 300)


class KeyboardClicks(KeyboardTestCase):
    def click_all(self, *numbers):
        for n in numbers:
            self.keys.click(n)
        return self.keys.line()

    def test_a_glyph_key_and_its_syllable_key_write_the_same_character(self):
        self.assertEqual(self.click_all(0, 190), "!!")
        self.assertEqual(self.click_all(CLEAR, 5, 195), "\u00a8\u00a8")  # never the ampersand
        self.assertEqual(self.click_all(CLEAR, 94, 284, 111, 301, 179, 369), "\u007f\u007f\u00ad\u00ad\u00fd\u00fd")

    def test_spaces_then_one_deletion_leaves_one_space(self):
        self.assertEqual(self.click_all(SPACES), "  ")
        self.assertEqual(self.click_all(DELETE_ONE), " ")
        self.assertEqual(self.click_all(DELETE_ONE, DELETE_ONE), "")

    def test_deleting_on_an_empty_line_leaves_it_empty_and_rebuilds_the_display(self):
        _, before, _ = self.keys.line_display()
        self.keys.click(DELETE_ONE)
        count, field, line = self.keys.line_display()
        self.assertEqual((count, line), (1, ""))
        self.assertNotEqual(field, before)

    def test_clicks_on_the_line_display_and_between_the_keys_change_nothing(self):
        self.click_all(0, 200)
        _, before, _ = self.keys.line_display()
        line_display = self.keys.points[LINE_DISPLAY]
        glyph_179, syllable_190 = self.keys.points[179], self.keys.points[190]
        for x, y in (line_display,
                     ((glyph_179[0] + syllable_190[0]) // 2, glyph_179[1]),  # between the blocks
                     (self.keys.points[0][0] + 30, self.keys.points[0][1])):  # between two keys
            self.app.click_at(x, y)
        count, field, line = self.keys.line_display()
        self.assertEqual((count, field, line), (1, before, "!+"))

    def test_the_transfer_leaves_the_line_as_it_is(self):
        self.assertEqual(self.click_all(30, 31, TRANSFER), "?@")
        self.assertEqual(self.click_all(32), "?@A")


if __name__ == "__main__":
    unittest.main()
