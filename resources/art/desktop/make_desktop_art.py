#!/usr/bin/env python3
"""Draws the desktop icons in the hicolor theme's sizes (no libraries needed).

<size>x<size>/apps/listora.png                             the program: a shopping list on a
                                                    clipboard, two lines ticked
<size>x<size>/mimetypes/application-x-listora-list.png     a .lsr list: a page with a blue band
                                                    and ticked lines
<size>x<size>/mimetypes/application-x-listora-text-list.png  a text list: a page with an orange
                                                    band and lines of text
Shapes are drawn in a unit square and sampled 4 x 4 per pixel, so edges are smooth
at every size. Run it from anywhere; it writes beside itself.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from pngwriter import write_png  # noqa: E402

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
SAMPLES = 4

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


def rect(x0, y0, x1, y1, colour, radius=0.0):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        if radius <= 0:
            return True
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return (x0, y0, x1, y1), inside, colour


def polygon(points, colour):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return (min(xs), min(ys), max(xs), max(ys)), inside, colour


def stroke(points, width, colour):
    """A polyline of the given width with round joins."""
    half = width / 2

    def inside(x, y):
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            px, py = ax + t * dx, ay + t * dy
            if (x - px) ** 2 + (y - py) ** 2 <= half * half:
                return True
        return False
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - half, min(ys) - half, max(xs) + half, max(ys) + half), inside, colour


def render(shapes, size):
    n = size * SAMPLES
    buffer = [[(0, 0, 0, 0)] * n for _ in range(n)]
    for (x0, y0, x1, y1), inside, colour in shapes:
        for sy in range(max(0, int(y0 * n) - 1), min(n, int(y1 * n) + 2)):
            y = (sy + 0.5) / n
            row = buffer[sy]
            for sx in range(max(0, int(x0 * n) - 1), min(n, int(x1 * n) + 2)):
                if inside((sx + 0.5) / n, y):
                    row[sx] = colour
    pixels = []
    for py in range(size):
        out = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(py * SAMPLES, (py + 1) * SAMPLES):
                for sx in range(px * SAMPLES, (px + 1) * SAMPLES):
                    cr, cg, cb, ca = buffer[sy][sx]
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a == 0:
                out.append((0, 0, 0, 0))
            else:
                out.append((r // a, g // a, b // a, a // (SAMPLES * SAMPLES)))
        pixels.append(out)
    return pixels


def tick(x, y, s):
    return stroke([(x, y + 0.45 * s), (x + 0.35 * s, y + 0.8 * s), (x + s, y)], 0.07, TICK)


def list_rows(left, top, step, count, ticked, right):
    shapes = []
    for i in range(count):
        y = top + i * step
        box = step * 0.55
        shapes.append(rect(left, y, left + box, y + box, OUTLINE, 0.01))
        shapes.append(rect(left + 0.02, y + 0.02, left + box - 0.02, y + box - 0.02, WHITE))
        shapes.append(rect(left + box + 0.05, y + box * 0.3, right, y + box * 0.7, LINE, 0.01))
        if i < ticked:
            shapes.append(tick(left + 0.01, y - 0.02, box))
    return shapes


def program():
    shapes = [
        rect(0.12, 0.08, 0.88, 0.97, BOARD, 0.06),
        rect(0.15, 0.11, 0.85, 0.94, BOARD_LIGHT, 0.05),
        rect(0.21, 0.17, 0.79, 0.90, OUTLINE, 0.02),
        rect(0.235, 0.195, 0.765, 0.875, WHITE, 0.015),
        rect(0.34, 0.02, 0.66, 0.17, OUTLINE, 0.03),
        rect(0.37, 0.05, 0.63, 0.14, CLIP, 0.02),
    ]
    return shapes + list_rows(0.30, 0.28, 0.19, 3, 2, 0.70)


def page(band):
    fold = 0.22
    outline = [(0.16, 0.03), (0.84 - fold, 0.03), (0.84, 0.03 + fold), (0.84, 0.97), (0.16, 0.97)]
    paper = [(0.19, 0.06), (0.82 - fold, 0.06), (0.81, 0.05 + fold), (0.81, 0.94), (0.19, 0.94)]
    return [
        polygon(outline, OUTLINE),
        polygon(paper, WHITE),
        polygon([(0.84 - fold, 0.03), (0.84 - fold, 0.03 + fold), (0.84, 0.03 + fold)], OUTLINE),
        polygon([(0.86 - fold, 0.07), (0.86 - fold, 0.01 + fold), (0.80, 0.01 + fold)], PAPER_SHADE),
        rect(0.19, 0.30, 0.81, 0.40, band),
    ]


def list_document():
    return page(BLUE) + list_rows(0.27, 0.47, 0.16, 3, 2, 0.73)


def text_document():
    shapes = page(ORANGE)
    for i, right in enumerate((0.73, 0.62, 0.70, 0.55)):
        y = 0.48 + i * 0.11
        shapes.append(rect(0.27, y, right, y + 0.045, LINE, 0.01))
    return shapes


def main():
    icons = {
        "apps/listora.png": program(),
        "mimetypes/application-x-listora-list.png": list_document(),
        "mimetypes/application-x-listora-text-list.png": text_document(),
    }
    for size in SIZES:
        for name, shapes in icons.items():
            path = os.path.join(HERE, "%dx%d" % (size, size), name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            write_png(path, size, size, render(shapes, size))


if __name__ == "__main__":
    main()
