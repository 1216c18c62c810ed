#pragma once
#include <memory>
#include <optional>
#include <string>

#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ViewController.h"

// The payment-app page of an opened red packet: the twin of the messenger page
// (avatar, name, blessing, amount with "元", here without grouping commas) with
// the packet's number at the foot. Nothing is stored.
class QYAliRedViewController : public ui::ViewController {
public:
    std::string className() const override { return "QYAliRedViewController"; }

    // Inputs, set before the page is shown.
    void setAvatarHe(ui::ImagePtr avatar) { m_avatarHe = std::move(avatar); }
    void setNumString(std::optional<std::string> text) { m_numString = std::move(text); }
    void setContextString(std::optional<std::string> text) { m_contextString = std::move(text); }
    void setNick(std::optional<std::string> nick) { m_nick = std::move(nick); }
    // The message's date, seconds since 1970; it starts the packet's number.
    void setCreatDate(std::optional<double> date) { m_creatDate = date; }

    const std::shared_ptr<ui::ImageView>& backgroundView() const { return m_background; }
    const std::shared_ptr<ui::ImageView>& avatar() const { return m_avatar; }
    const std::shared_ptr<ui::Label>& nameLabel() const { return m_nameLabel; }
    const std::shared_ptr<ui::Label>& context() const { return m_context; }
    const std::shared_ptr<ui::Label>& money() const { return m_money; }
    const std::shared_ptr<ui::Label>& unitLabel() const { return m_unit; }
    const std::shared_ptr<ui::Label>& codeLabel() const { return m_codeLabel; }
    const std::shared_ptr<ui::Button>& backButton() const { return m_backButton; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    void initBackButton();
    void initUI();

    ui::ImagePtr m_avatarHe;
    std::optional<std::string> m_numString;
    std::optional<std::string> m_contextString;
    std::optional<std::string> m_nick;
    std::optional<double> m_creatDate;

    std::shared_ptr<ui::ImageView> m_background;
    std::shared_ptr<ui::ImageView> m_avatar;
    std::shared_ptr<ui::Label> m_nameLabel;
    std::shared_ptr<ui::Label> m_context;
    std::shared_ptr<ui::Label> m_money;
    std::shared_ptr<ui::Label> m_unit;
    std::shared_ptr<ui::Label> m_codeLabel;
    std::shared_ptr<ui::Button> m_backButton;
};
