#pragma once
#include <memory>
#include <string>

#include "ui/Button.h"
#include "ui/ViewController.h"
#include "widgets/YLSTextField.h"

// The wallet-change page's entry form: one amount field and "生成预览", which
// opens the finished page with the amount exactly as typed. Nothing is stored.
class QYMoneyViewController : public ui::ViewController {
public:
    static constexpr double kSideInset = 17;
    static constexpr double kRowHeight = 45;

    std::string className() const override { return "QYMoneyViewController"; }

    void viewDidLoad() override;
    void viewWillDisappear(bool animated) override;
    // A touch that ends on the form itself puts the keyboard away.
    void touchesEnded(const ui::TouchList& touches) override;

    // Pushes the preview with the field's text; the button's action.
    void doneAction();

    const std::shared_ptr<YLSTextFields>& textField() const { return m_textField; }
    const std::shared_ptr<ui::Button>& doneButton() const { return m_doneButton; }
    const std::shared_ptr<ui::View>& bannerView() const { return m_banner; }

private:
    std::weak_ptr<QYMoneyViewController> weakThis();
    void initUI();
    // The button follows the field: usable exactly while it holds text.
    void updateDoneButton();

    std::shared_ptr<YLSTextFields> m_textField;
    std::shared_ptr<ui::Button> m_doneButton;
    std::shared_ptr<ui::View> m_banner;
};
