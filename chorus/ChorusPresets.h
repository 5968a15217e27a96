#pragma once
#include "Preset.h"

class CParameterInfoList;

// The factory preset lists, built on first request and shared by every instance.
const CPresetList* MonoChorusPresets();
const CPresetList* StereoChorusPresets();

// The mono chorus's parameter descriptors, shared (the stereo chorus copies them).
const CParameterInfoList* ChorusParameterInfo();

// The longest delay, in ms, that a factory preset sweeps to: Delay x (1 + Depth), with room for
// the oscillator's interpolation stepping past a peak.
double LongestPresetSweepMs();
