#!/usr/bin/env python3
"""Draws the program's own icon and tool-bar images as PNG files (no libraries needed).

128.png  the program icon (32 x 32): a shopping list on a clipboard with a tick.
178.png  the tool-bar strip, 16 x 15 per button, left to right: Select Category,
         Choose Items, Prev Page, Next Page, Add Item.
Run it from anywhere; it writes beside itself.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from pngwriter import write_png  # noqa: E402


PALETTE = {
    ".": (0, 0, 0, 0),
    "K": (40, 40, 48, 255),       # outline
    "y": (250, 204, 60, 255),     # funnel yellow
    "o": (214, 150, 30, 255),     # funnel shade
    "w": (255, 255, 255, 255),
    "g": (40, 160, 60, 255),      # tick green
    "G": (20, 110, 40, 255),
    "b": (50, 110, 200, 255),     # arrow blue
    "B": (25, 70, 150, 255),
    "l": (150, 150, 160, 255),    # text lines
    "p": (225, 232, 245, 255),    # paper shade
}

SELECT_CATEGORY = [
    "................",
    ".KKKKKKKKKKKKKK.",
    ".KyyyyyyyyyyyoK.",
    "..KyyyyyyyyyoK..",
    "...KyyyyyyyoK...",
    "....KyyyyyoK....",
    ".....KyyyoK.....",
    "......KyoK......",
    "......KyoK......",
    "......KyoK......",
    "......KyoK......",
    "......KyoK......",
    "......KyoKK.....",
    "......KKKK......",
    "................",
]

CHOOSE_ITEMS = [
    "................",
    ".KKKK...........",
    ".Kw.K...........",
    ".K.gK.llllllllll",
    ".KgKK...........",
    "................",
    ".KKKK...........",
    ".Kw.K..lllllllll",
    ".K..K...........",
    ".KKKK...........",
    "................",
    ".KKKK...........",
    ".K.gK.llllllll..",
    ".KgKK...........",
    "................",
]

PREV_PAGE = [
    "................",
    "..........K.....",
    ".........KK.....",
    "........KbK.....",
    ".......KbbK.....",
    "......KbbbKKKKK.",
    ".....KbbbbbbbbK.",
    "....KbbbbbbbbbK.",
    ".....KBbbbbbbbK.",
    "......KBbbKKKKK.",
    ".......KBbK.....",
    "........KBK.....",
    ".........KK.....",
    "..........K.....",
    "................",
]

NEXT_PAGE = [row[::-1] for row in PREV_PAGE]

ADD_ITEM = [
    "................",
    "......KKKK......",
    "......KggK......",
    "......KggK......",
    "......KggK......",
    ".KKKKKKggKKKKKK.",
    ".KggggggggggggK.",
    ".KggggggggggggK.",
    ".KGGGGGggGGGGGK.",
    ".KKKKKKggKKKKKK.",
    "......KggK......",
    "......KggK......",
    "......KGGK......",
    "......KKKK......",
    "................",
]


def strip():
    images = [SELECT_CATEGORY, CHOOSE_ITEMS, PREV_PAGE, NEXT_PAGE, ADD_ITEM]
    rows = []
    for y in range(15):
        row = []
        for image in images:
            assert len(image) == 15 and all(len(r) == 16 for r in image)
            row.extend(PALETTE[c] for c in image[y])
        rows.append(row)
    write_png(os.path.join(HERE, "178.png"), 16 * len(images), 15, rows)


def program_icon():
    size = 32
    px = [[PALETTE["."] for _ in range(size)] for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = colour

    # Clipboard board, paper, clip.
    rect(4, 3, 27, 30, (150, 96, 52, 255))
    rect(5, 4, 26, 29, (190, 130, 72, 255))
    rect(7, 6, 24, 28, PALETTE["K"])
    rect(8, 7, 23, 27, PALETTE["w"])
    rect(11, 1, 20, 5, PALETTE["K"])
    rect(12, 2, 19, 4, (170, 175, 185, 255))
    # Three list lines with boxes; the first two ticked.
    for i, y in enumerate((10, 16, 22)):
        rect(10, y, 13, y + 3, PALETTE["K"])
        rect(11, y + 1, 12, y + 2, PALETTE["w"])
        rect(15, y + 1, 21, y + 2, PALETTE["l"])
        if i < 2:
            for dx, dy in ((0, 1), (1, 2), (2, 1), (3, 0), (4, -1)):
                px[y + 1 + dy][10 + dx] = PALETTE["g"]
                px[y + 2 + dy][10 + dx] = PALETTE["G"]
    write_png(os.path.join(HERE, "128.png"), size, size, px)


if __name__ == "__main__":
    strip()
    program_icon()
