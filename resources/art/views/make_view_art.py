#!/usr/bin/env python3
"""Draws the list views' own art as PNG files (no libraries needed).

Icons (16 x 16):  176 coupon, 198 full screen, 236 total-line toggle,
                  200 previous page, 201 next page.
Tiles (32 x 32):  161..170 backgrounds; 161 is plain white, 162 is the dark one
                  (the views write white on it), the others are light.
Left strips:      147 (for the light tiles) and 174 (for the dark tile), 25 x 32,
                  repeated down the left edge: the rings of a spiral notebook.

Shapes are drawn four times larger and averaged down, so edges stay smooth at the
small sizes. Run it from anywhere; it writes beside itself.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from canvas import Canvas  # noqa: E402

INK = (36, 40, 52, 255)
BLUE = (46, 96, 196, 255)
BLUE_DARK = (24, 60, 140, 255)
GREEN = (36, 150, 70, 255)
ORANGE = (236, 132, 24, 255)
WHITE = (255, 255, 255, 255)


def coupon():
    """A price tag with a punched hole and a percent sign."""
    c = Canvas(16, 16)
    c.polygon([(1, 8), (6, 2.5), (15, 2.5), (15, 13.5), (6, 13.5)], INK)
    c.polygon([(2.4, 8), (6.5, 3.6), (14, 3.6), (14, 12.4), (6.5, 12.4)], ORANGE)
    c.circle(5.6, 8, 1.2, INK)
    c.circle(9.2, 6, 1.05, WHITE)
    c.circle(12.2, 10, 1.05, WHITE)
    c.line(12.6, 5.2, 8.8, 10.8, 1.2, WHITE)
    c.save(os.path.join(HERE, "176.png"))


def full_screen():
    """Four arrows pointing out to the corners of a frame."""
    c = Canvas(16, 16)
    c.round_rect(0.5, 0.5, 15.5, 15.5, 2, BLUE_DARK)
    c.round_rect(1.5, 1.5, 14.5, 14.5, 1.5, WHITE)
    for sx, sy in ((1, 1), (-1, 1), (1, -1), (-1, -1)):
        ox = 2.5 if sx > 0 else 13.5
        oy = 2.5 if sy > 0 else 13.5
        c.polygon([(ox, oy), (ox + 5 * sx, oy), (ox, oy + 5 * sy)], BLUE)
        c.line(ox + 1.5 * sx, oy + 1.5 * sy, ox + 5 * sx, oy + 5 * sy, 1.6, BLUE)
    c.save(os.path.join(HERE, "198.png"))


def total_toggle():
    """A sum sign on a small round button."""
    c = Canvas(16, 16)
    c.circle(8, 8, 7.6, BLUE_DARK)
    c.circle(8, 8, 6.6, (238, 244, 255, 255))
    c.polygon([(4.6, 3.8), (11.4, 3.8), (11.4, 5.4), (7.4, 5.4), (9.8, 8), (7.4, 10.6), (11.4, 10.6),
               (11.4, 12.2), (4.6, 12.2), (4.6, 11.2), (7.6, 8), (4.6, 4.8)], BLUE_DARK)
    c.save(os.path.join(HERE, "236.png"))


def page_arrow(name, left):
    """A green arrow on a round button: left for the previous page, right for the next."""
    c = Canvas(16, 16)
    c.circle(8, 8, 7.6, (20, 100, 50, 255))
    c.circle(8, 8, 6.6, GREEN)
    pts = [(3.4, 8), (8.2, 3.4), (8.2, 6.2), (12.6, 6.2), (12.6, 9.8), (8.2, 9.8), (8.2, 12.6)]
    if not left:
        pts = [(16 - x, y) for x, y in pts]
    c.polygon(pts, WHITE)
    c.save(os.path.join(HERE, name))


def tile_plain(name, color):
    c = Canvas(32, 32, color)
    c.save(os.path.join(HERE, name))


def tile_dark():
    """Deep blue with faint diagonal threads: white text stays easy to read."""
    c = Canvas(32, 32, (22, 38, 78, 255))
    for k in range(-32, 64, 8):
        c.line(k, 0, k + 32, 32, 1.0, (30, 50, 98, 255))
    c.save(os.path.join(HERE, "162.png"))


def tile_paper():
    """Ruled note paper."""
    c = Canvas(32, 32, (252, 250, 240, 255))
    for y in (7, 15, 23, 31):
        c.rect(0, y, 32, y + 0.6, (205, 222, 240, 255))
    c.save(os.path.join(HERE, "163.png"))


def tile_checks():
    """Soft green gingham."""
    c = Canvas(32, 32, (240, 250, 240, 255))
    c.rect(0, 0, 16, 32, (226, 244, 226, 160))
    c.rect(0, 0, 32, 16, (226, 244, 226, 160))
    c.save(os.path.join(HERE, "164.png"))


def tile_waves():
    """Pale blue waves."""
    c = Canvas(32, 32, (238, 246, 255, 255))
    for base in (8, 24):
        c.fill(lambda x, y, b=base: abs(y - (b + 2.5 * math.sin(x / 32 * 2 * math.pi))) < 0.9,
               (204, 224, 248, 255))
    c.save(os.path.join(HERE, "165.png"))


def tile_dots():
    """Cream with small yellow dots."""
    c = Canvas(32, 32, (255, 252, 232, 255))
    for cx, cy in ((8, 8), (24, 24), (24, 8), (8, 24)):
        c.circle(cx, cy, 2.2 if (cx + cy) % 32 == 16 else 1.4, (246, 226, 150, 255))
    c.save(os.path.join(HERE, "166.png"))


def tile_diamonds():
    """Blush pink with diamonds."""
    c = Canvas(32, 32, (255, 242, 245, 255))
    c.polygon([(16, 4), (28, 16), (16, 28), (4, 16)], (250, 226, 232, 255))
    c.save(os.path.join(HERE, "167.png"))


def tile_bricks():
    """Light grey brick wall."""
    c = Canvas(32, 32, (242, 242, 244, 255))
    mortar = (222, 222, 228, 255)
    for y in (0, 8, 16, 24):
        c.rect(0, y, 32, y + 0.8, mortar)
        offset = 0 if (y // 8) % 2 == 0 else 8
        for x in (offset, offset + 16):
            c.rect(x, y, x + 0.8, y + 8, mortar)
    c.save(os.path.join(HERE, "168.png"))


def tile_stripes():
    """Lavender stripes."""
    c = Canvas(32, 32, (246, 242, 255, 255))
    c.rect(0, 0, 8, 32, (236, 230, 252, 255))
    c.rect(16, 0, 24, 32, (236, 230, 252, 255))
    c.save(os.path.join(HERE, "169.png"))


def tile_grid():
    """Mint squared paper."""
    c = Canvas(32, 32, (240, 252, 248, 255))
    for k in (0, 8, 16, 24):
        c.rect(k, 0, k + 0.6, 32, (206, 238, 226, 255))
        c.rect(0, k, 32, k + 0.6, (206, 238, 226, 255))
    c.save(os.path.join(HERE, "170.png"))


def strip(name, paper, edge, ring, hole):
    """The left strip: a paper margin with one ring of a spiral binding per 32 pixels."""
    c = Canvas(25, 32, paper)
    c.rect(23, 0, 25, 32, edge)
    c.circle(17, 16, 2.4, hole)
    # The wire comes out of the hole and wraps round the paper's edge.
    c.fill(lambda x, y: abs(math.hypot((x - 11) / 1.35, y - 16) - 4.6) < 1.0 and x < 16, ring, (0, 8, 17, 24))
    c.save(os.path.join(HERE, name))


def main():
    coupon()
    full_screen()
    total_toggle()
    page_arrow("200.png", True)
    page_arrow("201.png", False)
    tile_plain("161.png", WHITE)
    tile_dark()
    tile_paper()
    tile_checks()
    tile_waves()
    tile_dots()
    tile_diamonds()
    tile_bricks()
    tile_stripes()
    tile_grid()
    strip("147.png", (236, 240, 250, 255), (170, 186, 220, 255), (120, 124, 136, 255), (60, 64, 80, 255))
    strip("174.png", (14, 26, 56, 255), (80, 110, 170, 255), (200, 206, 220, 255), (4, 8, 20, 255))


if __name__ == "__main__":
    main()
