#include "HostText.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {
std::string Display(float value)
{
    char text[16];
    std::memset(text, 'x', sizeof text);
    FloatToDisplayText(value, text);
    return text;
}
} // namespace

TEST(DisplayText, ValuesRenderInEightTruncatedCharacters)
{
    EXPECT_EQ(Display(0.5f), "0.500000");
    EXPECT_EQ(Display(-0.5f), "-0.50000");
    EXPECT_EQ(Display(12.5f), "12.50000");
    EXPECT_EQ(Display(100.0f), "100.0000");
    EXPECT_EQ(Display(-100.0f), "-100.000");
    EXPECT_EQ(Display(1234567.0f), "1234567.");
    EXPECT_EQ(Display(0.0f), "0.000000");
    EXPECT_EQ(Display(20.0f), "20.00000");
    EXPECT_EQ(Display(0.4f), "0.400000");
    EXPECT_EQ(Display(2.0f / 3.0f), "0.666666"); // truncated, not rounded
}

TEST(DisplayText, ValuesTooLargeForEightDigitsUseExponentForm)
{
    EXPECT_EQ(Display(12345678.0f), "1.23e+07");
    EXPECT_EQ(Display(1e9f), "1.00e+09");
    EXPECT_EQ(Display(-2000000.0f), "-2.0e+06");
    EXPECT_EQ(Display(-3.4e38f), "-3.4e+38");
    EXPECT_EQ(Display(1.0f / 0.0f), "inf");
    EXPECT_EQ(Display(-1.0f / 0.0f), "-inf");
    EXPECT_EQ(Display(999999.0f), "999999.0");
    EXPECT_EQ(Display(-999999.0f), "-999999.");
}

TEST(HostText, CopiesAreCutAndTerminated)
{
    char text[8];
    CopyHostText(text, "Stereo Chorus", 6);
    EXPECT_STREQ(text, "Stereo");
    CopyHostText(text, nullptr, 6);
    EXPECT_STREQ(text, "");
    CopyHostText(nullptr, "ignored", 6);
}
