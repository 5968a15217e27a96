"""The waveform button's three 32 x 32 faces: a sine above a triangle, one of them lit. Drawn
natively at 2x and 3x too (64 and 96 pixels, strokes and bevel scaled with them).

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


def backdrop_at(x, y, size=SIZE):
    """The button's backdrop under bitmap pixel (x, y) of a face size pixels wide."""
    f = x + y
    d = 2 * (size - 1)
    return tuple(FACE_TOP_LEFT[i] + (FACE_BOTTOM_RIGHT[i] - FACE_TOP_LEFT[i]) * f // d for i in range(3))


def sine_points(shift, s=1):
    n = 96
    pts = []
    for i in range(n + 1):
        t = i / n
        x = WAVE_LEFT * s + (WAVE_RIGHT - WAVE_LEFT) * s * t
        pts.append((x + shift, SINE_CENTRE * s - AMPLITUDE * s * math.sin(2 * math.pi * t) + shift))
    return pts


def triangle_points(shift, s=1):
    # One period starting at zero going up, like the sine above it.
    span = (WAVE_RIGHT - WAVE_LEFT) * s
    xs = [0.0, 0.25, 0.75, 1.0]
    ys = [0.0, -1.0, 1.0, 0.0]
    return [(WAVE_LEFT * s + span * t + shift, TRIANGLE_CENTRE * s + AMPLITUDE * s * v + shift)
            for t, v in zip(xs, ys)]


class Layer:
    """Colour and coverage accumulated over the transparent backdrop."""

    def __init__(self, size=SIZE):
        self.size = size
        self.colour = [[backdrop_at(x, y, size) for x in range(size)] for y in range(size)]
        self.alpha = [[0.0] * size for _ in range(size)]

    def blend(self, x, y, colour, a):
        if a <= 0:
            return
        a = min(a, 1.0)
        c = self.colour[y][x]
        self.colour[y][x] = tuple(c[i] + (colour[i] - c[i]) * a for i in range(3))
        self.alpha[y][x] = self.alpha[y][x] + (1 - self.alpha[y][x]) * a

    def stroke(self, pts, colour, width, glow=0.0, s=1):
        half = width / 2
        for y in range(self.size):
            for x in range(self.size):
                coverage, d = stroke_coverage(x, y, pts, width)
                if glow and d > half:
                    self.blend(x, y, colour, glow * math.exp(-((d - half) / (1.4 * s)) ** 2))
                self.blend(x, y, colour, coverage)


def draw_face(lit, pressed, s=1):
    size = SIZE * s
    shift = 1.0 * s if pressed else 0.0
    layer = Layer(size)
    for wave, points in (("sine", sine_points(shift, s)), ("triangle", triangle_points(shift, s))):
        if wave == lit:
            layer.stroke(points, HIGHLIGHT, 1.9 * s, glow=0.45, s=s)
        else:
            layer.stroke(points, GREY_DIM if lit else GREY, 1.4 * s)

    face = Canvas(size, size)
    for y in range(size):
        for x in range(size):
            face.set(x, y, layer.colour[y][x] if layer.alpha[y][x] >= 1 / 255 else PANEL)
    # Bevel like the other buttons: lit from the top left, inverted while held down; s pixels wide.
    light, dark = (BEVEL_DARK, BEVEL_LIGHT) if pressed else (BEVEL_LIGHT, BEVEL_DARK)
    for k in range(s):
        for i in range(k, size - k):
            face.set(i, k, light)
            face.set(k, i, light)
            face.set(i, size - 1 - k, dark)
            face.set(size - 1 - k, i, dark)
        for k2 in range(s):
            face.set(size - 1 - k, k2, dark)
            face.set(k2, size - 1 - k, dark)
    return face


def draw_faces(s=1):
    """Faces by file name: sine lit (waveform 0), triangle lit (waveform 1), pressed."""
    return {
        "wave_sine": draw_face("sine", False, s),
        "wave_triangle": draw_face("triangle", False, s),
        "wave_pressed": draw_face(None, True, s),
    }


def composite_on_button(face):
    """What the button shows: the face with its PANEL pixels left out over the backdrop."""
    out = Canvas(SIZE, SIZE)
    for y in range(SIZE):
        for x in range(SIZE):
            c = face.get(x, y)
            out.set(x, y, backdrop_at(x, y) if tuple(int(v + 0.5) for v in c) == PANEL else c)
    return out
