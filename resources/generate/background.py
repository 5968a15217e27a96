"""The 400 x 165 editor background: a dark-red rack panel with screwed side strips, the maker's
badge on the left strip and the product title at the top right. It is drawn natively at each
scale the editor ships (2x and 3x besides 1x): every length, stroke, font and bevel is multiplied,
never the finished pixels, so the larger pictures are as crisp as the small one.

Everything the controls cover stays the plain PANEL red that the controls paint themselves, so
their rectangles melt into the panel.
"""

import math
import random

from canvas import Canvas, mix
from palette import HIGHLIGHT, PANEL
import layout
import text

WIDTH, HEIGHT = 400, 165

STRIP_WIDTH = 27
LEFT_STRIP = (0, STRIP_WIDTH)
RIGHT_STRIP = (WIDTH - STRIP_WIDTH, WIDTH)
STRIP = (84, 2, 2)
STRIP_LIGHT = (150, 26, 22)
STRIP_DARK = (34, 0, 0)

# The About hot area in bitmap pixels (client x 6..29, y 36..134 less the 4-pixel margin).
BADGE = (3, 32, 24, 131)
BADGE_FILL = (50, 0, 0)

SCREW_RADIUS = 5.6
SCREW_ROWS = (15.5, HEIGHT - 15.5)

# Right edge of the Presets and Bypass buttons; the title lines up with it.
TITLE_RIGHT = 357
TITLE_BASELINE = 15
CREAM = (255, 236, 196)

FONT_DIR = "/usr/share/fonts/opentype/urw-base35/"
FONTS = {
    "title": FONT_DIR + "URWGothic-Demi.otf",
    "script": FONT_DIR + "Z003-MediumItalic.otf",
    "badge": FONT_DIR + "URWGothic-Demi.otf",
    "small": "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf",
}


def brushed(rng, length, amount, smooth):
    """1-D streak pattern: smoothed noise of about +-amount."""
    raw = [rng.uniform(-1, 1) for _ in range(length + smooth)]
    out = []
    for i in range(length):
        out.append(sum(raw[i:i + smooth]) / smooth * amount * math.sqrt(smooth) / 1.7)
    return out


def draw_panel(canvas, rng, s):
    # Horizontal brushing: each row has its own streaks, faint enough that the controls' flat
    # PANEL rectangles do not stand out.
    width, height = canvas.width, canvas.height
    for y in range(height):
        streak = brushed(rng, width, 1.2, 9 * s)
        for x in range(width):
            v = streak[x] + rng.uniform(-0.5, 0.5)
            canvas.set(x, y, (PANEL[0] + v, PANEL[1], PANEL[2]))
    for x in range(width):
        for i in range(s):
            canvas.blend(x, i, (190, 40, 36), 0.8)
            canvas.blend(x, s + i, (160, 20, 18), 0.35)
            canvas.blend(x, height - 1 - i, (40, 0, 0), 0.85)
            canvas.blend(x, height - 1 - s - i, (70, 0, 0), 0.35)


def draw_strip(canvas, rng, x0, x1, s):
    width, height = canvas.width, canvas.height
    columns = brushed(rng, x1 - x0, 3.0, 3 * s)
    for y in range(height):
        shade = 1.0 + 0.10 * (1 - y / height)  # light falls from the top
        for i, x in enumerate(range(x0, x1)):
            n = columns[i] + rng.uniform(-1.2, 1.2)
            canvas.set(x, y, (STRIP[0] * shade + n, STRIP[1], STRIP[2]))
    # Raised edges, lit from the top left; each one-pixel line of 1x is s pixels wide.
    for y in range(height):
        for i in range(s):
            canvas.set(x0 + i, y, STRIP_LIGHT)
            canvas.blend(x0 + s + i, y, STRIP_LIGHT, 0.35)
            canvas.set(x1 - 1 - i, y, STRIP_DARK)
            canvas.blend(x1 - 1 - s - i, y, STRIP_DARK, 0.3)
    for x in range(x0, x1):
        for i in range(s):
            canvas.blend(x, i, STRIP_LIGHT, 0.9)
            canvas.blend(x, height - 1 - i, STRIP_DARK, 0.9)
    # The strip's shadow on the panel to its right.
    if x1 < width:
        for y in range(height):
            for i in range(s):
                canvas.blend(x1 + i, y, (20, 0, 0), 0.45)
                canvas.blend(x1 + s + i, y, (20, 0, 0), 0.18)


def draw_screw(canvas, cx, cy, angle, s):
    r = SCREW_RADIUS * s
    box = (cx - r - 3 * s, cy - r - 3 * s, cx + r + 3 * s, cy + r + 3 * s)
    # Countersink shadow, offset toward the bottom right.
    canvas.paint(box, lambda x, y: (x - cx - 0.6 * s) ** 2 + (y - cy - 0.8 * s) ** 2 <= (r + 1.3 * s) ** 2,
                 colour=(22, 0, 0), ss=4)
    canvas.paint(box, lambda x, y: (x - cx + 0.4 * s) ** 2 + (y - cy + 0.4 * s) ** 2 <= (r + 0.9 * s) ** 2,
                 colour=(120, 30, 26), ss=4)

    def metal(x, y):
        dx, dy = (x - cx) / r, (y - cy) / r
        light = 0.5 - 0.42 * (dx + dy) / math.sqrt(2)   # top-left lit dome
        rim = max(0.0, math.hypot(dx, dy) - 0.78) * 1.6
        v = 105 + 130 * max(0.0, min(1.0, light)) - 90 * rim
        return (v + 6, v, v - 6)

    canvas.paint(box, lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour_at=metal, ss=4)

    # Cross-head slots, each a dark groove with a lit lower edge.
    ca, sa = math.cos(angle), math.sin(angle)
    for (ux, uy) in ((ca, sa), (-sa, ca)):
        def groove(x, y, ux=ux, uy=uy):
            along = (x - cx) * ux + (y - cy) * uy
            across = -(x - cx) * uy + (y - cy) * ux
            return abs(along) <= r * 0.68 and abs(across) <= 0.75 * s
        canvas.paint(box, groove, colour=(38, 34, 32), ss=4)


def fitted(words, font, size, length, tracking):
    """words at the largest size up to size whose run fits in length pixels."""
    while True:
        mask = text.render(words, font, size, tracking=tracking)
        if mask.width <= length or size <= 5:
            return mask
        size -= 0.5


def draw_badge(canvas, s):
    x0, y0, x1, y1 = (v * s for v in BADGE)
    radius = 3.0 * s

    def inside(x, y, inset=0.0):
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= (radius - inset) ** 2 and \
            x0 + inset <= x <= x1 - inset and y0 + inset <= y <= y1 - inset

    box = (x0 - s, y0 - s, x1 + s, y1 + s)
    # Recessed plate: lit lower-right rim, dark upper-left rim.
    canvas.paint(box, lambda x, y: inside(x - 0.8 * s, y - 0.8 * s), colour=(160, 40, 34))
    canvas.paint(box, lambda x, y: inside(x + 0.8 * s, y + 0.8 * s), colour=(18, 0, 0))
    canvas.paint(box, lambda x, y: inside(x, y, 0.9 * s),
                 colour_at=lambda x, y: mix((36, 0, 0), BADGE_FILL, (y - y0) / (y1 - y0)))

    # Emblem at the foot: a ring holding one period of a sine.
    ex, ey, er = (x0 + x1) / 2, y1 - 13.5 * s, 8.2 * s
    ring = lambda x, y: er - 1.6 * s <= math.hypot(x - ex, y - ey) <= er
    canvas.paint((ex - er - s, ey - er - s, ex + er + s, ey + er + s), ring, colour=HIGHLIGHT)

    left, span = ex - er + 2.6 * s, 2 * er - 5.2 * s
    wave = [(left + span * i / 48, ey - 3.2 * s * math.sin(2 * math.pi * i / 48)) for i in range(49)]
    canvas.stroke(wave, HIGHLIGHT, 1.5 * s)

    # The name, reading upward, above the emblem; the trade line beside it in small print.
    column_bottom = int(ey - er - 4 * s)
    column = column_bottom - (y0 + 4 * s)
    name = fitted("ORVANE'S", FONTS["badge"], 15 * s, column, tracking=1.0 * s).rotated_ccw()
    trade = fitted("MUSIC SOFTWARE", FONTS["small"], 7 * s, column, tracking=0.5 * s).rotated_ccw()
    name_left = x0 + (x1 - x0 - name.width - 2 * s - trade.width) // 2
    canvas.draw_mask(name, name_left, column_bottom - name.height, HIGHLIGHT)
    canvas.draw_mask(trade, name_left + name.width + 2 * s, column_bottom - trade.height, (226, 150, 120))


def check_clear_of_controls(what, box, s):
    """Fails when box (x0, y0, x1, y1, exclusive) reaches into a control, or for a group box into
    the band its caption occupies above the frame line."""
    x0, y0, x1, y1 = box
    for ctl in layout.controls(s):
        l, t, r, b = ctl.rect
        if ctl.is_group_box:
            t -= 2 * s  # caption cell: 13 pixels centred on the frame line 5 pixels below the top
        if x0 < r and l < x1 and y0 < b and t < y1:
            raise SystemExit("%s %s overlaps %s %s" % (what, box, ctl.name, (l, t, r, b)))


def draw_title(canvas, s):
    title = text.render("CLASSIC CHORUS", FONTS["title"], 15 * s, tracking=1.0 * s)
    script = text.render("Stereo", FONTS["script"], 19 * s)
    right = TITLE_RIGHT * s
    left = right - title.width
    top = TITLE_BASELINE * s - title.height
    canvas.draw_mask(title, left + s, top + s, (40, 0, 0), 0.8)
    canvas.draw_mask(title, left, top, HIGHLIGHT)
    # The script sits on the same baseline; its descent-free word lines up with the capitals.
    s_left = left - 5 * s - script.width
    s_top = (TITLE_BASELINE + 1) * s - script.height
    canvas.draw_mask(script, s_left + s, s_top + s, (40, 0, 0), 0.7)
    canvas.draw_mask(script, s_left, s_top, CREAM)
    bottom = max(top + title.height, s_top + script.height) + s  # shadows included
    check_clear_of_controls("title", (s_left, min(top, s_top), right + s, bottom), s)


def draw_background(seed=1012, s=1):
    """The background at whole-number scale s (1, 2 or 3)."""
    rng = random.Random(seed)
    canvas = Canvas(WIDTH * s, HEIGHT * s)
    draw_panel(canvas, rng, s)
    for x0, x1 in (LEFT_STRIP, RIGHT_STRIP):
        draw_strip(canvas, rng, x0 * s, x1 * s, s)
        cx = (x0 + x1) * s / 2 - 0.5
        for i, cy in enumerate(SCREW_ROWS):
            draw_screw(canvas, cx, cy * s, math.radians(18 + 27 * i + x0 % 7 * 9), s)
    draw_badge(canvas, s)
    draw_title(canvas, s)
    return canvas
