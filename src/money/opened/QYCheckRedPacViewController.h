#pragma once
#include <memory>
#include <optional>
#include <string>

#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ViewController.h"

class MoneyTitleView;

// The messenger-style page of an opened red packet: the sender's avatar, "<name>的红包",
// the blessing and the amount in large digits with "元". The chat screen fills
// the inputs from the tapped message before pushing it; nothing is stored.
class QYCheckRedPacViewController : public ui::ViewController {
public:
    std::string className() const override { return "QYCheckRedPacViewController"; }

    // Inputs, set before the page is shown.
    void setAvatarHe(ui::ImagePtr avatar) { m_avatarHe = std::move(avatar); }
    // The packet's currency text, sign first ("¥5.00").
    void setNumString(std::optional<std::string> text) { m_numString = std::move(text); }
    void setContextString(std::optional<std::string> text) { m_contextString = std::move(text); }
    // The sender's nickname; absent asks for one to be set.
    void setNick(std::optional<std::string> nick) { m_nick = std::move(nick); }

    const std::shared_ptr<ui::ImageView>& backgroundView() const { return m_background; }
    const std::shared_ptr<ui::ImageView>& avatar() const { return m_avatar; }
    const std::shared_ptr<ui::Label>& nameLabel() const { return m_nameLabel; }
    const std::shared_ptr<ui::Label>& context() const { return m_context; }
    const std::shared_ptr<ui::Label>& money() const { return m_money; }
    const std::shared_ptr<ui::Label>& unitLabel() const { return m_unit; }
    const std::shared_ptr<ui::Button>& backButton() const { return m_backButton; }
    const std::shared_ptr<MoneyTitleView>& titleView() const { return m_titleView; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    void initBackButton();
    void initUI();

    ui::ImagePtr m_avatarHe;
    std::optional<std::string> m_numString;
    std::optional<std::string> m_contextString;
    std::optional<std::string> m_nick;

    std::shared_ptr<ui::ImageView> m_background;
    std::shared_ptr<ui::ImageView> m_avatar;
    std::shared_ptr<ui::Label> m_nameLabel;
    std::shared_ptr<ui::Label> m_context;
    std::shared_ptr<ui::Label> m_money;
    std::shared_ptr<ui::Label> m_unit;
    std::shared_ptr<ui::Button> m_backButton;
    std::shared_ptr<MoneyTitleView> m_titleView;
};
