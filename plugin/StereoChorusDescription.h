#pragma once
#include "PluginDescription.h"

// The product every entry point publishes: the stereo chorus and its editor.
const SPluginDescription& StereoChorusDescription();
