#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/Button.h"
#include "ui/ViewController.h"
#include "widgets/YLSTextField.h"

// What the nickname editor reports. The editor holds it weakly and calls an
// operation only when it is set.
struct QYEditNickNameViewControllerDelegate {
    // "保存" was tapped with the field's text (possibly empty).
    std::function<void(const std::string& nickName)> doneNickName;
};

// A one-field page for editing a nickname, pushed by the bill pages when their
// name is tapped. "保存" hands the text back and closes the page; the back
// button closes it and hands back nothing.
class QYEditNickNameViewController : public ui::ViewController {
public:
    std::string className() const override { return "QYEditNickNameViewController"; }

    // Set by the caller before the page is shown.
    void setNickName(std::optional<std::string> nickName) { m_nickName = std::move(nickName); }
    void setDelegate(std::weak_ptr<QYEditNickNameViewControllerDelegate> delegate) { m_delegate = std::move(delegate); }

    const std::shared_ptr<YLSTextFields>& textField() const { return m_textField; }
    std::shared_ptr<ui::Button> doneButton() const { return m_doneButton.lock(); }

    void viewDidLoad() override;
    void doneAction();

private:
    std::optional<std::string> m_nickName;
    std::weak_ptr<QYEditNickNameViewControllerDelegate> m_delegate;
    std::shared_ptr<YLSTextFields> m_textField;
    std::weak_ptr<ui::Button> m_doneButton;
};
