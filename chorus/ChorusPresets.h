#pragma once
#include "Preset.h"

class CParameterInfoList;

// The factory preset lists, built on first request and shared by every instance.
const CPresetList* MonoChorusPresets();
const CPresetList* StereoChorusPresets();

// The mono chorus's parameter descriptors, shared (the stereo chorus copies them).
const CParameterInfoList* ChorusParameterInfo();
