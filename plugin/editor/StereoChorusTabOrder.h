#pragma once
#include "resource.h"

namespace stereo_chorus_layout {

// The faders and switches in the order Tab visits them, on every platform: as they stand, left to
// right, top to bottom where they share a column (the dialog template's own order is not).
constexpr int kTabOrder[] = {IDC_GAIN_SLIDER,     IDC_DELAY_SLIDER,   IDC_DEPTH_SLIDER,  IDC_RATE_SLIDER,
                             IDC_STEREO_SLIDER,   IDC_WAVEFORM_BUTTON, IDC_PRESETS_BUTTON, IDC_BYPASS_BUTTON,
                             IDC_DRY_SLIDER,      IDC_WET_SLIDER};

} // namespace stereo_chorus_layout
