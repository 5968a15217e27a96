#pragma once
#include <cstddef>

// Copies at most maxChars characters of text and a terminating NUL into a host's buffer.
// Hosts sometimes pass no buffer at all: then nothing is written. Absent text copies as "".
void CopyHostText(char* destination, const char* text, size_t maxChars);

// The fixed eight-character decimal rendering hosts show for parameter values (0.5 gives
// "0.500000", -100 gives "-100.000"). Writes at most 8 characters and a NUL.
void FloatToDisplayText(float value, char* text);
