#include "input/face/EMFacePage.h"

#include <cstdio>

#include "input/emoji/QYEmojiDictionary.h"
#include "input/emoji/QYEmojiRegexPlistManager.h"
#include "platform/Folders.h"
#include "platform/Log.h"

EMFacePage::EMFacePage(const ui::Rect& frame, int pageIndex, int style)
    : ui::View(frame)
    , m_style(style)
{
    build(pageIndex);
}

std::string EMFacePage::imageNameForEmoji(long k, int style)
{
    char name[64];
    if (style == 1)
        std::snprintf(name, sizeof name, "Emotion_%ld@2x.png", k);
    else
        std::snprintf(name, sizeof name, "%ld.png", k);
    return name;
}

void EMFacePage::build(int pageIndex)
{
    double w = bounds().width(), h = bounds().height();
    double gx = (w - 280) / 7;
    double gy = (h - 120) / 2;
    platform::log::line("emoji", std::to_string(gy) + "," + std::to_string(h));
    std::weak_ptr<ui::Responder> weakSelf;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 8; ++column) {
            int n = 8 * row + column;
            auto button = ui::Button::make(ui::Button::Type::Custom);
            button->setFrame({ 20 + column * (kButtonSize + gx), 15 + row * (kButtonSize + gy), kButtonSize, kButtonSize });
            if (n < kEmojiPerPage) {
                long k = long(kEmojiPerPage) * pageIndex + n + 1;
                button->setBackgroundImage(ui::Image::named(imageNameForEmoji(k, m_style)));
                button->setTag(int(k));
            } else {
                button->setImage(ui::Image::named(m_style == 1 ? "QYDelete_Emotion.png" : "backspace.png"));
                button->setTag(0);
            }
            button->addAction(ui::TouchUpInside, [this](ui::Control& sender) { faceClick(static_cast<ui::Button&>(sender)); });
            addSubview(button);
            m_buttons.push_back(button);
        }
    }
}

std::optional<std::u16string> EMFacePage::codeForImageName(const std::string& imageName, int style)
{
    // The table is read anew on every tap, so a changed file is picked up at once.
    std::string file = QYEmojiRegexPlistManager::plistFileName(style == 1 ? "Emotion" : "BaseEmotion");
    auto table = QYEmojiDictionary::fromFile(platform::folders::join(QYEmojiRegexPlistManager::resourceFolder(), file));
    if (!table)
        return std::nullopt;
    std::optional<std::u16string> code;
    int position = 0;
    for (auto& entry : table->entries()) {
        platform::log::line("emoji", entry.imageName + ",i=" + std::to_string(position++));
        std::string value = style == 1 ? entry.imageName : entry.imageName + ".png";
        if (value == imageName)
            code = entry.code;
    }
    return code;
}

void EMFacePage::faceClick(ui::Button& sender)
{
    auto keep = sharedView(); // the delegate may drop the keyboard
    std::optional<std::u16string> face;
    bool isDelete = sender.tag() == 0;
    if (!isDelete) {
        std::string imageName = imageNameForEmoji(sender.tag(), m_style);
        platform::log::line("emoji", "expressstring==>" + imageName);
        face = codeForImageName(imageName, m_style);
    }
    if (auto delegate = m_delegate.lock())
        delegate->didSelecteFace(face, isDelete);
}
