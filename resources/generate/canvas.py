"""RGB float canvas with coverage-based anti-aliasing, and the 24-bit BMP writer."""

import math
import os
import subprocess
import tempfile


def clamp8(v):
    return 0 if v < 0 else 255 if v > 255 else int(v + 0.5)


def mix(a, b, t):
    """Colour a moved toward b by t (0..1)."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width = width
        self.height = height
        self.px = [[list(colour) for _ in range(width)] for _ in range(height)]

    def get(self, x, y):
        return tuple(self.px[y][x])

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = list(colour)

    def blend(self, x, y, colour, alpha):
        if alpha <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        alpha = min(alpha, 1.0)
        p = self.px[y][x]
        for i in range(3):
            p[i] += (colour[i] - p[i]) * alpha

    def fill_rect(self, x0, y0, x1, y1, colour_at):
        """Fills [x0, x1) x [y0, y1); colour_at(x, y) gives each pixel's colour."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.px[y][x] = list(colour_at(x, y))

    def paint(self, box, inside, colour_at=None, colour=None, ss=4):
        """Anti-aliased shape: each pixel of box (x0, y0, x1, y1) is covered by the share of its
        ss x ss sub-samples for which inside(x, y) holds, in colour_at(x, y) averaged over them."""
        x0, y0, x1, y1 = box
        step = 1.0 / ss
        for py in range(max(0, int(y0)), min(self.height, int(y1) + 1)):
            for px in range(max(0, int(x0)), min(self.width, int(x1) + 1)):
                hits = 0
                acc = [0.0, 0.0, 0.0]
                for sy in range(ss):
                    y = py + (sy + 0.5) * step
                    for sx in range(ss):
                        x = px + (sx + 0.5) * step
                        if inside(x, y):
                            hits += 1
                            c = colour_at(x, y) if colour_at else colour
                            acc[0] += c[0]
                            acc[1] += c[1]
                            acc[2] += c[2]
                if hits:
                    self.blend(px, py, [a / hits for a in acc], hits / (ss * ss))

    def stroke(self, pts, colour, width):
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        for y in range(int(min(ys) - width), int(max(ys) + width) + 2):
            for x in range(int(min(xs) - width), int(max(xs) + width) + 2):
                self.blend(x, y, colour, stroke_coverage(x, y, pts, width)[0])

    def draw_mask(self, mask, left, top, colour, opacity=1.0):
        """Blends a coverage mask (see text.Mask) at (left, top) in one colour."""
        for my in range(mask.height):
            row = mask.values[my]
            for mx in range(mask.width):
                if row[mx] > 0:
                    self.blend(left + mx, top + my, colour, row[mx] * opacity)

    def rows8(self):
        return [[tuple(clamp8(c) for c in p) for p in row] for row in self.px]

    def save_bmp(self, path):
        """Uncompressed 24-bit bottom-up BMP, the form the resource compiler embeds."""
        stride = (self.width * 3 + 3) & ~3
        image_size = stride * self.height
        header = bytearray()
        header += b"BM"
        header += (14 + 40 + image_size).to_bytes(4, "little")
        header += (0).to_bytes(4, "little")
        header += (14 + 40).to_bytes(4, "little")
        header += (40).to_bytes(4, "little")
        header += self.width.to_bytes(4, "little", signed=True)
        header += self.height.to_bytes(4, "little", signed=True)
        header += (1).to_bytes(2, "little") + (24).to_bytes(2, "little")
        header += (0).to_bytes(4, "little")  # BI_RGB
        header += image_size.to_bytes(4, "little")
        header += (3780).to_bytes(4, "little") * 2  # 96 dpi
        header += (0).to_bytes(4, "little") * 2
        body = bytearray()
        padding = bytes(stride - self.width * 3)
        for row in reversed(self.rows8()):
            for r, g, b in row:
                body += bytes((b, g, r))
            body += padding
        with open(path, "wb") as f:
            f.write(header + body)

    def save_png(self, path, scale=1):
        """Preview copy; scale > 1 magnifies without smoothing."""
        data = bytearray(b"P6 %d %d 255\n" % (self.width, self.height))
        for row in self.rows8():
            for p in row:
                data += bytes(p)
        with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as f:
            f.write(data)
            ppm = f.name
        try:
            args = ["convert", ppm]
            if scale != 1:
                args += ["-scale", "%d%%" % (scale * 100)]
            subprocess.run(args + [path], check=True)
        finally:
            os.unlink(ppm)


def distance_to_polyline(px, py, pts):
    best = 1e9
    for (ax, ay), (bx, by) in zip(pts, pts[1:]):
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
        ex, ey = ax + t * dx - px, ay + t * dy - py
        best = min(best, ex * ex + ey * ey)
    return math.sqrt(best)


def stroke_coverage(px, py, pts, width):
    """Share of pixel (px, py) covered by a line of width along pts (distance-field estimate)."""
    d = distance_to_polyline(px + 0.5, py + 0.5, pts)
    return max(0.0, min(1.0, width / 2 + 0.5 - d)), d


def copy_canvas(src):
    out = Canvas(src.width, src.height)
    out.px = [[list(p) for p in row] for row in src.px]
    return out
