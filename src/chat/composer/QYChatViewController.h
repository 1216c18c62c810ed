#pragma once
#include <memory>
#include <optional>
#include <string>

#include "ui/ViewController.h"
#include "ui/graphics/Image.h"

// The composing surface: a chat window of the chosen style in which the user
// adds messages one by one, as either speaker. The preset form sets the
// participants before pushing it; the back button saves, the edge swipe does not.
class QYChatViewController : public ui::ViewController {
public:
    std::string className() const override { return "QYChatViewController"; }

    // Set by the preset form before the screen is shown.
    int type() const { return m_type; }
    void setType(int type) { m_type = type; }
    const std::optional<std::string>& meNicek() const { return m_meNicek; }
    void setMeNicek(std::optional<std::string> nick) { m_meNicek = std::move(nick); }
    const std::optional<std::string>& heNick() const { return m_heNick; }
    void setHeNick(std::optional<std::string> nick) { m_heNick = std::move(nick); }
    const ui::ImagePtr& meAvatar() const { return m_meAvatar; }
    void setMeAvatar(ui::ImagePtr image) { m_meAvatar = std::move(image); }
    const ui::ImagePtr& heAvatar() const { return m_heAvatar; }
    void setHeAvatar(ui::ImagePtr image) { m_heAvatar = std::move(image); }
    const ui::ImagePtr& backImage() const { return m_backImage; }
    void setBackImage(ui::ImagePtr image) { m_backImage = std::move(image); }
    // The unread count for the back button; nullopt shows none.
    const std::optional<std::string>& unReadNum() const { return m_unReadNum; }
    void setUnReadNum(std::optional<std::string> count) { m_unReadNum = std::move(count); }

private:
    int m_type = 1;
    std::optional<std::string> m_meNicek;
    std::optional<std::string> m_heNick;
    ui::ImagePtr m_meAvatar;
    ui::ImagePtr m_heAvatar;
    ui::ImagePtr m_backImage;
    std::optional<std::string> m_unReadNum;
};
