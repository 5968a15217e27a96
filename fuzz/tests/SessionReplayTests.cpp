// Replays the saved fuzz corpus and every input that once exposed a fault, in every build, so a
// fixed fault stays fixed even where the fuzzer itself is not built.
#include "HostSession.h"
#include "AnyHostSession.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<std::filesystem::path> SessionFiles(const char* directory)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> Bytes(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
}

void ReplayAll(const char* directory)
{
    const std::vector<std::filesystem::path> files = SessionFiles(directory);
    ASSERT_FALSE(files.empty()) << "no sessions in " << directory;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const std::vector<uint8_t> bytes = Bytes(file);
        RunAnyHostSession(bytes.data(), bytes.size()); // aborts with a message on a broken promise
    }
}

} // namespace

TEST(HostSessionReplay, InputsThatOnceFoundFaultsNowRunClean) { ReplayAll(FUZZ_REGRESSIONS_DIR); }

TEST(HostSessionReplay, SavedCorpusSessionsRunClean) { ReplayAll(FUZZ_CORPUS_DIR); }

// libFuzzer keeps an input only when replaying it does the same again; a session that depended
// on anything but its bytes would also make a saved fault impossible to replay.
TEST(HostSessionReplay, TheCorpusPlaysAudioInEveryFormatAndEachSessionReplaysToTheSameSamples)
{
    std::set<char> formatsWithAudio;
    for (const auto& file : SessionFiles(FUZZ_CORPUS_DIR)) {
        SCOPED_TRACE(file.string());
        const std::vector<uint8_t> bytes = Bytes(file);
        const SSessionReport first = RunAnyHostSession(bytes.data(), bytes.size());
        const SSessionReport again = RunAnyHostSession(bytes.data(), bytes.size());
        EXPECT_EQ(first.format, again.format);
        EXPECT_EQ(first.frames, again.frames);
        EXPECT_EQ(first.digest, again.digest);
        if (first.frames > 0)
            formatsWithAudio.insert(first.format);
    }
    EXPECT_EQ(formatsWithAudio, (std::set<char>{'2', 'V', 'C', 'L'}));
}

TEST(HostSessionReplay, EmptyAndOneByteSessionsOpenAndCloseThePlugin)
{
    const uint8_t bytes[] = {11};
    RunHostSession(nullptr, 0);
    RunHostSession(bytes, sizeof bytes);
    for (const uint8_t format : {'V', 'C', 'L'})
        EXPECT_EQ(RunAnyHostSession(&format, 1).format, static_cast<char>(format));
}
