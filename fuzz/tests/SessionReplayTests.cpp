// Replays the saved fuzz corpus and every input that once exposed a fault, in every build, so a
// fixed fault stays fixed even where the fuzzer itself is not built.
#include "HostSession.h"
#include "Vst3HostSession.h"
#include <gtest/gtest.h>
#include <algorithm>
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

void ReplayAll(const char* directory)
{
    const std::vector<std::filesystem::path> files = SessionFiles(directory);
    ASSERT_FALSE(files.empty()) << "no sessions in " << directory;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        std::ifstream stream(file, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
        RunAnyHostSession(bytes.data(), bytes.size()); // aborts with a message on a broken promise
    }
}

} // namespace

TEST(HostSessionReplay, InputsThatOnceFoundFaultsNowRunClean) { ReplayAll(FUZZ_REGRESSIONS_DIR); }

TEST(HostSessionReplay, SavedCorpusSessionsRunClean) { ReplayAll(FUZZ_CORPUS_DIR); }

TEST(HostSessionReplay, EmptyAndOneByteSessionsOpenAndCloseThePlugin)
{
    const uint8_t bytes[] = {11};
    RunHostSession(nullptr, 0);
    RunHostSession(bytes, sizeof bytes);
    const uint8_t vst3[] = {'V'};
    RunAnyHostSession(vst3, sizeof vst3);
}
