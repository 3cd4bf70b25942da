#!/usr/bin/env python3
"""Draws the currency pictures, 219.png, with no libraries needed.

One 32 x 20 picture per row of the currency table, side by side in table order: a
coloured badge with the row's three-letter abbreviation. Grey (128, 128, 128) around
the badges stands for transparent. The abbreviations are read from
src/common/Currency.cpp, so the pictures follow the table. Run it from anywhere; it
writes beside itself.
"""
import colorsys
import os
import re
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.dirname(HERE)
sys.path.insert(0, ART)
from pixelfont import dots, text_width, HEIGHT  # noqa: E402
from pngwriter import write_png  # noqa: E402

W, H = 32, 20
MASK = (128, 128, 128, 255)
TABLE = os.path.join(ART, "..", "..", "src", "common", "Currency.cpp")


def abbreviations():
    with open(TABLE, encoding="utf-8") as f:
        rows = re.findall(r'\{u"([A-Z]{3})", u"[^"]*", u\'.\', (\d+)\}', f.read())
    assert [int(i) for _, i in rows] == list(range(len(rows))), "rows out of order"
    return [a for a, _ in rows]


def badge_colours(text):
    """A steady colour per abbreviation, dark enough for white letters."""
    hue = (zlib.crc32(text.encode()) % 360) / 360.0
    fill = tuple(int(c * 255) for c in colorsys.hsv_to_rgb(hue, 0.62, 0.62))
    edge = tuple(int(c * 0.6) for c in fill)
    # Never the mask colour.
    return [c if c != MASK[:3] else (c[0] + 8, c[1], c[2]) for c in (fill, edge)]


def badge(text):
    fill, edge = badge_colours(text)
    px = [[MASK] * W for _ in range(H)]
    x0, y0, x1, y1 = 1, 2, W - 2, H - 3
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            corner = (x in (x0, x1)) and (y in (y0, y1))
            if corner:
                continue
            border = x in (x0, x1) or y in (y0, y1)
            px[y][x] = (edge if border else fill) + (255,)
    left = (W - text_width(text)) // 2
    top = y0 + (y1 - y0 + 1 - HEIGHT) // 2
    for x, y in dots(text):
        px[top + y][left + x] = (255, 255, 255, 255)
    return px


def main():
    badges = [badge(a) for a in abbreviations()]
    rows = [[p for b in badges for p in b[y]] for y in range(H)]
    write_png(os.path.join(HERE, "219.png"), W * len(badges), H, rows)


if __name__ == "__main__":
    main()
