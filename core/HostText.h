#pragma once
#include <cstddef>

// Copies at most maxChars characters of text and a terminating NUL into a host's buffer.
// Hosts sometimes pass no buffer at all: then nothing is written. Absent text copies as "".
void CopyHostText(char* destination, const char* text, size_t maxChars);

// The fixed eight-character decimal rendering hosts show for parameter values (0.5 gives
// "0.500000", -100 gives "-100.000"). Writes at most 8 characters and a NUL.
void FloatToDisplayText(float value, char* text);

// The same eight characters, the last digit rounded instead of cut (0.03f, held as 0.0299999993,
// gives "0.030000" where the display gives "0.029999"), so that reading a text back and showing
// the value again gives the same text.
void FloatToRoundedText(float value, char* text);
