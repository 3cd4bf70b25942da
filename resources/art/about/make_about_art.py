#!/usr/bin/env python3
"""Draws the About box's picture, 204.png (240 x 84), with no libraries needed.

A blue banner in the program's colour: the clipboard of the program icon, drawn
large, and the name in dot letters. The About box writes its texts on white below it.
The program finds it as resource 204 of type "JPG"; the image reader takes it by its
content. Run it from anywhere; it writes beside itself.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.dirname(HERE)
sys.path.insert(0, ART)
sys.path.insert(0, os.path.join(ART, "views"))
from make_view_art import Canvas  # noqa: E402
from pixelfont import dots, text_width, HEIGHT  # noqa: E402
from pngwriter import write_png  # noqa: E402

W, H = 240, 84
TOP = (99, 117, 214)       # the program's colour
BOTTOM = (52, 66, 150)
WHITE = (255, 255, 255, 255)
INK = (40, 40, 48, 255)
GREEN = (40, 160, 60, 255)
LINES = (150, 150, 160, 255)


def banner():
    c = Canvas(W, H)
    for y in range(H):
        t = y / (H - 1)
        colour = tuple(int(round(a + (b - a) * t)) for a, b in zip(TOP, BOTTOM)) + (255,)
        c.rect(0, y, W, y + 1, colour)
    # A light sheen across the top left.
    c.polygon([(0, 0), (150, 0), (60, H), (0, H)], (255, 255, 255, 24))

    # The clipboard: board, paper, clip, three list lines, two of them ticked.
    x0, y0 = 14, 8
    c.round_rect(x0, y0 + 4, x0 + 52, y0 + 72, 5, (150, 96, 52, 255))
    c.round_rect(x0 + 2, y0 + 6, x0 + 50, y0 + 70, 4, (190, 130, 72, 255))
    c.rect(x0 + 6, y0 + 11, x0 + 46, y0 + 66, WHITE)
    c.round_rect(x0 + 15, y0, x0 + 37, y0 + 12, 3, INK)
    c.round_rect(x0 + 18, y0 + 3, x0 + 34, y0 + 9, 2, (170, 175, 185, 255))
    for i, y in enumerate((y0 + 20, y0 + 35, y0 + 50)):
        c.rect(x0 + 10, y, x0 + 19, y + 9, INK)
        c.rect(x0 + 11.5, y + 1.5, x0 + 17.5, y + 7.5, WHITE)
        c.rect(x0 + 23, y + 3, x0 + 42, y + 6, LINES)
        if i < 2:
            c.line(x0 + 11, y + 4, x0 + 14, y + 8, 2.2, GREEN)
            c.line(x0 + 14, y + 8, x0 + 21, y - 2, 2.2, GREEN)

    # The name in round dots.
    name = "LISTORA"
    scale = 3.6
    left = 80 + (W - 84 - text_width(name) * scale) / 2
    top = (H - HEIGHT * scale) / 2
    for x, y in dots(name):
        cx, cy = left + (x + 0.5) * scale, top + (y + 0.5) * scale
        c.circle(cx + 0.6, cy + 0.8, scale * 0.48, (20, 30, 90, 120))
        c.circle(cx, cy, scale * 0.48, WHITE)
    write_png(os.path.join(HERE, "204.png"), W, H, c.pixels())


if __name__ == "__main__":
    banner()
