#pragma once
#include <memory>
#include <string>

#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ViewController.h"

class MoneyTitleView;

// The finished wallet-change page: the amount typed on the entry form, in
// large digits after the currency sign, over the page's picture.
class QYPreviewViewController : public ui::ViewController {
public:
    std::string className() const override { return "QYPreviewViewController"; }

    // The amount exactly as typed; set before the screen is shown.
    const std::string& amount() const { return m_amount; }
    void setAmount(std::string amount) { m_amount = std::move(amount); }
    // What the page shows for an amount: whole amounts get ".00", anything
    // with a "." is shown as typed (no grouping, no re-formatting).
    static std::string amountText(const std::string& amount);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    const std::shared_ptr<ui::Label>& amountMoney() const { return m_amountMoney; }
    const std::shared_ptr<ui::Label>& signLabel() const { return m_signLabel; }
    const std::shared_ptr<ui::ImageView>& backgroundView() const { return m_backgroundView; }
    const std::shared_ptr<MoneyTitleView>& titleView() const { return m_titleView; }
    const std::shared_ptr<ui::Button>& backButton() const { return m_backButton; }
    const std::shared_ptr<ui::Button>& detailButton() const { return m_detailButton; }

private:
    void initBackButton();
    void initUI();

    std::string m_amount;
    std::shared_ptr<ui::ImageView> m_backgroundView;
    std::shared_ptr<ui::Label> m_amountMoney;
    std::shared_ptr<ui::Label> m_signLabel;
    std::shared_ptr<MoneyTitleView> m_titleView;
    std::shared_ptr<ui::Button> m_backButton;
    std::shared_ptr<ui::Button> m_detailButton;
};
