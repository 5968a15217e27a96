#include "FloorSubject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Runs both channels through the floor in blocks of the given size.
void Render(FloorSubject& floor, const std::vector<float>& left, const std::vector<float>& right,
            std::vector<float>& outLeft, std::vector<float>& outRight, int blockFrames)
{
    const int frames = static_cast<int>(left.size());
    outLeft.assign(left.size(), -1.0f);
    outRight.assign(right.size(), -1.0f);
    for (int start = 0; start < frames; start += blockFrames) {
        const float* const inputs[kBenchChannels] = {left.data() + start, right.data() + start};
        float* const outputs[kBenchChannels] = {outLeft.data() + start, outRight.data() + start};
        floor.process(inputs, outputs, std::min(blockFrames, frames - start));
    }
}

} // namespace

TEST(FloorSubject, MixesTheDryImpulseWithItsCopyExactlyTheDelayLaterOnEachChannel)
{
    FloorSubject floor(882, 1.0f, 0.5f);
    std::vector<float> left(3000, 0.0f), right(3000, 0.0f), outLeft, outRight;
    left[0] = 1.0f;
    right[700] = -2.0f; // the delayed copy crosses a block boundary (1582 = 3 * 512 + 46)
    Render(floor, left, right, outLeft, outRight, kBenchBlockFrames);
    for (int n = 0; n < 3000; ++n) {
        const float expectedLeft = n == 0 ? 1.0f : n == 882 ? 0.5f : 0.0f;
        const float expectedRight = n == 700 ? -2.0f : n == 1582 ? -1.0f : 0.0f;
        ASSERT_EQ(outLeft[static_cast<size_t>(n)], expectedLeft) << "frame " << n;
        ASSERT_EQ(outRight[static_cast<size_t>(n)], expectedRight) << "frame " << n;
    }
}

TEST(FloorSubject, GivesTheSameOutputWhateverTheBlockSizes)
{
    std::vector<float> left(5000), right(5000);
    for (size_t n = 0; n < left.size(); ++n) {
        left[n] = static_cast<float>(n % 17) - 8.0f;
        right[n] = static_cast<float>(n % 5) * 0.25f;
    }
    FloorSubject whole(882, 1.0f, 0.5f), ragged(882, 1.0f, 0.5f);
    std::vector<float> wholeLeft, wholeRight, raggedLeft, raggedRight;
    Render(whole, left, right, wholeLeft, wholeRight, kBenchBlockFrames);
    Render(ragged, left, right, raggedLeft, raggedRight, 37);
    EXPECT_EQ(wholeLeft, raggedLeft);
    EXPECT_EQ(wholeRight, raggedRight);
}
