#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGB pictures as PNG files with uncompressed (stored) deflate blocks: no zlib needed,
// so it works in every build of the project.
namespace png {

// The PNG file for a width × height picture given as rows of R, G, B bytes, top row first.
std::vector<uint8_t> Encode(int width, int height, const std::vector<uint8_t>& rgb);
bool Write(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

// The checksums the format uses, exposed for tests.
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* data, size_t size);

} // namespace png
