#include "shell/script/ChatScriptScreen.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/AppDelegate.h"
#include "composer/ChatStore.h"
#include "composer/QYChatViewController.h"
#include "composer/QYPresetViewController.h"
#include "shell/ScreenCapture.h"
#include "shell/script/ChatLongPicture.h"
#include "shell/script/ChatScriptRecords.h"
#include "ui/Application.h"
#include "ui/NavigationController.h"

namespace shell {

namespace {

// A picture as the preset form keeps one it was given: through its small JPEG.
ui::ImagePtr pickedPicture(const std::optional<std::string>& path)
{
    if (!path)
        return nullptr;
    auto original = ui::Image::fromPhotoFile(*path);
    auto bytes = original ? original->jpegData(0.05) : std::vector<std::uint8_t> {};
    return bytes.empty() ? nullptr : ui::Image::fromData(bytes);
}

coding::DataPtr savedJpeg(const ui::ImagePtr& picture)
{
    if (!picture)
        return nullptr;
    auto bytes = picture->jpegData(1.0);
    return bytes.empty() ? nullptr : coding::Data::make(std::move(bytes));
}

// A picture file as the store keeps it: its bytes as they are.
coding::DataPtr fileData(const std::optional<std::string>& path)
{
    if (!path)
        return nullptr;
    std::ifstream in(*path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes.empty() ? nullptr : coding::Data::make(std::move(bytes));
}

coding::DataPtr storedPicture(const std::optional<std::string>& path, bool asSaved)
{
    return asSaved ? fileData(path) : savedJpeg(pickedPicture(path));
}

Scene sceneOf(const ChatScript& script)
{
    Scene scene;
    scene.device = script.device;
    scene.timeZone = script.timeZone;
    scene.statusBar = script.statusBar;
    // The screenshot is taken a little after the last message.
    scene.startTime = script.now + 30;
    return scene;
}

} // namespace

ChatScriptScreen::ChatScriptScreen(const ChatScript& script)
    : m_runner(std::string())
{
    m_runner.start(sceneOf(script));

    auto user = QYUserModel::make();
    if (script.me.nick)
        user->setMeNick(coding::String::make(*script.me.nick));
    if (script.other.nick)
        user->setHeNick(coding::String::make(*script.other.nick));
    user->setMeAvatar(storedPicture(script.me.avatarPath, script.picturesAsSaved));
    user->setHeAvatar(storedPicture(script.other.avatarPath, script.picturesAsSaved));
    user->setBackGroundImage(storedPicture(script.backgroundPath, script.picturesAsSaved));
    if (script.unread)
        user->setNoReadNum(coding::String::make(*script.unread));
    ChatStore::saveUser(script.style, user);

    auto navigation = AppDelegate::shared().navigationController();
    auto preset = std::make_shared<QYPresetViewController>();
    preset->setType(script.style);
    navigation->pushViewController(preset, false);
    m_runner.settle();

    // The records carry exactly the pictures and names "开始" hands over.
    ChatMessageMaker maker;
    maker.setStyle(script.style);
    maker.setMeNick(preset->meNick()->utf8Text());
    maker.setHeNick(preset->nickText()->utf8Text());
    maker.setMeAvatar(preset->meImageView()->image());
    maker.setHeAvatar(preset->heImageView()->image());
    m_records = ChatScriptRecords::make(script, maker);
    std::vector<coding::ObjectPtr> rows(m_records.begin(), m_records.end());
    ChatStore::saveConversation(script.style, coding::Collection::mutableArray(std::move(rows)));

    preset->startChat(*preset->startBtn());
    m_runner.settle();
    m_chat = std::dynamic_pointer_cast<QYChatViewController>(navigation->topViewController());
    // The speaker hint fades away before the picture is taken.
    m_runner.pass(QYChatViewController::kTipFadeDuration + 1);
}

ChatScriptScreen::~ChatScriptScreen() = default;

bool ChatScriptScreen::writeScreen(const std::string& path)
{
    return ScreenCapture::writePng(path);
}

void ChatScriptScreen::scrollTo(double offset)
{
    auto list = m_chat->baseTableView();
    list->setContentOffset({ 0, offset }, false);
    ui::Application::shared().layoutIfNeeded();
}

std::vector<double> ChatScriptScreen::pageOffsets()
{
    auto list = m_chat->baseTableView();
    // Pages break between rows, so every row's place must be exact.
    list->measureAllRows();
    double height = list->bounds().height();
    double content = list->contentSize().height;
    double last = std::max(0.0, content - height);
    std::vector<double> offsets { 0 };
    int rows = list->numberOfRows();
    while (offsets.back() < last) {
        double top = offsets.back();
        // The next page starts at the last row shown whole on this one.
        double next = top;
        for (int row = 0; row < rows; ++row) {
            ui::Rect rect = list->rectForRow(ui::IndexPath::forRow(row));
            if (rect.y() > top && rect.maxY() <= top + height)
                next = rect.y();
        }
        if (next <= top)
            next = top + height; // a row taller than the page
        offsets.push_back(std::min(next, last));
    }
    return offsets;
}

std::vector<std::string> ChatScriptScreen::writePages(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::vector<std::string> written;
    auto offsets = pageOffsets();
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        scrollTo(offsets[i]);
        char name[32];
        std::snprintf(name, sizeof name, "page-%02zu.png", i + 1);
        auto path = (std::filesystem::path(folder) / name).string();
        if (!ScreenCapture::writePng(path))
            return {};
        written.push_back(path);
    }
    return written;
}

bool ChatScriptScreen::writeLong(const std::string& path)
{
    return ChatLongPicture(m_chat).write(path);
}

} // namespace shell
