#pragma once
// How the settings lines show a plug-in's display texts.
#include <string>

// A leading number to three significant digits, anything after it kept: "20.00000" reads "20",
// "0.40 Hz" reads "0.4 Hz"; a text that starts with no number ("Off") is left alone.
std::string shortNumber(const std::string& display);
