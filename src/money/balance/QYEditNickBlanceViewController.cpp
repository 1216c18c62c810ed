#include "money/balance/QYEditNickBlanceViewController.h"

#include "platform/PhoneValues.h"
#include "ui/NavigationController.h"
#include "widgets/QYNoticeHUD.h"

namespace {

constexpr double kCornerRadius = 4;
constexpr double kBorderWidth = 0.8;

} // namespace

void QYEditNickBlanceViewController::viewDidLoad()
{
    setTitle(std::string("设置"));
    auto root = view();
    root->setBackgroundColor(ui::Color::whiteColor());

    m_textField = makeField(15, m_nickOrSum);
    if (m_type == TotalAndBalance)
        m_textField->keyboardType = ui::KeyboardType::DecimalPad;
    m_blanceText = makeField(m_textField->frame().maxY() + kRowGap, m_phoneOrBlance);
    m_blanceText->keyboardType = ui::KeyboardType::DecimalPad;

    m_doneButton = ui::Button::make(ui::Button::Type::Custom);
    m_doneButton->setFrame({ m_textField->x(), m_blanceText->frame().maxY() + kRowGap, m_textField->width(), kRowHeight });
    m_doneButton->setBackgroundColor(ui::Color::rgb(63, 184, 56));
    m_doneButton->setCornerRadius(kCornerRadius);
    m_doneButton->setClipsToBounds(true);
    m_doneButton->setTitle(std::string("保存"));
    std::weak_ptr<ui::ViewController> weakSelf = sharedController();
    m_doneButton->addAction(ui::TouchUpInside, [weakSelf](ui::Control&) {
        if (auto self = std::static_pointer_cast<QYEditNickBlanceViewController>(weakSelf.lock()))
            self->doneAction();
    });
    root->addSubview(m_doneButton);

    m_textField->becomeFirstResponder();
}

std::shared_ptr<YLSTextFields> QYEditNickBlanceViewController::makeField(double y, const std::string& text)
{
    auto root = view();
    auto field = std::make_shared<YLSTextFields>(ui::Rect { kSideInset, y, root->bounds().width() - 2 * kSideInset, kRowHeight });
    field->setText(text);
    field->setTextColor(ui::Color::grayColor());
    field->setCornerRadius(kCornerRadius);
    field->setClipsToBounds(true);
    field->setBorderWidth(kBorderWidth);
    field->setBorderColor(ui::Color::rgb(180, 180, 180));
    root->addSubview(field);
    return field;
}

void QYEditNickBlanceViewController::viewWillAppear(bool)
{
    if (auto* navigation = navigationController())
        navigation->setNavigationBarHidden(false, false);
}

void QYEditNickBlanceViewController::doneAction()
{
    view();
    auto* navigation = navigationController();
    // A second tap while the editor slides away would save twice.
    if (navigation && (navigation->isTransitioning() || navigation->topViewController().get() != this))
        return;
    std::string first = m_textField->utf8Text();
    std::string second = m_blanceText->utf8Text();
    if (m_type == TotalAndBalance) {
        float total = platform::values::floatValue(m_textField->text());
        float balance = platform::values::floatValue(m_blanceText->text());
        if (balance > total) {
            QYNoticeHUD::showInfoWithStatus("余额不能大于总金额");
            return;
        }
        first = platform::values::currencyText(total);
        second = platform::values::currencyText(balance);
    }
    if (auto delegate = m_delegate.lock(); delegate && delegate->doneEditNickOrNum)
        delegate->doneEditNickOrNum(first, second, m_type);
    if (m_textField->isFirstResponder() || m_blanceText->isFirstResponder())
        view()->endEditing(true);
    if (navigation)
        navigation->popViewController(true);
}
