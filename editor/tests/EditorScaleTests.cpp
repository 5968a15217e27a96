#include "EditorScale.h"
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>
#if defined(_WIN32)
#include <direct.h>
#include <process.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A folder of this test's own under the temporary folder, emptied of the files the tests make.
std::string TestFolder()
{
#if defined(_WIN32)
    const char* base = std::getenv("TEMP");
    const std::string folder = std::string(base ? base : ".") + "\\editor-scale-" + std::to_string(_getpid());
#else
    const std::string folder = "/tmp/editor-scale-" + std::to_string(getpid());
#endif
    return folder;
}

std::string FileIn(const std::string& folder, const char* name)
{
#if defined(_WIN32)
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(EditorScaleTest, AChosenSizeIsSavedAndANewInstanceOpensAtIt)
{
    const std::string path = FileIn(TestFolder(), "saved.conf");
    std::remove(path.c_str());
    CEditorScale first(CSettingsFile(path), "editor-size");
    first.SetHostFactor(1.25);
    EXPECT_EQ(first.ChosenPercent(), 0);
    EXPECT_DOUBLE_EQ(first.Factor(), 1.25); // nothing chosen: the host's word
    ASSERT_TRUE(first.Choose(200));         // the folder is made on the way

    CEditorScale second(CSettingsFile(path), "editor-size");
    second.SetHostFactor(1.5);
    EXPECT_EQ(second.ChosenPercent(), 200);
    EXPECT_DOUBLE_EQ(second.Factor(), 2.0);
    ASSERT_TRUE(second.Choose(0)); // "Follow host"
    EXPECT_DOUBLE_EQ(first.Factor(), 1.25);
    second.SetHostFactor(0.0);
    second.SetScreenFactor(1.75);
    EXPECT_DOUBLE_EQ(second.Factor(), 1.75); // no host word: the screen's
}

TEST(EditorScaleTest, AMissingDamagedOrForeignSettingsFileMeansFollowTheHost)
{
    const std::string folder = TestFolder();
    CSettingsFile(FileIn(folder, "probe.conf")).Write("x", "1"); // makes the folder
    const std::string path = FileIn(folder, "damaged.conf");
    const std::string cases[] = {"", "editor-size=", "editor-size=abc", "editor-size=99", "editor-size=301",
                                 "editor-size=2000000000000", "editor-size=-150", std::string(70000, 'x'),
                                 "editor-size", "\x01\x02\xff garbage \n=150\n", "other=150"};
    for (const std::string& text : cases)
    {
        WriteText(path, text);
        CEditorScale scale(CSettingsFile(path), "editor-size");
        scale.SetHostFactor(1.5);
        EXPECT_EQ(scale.ChosenPercent(), 0) << text.substr(0, 40);
        EXPECT_DOUBLE_EQ(scale.Factor(), 1.5) << text.substr(0, 40);
    }
    std::remove(path.c_str());
    EXPECT_EQ(CEditorScale(CSettingsFile(path), "editor-size").ChosenPercent(), 0);
}

TEST(EditorScaleTest, AnUnwritableSettingsPlaceFailsQuietlyAndTheChoiceStillCountsNowhere)
{
    const std::string folder = TestFolder();
    const std::string blocker = FileIn(folder, "blocker");
    CSettingsFile(FileIn(folder, "probe.conf")).Write("x", "1");
    WriteText(blocker, "a file where a folder should be");
    CEditorScale scale(CSettingsFile(FileIn(blocker, "settings.conf")), "editor-size");
    EXPECT_FALSE(scale.Choose(150));
    EXPECT_EQ(scale.ChosenPercent(), 0);
    EXPECT_FALSE(CSettingsFile("").Write("editor-size", "150"));
    std::remove(blocker.c_str());
}

TEST(EditorScaleTest, WritersAtOnceLoseNoKeyAndLeaveAWholeFile)
{
    const std::string path = FileIn(TestFolder(), "shared.conf");
    std::remove(path.c_str());
    const CSettingsFile file(path);
    ASSERT_TRUE(file.Write("keep", "this"));
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w)
        writers.emplace_back([&file, w] {
            for (int i = 0; i < 50; ++i)
                file.Write("editor-size", std::to_string(100 + 50 * ((w + i) % 5)));
        });
    for (std::thread& writer : writers)
        writer.join();
    EXPECT_EQ(file.Read("keep"), "this");
    EXPECT_NE(CEditorScale::ParsePercent(file.Read("editor-size")), 0); // whole, one of the values
}
