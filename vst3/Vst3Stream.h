#pragma once
#include "Vst3Interface.h"
#include <cstddef>
#include <cstdint>
#include <vector>

// Whole-stream transfers of the plug-in state through a host's IBStream.
namespace Vst3Stream {

// Writes every byte; false when the host's stream takes fewer.
bool WriteAll(Vst3::IBStream* stream, const std::vector<uint8_t>& bytes);
// Reads until the stream ends or `limit` bytes are in; a host that claims more bytes than it was
// asked for is treated as a broken stream (false).
bool ReadUpTo(Vst3::IBStream* stream, size_t limit, std::vector<uint8_t>& bytes);

} // namespace Vst3Stream
