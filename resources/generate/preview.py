"""A rough mock of the editor at 96 dpi (background plus approximations of the controls'
painting), to judge the bitmaps in place. Not an exact rendering of the controls."""

import layout
import wave_faces
from canvas import Canvas
from palette import BEVEL_DARK, BEVEL_LIGHT, FACE_BOTTOM_RIGHT, FACE_TOP_LEFT, HIGHLIGHT, PANEL
import text

CLIENT = (layout.mul_div(233, layout.BASE_X, 4), layout.mul_div(107, layout.BASE_Y, 8))
UI_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FRAME_LINE, FRAME_LIGHT = (17, 0, 0), (221, 0, 0)
TICK = (11, 0, 0)


def line(c, x0, y0, x1, y1, colour):
    if x0 == x1:
        for y in range(min(y0, y1), max(y0, y1) + 1):
            c.set(x0, y, colour)
    else:
        for x in range(min(x0, x1), max(x0, x1) + 1):
            c.set(x, y0, colour)


def polyline(c, pts, colour):
    for (ax, ay), (bx, by) in zip(pts, pts[1:]):
        line(c, ax, ay, bx, by, colour)


def caption(c, words, cx, cy, colour):
    if not words:
        return
    m = text.render(words, UI_FONT, 11)
    c.draw_mask(m, int(cx - m.width / 2 + 0.5), int(cy - m.height / 2 + 0.5), colour)


def frame3d(c, l, t, r, b, light, dark):
    line(c, l, t, r - 1, t, light)
    line(c, l, t, l, b - 1, light)
    line(c, l, b - 1, r - 1, b - 1, dark)
    line(c, r - 1, t, r - 1, b - 1, dark)


def group_frame(c, ctl):
    l, t, r, b = [v + layout.BITMAP_OFFSET for v in ctl.rect]
    r, b = r - 1, b - 1
    words = " %s " % ctl.caption
    w = text.render(words.replace(" ", "_"), UI_FONT, 11).width
    x1 = l + ((r - l - w) // 2 if "BS_CENTER" in ctl.style else 8)
    x2 = x1 + w
    y = t + 13 // 2 - 1
    polyline(c, [(x1, y), (l, y), (l, b - 1), (r - 1, b - 1), (r - 1, y), (x2, y)], FRAME_LINE)
    polyline(c, [(x1, y + 1), (l + 1, y + 1), (l + 1, b - 2)], FRAME_LIGHT)
    polyline(c, [(l + 1, b), (r, b), (r, y + 1)], FRAME_LIGHT)
    polyline(c, [(r - 2, y + 1), (x2, y + 1)], FRAME_LIGHT)
    caption(c, ctl.caption, (x1 + x2) / 2, y, HIGHLIGHT)


def slider(c, ctl, fraction):
    l, t, r, b = [v + layout.BITMAP_OFFSET for v in ctl.rect]
    c.fill_rect(l, t, r, b, lambda x, y: PANEL)
    cx = (l + r) // 2
    top, bottom = t + 8, b - 8
    for y in range(top + 1, bottom - 1):
        g = (y - top) / (bottom - top)
        for x in range(cx - 1, cx + 2):
            c.set(x, y, (17 + (221 - 17) * g, 0, 0))
    frame3d(c, cx - 2, top, cx + 3, bottom, FRAME_LINE, FRAME_LIGHT)
    thumb_y = int(top + (bottom - top) * fraction)
    ticks = 11
    for i in range(ticks):
        y = int(bottom - 5 - (bottom - top - 10) * i / (ticks - 1))
        colour = HIGHLIGHT if y >= thumb_y else TICK
        for x0 in (cx - 12, cx + 7):
            line(c, x0, y, x0 + 5, y, colour)
    tl, tr = cx - 10, cx + 11
    for y in range(thumb_y - 5, thumb_y + 6):
        g = (y - thumb_y + 5) / 10
        for x in range(tl, tr):
            c.set(x, y, (221 + (17 - 221) * g, 0, 0))
    frame3d(c, tl, thumb_y - 5, tr, thumb_y + 6, (221, 0, 0), (17, 0, 0))


def label(c, ctl):
    l, t, r, b = [v + layout.BITMAP_OFFSET for v in ctl.rect]
    c.fill_rect(l, t, r, b, lambda x, y: PANEL)
    caption(c, ctl.caption, (l + r) / 2, (t + b) / 2, HIGHLIGHT)


def push_button(c, ctl):
    l, t, r, b = [v + layout.BITMAP_OFFSET for v in ctl.rect]
    d = (r - 1 - l) + (b - 1 - t)

    def face(x, y):
        f = (x - l) + (y - t)
        return tuple(FACE_TOP_LEFT[i] + (FACE_BOTTOM_RIGHT[i] - FACE_TOP_LEFT[i]) * f / d for i in range(3))
    c.fill_rect(l, t, r, b, face)
    frame3d(c, l, t, r, b, BEVEL_LIGHT, BEVEL_DARK)
    caption(c, ctl.caption, (l + r) / 2, (t + b) / 2, (255, 0, 0))


def waveform_button(c, ctl, face):
    l, t, r, b = [v + layout.BITMAP_OFFSET for v in ctl.rect]
    c.fill_rect(l, t, r, b, lambda x, y: PANEL)
    shown = wave_faces.composite_on_button(face)
    x0, y0 = l + (r - l - 32) // 2, t + (b - t - 32) // 2
    for y in range(32):
        for x in range(32):
            c.set(x0 + x, y0 + y, shown.get(x, y))


def mock_editor(background, faces):
    c = Canvas(*CLIENT)
    for y in range(background.height):
        for x in range(background.width):
            c.set(x + layout.BITMAP_OFFSET, y + layout.BITMAP_OFFSET, background.get(x, y))
    positions = iter([0.5, 0.33, 0.3, 0.14, 0.0, 0.5, 0.5])
    for ctl in layout.controls():
        if ctl.is_group_box:
            group_frame(c, ctl)
        elif ctl.is_slider:
            slider(c, ctl, next(positions))
        elif ctl.is_label:
            label(c, ctl)
        elif ctl.caption:
            push_button(c, ctl)
        else:
            waveform_button(c, ctl, faces["wave_sine"])
    return c
