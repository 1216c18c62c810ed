#include "ComposerTest.h"

#include <algorithm>

#include "app/AppDelegate.h"
#include "app/home/HomeRoutes.h"
#include "app/home/ViewController.h"
#include "app/ScreenRoutes.h"
#include "platform/Folders.h"
#include "platform/ImageCodec.h"
#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioTestSupport.h"
#include "platform/audio/FileMicrophone.h"
#include "platform/audio/NullSpeaker.h"
#include "messages/RIRingTabelViewCell.h"
#include "money/redpacket/QYRedPacViewController.h"
#include "ui/ActionSheet.h"
#include "ui/AlertView.h"
#include "ui/DialogButton.h"
#include "ui/ImagePickerController.h"
#include "ui/Keyboard.h"
#include "ui/MenuController.h"

namespace fs = std::filesystem;

void ComposerTest::TearDown()
{
    platform::AudioDevice::setMicrophone(nullptr);
    chat.reset();
    AppTest::TearDown();
}

std::shared_ptr<QYPresetViewController> ComposerTest::openPreset(int type)
{
    auto homeScreen = std::static_pointer_cast<::ViewController>(navigation->viewControllers().front());
    tapView(type == 1 ? homeScreen->chatButton() : homeScreen->aliChatButton());
    settle();
    auto preset = std::dynamic_pointer_cast<QYPresetViewController>(navigation->topViewController());
    EXPECT_TRUE(preset);
    return preset;
}

void ComposerTest::typeInto(const std::shared_ptr<ui::TextField>& field, const std::u16string& text)
{
    tapView(field);
    advance(0.5);
    ASSERT_TRUE(field->isFirstResponder());
    while (!field->text().empty())
        field->deleteBackward();
    field->insertText(text);
    field->insertText(u"\n");
    advance(0.5);
}

void ComposerTest::tapPictureRow(const QYPresetViewController& preset, size_t group)
{
    // The upper half of the two-row groups, all of the background's.
    ui::Rect area = preset.groups()[group]->frameInScreen();
    tap({ area.x() + 60, area.y() + 27 });
}

void ComposerTest::choosePicture(const QYPresetViewController& preset, size_t group, int choice)
{
    tapPictureRow(preset, group);
    auto sheet = ui::ActionSheet::visibleSheet();
    ASSERT_TRUE(sheet);
    advance(0.5); // slid up
    tapView(sheet->buttonAtIndex(choice));
    advance(0.5);
}

void ComposerTest::openChat(int type, const std::function<void(QYChatViewController&)>& configure)
{
    chat = std::make_shared<QYChatViewController>();
    chat->setType(ChatStyle(type));
    chat->setMeNicek(std::string("我自己"));
    chat->setHeNick(std::string("小明"));
    chat->setMeAvatar(meAvatar);
    chat->setHeAvatar(heAvatar);
    if (configure)
        configure(*chat);
    navigation->pushViewController(chat, true);
    settle();
}

void ComposerTest::send(const std::u16string& text)
{
    auto field = chat->toolBar()->msgTextView();
    if (!field->isFirstResponder())
        tapView(field);
    field->insertText(text);
    field->insertText(u"\n");
}

void ComposerTest::chooseItem(int index)
{
    auto bar = chat->toolBar();
    auto panelOpen = [&] { return bar->isShowBottomView() && !bar->moreView()->isHidden() && !ui::Keyboard::shared().isVisible(); };
    // A panel closed by a tap elsewhere leaves "+" selected: its next tap
    // brings the keyboard, the one after it the panel.
    for (int taps = 0; taps < 2 && !panelOpen(); ++taps) {
        tapView(bar->moreButton());
        settle();
    }
    tapView(bar->moreView()->cellAtIndex(index)->itemButton());
}

void ComposerTest::tapFaceKey(int key)
{
    auto bar = chat->toolBar();
    if (!bar->faceButton()->isSelected()) {
        tapView(bar->faceButton());
        settle();
    }
    tapView(bar->faceViewManager()->pages()[0]->buttons()[size_t(key)]);
}

void ComposerTest::chooseFromRowMenu(int row, const std::string& title)
{
    auto list = chat->baseTableView();
    list->scrollToRow(ui::IndexPath::forRow(row), ui::TableViewScrollPosition::Middle, false);
    ui::Application::shared().layoutIfNeeded();
    auto cell = std::dynamic_pointer_cast<RIRingTabelViewCell>(list->cellForRow(ui::IndexPath::forRow(row)));
    ASSERT_TRUE(cell && cell->bubbleView());
    ui::Point point = cell->bubbleView()->frameInScreen().center();
    ui::Application::shared().touchDown(point);
    advance(0.6);
    ui::Application::shared().touchUp(point);
    advance(0.3);
    auto& menu = ui::MenuController::shared();
    ASSERT_TRUE(menu.isMenuVisible());
    const auto& items = menu.visibleItems();
    ui::Rect frame = menu.menuFrame();
    double width = frame.width() / double(items.size());
    double barMid = menu.arrowPointsDown() ? frame.y() + 18 : frame.maxY() - 18;
    auto item = std::find_if(items.begin(), items.end(), [&](const auto& candidate) { return candidate.title == title; });
    ASSERT_NE(item, items.end()) << "no menu item " << title;
    tap({ frame.x() + width * (double(item - items.begin()) + 0.5), barMid });
    settle();
}

std::shared_ptr<QYRedPacViewController> ComposerTest::openRedPacketForm()
{
    chooseItem(4);
    settle();
    auto stack = std::dynamic_pointer_cast<ui::NavigationController>(chat->presentedViewController());
    EXPECT_TRUE(stack);
    if (!stack)
        return nullptr;
    EXPECT_EQ(stack->viewControllers().size(), 1u);
    return std::dynamic_pointer_cast<QYRedPacViewController>(stack->topViewController());
}

void ComposerTest::makeRedPacket(const std::u16string& amount, const std::u16string& blessing)
{
    auto form = openRedPacketForm();
    ASSERT_TRUE(form);
    tapView(form->textPr());
    form->textPr()->insertText(amount);
    if (!blessing.empty()) {
        tapView(form->context());
        form->context()->insertText(blessing);
    }
    tapView(form->sendRed());
    settle();
}

void ComposerTest::makeTransfer(const std::u16string& amount, int button)
{
    chooseItem(5);
    settle();
    auto alert = ui::AlertView::visibleAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), "输入转账金额");
    EXPECT_FALSE(alert->message());
    EXPECT_EQ(alert->buttonTitleAtIndex(0), "取消");
    EXPECT_EQ(alert->buttonTitleAtIndex(1), "发送");
    auto field = alert->textFieldAtIndex(0);
    ASSERT_TRUE(field);
    EXPECT_TRUE(field->isFirstResponder());
    EXPECT_EQ(field->keyboardType, ui::KeyboardType::DecimalPad);
    field->insertText(amount);
    tapView(alert->buttonAtIndex(button));
    settle();
    EXPECT_FALSE(ui::AlertView::visibleAlert());
}

void ComposerTest::useMicrophone()
{
    std::string wav = (fs::path(home->path()) / "speech.wav").string();
    audiotest::writeWav(wav, audiotest::sine(8000 * 5));
    platform::AudioDevice::setMicrophone(std::make_shared<platform::FileMicrophone>(wav));
    platform::AudioDevice::setSpeaker(std::make_shared<platform::NullSpeaker>());
    // The shared recorder keeps the scratch folder of the home it was made in.
    fs::create_directories(fs::path(GXRecordManage::defaultManager()->recorder().tempRecordFileURL()).parent_path());
}

void ComposerTest::holdToTalk(double seconds, bool releaseOutside)
{
    auto bar = chat->toolBar();
    if (bar->recordButton()->isHidden()) {
        tapView(bar->voiceButton());
        settle();
    }
    ui::Point point = bar->recordButton()->frameInScreen().center();
    ui::Point release = releaseOutside ? ui::Point { point.x, point.y - 200 } : point;
    auto& app = ui::Application::shared();
    app.touchDown(point);
    advance(seconds);
    app.touchMove(release);
    app.touchUp(release);
    advance(0.1);
}

std::vector<QYChatModelPtr> ComposerTest::rowsOf(const coding::CollectionPtr& collection)
{
    std::vector<QYChatModelPtr> list;
    for (auto& row : collection ? collection->elements() : std::vector<coding::ObjectPtr> {})
        list.push_back(std::dynamic_pointer_cast<QYChatModel>(row));
    return list;
}

std::vector<std::u16string> ComposerTest::texts(const std::vector<QYChatModelPtr>& list)
{
    std::vector<std::u16string> result;
    for (auto& row : list)
        result.push_back(row ? coding::text(row->context()) : u"?");
    return result;
}

void ComposerTest::pickFromAlbum(const std::string& path)
{
    settle(); // the picker slides up
    auto picker = ui::ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    ASSERT_TRUE(picker->pickPhotoAtPath(path));
    settle();
}

ui::ImagePtr ComposerTest::plain(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    platform::PixelBuffer pixels { width, height, width * 4, {} };
    for (int i = 0; i < width * height; ++i)
        pixels.pixels.insert(pixels.pixels.end(), { b, g, r, 255 });
    return ui::Image::fromPixels(std::move(pixels), 1);
}
