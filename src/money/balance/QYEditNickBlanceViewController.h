#pragma once
#include <memory>
#include <string>

#include "money/balance/QYEditNickBlanceViewControllerDelegate.h"
#include "ui/Button.h"
#include "ui/ViewController.h"
#include "widgets/YLSTextField.h"

// The balance page's editor: two fields and "保存". Type 1 edits the nickname
// and the phone number, type 2 the total and the balance, where the balance
// may not exceed the total.
class QYEditNickBlanceViewController : public ui::ViewController {
public:
    enum Type { NickAndPhone = 1, TotalAndBalance = 2 };

    static constexpr double kSideInset = 17;
    static constexpr double kRowHeight = 45;
    static constexpr double kRowGap = 20;

    std::string className() const override { return "QYEditNickBlanceViewController"; }

    // Inputs, set before the editor is shown: the fields' first texts and the type.
    void setNickOrSum(std::string text) { m_nickOrSum = std::move(text); }
    void setPhoneOrBlance(std::string text) { m_phoneOrBlance = std::move(text); }
    int type() const { return m_type; }
    void setType(int type) { m_type = type; }
    void setDelegate(std::weak_ptr<QYEditNickBlanceViewControllerDelegate> delegate) { m_delegate = std::move(delegate); }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // "保存": hands the texts back and leaves, or refuses a balance above the total.
    void doneAction();

    const std::shared_ptr<YLSTextFields>& textField() const { return m_textField; }
    const std::shared_ptr<YLSTextFields>& blanceText() const { return m_blanceText; }
    const std::shared_ptr<ui::Button>& doneButton() const { return m_doneButton; }

private:
    std::shared_ptr<YLSTextFields> makeField(double y, const std::string& text);

    std::string m_nickOrSum;
    std::string m_phoneOrBlance;
    int m_type = NickAndPhone;
    std::weak_ptr<QYEditNickBlanceViewControllerDelegate> m_delegate;

    std::shared_ptr<YLSTextFields> m_textField;
    std::shared_ptr<YLSTextFields> m_blanceText;
    std::shared_ptr<ui::Button> m_doneButton;
};
