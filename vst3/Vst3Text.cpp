#include "Vst3Text.h"

namespace Vst3Text {

void CopyField16(Vst3::Char16* destination, const char* text, size_t size)
{
    if (!destination || size == 0)
        return;
    size_t n = 0;
    // Bytes are widened one by one: the core's texts are ASCII, and a program name a user typed
    // in another encoding still comes back as the same bytes.
    for (; text && text[n] && n + 1 < size; ++n)
        destination[n] = static_cast<Vst3::Char16>(static_cast<unsigned char>(text[n]));
    for (; n < size; ++n)
        destination[n] = 0;
}

void ToString128(const char* text, Vst3::String128 destination) { CopyField16(destination, text, 128); }

void FromString128(const Vst3::Char16* text, char* destination, size_t size)
{
    if (!destination || size == 0)
        return;
    size_t n = 0;
    for (; text && n < 128 && text[n] && n + 1 < size; ++n)
        destination[n] = text[n] < 0x80 ? static_cast<char>(text[n]) : '?';
    destination[n] = 0;
}

void CopyField(char* destination, const char* text, size_t size)
{
    if (!destination || size == 0)
        return;
    size_t n = 0;
    for (; text && text[n] && n + 1 < size; ++n)
        destination[n] = text[n];
    for (; n < size; ++n)
        destination[n] = 0;
}

} // namespace Vst3Text
