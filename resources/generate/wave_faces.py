"""The waveform button's three 32 x 32 faces: a sine above a triangle, one of them lit.

The button draws each face over a diagonal gradient from FACE_TOP_LEFT to FACE_BOTTOM_RIGHT and
leaves out every pixel of the PANEL colour. Edge pixels are therefore blended toward the colour
the gradient has at that very pixel, so anti-aliasing composites cleanly instead of leaving
fringes of a colour that is not there.
"""

import math

from canvas import Canvas, stroke_coverage
from palette import BEVEL_DARK, BEVEL_LIGHT, FACE_BOTTOM_RIGHT, FACE_TOP_LEFT, HIGHLIGHT, PANEL

SIZE = 32
GREY = (182, 172, 170)
GREY_DIM = (160, 148, 146)

SINE_CENTRE, TRIANGLE_CENTRE = 10.0, 21.5
AMPLITUDE = 4.5
WAVE_LEFT, WAVE_RIGHT = 4.5, 27.5


def backdrop_at(x, y):
    """The button's backdrop under bitmap pixel (x, y)."""
    f = x + y
    d = 2 * (SIZE - 1)
    return tuple(FACE_TOP_LEFT[i] + (FACE_BOTTOM_RIGHT[i] - FACE_TOP_LEFT[i]) * f // d for i in range(3))


def sine_points(shift):
    n = 96
    pts = []
    for i in range(n + 1):
        t = i / n
        x = WAVE_LEFT + (WAVE_RIGHT - WAVE_LEFT) * t
        pts.append((x + shift, SINE_CENTRE - AMPLITUDE * math.sin(2 * math.pi * t) + shift))
    return pts


def triangle_points(shift):
    # One period starting at zero going up, like the sine above it.
    span = WAVE_RIGHT - WAVE_LEFT
    xs = [0.0, 0.25, 0.75, 1.0]
    ys = [0.0, -1.0, 1.0, 0.0]
    return [(WAVE_LEFT + span * t + shift, TRIANGLE_CENTRE + AMPLITUDE * v + shift) for t, v in zip(xs, ys)]


class Layer:
    """Colour and coverage accumulated over the transparent backdrop."""

    def __init__(self):
        self.colour = [[backdrop_at(x, y) for x in range(SIZE)] for y in range(SIZE)]
        self.alpha = [[0.0] * SIZE for _ in range(SIZE)]

    def blend(self, x, y, colour, a):
        if a <= 0:
            return
        a = min(a, 1.0)
        c = self.colour[y][x]
        self.colour[y][x] = tuple(c[i] + (colour[i] - c[i]) * a for i in range(3))
        self.alpha[y][x] = self.alpha[y][x] + (1 - self.alpha[y][x]) * a

    def stroke(self, pts, colour, width, glow=0.0):
        half = width / 2
        for y in range(SIZE):
            for x in range(SIZE):
                coverage, d = stroke_coverage(x, y, pts, width)
                if glow and d > half:
                    self.blend(x, y, colour, glow * math.exp(-((d - half) / 1.4) ** 2))
                self.blend(x, y, colour, coverage)


def draw_face(lit, pressed):
    shift = 1.0 if pressed else 0.0
    layer = Layer()
    for wave, points in (("sine", sine_points(shift)), ("triangle", triangle_points(shift))):
        if wave == lit:
            layer.stroke(points, HIGHLIGHT, 1.9, glow=0.45)
        else:
            layer.stroke(points, GREY_DIM if lit else GREY, 1.4)

    face = Canvas(SIZE, SIZE)
    for y in range(SIZE):
        for x in range(SIZE):
            face.set(x, y, layer.colour[y][x] if layer.alpha[y][x] >= 1 / 255 else PANEL)
    # Bevel like the other buttons: lit from the top left, inverted while held down.
    light, dark = (BEVEL_DARK, BEVEL_LIGHT) if pressed else (BEVEL_LIGHT, BEVEL_DARK)
    for i in range(SIZE):
        face.set(i, 0, light)
        face.set(0, i, light)
        face.set(i, SIZE - 1, dark)
        face.set(SIZE - 1, i, dark)
    face.set(SIZE - 1, 0, dark)
    face.set(0, SIZE - 1, dark)
    return face


def draw_faces():
    """Faces by file name: sine lit (waveform 0), triangle lit (waveform 1), pressed."""
    return {
        "wave_sine": draw_face("sine", False),
        "wave_triangle": draw_face("triangle", False),
        "wave_pressed": draw_face(None, True),
    }


def composite_on_button(face):
    """What the button shows: the face with its PANEL pixels left out over the backdrop."""
    out = Canvas(SIZE, SIZE)
    for y in range(SIZE):
        for x in range(SIZE):
            c = face.get(x, y)
            out.set(x, y, backdrop_at(x, y) if tuple(int(v + 0.5) for v in c) == PANEL else c)
    return out
