"""What the keyboard's 364 buttons should look like and do, for the end-to-end tests.

The characters and syllables come from the font generator's key table, which is kept
apart from the program's own table on purpose: the tests then compare two independent
copies. The places follow the block rule of the keyboard's layout.
"""
import sys
import unittest

from wexa_driver import SOURCE, WexaApp, probe, text_of

sys.path.insert(0, str(SOURCE / "tools" / "font"))
import script  # noqa: E402  the font generator's writing system

GLYPH_KEYS = range(0, 180)
SYLLABLE_KEYS = range(190, 370)
SPACES, TRANSFER, CLEAR, DELETE_ONE = 370, 371, 372, 373
BUTTONS = [*GLYPH_KEYS, *SYLLABLE_KEYS, SPACES, TRANSFER, CLEAR, DELETE_ONE]

FONT_KEYS = script.key_table()  # (character code, syllable) of glyph keys 0 to 179

COMMANDS = {  # number: (x, label)
    DELETE_ONE: (185, "ein Zeichen l\u00f6schen"),
    SPACES: (420, "Leerzeichen (2x)"),
    TRANSFER: (775, "\u00dcbertrag Clipboard"),
    CLEAR: (1070, "alles L\u00f6schen"),
}


def character(number):
    """The character a glyph or syllable key appends."""
    return chr(FONT_KEYS[number if number < 180 else number - 190][0])


def label(number):
    if number in COMMANDS:
        return COMMANDS[number][1]
    return character(number) if number < 180 else FONT_KEYS[number - 190][1]


def rect96(number):
    """(x, y, width, height) of the button in 96-DPI units."""
    if number in COMMANDS:
        return COMMANDS[number][0], 560, 220, 30
    glyph = number if number < 180 else number - 190
    block, i = divmod(glyph, 90)
    left = (10, 330)[block] + (700 if number >= 190 else 0)
    return left + 60 * (i % 5), 10 + 30 * (i // 5), 50, 24


def after(line, number):
    """The line after a click on the button."""
    if number == DELETE_ONE:
        return line[:-1]
    if number == CLEAR:
        return ""
    if number == TRANSFER:
        return line
    if number == SPACES:
        return line + "  "
    return line + character(number)


def rebuilds_line_display(number):
    return number != TRANSFER


class Keyboard:
    """The running program's buttons, clicked with real pointer input at places read once."""

    def __init__(self, app):
        self.app = app
        w = app.window()
        ox, oy = w["client"][:2]
        self.points = {}
        for c in app.controls():
            left, top, right, bottom = c["rect"]
            self.points[c["id"]] = (ox + (left + right) // 2, oy + (top + bottom) // 2)

    def click(self, number):
        self.app.click_at(*self.points[number])

    @staticmethod
    def line_display():
        """(number of line displays, handle of the first, its text as a string)."""
        answer = probe("line-display")
        return answer["count"], answer["hwnd"], text_of(answer["text"])

    def line(self):
        return self.line_display()[2]


class KeyboardTestCase(unittest.TestCase):
    """One running program for all tests of a class; each test starts from the empty line
    that "alles Löschen" leaves."""

    @classmethod
    def setUpClass(cls):
        cls.app = WexaApp().__enter__()
        cls.keys = Keyboard(cls.app)

    @classmethod
    def tearDownClass(cls):
        cls.app.__exit__(None, None, None)

    def setUp(self):
        self.keys.click(CLEAR)
        self.assertEqual(self.keys.line(), "")
