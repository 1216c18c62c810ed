// The two guards of what the program writes: one program per home folder,
// and files replaced whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/HomeLock.h"
#include "platform/ReplacingFile.h"
#include "platform/audio/AudioTestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::uint8_t> bytes(const std::string& text) { return { text.begin(), text.end() }; }

} // namespace

TEST(HomeLock, ASecondProgramOnTheSameHomeIsRefusedUntilTheFirstIsGone)
{
    audiotest::TempHome home;
    std::string folder = home.file("home");
    {
        platform::HomeLock first(folder);
        ASSERT_TRUE(first.isHeld()) << first.error();
        platform::HomeLock second(folder);
        EXPECT_FALSE(second.isHeld());
        EXPECT_NE(second.error().find("another qyshot is using the home folder " + folder), std::string::npos) << second.error();
        platform::HomeLock elsewhere(home.file("other"));
        EXPECT_TRUE(elsewhere.isHeld());
    }
    platform::HomeLock after(folder);
    EXPECT_TRUE(after.isHeld());

    std::ofstream(home.file("plain")) << "x";
    platform::HomeLock impossible(home.file("plain/home"));
    EXPECT_FALSE(impossible.isHeld());
    EXPECT_FALSE(impossible.error().empty());
}

TEST(ReplacingFile, TheTargetChangesOnlyOnCommitAndNothingIsLeftBehind)
{
    audiotest::TempHome home;
    std::string target = home.file("out.bin");
    std::ofstream(target) << "old";
    auto onlyTarget = [&] {
        std::vector<std::string> names;
        for (auto& entry : fs::directory_iterator(home.path()))
            names.push_back(entry.path().filename().string());
        return names == std::vector<std::string> { "out.bin" };
    };

    {
        platform::ReplacingFile file(target);
        ASSERT_TRUE(file.isOpen()) << file.error();
        EXPECT_TRUE(file.write(bytes("half a")));
        EXPECT_EQ(contents(target), "old") << "nothing shows before the commit";
    }
    EXPECT_EQ(contents(target), "old") << "abandoned: the old file stays";
    EXPECT_TRUE(onlyTarget());

    {
        platform::ReplacingFile file(target);
        ASSERT_TRUE(file.write(bytes("new")));
        ASSERT_TRUE(file.commit()) << file.error();
    }
    EXPECT_EQ(contents(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::others_read, fs::perms::others_read);
    EXPECT_TRUE(onlyTarget());

    // Targets that must not be replaced by a rename: a folder and a device.
    for (const std::string& refused : { home.path(), std::string("/dev/null") }) {
        platform::ReplacingFile file(refused);
        EXPECT_FALSE(file.isOpen());
        EXPECT_FALSE(file.commit());
        EXPECT_NE(file.error().find(refused), std::string::npos) << file.error();
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(onlyTarget());
}
