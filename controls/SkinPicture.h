#pragma once
#include "Gdi.h"

// A skin bitmap resource for an editor drawn at `scale`: the one drawn natively at the nearest
// factor at or above it (1x, 2x, 3x), reduced to the 1x size times the scale where the factor
// lies between. With `keyed`, pixels of `key` stay out of the reduction (a left-out colour keeps
// a clean edge). Null when the resource is missing.
win::CBitmap LoadSkinPicture(int id, double scale, bool keyed = false, COLORREF key = 0);
