#pragma once
#include "Gdi.h"

// The labels' and group frames' caption font: "MS Sans Serif" at 8 points, drawn for legibility
// (stroke precision, proof quality), sized for the screen's resolution; or `pixels` high (a
// scaled editor's size for it) when given.
win::CFont CreateCaptionFont(int pixels = 0);
// The skin's Verdana; `height` as CreateFont takes it (negative: the characters' height in pixels,
// positive: the cells').
win::CFont CreateVerdanaFont(int height, int weight = FW_NORMAL);
