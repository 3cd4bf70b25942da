"""A supersampled RGBA canvas shared by the art scripts: shapes are drawn four times
larger and averaged down, so edges stay smooth at small sizes."""
import math

from pngwriter import write_png

SS = 4  # supersampling factor


class Canvas:
    """A supersampled RGBA canvas; coordinates are in output pixels (floats)."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.w, self.h = width, height
        self.px = [[background] * (width * SS) for _ in range(height * SS)]

    def _blend(self, x, y, color):
        r, g, b, a = color
        if a >= 255:
            self.px[y][x] = color
            return
        br, bg, bb, ba = self.px[y][x]
        fa = a / 255.0
        oa = fa + ba / 255.0 * (1 - fa)
        if oa <= 0:
            return
        mix = lambda c, d: int(round((c * fa + d * (ba / 255.0) * (1 - fa)) / oa))
        self.px[y][x] = (mix(r, br), mix(g, bg), mix(b, bb), int(round(oa * 255)))

    def fill(self, inside, color, box=None):
        """Paints every subpixel whose centre satisfies inside(x, y)."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for sy in range(max(0, int(y0 * SS)), min(self.h * SS, int(math.ceil(y1 * SS)))):
            y = (sy + 0.5) / SS
            row = self.px[sy]
            for sx in range(max(0, int(x0 * SS)), min(self.w * SS, int(math.ceil(x1 * SS)))):
                x = (sx + 0.5) / SS
                if inside(x, y):
                    self._blend(sx, sy, color)

    def rect(self, x0, y0, x1, y1, color):
        self.fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, color, (x0, y0, x1, y1))

    def round_rect(self, x0, y0, x1, y1, radius, color):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
        self.fill(inside, color, (x0, y0, x1, y1))

    def circle(self, cx, cy, radius, color):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius, color,
                  (cx - radius, cy - radius, cx + radius, cy + radius))

    def ring(self, cx, cy, outer, inner, color):
        self.fill(lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer, color,
                  (cx - outer, cy - outer, cx + outer, cy + outer))

    def polygon(self, points, color):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            hit = False
            n = len(points)
            for i in range(n):
                ax, ay = points[i]
                bx, by = points[(i + 1) % n]
                if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                    hit = not hit
            return hit
        self.fill(inside, color, (min(xs), min(ys), max(xs), max(ys)))

    def line(self, ax, ay, bx, by, width, color):
        length = math.hypot(bx - ax, by - ay) or 1.0
        nx, ny = -(by - ay) / length * width / 2, (bx - ax) / length * width / 2
        self.polygon([(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny), (ax - nx, ay - ny)], color)

    def pixels(self):
        out = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                tr = tg = tb = ta = 0
                for sy in range(y * SS, y * SS + SS):
                    for sx in range(x * SS, x * SS + SS):
                        r, g, b, a = self.px[sy][sx]
                        tr += r * a
                        tg += g * a
                        tb += b * a
                        ta += a
                if ta == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((tr // ta, tg // ta, tb // ta, ta // (SS * SS)))
            out.append(row)
        return out

    def save(self, path):
        write_png(path, self.w, self.h, self.pixels())
