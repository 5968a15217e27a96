#pragma once
#include "BitmapPixels.h"

// Which of the skin's natively drawn pictures (1x, 2x, 3x) serves a scale factor, and how it is
// brought to that factor's size: the nearest one at or above the factor, scaled down by area
// averaging, so that no picture is ever enlarged.

// 1, 2 or 3.
int NativeSkinFactor(double scale);
// The resource id of bitmap `id` (a 1x IDB_*) drawn at `factor`.
int SkinBitmapIdAt(int id, int factor);
// `picture` reduced to width x height (each no larger than the picture's). With a key
// (0x00RRGGBB), pixels of that colour stay out of the averages: a target pixel mostly covered by
// the key becomes the key, so a picture drawn with a left-out colour keeps a clean edge.
SBitmapPixels ScaleDownPicture(const SBitmapPixels& picture, int width, int height, bool useKey = false,
                               std::uint32_t key = 0);
