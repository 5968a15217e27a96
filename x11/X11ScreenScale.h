#pragma once
#include <string>

// The scale a Linux desktop asks applications to draw at, where the host says nothing: Xft.dpi
// of the X resources (96 dpi is 1.0), else the GDK_SCALE environment variable, else 1.0.

// The factor from the text of the RESOURCE_MANAGER property and GDK_SCALE's value (either may be
// empty or null); 0 when neither gives a usable one.
double ScreenScaleFrom(const std::string& resources, const char* gdkScale);
// Asks the X server (a short connection of its own) and the environment; 1.0 without either.
double QueryScreenScale();
