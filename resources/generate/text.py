"""Text as coverage masks, rasterised by ImageMagick's FreeType renderer."""

import subprocess


class Mask:
    def __init__(self, width, height, values):
        self.width = width
        self.height = height
        self.values = values  # rows of 0..1

    def rotated_ccw(self):
        """Turned a quarter left, so that text reads from bottom to top."""
        w, h = self.width, self.height
        return Mask(h, w, [[self.values[y][w - 1 - x] for y in range(h)] for x in range(w)])

    def bounds(self, threshold=0.02):
        """Smallest box (x0, y0, x1, y1) holding ink, exclusive ends."""
        xs = [x for row in self.values for x, v in enumerate(row) if v > threshold]
        ys = [y for y, row in enumerate(self.values) if any(v > threshold for v in row)]
        return min(xs), min(ys), max(xs) + 1, max(ys) + 1

    def cropped(self):
        x0, y0, x1, y1 = self.bounds()
        return Mask(x1 - x0, y1 - y0, [row[x0:x1] for row in self.values[y0:y1]])


def _parse_pgm(data):
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    pos += 1
    width, height, maxval = int(fields[1]), int(fields[2]), int(fields[3])
    pixels = data[pos:]
    return Mask(width, height,
                [[pixels[y * width + x] / maxval for x in range(width)] for y in range(height)])


def render(text, font, size, tracking=0):
    """White-on-black label of text in font (a file path) at size pixels per em, cropped to its
    ink. tracking adds pixels between letters (ImageMagick's -kerning)."""
    result = subprocess.run(
        ["convert", "-density", "72", "-background", "black", "-fill", "white", "-font", font,
         "-pointsize", str(size), "-kerning", str(tracking), "label:" + text,
         "-colorspace", "gray", "-depth", "8", "pgm:-"],
        check=True, capture_output=True)
    return _parse_pgm(result.stdout).cropped()
