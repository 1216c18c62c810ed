#include "money/bill/QYEditNickNameViewController.h"

#include "ui/NavigationController.h"

void QYEditNickNameViewController::viewDidLoad()
{
    auto root = view();
    root->setBackgroundColor(ui::Color::whiteColor());
    setTitle("修改昵称");
    double width = root->bounds().width();

    m_textField = std::make_shared<YLSTextFields>(ui::Rect { 17, 15, width - 34, 45 });
    m_textField->setText(std::string_view(m_nickName.value_or("")));
    m_textField->setTextColor(ui::Color::grayColor());
    m_textField->setCornerRadius(4);
    m_textField->setClipsToBounds(true);
    m_textField->setBorderWidth(0.8);
    m_textField->setBorderColor(ui::Color::rgb(180, 180, 180));
    m_textField->shouldReturn = [](ui::TextField& field) {
        field.resignFirstResponder();
        return true;
    };
    root->addSubview(m_textField);

    auto done = ui::Button::make();
    done->setFrame({ 17, m_textField->frame().maxY() + 20, width - 34, 45 });
    done->setBackgroundColor(ui::Color::rgb(63, 184, 56));
    done->setCornerRadius(4);
    done->setClipsToBounds(true);
    done->setTitle("保存");
    done->setEnabled(true);
    std::weak_ptr<ui::ViewController> weak = sharedController();
    done->addAction(ui::TouchUpInside, [weak](ui::Control&) {
        if (auto self = std::static_pointer_cast<QYEditNickNameViewController>(weak.lock()))
            self->doneAction();
    });
    root->addSubview(done);
    // The view holds the button; the page only looks at it.
    m_doneButton = done;
}

void QYEditNickNameViewController::doneAction()
{
    auto delegate = m_delegate.lock();
    if (delegate && delegate->doneNickName)
        delegate->doneNickName(m_textField ? m_textField->utf8Text() : m_nickName.value_or(""));
    if (auto* navigation = navigationController())
        navigation->popViewController(true);
}
