"""Where the editor's controls land on the background bitmap, read from the dialog template.

The dialog uses Verdana 8 pt. At 96 dpi that font has an average width of 7 pixels over
"A".."Z" "a".."z" and a cell height of 13 pixels, so one horizontal dialog unit is 7/4 pixel and
one vertical unit 13/8 pixel. The bitmap is painted at client (4, 4).
"""

import math
import os
import re

BASE_X, BASE_Y = 7, 13
BITMAP_OFFSET = 4

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.dirname(HERE)

_CONTROL = re.compile(
    r'^\s*CONTROL\s+"([^"]*)"\s*,\s*(\w+)\s*,\s*"([^"]+)"\s*,\s*([^,]+),'
    r'\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)', re.M)


class Control:
    def __init__(self, caption, name, window_class, style, rect):
        self.caption = caption
        self.name = name
        self.window_class = window_class
        self.style = style
        self.rect = rect  # bitmap pixels: x0, y0, x1, y1 (exclusive)

    @property
    def is_group_box(self):
        return "BS_GROUPBOX" in self.style

    @property
    def is_slider(self):
        return self.window_class == "msctls_trackbar32"

    @property
    def is_label(self):
        return self.window_class == "Static"


def mul_div(a, b, c):
    return (a * b + c // 2) // c


def scaled(v, s):
    """A 1x pixel length at scale s, rounded once (halves away from zero), as the editors do."""
    return int(math.floor(v * s + 0.5)) if v >= 0 else -int(math.floor(-v * s + 0.5))


def to_bitmap(x, y, w, h, s=1):
    """Dialog units to the bitmap's pixel box at scale s, as the editors place the control: the
    1x client rectangle multiplied and rounded once, less the bitmap's scaled margin."""
    left = mul_div(x, BASE_X, 4)
    top = mul_div(y, BASE_Y, 8)
    right, bottom = left + mul_div(w, BASE_X, 4), top + mul_div(h, BASE_Y, 8)
    offset = scaled(BITMAP_OFFSET, s)
    return tuple(scaled(v, s) - offset for v in (left, top, right, bottom))


def controls(s=1):
    with open(os.path.join(RESOURCES, "StereoChorus.rc")) as f:
        script = f.read()
    found = []
    for caption, name, cls, style, x, y, w, h in _CONTROL.findall(script):
        found.append(Control(caption, name, cls, style, to_bitmap(int(x), int(y), int(w), int(h), s)))
    if not found:
        raise SystemExit("no CONTROL statements found in StereoChorus.rc")
    return found


def occupied_box():
    """The box every control lies in; art must stay outside it or be plain."""
    boxes = [c.rect for c in controls()]
    return (min(b[0] for b in boxes), min(b[1] for b in boxes),
            max(b[2] for b in boxes), max(b[3] for b in boxes))


if __name__ == "__main__":
    for c in controls():
        print("%-22s %-18s %-12r %s" % (c.name, c.window_class, c.caption, c.rect))
    print("all controls within", occupied_box())
