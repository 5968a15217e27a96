#include "Preset.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<CPreset> MenuOf13()
{
    const float values[] = {1.0f, 2.0f};
    const float flags[] = {0.0f, 1.0f};
    const CValueArray two(values, 2);
    const CValueArray draw(flags, 2);
    std::vector<CPreset> menu;
    menu.emplace_back(CPreset::kHeading, nullptr, "Factory Presets", "");
    for (int i = 0; i < 10; ++i)
        menu.emplace_back(CPreset::kValues, &two, ("Preset " + std::to_string(i)).c_str(), "");
    menu.emplace_back(CPreset::kHeading, nullptr, "Extra", "");
    menu.emplace_back(CPreset::kRandom, &draw, "Random", "");
    return menu;
}

} // namespace

TEST(Preset, CopiesItsValuesAndStrings)
{
    const float values[] = {3.0f, 4.0f, 5.0f};
    CValueArray source(values, 3);
    std::string name = "Clean";
    const CPreset preset(CPreset::kValues, &source, name.c_str(), "");
    source.SetValue(0, 99.0f);
    name = "Dirty";
    EXPECT_EQ(preset.GetKind(), 0);
    EXPECT_STREQ(preset.GetName(), "Clean");
    ASSERT_NE(preset.GetComment(), nullptr);
    EXPECT_STREQ(preset.GetComment(), "");
    ASSERT_EQ(preset.GetValues().GetCount(), 3);
    EXPECT_EQ(preset.GetValues().GetValue(0), 3.0f);

    const CPreset copy(preset);
    EXPECT_EQ(copy.GetKind(), 0);
    EXPECT_STREQ(copy.GetName(), "Clean");
    EXPECT_NE(copy.GetName(), preset.GetName());
    EXPECT_EQ(copy.GetValues().GetValue(2), 5.0f);

    const CPreset unnamed(CPreset::kValues, &source, nullptr, nullptr);
    EXPECT_EQ(unnamed.GetName(), nullptr);
    EXPECT_EQ(unnamed.GetComment(), nullptr);
}

TEST(Preset, AHeadingHasAnEmptyValueArray)
{
    const CPreset heading(CPreset::kHeading, nullptr, "Extra", "");
    EXPECT_EQ(heading.GetKind(), 2);
    EXPECT_EQ(heading.GetValues().GetCount(), 0);
    EXPECT_EQ(heading.GetValues().GetValue(0), 0.0f);
}

TEST(PresetList, Of13EntriesWithThreeOfNonZeroKindCountsTenPresets)
{
    const std::vector<CPreset> menu = MenuOf13();
    const CPresetList list(menu.data(), static_cast<int>(menu.size()));
    EXPECT_EQ(list.GetCount(), 13);
    EXPECT_EQ(list.GetPresetCount(), 10);
    EXPECT_STREQ(list.GetItem(0)->GetName(), "Factory Presets");
    EXPECT_STREQ(list.GetItem(10)->GetName(), "Preset 9");
    EXPECT_EQ(list.GetItem(12)->GetKind(), 1);
    EXPECT_EQ(list.GetItem(12)->GetValues().GetValue(1), 1.0f);
    EXPECT_NE(list.GetItem(12), &menu[12]);
    EXPECT_EQ(list.GetItem(13), nullptr);
}

TEST(PresetList, WithoutEntriesIsEmpty)
{
    const CPresetList none;
    EXPECT_EQ(none.GetCount(), 0);
    EXPECT_EQ(none.GetPresetCount(), 0);
    EXPECT_EQ(none.GetItem(0), nullptr);

    const std::vector<CPreset> menu = MenuOf13();
    const CPresetList zero(menu.data(), 0);
    EXPECT_EQ(zero.GetCount(), 0);
    EXPECT_EQ(zero.GetPresetCount(), 0);
}
