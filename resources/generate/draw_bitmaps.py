#!/usr/bin/env python3
"""Redraws the editor's skin bitmaps into resources/bitmaps/.

    python3 resources/generate/draw_bitmaps.py [--preview DIR]

Needs Python 3, ImageMagick's `convert` and the DejaVu and URW base-35 fonts (Debian packages
imagemagick, fonts-dejavu-core, fonts-urw-base35). --preview also writes PNG copies, magnified
copies and a rough mock of the whole editor to DIR for a look.
"""

import argparse
import os
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # keep the source tree clean

import background  # noqa: E402
import preview  # noqa: E402
import wave_faces  # noqa: E402

BITMAPS = os.path.join(os.path.dirname(HERE), "bitmaps")
# Each picture is drawn natively at these scales; the editor takes the nearest larger one and
# scales it down for a factor between them, never a small one up.
SCALES = (1, 2, 3)


def check_tools():
    missing = [f for f in list(background.FONTS.values()) + [preview.UI_FONT] if not os.path.exists(f)]
    if not shutil.which("convert"):
        missing.append("convert (ImageMagick)")
    if missing:
        sys.exit("missing: %s\ninstall: apt-get install imagemagick fonts-dejavu-core fonts-urw-base35"
                 % ", ".join(missing))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="also write PNG previews to DIR")
    args = parser.parse_args()
    check_tools()

    images = {}
    for scale in SCALES:
        suffix = "" if scale == 1 else "_%dx" % scale
        images["background" + suffix] = background.draw_background(s=scale)
        images.update({name + suffix: face for name, face in wave_faces.draw_faces(scale).items()})
    for name, image in images.items():
        path = os.path.join(BITMAPS, name + ".bmp")
        image.save_bmp(path)
        print("wrote", os.path.relpath(path))

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for name, image in images.items():
            image.save_png(os.path.join(args.preview, name + ".png"))
            image.save_png(os.path.join(args.preview, name + "_x%d.png" % (3 if image.width > 100 else 8)),
                           3 if image.width > 100 else 8)
            if image.width == wave_faces.SIZE:  # the 1x faces
                wave_faces.composite_on_button(image).save_png(
                    os.path.join(args.preview, name + "_on_button_x8.png"), 8)
        editor = preview.mock_editor(images["background"], images)
        editor.save_png(os.path.join(args.preview, "editor_mock.png"))
        editor.save_png(os.path.join(args.preview, "editor_mock_x2.png"), 2)
        print("previews in", args.preview)


if __name__ == "__main__":
    main()
