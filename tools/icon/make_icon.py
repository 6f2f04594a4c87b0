"""Writes the program's icon: a key cap with a syllable sign on it, at 16, 32 and 48 pixels.

    make_icon.py OUTPUT.ico

Pure Python and no clock or randomness, so every build writes the same bytes. Each size is
drawn from the same shapes, 4 x 4 samples a pixel, and stored as a 32-bit BGRA bitmap with
its AND mask, the form every Windows version reads.
"""
import struct
import sys

SIZES = (16, 32, 48)
SAMPLES = 4

KEY_FILL = (250, 250, 246)
KEY_EDGE = (70, 78, 92)
INK = (16, 16, 16)


def inside_rounded_square(x, y, inset, radius):
    """(x, y) in unit coordinates within the square [inset, 1 - inset] with rounded corners."""
    lo, hi = inset + radius, 1 - inset - radius
    dx = max(lo - x, 0, x - hi)
    dy = max(lo - y, 0, y - hi)
    return dx * dx + dy * dy <= radius * radius


def on_sign(x, y):
    """A sign of the script: a bowl open to the right over a stem, with a dot."""
    stroke = 0.075
    cx, cy, r = 0.47, 0.42, 0.17
    d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
    bowl = abs(d - r) <= stroke / 2 and x <= cx + 0.06
    stem = abs(x - (cx - r)) <= stroke / 2 and cy <= y <= 0.76
    foot = abs(y - 0.76) <= stroke / 2 and cx - r - stroke / 2 <= x <= cx + 0.12
    dot = (x - 0.66) ** 2 + (y - 0.62) ** 2 <= 0.055 ** 2
    return bowl or stem or foot or dot


def colour_at(x, y):
    """(r, g, b, a) of one sample in unit coordinates, or None outside the key."""
    if not inside_rounded_square(x, y, 0.04, 0.16):
        return None
    if not inside_rounded_square(x, y, 0.1, 0.11):
        return KEY_EDGE
    return INK if on_sign(x, y) else KEY_FILL


def pixels(size):
    """Rows top first of (b, g, r, a) tuples, averaged over the samples of each pixel."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            n = SAMPLES * SAMPLES
            # Colour premultiplied by coverage, then undone, so edges keep the key's colour.
            row.append((b // a, g // a, r // a, 255 * a // n) if a else (0, 0, 0, 0))
        rows.append(row)
    return rows


def bitmap_entry(size):
    """BITMAPINFOHEADER (double height for the mask), BGRA rows bottom up, AND mask."""
    rows = pixels(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def icon_file():
    entries = [bitmap_entry(size) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for size, data in zip(SIZES, entries):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(entries)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(icon_file())
