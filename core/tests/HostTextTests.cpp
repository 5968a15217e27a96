#include "HostText.h"
#include <gtest/gtest.h>
#include <cstdlib>
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

TEST(RoundedText, ShowsTheDisplaysDigitsRoundedAndReadsBackAsItself)
{
    const struct {
        float value;
        const char* text;
    } cases[] = {{0.03f, "0.030000"},  {2.0f / 3.0f, "0.666667"}, {-0.5f, "-0.50000"},   {9.9999999f, "10.00000"},
                 {-6.7f, "-6.70000"},  {0.8f, "0.800000"},        {-1e-7f, "0.000000"},  {9999999.4f, "9999999."},
                 {1234567.0f, "1234567."}, {12345678.0f, "1.23e+07"}, {0.0f, "0.000000"}};
    for (const auto& c : cases) {
        char text[16] = {};
        FloatToRoundedText(c.value, text);
        EXPECT_STREQ(text, c.text) << c.value;
    }
    // Every text, read back as a float and shown again, is itself.
    for (int i = 0; i < 50000; ++i) {
        const float value = static_cast<float>(-1000.0 + i * 0.0400003);
        char first[16] = {};
        char second[16] = {};
        FloatToRoundedText(value, first);
        FloatToRoundedText(std::strtof(first, nullptr), second);
        ASSERT_STREQ(first, second) << value;
    }
}
