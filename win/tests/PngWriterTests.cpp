#include "PngWriter.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

uint32_t BigEndian(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// Reads back what the writer produces (stored blocks only), checking every checksum.
bool Decode(const std::vector<uint8_t>& file, int& width, int& height, std::vector<uint8_t>& rgb,
            int& blocks)
{
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || std::memcmp(file.data(), signature, 8) != 0)
        return false;
    std::vector<uint8_t> zlib;
    for (size_t at = 8; at + 12 <= file.size();)
    {
        const uint32_t length = BigEndian(&file[at]);
        const std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        const uint8_t* data = &file[at + 8];
        if (png::Crc32(&file[at + 4], length + 4) != BigEndian(data + length))
            return false;
        if (type == "IHDR")
        {
            width = int(BigEndian(data));
            height = int(BigEndian(data + 4));
        }
        else if (type == "IDAT")
            zlib.insert(zlib.end(), data, data + length);
        at += 12 + length;
    }
    std::vector<uint8_t> raw;
    blocks = 0;
    size_t at = 2;
    for (bool last = false; !last;)
    {
        last = zlib[at] & 1;
        const size_t length = zlib[at + 1] | (zlib[at + 2] << 8);
        if (size_t((zlib[at + 3] | (zlib[at + 4] << 8)) ^ 0xFFFF) != length)
            return false;
        raw.insert(raw.end(), &zlib[at + 5], &zlib[at + 5] + length);
        at += 5 + length;
        ++blocks;
    }
    if (png::Adler32(raw.data(), raw.size()) != BigEndian(&zlib[at]))
        return false;
    rgb.clear();
    const size_t row = size_t(width) * 3;
    for (int y = 0; y < height; ++y)
    {
        if (raw[size_t(y) * (row + 1)] != 0)
            return false;
        rgb.insert(rgb.end(), &raw[size_t(y) * (row + 1) + 1], &raw[size_t(y) * (row + 1) + 1] + row);
    }
    return true;
}

} // namespace

TEST(PngWriter, ChecksumsMatchTheirPublishedValues)
{
    const char* iend = "IEND";
    EXPECT_EQ(png::Crc32(reinterpret_cast<const uint8_t*>(iend), 4), 0xAE426082u);
    const char* word = "Wikipedia";
    EXPECT_EQ(png::Adler32(reinterpret_cast<const uint8_t*>(word), 9), 0x11E60398u);
}

TEST(PngWriter, SmallAndMultiBlockPicturesReadBackUnchanged)
{
    for (int size : {2, 200}) // 200 × 200 needs more than one 64 KiB stored block
    {
        std::vector<uint8_t> rgb;
        for (int i = 0; i < size * size * 3; ++i)
            rgb.push_back(uint8_t(i * 7));
        int width = 0, height = 0, blocks = 0;
        std::vector<uint8_t> back;
        ASSERT_TRUE(Decode(png::Encode(size, size, rgb), width, height, back, blocks));
        EXPECT_EQ(width, size);
        EXPECT_EQ(height, size);
        EXPECT_EQ(back, rgb);
        EXPECT_EQ(blocks, size == 2 ? 1 : 2);
    }
}

TEST(PngWriter, RefusesEmptyOrShortPictures)
{
    EXPECT_TRUE(png::Encode(0, 1, {}).empty());
    EXPECT_TRUE(png::Encode(2, 2, std::vector<uint8_t>(11)).empty());
}
