#pragma once
#include <memory>
#include <optional>
#include <string>

#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ViewController.h"

class MoneyTitleView;

// The messenger-style transfer detail: the amount in large digits after "￥",
// and at the foot the transfer time and the time the money was received.
// It keeps the chat's bar look; nothing is stored.
class QYPayMentViewController : public ui::ViewController {
public:
    std::string className() const override { return "QYPayMentViewController"; }

    // Inputs, set before the page is shown. The amount as typed ("100", "100.5");
    // the page writes back the text it shows.
    const std::optional<std::string>& num() const { return m_num; }
    void setNum(std::optional<std::string> num) { m_num = std::move(num); }
    // Both times formatted "yyyy-MM-dd HH:mm:ss".
    void setCreatStr(std::optional<std::string> text) { m_creatStr = std::move(text); }
    void setReceStr(std::optional<std::string> text) { m_receStr = std::move(text); }

    const std::shared_ptr<ui::ImageView>& backgroundView() const { return m_background; }
    const std::shared_ptr<ui::Label>& numLabel() const { return m_numLabel; }
    const std::shared_ptr<ui::Label>& signLabel() const { return m_signLabel; }
    const std::shared_ptr<ui::Label>& receiveTimeLabel() const { return m_receiveTime; }
    const std::shared_ptr<ui::Label>& transferTimeLabel() const { return m_transferTime; }
    const std::shared_ptr<ui::Button>& backButton() const { return m_backButton; }
    const std::shared_ptr<MoneyTitleView>& titleView() const { return m_titleView; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    void initBackButton();
    void initUI();

    std::optional<std::string> m_num;
    std::optional<std::string> m_creatStr;
    std::optional<std::string> m_receStr;

    std::shared_ptr<ui::ImageView> m_background;
    std::shared_ptr<ui::Label> m_numLabel;
    std::shared_ptr<ui::Label> m_signLabel;
    std::shared_ptr<ui::Label> m_receiveTime;
    std::shared_ptr<ui::Label> m_transferTime;
    std::shared_ptr<ui::Button> m_backButton;
    std::shared_ptr<MoneyTitleView> m_titleView;
};
