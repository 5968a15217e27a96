#pragma once
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

// What the LV2 UI asks of its host and offers it. The UI checks the host's features against
// these, and the bundle's Turtle declares the same lists, so the two cannot disagree.
namespace lv2ui {
// The host's X11 window to open in, and the idle calls that carry the editor's changes out.
constexpr const char* kRequiredFeatures[] = {LV2_UI__parent, LV2_UI__idleInterface};
// The start and end of the user's gestures, the window's size for hosts that frame it by what the
// UI tells them, and the host's options (with the URID map to read them: ui:scaleFactor), where
// the host can give them.
constexpr const char* kOptionalFeatures[] = {LV2_UI__touch, LV2_UI__resize, LV2_OPTIONS__options, LV2_URID__map};
// The options the UI reads.
constexpr const char* kSupportedOptions[] = {LV2_UI__scaleFactor};
constexpr const char* kExtensionData[] = {LV2_UI__idleInterface};
} // namespace lv2ui
