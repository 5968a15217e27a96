#pragma once
#include "Gdi.h"
#include <windows.h>

namespace win {

// The module whose image holds this code: the plug-in DLL when the layer is linked into it, the
// executable otherwise. Every resource is loaded from here, never from the host's module.
HMODULE ResourceModule();

// A bitmap resource of the resource module; empty when it does not exist.
CBitmap LoadBitmapResource(int id);

} // namespace win
