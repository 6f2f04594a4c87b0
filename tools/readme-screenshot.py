"""Makes docs/screenshot.png: the real keyboard under Wine with a composed line and the
preview of its transfer. Run after tools/wine-session start:

    /usr/bin/python3 tools/readme-screenshot.py
"""
import sys
from pathlib import Path

root = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(root / "tests" / "e2e"))
from wexa_driver import WexaApp  # noqa: E402

# "wexa ta ge": syllable keys, spaces and glyph keys mixed, as a user would type.
CLICKS = [355, 340, 370, 286, 319, 370, 200, 45, 30, 371]

with WexaApp() as app:
    for number in CLICKS:
        app.click(number)
    app.screenshot().save(root / "docs" / "screenshot.png", optimize=True)
    print("wrote docs/screenshot.png")
