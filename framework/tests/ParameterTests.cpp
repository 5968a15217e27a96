#include "ParameterInfo.h"
#include "ParameterSet.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A store of normalised values, as the host adapter keeps them.
class CStore : public CParameterSet
{
public:
    explicit CStore(int count) : values(static_cast<size_t>(count), 0.0f) {}
    int GetCount() const override { return static_cast<int>(values.size()); }
    const CParameterInfo* GetItem(int) const override { return nullptr; }
    float GetValue(int index) const override
    {
        return index >= 0 && index < GetCount() ? values[static_cast<size_t>(index)] : 0.0f;
    }
    int SetValue(int index, float value) override
    {
        if (index < 0 || index >= GetCount())
            return 0;
        values[static_cast<size_t>(index)] = value;
        return index + 100; // lets the test see that the store's answer is passed on
    }
    void BeginEdit(int) override {}
    void EndEdit(int) override {}

    std::vector<float> values;
};

const CParameterInfo kDescriptors[] = {
    {"Gain", CParameterInfo::kContinuous, -20.0f, 20.0f, 0.0f, "dB", nullptr},
    {"Depth", CParameterInfo::kContinuous, 0.0f, 100.0f, 70.0f, "%", "how far"},
    {"Fixed", CParameterInfo::kInteger, 5.0f, 5.0f, 5.0f, "", ""},
};

} // namespace

TEST(ParameterInfo, ConstructorTakesMinimumMaximumDefaultAndReportsThem)
{
    const CParameterInfo info("Stereo", CParameterInfo::kContinuous, 0.0f, 100.0f, 50.0f, "%",
                              "Stereo effect proportion");
    EXPECT_EQ(info.GetKind(), 2);
    EXPECT_STREQ(info.GetName(), "Stereo");
    EXPECT_STREQ(info.GetUnit(), "%");
    EXPECT_STREQ(info.GetDescription(), "Stereo effect proportion");
    EXPECT_EQ(info.GetMin(), 0.0f);
    EXPECT_EQ(info.GetMax(), 100.0f);
    EXPECT_EQ(info.GetDefault(), 50.0f);
}

TEST(ParameterInfo, AbsentStringsStayAbsentAndDifferFromEmptyOnes)
{
    const CParameterInfo absent(nullptr, CParameterInfo::kChoice, 0.0f, 2.0f, 0.0f, nullptr, nullptr);
    EXPECT_EQ(absent.GetName(), nullptr);
    EXPECT_EQ(absent.GetUnit(), nullptr);
    EXPECT_EQ(absent.GetDescription(), nullptr);

    const CParameterInfo empty("", CParameterInfo::kChoice, 0.0f, 2.0f, 0.0f, "", "");
    ASSERT_NE(empty.GetName(), nullptr);
    EXPECT_STREQ(empty.GetName(), "");
    ASSERT_NE(empty.GetUnit(), nullptr);
    ASSERT_NE(empty.GetDescription(), nullptr);

    const CParameterInfo copyOfAbsent(absent);
    EXPECT_EQ(copyOfAbsent.GetName(), nullptr);
    const CParameterInfo copyOfEmpty(empty);
    ASSERT_NE(copyOfEmpty.GetName(), nullptr);
    EXPECT_STREQ(copyOfEmpty.GetName(), "");
}

TEST(ParameterInfo, CopyIsDeepAndAMissingSourceGivesTheBlankDescriptor)
{
    std::string name = "Delay";
    const CParameterInfo original(name.c_str(), CParameterInfo::kContinuous, 0.0f, 30.0f, 20.0f, "ms", nullptr);
    name[0] = 'X';
    const CParameterInfo copy(&original);
    EXPECT_STREQ(original.GetName(), "Delay");
    EXPECT_STREQ(copy.GetName(), "Delay");
    EXPECT_NE(copy.GetName(), original.GetName());
    EXPECT_EQ(copy.GetMin(), 0.0f);
    EXPECT_EQ(copy.GetMax(), 30.0f);
    EXPECT_EQ(copy.GetDefault(), 20.0f);

    const CParameterInfo blank(static_cast<const CParameterInfo*>(nullptr));
    EXPECT_EQ(blank.GetKind(), 2);
    EXPECT_EQ(blank.GetName(), nullptr);
    EXPECT_EQ(blank.GetUnit(), nullptr);
    EXPECT_EQ(blank.GetDescription(), nullptr);
    EXPECT_EQ(blank.GetMin(), 0.0f);
    EXPECT_EQ(blank.GetMax(), 0.0f);
    EXPECT_EQ(blank.GetDefault(), 0.0f);
}

TEST(ParameterInfoList, BuiltFromACountAloneHoldsBlankDescriptorsWithEmptyStrings)
{
    const CParameterInfoList list(2, nullptr);
    ASSERT_EQ(list.GetCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const CParameterInfo* item = list.GetItem(i);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetKind(), 2);
        ASSERT_NE(item->GetName(), nullptr);
        EXPECT_STREQ(item->GetName(), "");
        ASSERT_NE(item->GetUnit(), nullptr);
        EXPECT_STREQ(item->GetUnit(), "");
        ASSERT_NE(item->GetDescription(), nullptr);
        EXPECT_STREQ(item->GetDescription(), "");
        EXPECT_EQ(item->GetMin(), 0.0f);
        EXPECT_EQ(item->GetMax(), 0.0f);
        EXPECT_EQ(item->GetDefault(), 0.0f);
    }
    EXPECT_EQ(list.GetItem(2), nullptr);
}

TEST(ParameterInfoList, CopiesItsDescriptorsAndItsCopiesAreDeep)
{
    const CParameterInfoList list(3, kDescriptors);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_STREQ(list.GetItem(1)->GetName(), "Depth");
    EXPECT_NE(list.GetItem(1), &kDescriptors[1]);
    EXPECT_EQ(list.GetItem(0)->GetDescription(), nullptr);

    const CParameterInfoList copy(&list);
    ASSERT_EQ(copy.GetCount(), 3);
    EXPECT_NE(copy.GetItem(1), list.GetItem(1));
    EXPECT_STREQ(copy.GetItem(1)->GetDescription(), "how far");
    EXPECT_EQ(copy.GetItem(2)->GetKind(), 0);
    EXPECT_EQ(copy.GetItem(0)->GetDescription(), nullptr);

    const CParameterInfoList fromNothing(static_cast<const CParameterInfoList*>(nullptr));
    EXPECT_EQ(fromNothing.GetCount(), 0);
    EXPECT_EQ(fromNothing.GetItem(0), nullptr);
}

TEST(ParameterInfoList, ReplaceItemSwapsInACopyAndIgnoresIndexesPastTheEnd)
{
    CParameterInfoList list(3, kDescriptors);
    const CParameterInfo stereo("Stereo", CParameterInfo::kContinuous, 0.0f, 100.0f, 100.0f, "%", nullptr);
    ReplaceItem(list, 1, stereo);
    EXPECT_STREQ(list.GetItem(1)->GetName(), "Stereo");
    EXPECT_NE(list.GetItem(1), &stereo);
    EXPECT_STREQ(list.GetItem(0)->GetName(), "Gain");

    ReplaceItem(list, 3, stereo);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_STREQ(list.GetItem(2)->GetName(), "Fixed");
}

TEST(NormalizedParameterSet, MapsRealValuesToTheStoreThroughTheRangeAndOffset)
{
    const CParameterInfoList list(3, kDescriptors);
    CStore store(5);
    CNormalizedParameterSet set(&list, 1, &store);
    EXPECT_EQ(set.GetCount(), 3);
    EXPECT_EQ(set.GetItem(1), list.GetItem(1));

    EXPECT_EQ(set.SetValue(1, 50.0f), 102); // the store's answer comes back
    EXPECT_EQ(store.values[2], 0.5f);
    EXPECT_EQ(set.GetValue(1), 50.0f);

    set.SetValue(0, -10.0f);
    EXPECT_EQ(store.values[1], 0.25f);
    EXPECT_EQ(set.GetValue(0), -10.0f);

    store.values[1] = 0.75f;
    EXPECT_EQ(set.GetValue(0), 10.0f);
}

TEST(NormalizedParameterSet, DoesNotClampInEitherDirection)
{
    const CParameterInfoList list(3, kDescriptors);
    CStore store(3);
    CNormalizedParameterSet set(&list, 0, &store);
    set.SetValue(1, 150.0f);
    EXPECT_EQ(store.values[1], 1.5f);
    EXPECT_EQ(set.GetValue(1), 150.0f);
    set.SetValue(0, -30.0f);
    EXPECT_EQ(store.values[0], -0.25f);
    store.values[1] = -1.0f;
    EXPECT_EQ(set.GetValue(1), -100.0f);
}

TEST(NormalizedParameterSet, WithAZeroRangeStoresZeroAndReadsBackTheMinimum)
{
    const CParameterInfoList list(3, kDescriptors);
    CStore store(3);
    store.values[2] = 0.3f;
    CNormalizedParameterSet set(&list, 0, &store);
    set.SetValue(2, 123.0f);
    EXPECT_EQ(store.values[2], 0.0f);
    EXPECT_EQ(set.GetValue(2), 5.0f);
    store.values[2] = 0.9f;
    EXPECT_EQ(set.GetValue(2), 5.0f);
}

TEST(NormalizedParameterSet, IgnoresIndexesPastItsDescriptors)
{
    const CParameterInfoList list(3, kDescriptors);
    CStore store(5);
    CNormalizedParameterSet set(&list, 0, &store);
    set.SetValue(3, 1.0f);
    EXPECT_EQ(store.values[3], 0.0f);
    EXPECT_EQ(set.GetValue(3), 0.0f);
    EXPECT_EQ(set.GetItem(3), nullptr);
    set.BeginEdit(0); // has nothing to do, must not fail
    set.EndEdit(0);
}
