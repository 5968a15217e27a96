#pragma once
#include "PixelRect.h"
#include <algorithm>
#include <cstdint>
#include <vector>

// The mark of the control that has the keyboard: four short corner brackets just inside its
// rectangle, in one colour (the skin's highlight), over any surface that offers
//   void FillSolid(int x, int y, int width, int height, std::uint32_t colour);
// A dotted system rectangle would cut through the bevels; brackets leave the control's face alone.
// A scaled editor gives the scaled rectangle and its line width, so the mark grows with the rest.
constexpr std::uint32_t kFocusMarkColour = 0x00CFFF; // orange-yellow, 0x00BBGGRR

template <class Surface>
void DrawFocusMark(Surface& surface, const SPixelRect& rect, std::uint32_t colour, int line = 1)
{
    const int width = rect.Width(), height = rect.Height();
    if (line < 1 || width < 4 * line || height < 4 * line)
        return;
    const int arm = std::clamp(std::min(width, height) / 4, 2 * line, 6 * line);
    const int left = rect.left, top = rect.top, right = rect.right - line, bottom = rect.bottom - line;
    surface.FillSolid(left, top, arm, line, colour);
    surface.FillSolid(left, top, line, arm, colour);
    surface.FillSolid(right + line - arm, top, arm, line, colour);
    surface.FillSolid(right, top, line, arm, colour);
    surface.FillSolid(left, bottom, arm, line, colour);
    surface.FillSolid(left, bottom + line - arm, line, arm, colour);
    surface.FillSolid(right + line - arm, bottom, arm, line, colour);
    surface.FillSolid(right, bottom + line - arm, line, arm, colour);
}

// The entry after `current` in `order` (before it with `backward`), wrapping round; the first (or
// last) when `current` is not in it; a null entry for an empty order. The tab order of an editor.
template <class Entry>
Entry NextInOrder(const std::vector<Entry>& order, Entry current, bool backward)
{
    const int count = static_cast<int>(order.size());
    if (count == 0)
        return Entry{};
    const int at = static_cast<int>(std::find(order.begin(), order.end(), current) - order.begin());
    if (at == count)
        return order[backward ? count - 1 : 0];
    return order[(at + (backward ? count - 1 : 1)) % count];
}
