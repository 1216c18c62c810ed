#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Folders.h"
#include "platform/audio/AudioTestSupport.h"
#include "platform/store/SettingsStore.h"

using platform::SettingsStore;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    audiotest::TempHome m_home;
    std::string m_folder = m_home.path();
    std::string m_path = m_home.file("settings.sqlite");
};

// A value that shows whether it was written whole: n, then n repeated to fill
// 64 KB (big enough to span many database pages).
std::vector<std::uint8_t> valueNumbered(std::uint32_t n)
{
    std::vector<std::uint8_t> bytes(65536);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(n >> 8 * (i % 4));
    return bytes;
}

// The number of a whole value, or -1 for a torn one.
long numberOf(const std::vector<std::uint8_t>& bytes)
{
    std::uint32_t n = bytes.size() < 4 ? 0 : bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t(bytes[3]) << 24;
    return bytes == valueNumbered(n) ? long(n) : -1;
}

} // namespace

TEST_F(SettingsStoreTest, KeepsValuesAcrossReopeningInTheHomeFolder)
{
    {
        SettingsStore store(m_path);
        ASSERT_TRUE(store.isOpen());
        EXPECT_EQ(store.get("CHAT"), std::nullopt);
        EXPECT_TRUE(store.set("CHAT", std::vector<std::uint8_t> { 1, 2, 3 }));
        EXPECT_TRUE(store.set("USERMODEL", std::vector<std::uint8_t> {}));
        EXPECT_TRUE(store.set("CHAT", std::vector<std::uint8_t> { 4 }));
    }
    SettingsStore store(m_path);
    EXPECT_EQ(store.get("CHAT"), (std::vector<std::uint8_t> { 4 }));
    EXPECT_EQ(store.get("USERMODEL"), std::vector<std::uint8_t> {}) << "an empty value differs from no value";
    EXPECT_EQ(store.keys(), (std::vector<std::string> { "CHAT", "USERMODEL" }));

    // The standard store is the one in the current home folder.
    EXPECT_EQ(SettingsStore::standard().get("CHAT"), (std::vector<std::uint8_t> { 4 }));
    platform::folders::setHomeFolder(m_folder + "/other");
    EXPECT_EQ(SettingsStore::standard().get("CHAT"), std::nullopt);
}

TEST_F(SettingsStoreTest, FileThatIsNotADatabaseIsMovedAsideNotOverwritten)
{
    std::string notes;
    for (int i = 0; i < 200; ++i)
        notes += "these are someone's notes, not a database\n";
    std::ofstream(m_path, std::ios::binary) << notes;
    SettingsStore store(m_path);
    ASSERT_TRUE(store.isOpen());
    EXPECT_TRUE(store.keys().empty());
    EXPECT_TRUE(store.set("CHAT", std::vector<std::uint8_t> { 1 }));
    std::vector<std::string> aside;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        if (entry.path().filename().string().starts_with("settings.sqlite.unreadable-"))
            aside.push_back(entry.path());
    }
    ASSERT_EQ(aside.size(), 1u);
    std::ifstream moved(aside[0], std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(moved), {}), notes);
}

TEST_F(SettingsStoreTest, SurvivesAWriterKilledMidSaveAndReadersNeverSeeTornValues)
{
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The writer: saves numbered values forever, reporting each finished one.
        close(pipeFds[0]);
        SettingsStore store(m_path);
        for (std::uint32_t n = 1;; ++n) {
            if (!store.set("CHAT", valueNumbered(n)))
                _exit(2);
            std::uint8_t done = 1;
            if (write(pipeFds[1], &done, 1) != 1)
                _exit(3);
        }
    }
    close(pipeFds[1]);
    long acknowledged = 0;
    {
        SettingsStore reader(m_path);
        std::uint8_t done = 0;
        while (acknowledged < 40 && read(pipeFds[0], &done, 1) == 1) {
            ++acknowledged;
            // A second process reading meanwhile sees a whole value.
            auto seen = reader.get("CHAT");
            if (seen) {
                EXPECT_GE(numberOf(*seen), 1) << "torn value while the writer runs";
            }
        }
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(pipeFds[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;
    ASSERT_EQ(acknowledged, 40);

    SettingsStore store(m_path);
    ASSERT_TRUE(store.isOpen());
    auto value = store.get("CHAT");
    ASSERT_TRUE(value);
    EXPECT_GE(numberOf(*value), acknowledged) << "a finished save was lost or the value is torn";
    EXPECT_TRUE(store.set("CHAT", valueNumbered(7)));
    EXPECT_EQ(numberOf(*store.get("CHAT")), 7);
}
