"""Typing syllables on the computer's keyboard into the real program, with real key presses
(xdotool): the typed letters leave exactly the line that clicks on the syllable keys leave;
Backspace, Escape, Tab, Shift+Tab and space do what they should around pending letters."""
import random
import unittest

from keyboard_model import CLEAR, FONT_KEYS, PENDING_LETTERS, KeyboardTestCase, character
from wexa_driver import own_clipboard_text, send_input, stop, text_of

ASCII = {"\u010d": "c", "\u0161": "q"}  # the ASCII spellings of č and š
SYLLABLE_KEY = {syllable: 190 + i for i, (_, syllable) in enumerate(FONT_KEYS)}
SYLLABLES = list(SYLLABLE_KEY)


def can_grow(syllable):
    return any(s != syllable and s.startswith(syllable) for s in SYLLABLES)


def ascii_spelling(syllable):
    return "".join(ASCII.get(c, c) for c in syllable)


def chosen_syllables():
    """A few dozen syllables of every kind, č and š among them, in a shuffled order."""
    rng = random.Random(11)
    cv = [s for s in SYLLABLES if len(s) == 2 and s[1] in "aeiou"]
    vc = [s for s in SYLLABLES if len(s) == 2 and s[0] in "aeiou"]
    cvc = [s for s in SYLLABLES if len(s) == 3]
    caron = [s for s in SYLLABLES if "\u010d" in s or "\u0161" in s]
    chosen = rng.sample(cv, 10) + rng.sample(vc, 10) + rng.sample(cvc, 8) + rng.sample(caron, 8)
    chosen += [s for s in ("da", "ga", "gu") if s not in chosen]  # syllables that could still grow
    rng.shuffle(chosen)
    return chosen


class Typing(KeyboardTestCase):
    def setUp(self):
        # The empty line, with the clear button focused, and no letters pending from before.
        self.app.key("Escape")
        self.click_in_one_go([CLEAR])
        self.assertEqual((self.keys.line(), self.pending()), ("", ""))

    def type(self, text):
        """Real key presses for every character of the text, then waits for the program."""
        send_input("type", "--delay", 40, text)

    def click_in_one_go(self, numbers):
        """Real clicks on the buttons one after the other, then one wait for the program. The X
        server keeps the order of the moves and clicks; "mousemove --sync" would wait in vain
        for a move to the place where the pointer already is."""
        steps = []
        for n in numbers:
            steps += ["mousemove", *self.keys.points[n], "click", "1", "sleep", "0.05"]
        send_input(*steps)

    def pending(self):
        c = self.app.control(PENDING_LETTERS)
        return text_of(c["text"]) if c else ""

    def test_typed_syllables_leave_the_line_their_syllable_keys_leave(self):
        chosen = chosen_syllables()
        typed = ""
        for i, s in enumerate(chosen):
            # Every other syllable with č or š in its ASCII spelling, the others as typed characters.
            typed += ascii_spelling(s) if i % 2 else s
            if can_grow(s):
                typed += "'"  # a non-letter ends a syllable that could still grow
        self.type(typed)
        typed_line = self.keys.line()
        self.assertEqual(self.pending(), "")
        self.click_in_one_go([CLEAR] + [SYLLABLE_KEY[s] for s in chosen])
        self.assertEqual([ord(c) for c in typed_line], [ord(c) for c in self.keys.line()])
        self.assertEqual(typed_line, "".join(character(SYLLABLE_KEY[s]) for s in chosen))

    def test_pending_letters_are_shown_and_backspace_and_escape_take_them_back(self):
        self.type("g")
        self.assertEqual(self.pending(), "g")
        controls = self.app.controls()
        field = next(c["rect"] for c in controls if c["id"] == PENDING_LETTERS)
        for c in controls:  # beside the line display, over no other gadget
            if c["id"] != PENDING_LETTERS:
                left, top, right, bottom = c["rect"]
                self.assertFalse(left < field[2] and field[0] < right and top < field[3] and field[1] < bottom, c["id"])
        self.type("a")
        self.assertEqual((self.pending(), self.keys.line()), ("ga", ""))  # "ga" may still grow to "gab"
        self.app.key("BackSpace")
        self.assertEqual(self.pending(), "g")
        self.type("ub")  # "gub" cannot grow: written at once
        self.assertEqual((self.pending(), self.keys.line()), ("", character(SYLLABLE_KEY["gub"])))
        self.type("q")
        self.assertEqual(self.pending(), "\u0161")  # shown as the letter it spells
        self.app.key("Escape")
        self.assertEqual((self.pending(), self.keys.line()), ("", character(SYLLABLE_KEY["gub"])))

    def test_backspace_with_nothing_pending_deletes_a_character_and_empties_the_clipboard(self):
        self.type("abeb")
        owner = own_clipboard_text("held by another program")
        try:
            self.app.key("BackSpace")
            self.assertEqual(self.keys.line(), character(SYLLABLE_KEY["ab"]))
            self.assertEqual(self.app.clipboard_formats(), [])
        finally:
            stop(owner)

    def test_a_click_ends_the_pending_syllable_before_the_key_writes(self):
        self.type("da")
        self.keys.click(SYLLABLE_KEY["ba"])
        self.assertEqual(self.keys.line(), character(SYLLABLE_KEY["da"]) + character(SYLLABLE_KEY["ba"]))
        self.assertEqual(self.pending(), "")

    def test_tab_keeps_the_pending_letters_and_space_ends_them_then_presses_the_focused_key(self):
        self.type("d")
        self.app.key("shift+Tab", "Tab", "Tab")  # from "alles Löschen": to 371, back, then to 373
        self.assertEqual(self.app.focus(), 373)
        self.assertEqual(self.pending(), "d")
        self.app.key("Tab")  # wraps to glyph key 0
        self.assertEqual(self.app.focus(), 0)
        self.type("a ")
        self.assertEqual(self.keys.line(), character(SYLLABLE_KEY["da"]) + character(0))
        self.assertEqual(self.pending(), "")


if __name__ == "__main__":
    unittest.main()
