#!/usr/bin/env python3
"""Draws the desktop icons in the hicolor theme's sizes (no libraries needed).

<size>x<size>/apps/listora.png
    the program: a shopping list on a clipboard, two lines ticked
<size>x<size>/mimetypes/application-x-listora-list.png
    a .lsr list: a page with a blue band and ticked lines
<size>x<size>/mimetypes/application-x-listora-text-list.png
    a text list: a page with an orange band and lines of text
Shapes are drawn in a unit square on the shared supersampled canvas, so edges are
smooth at every size. Run it from anywhere; it writes beside itself.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from canvas import Canvas  # noqa: E402

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

OUTLINE = (40, 40, 48, 255)
WHITE = (255, 255, 255, 255)
PAPER_SHADE = (214, 222, 236, 255)
BOARD = (150, 96, 52, 255)
BOARD_LIGHT = (190, 130, 72, 255)
CLIP = (170, 175, 185, 255)
LINE = (150, 150, 160, 255)
TICK = (40, 160, 60, 255)
BLUE = (50, 110, 200, 255)
ORANGE = (230, 140, 40, 255)


class Unit:
    """Draws on a canvas in coordinates of the unit square."""

    def __init__(self, size):
        self.canvas = Canvas(size, size)
        self.s = size

    def rect(self, x0, y0, x1, y1, colour, radius=0.0):
        s = self.s
        if radius > 0:
            self.canvas.round_rect(x0 * s, y0 * s, x1 * s, y1 * s, radius * s, colour)
        else:
            self.canvas.rect(x0 * s, y0 * s, x1 * s, y1 * s, colour)

    def polygon(self, points, colour):
        self.canvas.polygon([(x * self.s, y * self.s) for x, y in points], colour)

    def stroke(self, points, width, colour):
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            self.canvas.line(ax * self.s, ay * self.s, bx * self.s, by * self.s, width * self.s, colour)
            self.canvas.circle(bx * self.s, by * self.s, width * self.s / 2, colour)


def list_rows(u, left, top, step, count, ticked, right):
    for i in range(count):
        y = top + i * step
        box = step * 0.55
        u.rect(left, y, left + box, y + box, OUTLINE, 0.01)
        u.rect(left + 0.02, y + 0.02, left + box - 0.02, y + box - 0.02, WHITE)
        u.rect(left + box + 0.05, y + box * 0.3, right, y + box * 0.7, LINE, 0.01)
        if i < ticked:
            x, t = left + 0.01, y - 0.02
            u.stroke([(x, t + 0.45 * box), (x + 0.35 * box, t + 0.8 * box), (x + box, t)], 0.07, TICK)


def program(u):
    u.rect(0.12, 0.08, 0.88, 0.97, BOARD, 0.06)
    u.rect(0.15, 0.11, 0.85, 0.94, BOARD_LIGHT, 0.05)
    u.rect(0.21, 0.17, 0.79, 0.90, OUTLINE, 0.02)
    u.rect(0.235, 0.195, 0.765, 0.875, WHITE, 0.015)
    u.rect(0.34, 0.02, 0.66, 0.17, OUTLINE, 0.03)
    u.rect(0.37, 0.05, 0.63, 0.14, CLIP, 0.02)
    list_rows(u, 0.30, 0.28, 0.19, 3, 2, 0.70)


def page(u, band):
    fold = 0.22
    u.polygon([(0.16, 0.03), (0.84 - fold, 0.03), (0.84, 0.03 + fold), (0.84, 0.97), (0.16, 0.97)], OUTLINE)
    u.polygon([(0.19, 0.06), (0.82 - fold, 0.06), (0.81, 0.05 + fold), (0.81, 0.94), (0.19, 0.94)], WHITE)
    u.polygon([(0.84 - fold, 0.03), (0.84 - fold, 0.03 + fold), (0.84, 0.03 + fold)], OUTLINE)
    u.polygon([(0.86 - fold, 0.07), (0.86 - fold, 0.01 + fold), (0.80, 0.01 + fold)], PAPER_SHADE)
    u.rect(0.19, 0.30, 0.81, 0.40, band)


def list_document(u):
    page(u, BLUE)
    list_rows(u, 0.27, 0.47, 0.16, 3, 2, 0.73)


def text_document(u):
    page(u, ORANGE)
    for i, right in enumerate((0.73, 0.62, 0.70, 0.55)):
        y = 0.48 + i * 0.11
        u.rect(0.27, y, right, y + 0.045, LINE, 0.01)


def main():
    icons = {
        "apps/listora.png": program,
        "mimetypes/application-x-listora-list.png": list_document,
        "mimetypes/application-x-listora-text-list.png": text_document,
    }
    for size in SIZES:
        for name, draw in icons.items():
            path = os.path.join(HERE, "%dx%d" % (size, size), name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            u = Unit(size)
            draw(u)
            u.canvas.save(path)


if __name__ == "__main__":
    main()
