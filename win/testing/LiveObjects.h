#pragma once
#include <windows.h>

// Counts what a process holds, for leak tests. Wine answers 0 to GetGuiResources, so the GDI
// count scans the handle table instead: Wine accepts a bare table index as a handle.
namespace testing_support {

// Live GDI objects of this process (DCs, bitmaps, pens, brushes, fonts, regions, palettes).
int CountGdiObjects();
// Windows of this process: top-level ones and all their descendants.
int CountWindows();

} // namespace testing_support
