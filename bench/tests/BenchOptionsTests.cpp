#include "BenchError.h"
#include "BenchOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

BenchOptions parse(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "chorus_peer_bench");
    return parseBenchOptions(static_cast<int>(arguments.size()), arguments.data(), "ours.so");
}

} // namespace

TEST(BenchOptions, KernelsAreForcedOnlyWhenNamedAndOnlySse2OrAvx2)
{
    EXPECT_EQ(parse({}).kernels, "");
    EXPECT_EQ(parse({"--kernels", "sse2"}).kernels, "sse2");
    EXPECT_EQ(parse({"--kernels=avx2"}).kernels, "avx2");
    for (const char* bad : {"SSE2", "avx512", ""}) {
        try {
            parse({"--kernels", bad});
            ADD_FAILURE() << "accepted --kernels \"" << bad << "\"";
        } catch (const BenchError& error) {
            EXPECT_NE(std::string(error.what()).find("--kernels: sse2 or avx2"), std::string::npos) << error.what();
        }
    }
    EXPECT_THROW(parse({"--kernels"}), BenchError); // no value
}

TEST(BenchOptions, ABlockSizeIsAWholeNumberOfFramesUpToTheLargestBlockTheSubjectsAreSetUpFor)
{
    EXPECT_EQ(parse({}).block, 0); // the sweep over every size
    EXPECT_EQ(parse({"--block", "16"}).block, 16);
    EXPECT_EQ(parse({"--block=4096"}).block, 4096);
    for (const char* bad : {"0", "4097", "16.5", "-64", "big"})
        EXPECT_THROW(parse({"--block", bad}), BenchError) << bad;
}
