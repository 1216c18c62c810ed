#include "ShellTest.h"

#include "chat/records/QYBlanceModel.h"
#include "chat/store/HLObjectValue.h"
#include "shell/scene/SceneError.h"
#include "platform/Folders.h"
#include "shell/scene/ScratchHome.h"

class SceneStoreTest : public ShellTest { };

TEST_F(SceneStoreTest, TheStoreHoldsTheSceneRecordsWhenTheAppLaunches)
{
    shell::ScratchHome home;
    auto scene = shell::SceneReader::readText(R"({"store": {"BLANCE": {
        "$class": "QYBlanceModel", "imageFile": null, "nickName": "小明", "phone": "138****0000",
        "blanceNum": "1,234.00", "blance": "1,234.00"}}})");
    std::shared_ptr<QYBlanceModel> seenAtLaunch;
    shell::SceneRunner runner(folder.string(), windowApp([&](ui::Window&) {
        seenAtLaunch = HLObjectValue::hl_objectWithKey<QYBlanceModel>("BLANCE");
    }));
    runner.play(scene);
    ASSERT_TRUE(seenAtLaunch);
    EXPECT_EQ(seenAtLaunch->nickName()->utf8(), "小明");
    EXPECT_EQ(seenAtLaunch->blanceNum()->utf8(), "1,234.00");
}

TEST_F(SceneStoreTest, RecordsThatCannotBeStoredAreRefusedBeforeAnythingRuns)
{
    try {
        shell::SceneReader::readText(R"({"store": {"BLANCE": {"$class": "QYBlanceModel", "zzz": 1}}})");
        FAIL() << "an unknown property was accepted";
    } catch (const shell::SceneError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("store.BLANCE: ", 0), 0u) << error.what();
        EXPECT_NE(std::string(error.what()).find("zzz"), std::string::npos) << error.what();
    }
    EXPECT_THROW(shell::SceneReader::readText(R"({"store": {"CHAT": null}})"), shell::SceneError);
}

TEST_F(SceneStoreTest, AScratchHomeKeepsTheUsersOwnFoldersUntouched)
{
    std::string home = platform::folders::homeFolder();
    std::string album = platform::folders::albumFolder();
    std::string scratch;
    {
        shell::ScratchHome folders;
        scratch = folders.path();
        EXPECT_EQ(platform::folders::homeFolder(), scratch);
        EXPECT_EQ(platform::folders::albumFolder().rfind(scratch, 0), 0u);
        hl_setObjectWithKey(QYBlanceModel::make(), "BLANCE");
    }
    EXPECT_EQ(platform::folders::homeFolder(), home);
    EXPECT_EQ(platform::folders::albumFolder(), album);
    EXPECT_FALSE(std::filesystem::exists(scratch));

    // A folder named on the command line stays as it is.
    {
        shell::ScratchHome albumOnly(false, true);
        EXPECT_EQ(platform::folders::homeFolder(), home);
        EXPECT_NE(platform::folders::albumFolder(), album);
    }
    EXPECT_EQ(platform::folders::albumFolder(), album);
}
