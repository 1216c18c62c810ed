#include "ChatScreenTest.h"

#include "chat/store/HLObjectValue.h"
#include "platform/Folders.h"
#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioTestSupport.h"
#include "platform/audio/FileMicrophone.h"
#include "platform/audio/NullSpeaker.h"
#include "render/RIRingTabelViewCell.h"
#include "ui/ImagePickerController.h"
#include "ui/Keyboard.h"
#include "ui/MenuController.h"
#include "ui/PhotoGridView.h"

namespace fs = std::filesystem;

void ChatScreenTest::SetUp()
{
    PhoneTest::SetUp();
    home = std::make_unique<chattest::TemporaryHome>();
    album = fs::path(home->path()) / "album";
    fs::create_directories(album);
    platform::folders::setAlbumFolder(album.string());
}

void ChatScreenTest::TearDown()
{
    AppDelegate::shared().terminate();
    ui::ImagePickerController::setCaptureDevice({});
    platform::AudioDevice::setMicrophone(nullptr);
    platform::folders::setAlbumFolder({});
    chat.reset();
    navigation.reset();
    PhoneTest::TearDown();
    home.reset();
}

void ChatScreenTest::launch(const char* device)
{
    useDevice(device);
    AppDelegate::shared().terminate();
    ASSERT_TRUE(AppDelegate::shared().didFinishLaunching());
    navigation = AppDelegate::shared().navigationController();
}

void ChatScreenTest::open(int type, const std::function<void(QYChatViewController&)>& configure)
{
    if (!navigation)
        launch();
    chat = std::make_shared<QYChatViewController>();
    chat->setType(type);
    chat->setMeNicek(std::string("我自己"));
    chat->setHeNick(std::string("小明"));
    chat->setMeAvatar(meAvatar);
    chat->setHeAvatar(heAvatar);
    if (configure)
        configure(*chat);
    navigation->pushViewController(chat, true);
    settle();
}

void ChatScreenTest::settle()
{
    advance(1);
    ui::Application::shared().layoutIfNeeded();
}

void ChatScreenTest::send(const std::u16string& text)
{
    auto field = chat->toolBar()->msgTextView();
    if (!field->isFirstResponder())
        tapView(*field);
    field->insertText(text);
    field->insertText(u"\n");
}

void ChatScreenTest::chooseItem(int index)
{
    auto bar = chat->toolBar();
    auto panelOpen = [&] { return bar->isShowBottomView() && !bar->moreView()->isHidden() && !ui::Keyboard::shared().isVisible(); };
    // A panel closed by a tap elsewhere leaves "+" selected: its next tap
    // brings the keyboard, the one after it the panel.
    for (int taps = 0; taps < 2 && !panelOpen(); ++taps) {
        tapView(*bar->moreButton());
        settle();
    }
    tapView(*bar->moreView()->cellAtIndex(index)->itemButton());
}

void ChatScreenTest::tapFaceKey(int key)
{
    auto bar = chat->toolBar();
    if (!bar->faceButton()->isSelected()) {
        tapView(*bar->faceButton());
        settle();
    }
    tapView(*bar->faceViewManager()->pages()[0]->buttons()[size_t(key)]);
}

void ChatScreenTest::chooseFromRowMenu(int row, const std::string& title)
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
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].title == title) {
            tap({ frame.x() + width * (double(i) + 0.5), barMid });
            settle();
            return;
        }
    }
    FAIL() << "no menu item " << title;
}

void ChatScreenTest::useMicrophone()
{
    std::string wav = (fs::path(home->path()) / "speech.wav").string();
    audiotest::writeWav(wav, audiotest::sine(8000 * 5));
    platform::AudioDevice::setMicrophone(std::make_shared<platform::FileMicrophone>(wav));
    platform::AudioDevice::setSpeaker(std::make_shared<platform::NullSpeaker>());
    // The shared recorder keeps the scratch folder of the home it was made in.
    fs::create_directories(fs::path(GXRecordManage::defaultManager()->recorder().tempRecordFileURL()).parent_path());
}

void ChatScreenTest::holdToTalk(double seconds, bool releaseOutside)
{
    auto bar = chat->toolBar();
    if (bar->recordButton()->isHidden()) {
        tapView(*bar->voiceButton());
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

std::string ChatScreenTest::albumPicture(const std::string& name, int width, int height)
{
    auto path = (album / name).string();
    platform::imagecodec::writePng(path, picture(width, height, 90, 200, 120)->pixels());
    return path;
}

void ChatScreenTest::pickFromAlbum(size_t index)
{
    auto picker = ui::ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    auto grid = picker->gridView();
    tap(grid->convertRectTo(grid->cellRect(index), nullptr).center());
    settle();
}

std::vector<QYChatModelPtr> ChatScreenTest::rows() const
{
    std::vector<QYChatModelPtr> list;
    for (auto& row : chat->baseTableView()->dataSour()->elements())
        list.push_back(std::dynamic_pointer_cast<QYChatModel>(row));
    return list;
}

std::vector<QYChatModelPtr> ChatScreenTest::stored(int type)
{
    std::vector<QYChatModelPtr> list;
    if (auto collection = HLObjectValue::hl_objectWithKey<coding::Collection>(ChatStore::chatKey(type))) {
        for (auto& row : collection->elements())
            list.push_back(std::dynamic_pointer_cast<QYChatModel>(row));
    }
    return list;
}

std::vector<std::u16string> ChatScreenTest::texts(const std::vector<QYChatModelPtr>& list)
{
    std::vector<std::u16string> result;
    for (auto& row : list)
        result.push_back(row ? coding::text(row->context()) : u"?");
    return result;
}

ui::ImagePtr ChatScreenTest::picture(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    platform::PixelBuffer pixels { width, height, width * 4, {} };
    for (int i = 0; i < width * height; ++i)
        pixels.pixels.insert(pixels.pixels.end(), { b, g, r, 255 });
    return ui::Image::fromPixels(std::move(pixels), 1);
}
