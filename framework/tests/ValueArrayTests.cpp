#include "ValueArray.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

const float kThree[] = {1.0f, 2.0f, 3.0f};
const float kTwo[] = {10.0f, 20.0f};

} // namespace

TEST(ValueArray, CopiesItsSourceOrStartsAtZero)
{
    CValueArray copied(kThree, 3);
    EXPECT_EQ(copied.GetCount(), 3);
    EXPECT_EQ(copied.GetValue(2), 3.0f);

    CValueArray zeros(nullptr, 4);
    EXPECT_EQ(zeros.GetCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(zeros.GetValue(i), 0.0f);

    CValueArray empty(nullptr, 0);
    EXPECT_EQ(empty.GetCount(), 0);
    EXPECT_FALSE(empty.HasStorage());
    EXPECT_EQ(empty.GetValue(0), 0.0f);
}

TEST(ValueArray, ReadPastTheEndGivesZeroAndWritePastTheEndChangesNothing)
{
    CValueArray values(kThree, 3);
    EXPECT_EQ(values.GetValue(3), 0.0f);
    EXPECT_EQ(values.GetValue(-1), 0.0f);
    values.SetValue(3, 9.0f);
    values.SetValue(-1, 9.0f);
    EXPECT_EQ(values.GetCount(), 3);
    EXPECT_EQ(values.GetValue(0), 1.0f);
    EXPECT_EQ(values.GetValue(1), 2.0f);
    EXPECT_EQ(values.GetValue(2), 3.0f);
    EXPECT_EQ(values.GetValue(3), 0.0f);
}

TEST(ValueArray, CopyIsDeepAndCopiesAnyViewThroughItsOperations)
{
    CValueArray source(kThree, 3);
    CValueArray copy(source);
    source.SetValue(0, 7.0f);
    EXPECT_EQ(copy.GetValue(0), 1.0f);

    const CValueArray second(kTwo, 2);
    const CJoinedValueArray joined(&copy, &second);
    const CValueArray flattened(&joined);
    ASSERT_EQ(flattened.GetCount(), 5);
    EXPECT_EQ(flattened.GetValue(3), 10.0f);
    EXPECT_EQ(flattened.GetValue(4), 20.0f);

    const CValueArray fromNothing(static_cast<const CValueArray*>(nullptr));
    EXPECT_EQ(fromNothing.GetCount(), 0);
}

TEST(JoinedValueArray, OverThreeAndTwoValuesHasCountFiveAndIndexThreeReadsTheSecondArray)
{
    CValueArray first(kThree, 3);
    CValueArray second(kTwo, 2);
    CJoinedValueArray joined(&first, &second);
    EXPECT_EQ(joined.GetCount(), 5);
    EXPECT_EQ(joined.GetValue(0), 1.0f);
    EXPECT_EQ(joined.GetValue(2), 3.0f);
    EXPECT_EQ(joined.GetValue(3), 10.0f);
    EXPECT_EQ(joined.GetValue(4), 20.0f);
    EXPECT_EQ(joined.GetValue(5), 0.0f);

    joined.SetValue(0, 99.0f);
    joined.SetValue(3, 99.0f);
    EXPECT_EQ(first.GetValue(0), 1.0f);
    EXPECT_EQ(second.GetValue(0), 10.0f);
    EXPECT_EQ(joined.GetValue(0), 1.0f);
    EXPECT_EQ(joined.GetValue(3), 10.0f);
}

TEST(JoinedValueArray, FollowsTheArraysItIsPointedAt)
{
    CValueArray first(kThree, 3);
    CValueArray second(kTwo, 2);
    CJoinedValueArray joined;
    EXPECT_EQ(joined.GetCount(), 0);
    EXPECT_EQ(joined.GetValue(0), 0.0f);

    joined.SetSecond(&first);
    EXPECT_EQ(joined.GetCount(), 3);
    EXPECT_EQ(joined.GetValue(1), 2.0f);

    joined.SetFirst(&second);
    EXPECT_EQ(joined.GetCount(), 5);
    EXPECT_EQ(joined.GetValue(1), 20.0f);
    EXPECT_EQ(joined.GetValue(2), 1.0f);
}

TEST(ValueArrayList, StartsWithAllEntriesUsedAndZeroFilled)
{
    const CValueArrayList list(3, 8);
    EXPECT_EQ(list.GetUsed(), 3);
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(list.GetItem(i), nullptr);
        EXPECT_EQ(list.GetItem(i)->GetCount(), 8);
        for (int v = 0; v < 8; ++v)
            EXPECT_EQ(list.GetItem(i)->GetValue(v), 0.0f);
    }
    EXPECT_EQ(list.GetItem(3), nullptr);

    const CValueArrayList none(0, 8);
    EXPECT_EQ(none.GetUsed(), 0);
    EXPECT_EQ(none.GetItem(0), nullptr);
}

TEST(ValueArrayList, GetItemIsBoundedByTheCapacityNotTheUsedCount)
{
    CValueArrayList list(3, 2);
    list.used = 1;
    EXPECT_EQ(list.GetUsed(), 1);
    EXPECT_NE(list.GetItem(2), nullptr);
    EXPECT_EQ(list.GetItem(3), nullptr);
}

TEST(ValueArrayList, AssignCopiesOnlyMatchingArraysIntoExistingEntries)
{
    CValueArrayList list(2, 3);
    const CValueArray three(kThree, 3);
    list.Assign(1, &three);
    EXPECT_EQ(list.GetItem(1)->GetValue(0), 1.0f);
    EXPECT_EQ(list.GetItem(1)->GetValue(2), 3.0f);
    EXPECT_EQ(list.GetItem(0)->GetValue(0), 0.0f);

    const CValueArray two(kTwo, 2);
    list.Assign(1, &two); // different count: the entry stays as it was
    EXPECT_EQ(list.GetItem(1)->GetValue(0), 1.0f);
    EXPECT_EQ(list.GetItem(1)->GetValue(1), 2.0f);

    list.Assign(2, &three); // past the capacity
    list.Assign(0, nullptr);
    EXPECT_EQ(list.GetItem(0)->GetValue(0), 0.0f);
}

TEST(ValueArrayList, CopyIsDeep)
{
    CValueArrayList source(2, 3);
    source.used = 1;
    const CValueArray three(kThree, 3);
    source.Assign(0, &three);
    const CValueArrayList copy(source);
    source.GetItem(0)->SetValue(0, 5.0f);
    EXPECT_EQ(copy.GetUsed(), 1);
    EXPECT_EQ(copy.GetItem(0)->GetValue(0), 1.0f);
    EXPECT_EQ(copy.GetItem(0)->GetValue(2), 3.0f);
}

TEST(ValuesEqual, ComparesCountsAndEveryValueExactly)
{
    const CValueArray a(kThree, 3);
    CValueArray b(kThree, 3);
    EXPECT_TRUE(ValuesEqual(&a, &b));

    b.SetValue(2, 3.0000002f); // one float step away
    EXPECT_FALSE(ValuesEqual(&a, &b));

    const CValueArray two(kTwo, 2);
    EXPECT_FALSE(ValuesEqual(&two, &a));
    EXPECT_FALSE(ValuesEqual(nullptr, &a));

    const CValueArray emptyView(nullptr, 0);
    const CValueArray emptyArray(nullptr, 0);
    EXPECT_FALSE(ValuesEqual(&emptyView, &emptyArray)); // an array without storage never matches

    const float zeros[] = {0.0f, 0.0f};
    const float negativeZeros[] = {-0.0f, 0.0f};
    const CValueArray z(zeros, 2), nz(negativeZeros, 2);
    EXPECT_TRUE(ValuesEqual(&z, &nz)); // compared as floats, not as bits
}

TEST(ValuesToStep, TurnsTargetsIntoPerFrameIncrements)
{
    const float old[] = {0.0f, 10.0f, 20.0f};
    const float target[] = {64.0f, 10.0f, 10.0f};
    const CValueArray view(old, 3);
    CValueArray array(target, 3);
    ValuesToStep(&view, &array, 64);
    EXPECT_EQ(array.GetValue(0), 1.0f);
    EXPECT_EQ(array.GetValue(1), 0.0f);
    EXPECT_FLOAT_EQ(array.GetValue(2), -10.0f / 64.0f);
}

TEST(ValuesToStep, WithZeroFramesYieldsAllZeroIncrements)
{
    const CValueArray view(kThree, 3);
    const float target[] = {5.0f, 6.0f, 7.0f};
    CValueArray array(target, 3);
    ValuesToStep(&view, &array, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(array.GetValue(i), 0.0f);
}

TEST(ValuesToStep, LeavesArraysOfDifferentCountsAlone)
{
    const CValueArray view(kTwo, 2);
    CValueArray array(kThree, 3);
    ValuesToStep(&view, &array, 10);
    EXPECT_EQ(array.GetValue(0), 1.0f);
    EXPECT_EQ(array.GetValue(2), 3.0f);
}

TEST(AssignValues, CopiesOnlyBetweenEqualNonZeroCounts)
{
    const CValueArray source(kThree, 3);
    CValueArray target(nullptr, 3);
    AssignValues(&target, &source);
    EXPECT_EQ(target.GetValue(0), 1.0f);
    EXPECT_EQ(target.GetValue(2), 3.0f);

    const CValueArray two(kTwo, 2);
    AssignValues(&target, &two);
    EXPECT_EQ(target.GetValue(0), 1.0f);
    AssignValues(&target, nullptr);
    EXPECT_EQ(target.GetValue(1), 2.0f);
}

// Whole-array work takes a shortcut between plain arrays; through a view it goes value by value.
// Both must give the same bits, -0 and NaN included.
TEST(ValueArray, PlainArraysAndViewsGiveTheSameBitsInEveryWholeArrayOperation)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float a[] = {-0.0f, 0.0f, nan, inf, -inf, 1e-40f, 3.5f, -7.25f};
    const float b[] = {0.0f, -0.0f, 1.0f, inf, 2.0f, 1e-40f, nan, 8.0f};
    const CValueArray plainA(a, 8), plainB(b, 8), empty;
    const CJoinedValueArray viewA(&plainA, &empty), viewB(&plainB, &empty);
    EXPECT_NE(plainA.PlainValues(), nullptr);
    EXPECT_EQ(viewA.PlainValues(), nullptr);

    auto bits = [](const CValueArray& values) {
        std::vector<uint32_t> out;
        for (int i = 0; i < values.GetCount(); ++i) {
            const float x = values.GetValue(i);
            uint32_t u;
            std::memcpy(&u, &x, sizeof u);
            out.push_back(u);
        }
        return out;
    };
    for (int frames : {0, 1, 3, 512}) {
        CValueArray stepPlain(&plainB), stepView(&plainB);
        ValuesToStep(&plainA, &stepPlain, frames);
        ValuesToStep(&viewA, &stepView, frames); // the view forces the per-value path
        EXPECT_EQ(bits(stepPlain), bits(stepView)) << frames << " frames";
    }
    CValueArray copyPlain(nullptr, 8), copyView(nullptr, 8);
    AssignValues(&copyPlain, &plainA);
    AssignValues(&copyView, &viewA);
    EXPECT_EQ(bits(copyPlain), bits(plainA));
    EXPECT_EQ(bits(copyView), bits(plainA));
    CValueArrayList list(2, 8);
    list.Assign(0, &plainB);
    list.Assign(1, &viewB);
    EXPECT_EQ(bits(*list.GetItem(0)), bits(plainB));
    EXPECT_EQ(bits(*list.GetItem(1)), bits(plainB));

    const float c[] = {-0.0f, 0.0f, 1.0f, inf, -inf, 1e-40f, 3.5f, -7.25f};
    const CValueArray plainC(c, 8), same(c, 8);
    const CJoinedValueArray viewC(&plainC, &empty);
    EXPECT_TRUE(ValuesEqual(&plainC, &same));
    EXPECT_TRUE(ValuesEqual(&viewC, &same));
    EXPECT_FALSE(ValuesEqual(&plainA, &plainA)); // NaN equals nothing
    EXPECT_FALSE(ValuesEqual(&viewA, &plainA));
}
