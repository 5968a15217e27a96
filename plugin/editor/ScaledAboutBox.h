#pragma once
#include "StereoChorusLayout.h"
#include <windows.h>

// The About box of an editor drawn larger than 1x: the system's message box keeps the screen's
// size whatever the editor's, so a modal box of our own shows the caption and text in the skin's
// colours at the layout's scale, centred over the editor; a click or a key closes it.
void ShowScaledAboutBox(HWND editor, const CStereoChorusLayout& layout, const char* caption, const char* text);
