#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class CPluginCore;

// The plug-in's whole state as one stream of bytes, for formats whose hosts save a blob (VST 3,
// CLAP): the current program, and every program's name and values, bypass included. All numbers
// are little-endian:
//
//   offset  size  field
//   0       4     magic "OMPS"
//   4       4     format version, 1
//   8       4     values per program V: 1 + the number of input parameters
//   12      4     program count G
//   16      4     current program, 0 .. G-1
//   20      ...   G programs, each: a 32-byte name (NUL-terminated, NUL-padded), then V
//                 32-bit floats: [0] bypass as 0.0 or 1.0, [1..] the normalised inputs
//
// The current program's values are the live ones. Reading refuses (and changes nothing for) a
// stream with another magic or version, another shape than this plug-in's, a current program out
// of range, a value that is not finite, an unterminated name, or any byte too few or too many.
namespace PluginState {

constexpr uint32_t kMagic = 0x53504D4F; // "OMPS" as bytes in the stream
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderBytes = 20;
constexpr size_t kNameBytes = 32;

std::vector<uint8_t> Write(const CPluginCore& core);
bool Read(CPluginCore& core, const uint8_t* data, size_t size);

} // namespace PluginState
