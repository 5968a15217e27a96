#pragma once
#include <windows.h>

namespace win {

// Paints the background of `child`'s parent, as far as it lies under `child`, into `target` at
// (0, 0): the parent erases into `target` with its origin shifted. Works whatever the screen shows.
// False when there is no parent.
bool PaintParentBackground(HWND child, HDC target);

} // namespace win
