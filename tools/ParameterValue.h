#pragma once
// Turns the VALUE of --param NAME=VALUE into the normalised 0..1 value a VST 2 plug-in takes.
//
// VST 2 publishes no parameter ranges, only a display text per value. A number in the
// parameter's own units is therefore found through the display: its texts at 0 and 1 give the
// range. Where the straight line between them reads the number to the last digit shown, the value
// is (number - minimum) / (maximum - minimum) in single precision, as plug-ins compute it for hosts
// that speak in real values; otherwise the value is searched for with a bisection (which assumes
// the display grows or falls monotonically). The result is exact to the precision the display shows.
//
// Accepted forms:  "-6" or "-6 dB" (own units, the unit optional),  "0.25n" (normalised),
// "On" (one of the parameter's display texts, compared without regard to case).
#include <string>

class LoadedPlugin;

// Throws ToolError naming `setting`, the user's NAME=VALUE, when the value is unusable.
float resolveParameterValue(LoadedPlugin& plugin, int index, const std::string& value, const std::string& setting);
