#pragma once
#include "Vst3Interface.h"
#include <cstddef>

// VST 3 passes text as 16-bit strings; the core speaks 8-bit ones (ASCII, or UTF-8 names).
namespace Vst3Text {

// Copies text into a host's 128-unit string, cut to fit and always terminated.
void ToString128(const char* text, Vst3::String128 destination);
// Copies a host's 16-bit string into an 8-bit buffer of `size` bytes (terminated, cut to fit);
// characters outside ASCII become '?' so that nothing but a number or a known name can parse.
// Reads at most 128 units, so an unterminated host string is never read past its buffer.
void FromString128(const Vst3::Char16* text, char* destination, size_t size);
// A fixed 8-bit string copied and terminated into a fixed field of `size` bytes.
void CopyField(char* destination, const char* text, size_t size);
void CopyField16(Vst3::Char16* destination, const char* text, size_t size);

} // namespace Vst3Text
