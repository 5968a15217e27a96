#pragma once
#include "PixelRect.h"
#include <algorithm>
#include <cstdint>
#include <vector>

// The mark of the control that has the keyboard: four short corner brackets just inside its
// rectangle, in one colour (the skin's highlight), over any surface that offers
//   void FillSolid(int x, int y, int width, int height, std::uint32_t colour);
// A dotted system rectangle would cut through the bevels; brackets leave the control's face alone
// and scale with the rectangle they are given.
constexpr std::uint32_t kFocusMarkColour = 0x00CFFF; // orange-yellow, 0x00BBGGRR

template <class Surface>
void DrawFocusMark(Surface& surface, const SPixelRect& rect, std::uint32_t colour)
{
    const int width = rect.Width(), height = rect.Height();
    if (width < 4 || height < 4)
        return;
    const int arm = std::clamp(std::min(width, height) / 4, 2, 6);
    const int left = rect.left, top = rect.top, right = rect.right - 1, bottom = rect.bottom - 1;
    surface.FillSolid(left, top, arm, 1, colour);
    surface.FillSolid(left, top, 1, arm, colour);
    surface.FillSolid(right - arm + 1, top, arm, 1, colour);
    surface.FillSolid(right, top, 1, arm, colour);
    surface.FillSolid(left, bottom, arm, 1, colour);
    surface.FillSolid(left, bottom - arm + 1, 1, arm, colour);
    surface.FillSolid(right - arm + 1, bottom, arm, 1, colour);
    surface.FillSolid(right, bottom - arm + 1, 1, arm, colour);
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
