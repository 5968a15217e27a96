#pragma once
// What a reader needs to know to compare these numbers with their own: which processor, how many
// of them, when.
#include <string>

// "model name" of the first processor in /proc/cpuinfo, or "unknown CPU".
std::string cpuModel();
int onlineCpuCount();
// The current date and time, UTC, as 2024-05-31 14:02 UTC.
std::string utcDateTime();
