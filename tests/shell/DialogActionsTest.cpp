#include "ShellTest.h"

#include "platform/Folders.h"
#include "ui/ActionSheet.h"
#include "ui/AlertView.h"
#include "ui/ImagePickerController.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"

using namespace ui;

// Scenes answering the phone's dialogs: a screen shows an alert, a sheet or a
// picker when its button is tapped, and records what came back.
class DialogActionsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        platform::folders::setAlbumFolder((folder / "album").string());
    }
    void TearDown() override
    {
        ImagePickerController::answerNextPicker({});
        platform::folders::setAlbumFolder({});
        ShellTest::TearDown();
    }
    std::vector<int> clicked;
    std::string typed;
};

TEST_F(DialogActionsTest, AlertTapsTheButtonByIndexAfterTypingItsText)
{
    play(R"({"actions": [{"wait": 0.1}, {"alert": {"button": 1, "text": "66.6"}}]})", [&](Window&) {
        auto alert = AlertView::make("输入转账金额", std::nullopt, "取消", { "发送" });
        alert->setAlertViewStyle(AlertView::Style::PlainTextInput);
        alert->textFieldAtIndex(0)->setText("1");
        alert->clickedButtonAtIndex = [this](AlertView& a, int index) {
            clicked.push_back(index);
            typed = a.textFieldAtIndex(0)->utf8Text();
        };
        alert->show();
    });
    EXPECT_EQ(clicked, std::vector<int> { 1 });
    EXPECT_EQ(typed, "66.6");
    EXPECT_EQ(AlertView::visibleAlert(), nullptr);
}

TEST_F(DialogActionsTest, SheetTapsTheButtonInThePhonesIndexOrder)
{
    play(R"({"actions": [{"sheet": 2}]})", [&](Window&) {
        auto sheet = ActionSheet::make("设置背景", "取消", "拍照", { "相册选择" });
        sheet->addButtonWithTitle("默认");
        sheet->clickedButtonAtIndex = [this](ActionSheet&, int index) { clicked.push_back(index); };
        sheet->showInView(nullptr);
    });
    EXPECT_EQ(clicked, std::vector<int> { 2 });
}

TEST_F(DialogActionsTest, AnsweringNothingOnScreenNamesTheAction)
{
    EXPECT_EQ(failure(R"({"actions": [{"alert": 0}]})", [](Window&) {}), "actions[0].alert: no alert on screen");
    EXPECT_EQ(failure(R"({"actions": [{"sheet": 0}]})", [](Window&) {}), "actions[0].sheet: no action sheet on screen");
    auto tooFar = failure(R"({"actions": [{"sheet": 5}]})", [](Window&) {
        ActionSheet::make(std::nullopt, "取消", std::nullopt, {})->showInView(nullptr);
    });
    EXPECT_EQ(tooFar, "actions[0].sheet: the sheet has no button 5 (it has 1)");
}

TEST_F(DialogActionsTest, PickPhotoAnswersTheNextPickerWithAFileCopiedIntoTheAlbum)
{
    std::string file = writePicture("cat.png", 0xFFFFFFFF, 17, 5);
    std::vector<int> widths;
    int cancels = 0;
    std::shared_ptr<ViewController> screen;
    auto build = [&](Window& window) {
        screen = std::make_shared<ViewController>();
        window.addSubview(screen->view());
        auto present = [&] {
            auto picker = ImagePickerController::make();
            picker->didFinishPickingMedia = [&](ImagePickerController& p, const ImagePickerInfo& info) {
                widths.push_back(info.originalImage->pixelWidth());
                p.dismissViewController(true);
            };
            picker->didCancel = [&](ImagePickerController& p) {
                ++cancels;
                p.dismissViewController(true);
            };
            screen->presentViewController(picker, true);
        };
        // The picker comes up a moment after launch, after the answer was given.
        platform::MainQueue::shared().after(0.2, present);
        platform::MainQueue::shared().after(3, present);
    };
    play(R"({"actions": [{"pickPhoto": ")" + file + R"("}, {"wait": 3}, {"pickPhoto": "cancel"}]})", build);
    EXPECT_EQ(widths, std::vector<int> { 17 });
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(std::filesystem::exists(folder / "album" / "cat.png"));
    EXPECT_NE(failure(R"({"actions": [{"pickPhoto": "missing.png"}]})", [](Window&) {}).find("missing.png is not a JPEG or PNG"),
        std::string::npos);
}
