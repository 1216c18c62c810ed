#include "money/wallet/QYMoneyViewController.h"

#include "money/wallet/QYPreviewViewController.h"
#include "ui/BarButtonItem.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "widgets/AdBannerView.h"

namespace {

constexpr double kCornerRadius = 4;
constexpr double kBorderWidth = 0.8;
constexpr double kButtonGap = 20;
constexpr double kStatusBarHeight = 20;

} // namespace

std::weak_ptr<QYMoneyViewController> QYMoneyViewController::weakThis()
{
    return std::static_pointer_cast<QYMoneyViewController>(sharedController());
}

void QYMoneyViewController::viewDidLoad()
{
    setTitle(std::string("设置金额"));
    view()->setBackgroundColor(ui::Color::whiteColor());
    initUI();
}

void QYMoneyViewController::initUI()
{
    auto root = view();
    double width = root->bounds().width();
    auto weakSelf = weakThis();

    m_textField = std::make_shared<YLSTextFields>(ui::Rect { kSideInset, 15, width - 2 * kSideInset, kRowHeight });
    m_textField->setPlaceholder(std::string("填写零钱金额（元）"));
    m_textField->keyboardType = ui::KeyboardType::DecimalPad;
    m_textField->setTextColor(ui::Color::grayColor());
    m_textField->clearsOnBeginEditing = true;
    m_textField->setCornerRadius(kCornerRadius);
    m_textField->setClipsToBounds(true);
    m_textField->setBorderWidth(kBorderWidth);
    m_textField->setBorderColor(ui::Color::rgb(180, 180, 180));
    // Beginning to edit clears the field, so the button is checked then too.
    m_textField->addAction(ui::EditingChanged | ui::EditingDidBegin, [weakSelf](ui::Control&) {
        if (auto self = weakSelf.lock())
            self->updateDoneButton();
    });
    root->addSubview(m_textField);

    m_doneButton = ui::Button::make(ui::Button::Type::Custom);
    m_doneButton->setFrame({ kSideInset, m_textField->frame().maxY() + kButtonGap, width - 2 * kSideInset, kRowHeight });
    m_doneButton->setBackgroundColor(ui::Color::rgb(63, 184, 56));
    m_doneButton->setCornerRadius(kCornerRadius);
    m_doneButton->setClipsToBounds(true);
    m_doneButton->setTitle(std::string("生成预览"));
    m_doneButton->setEnabled(false);
    m_doneButton->addAction(ui::TouchUpInside, [weakSelf](ui::Control&) {
        if (auto self = weakSelf.lock())
            self->doneAction();
    });
    root->addSubview(m_doneButton);

    // The view is still screen-high here: the bars take their height off it
    // later, so the strip's bottom edge ends up on the bottom of the screen.
    m_banner = std::make_shared<AdBannerView>(ui::Rect { 0,
        root->bounds().height() - AdBannerView::kHeight - ui::NavigationBar::kHeight - kStatusBarHeight, width,
        AdBannerView::kHeight });
    root->addSubview(m_banner);
}

void QYMoneyViewController::updateDoneButton()
{
    m_doneButton->setEnabled(!m_textField->text().empty());
}

void QYMoneyViewController::touchesEnded(const ui::TouchList&)
{
    if (m_textField && m_textField->isFirstResponder())
        m_textField->resignFirstResponder();
}

// The keyboard goes with the form; the preview is a page to be photographed.
void QYMoneyViewController::viewWillDisappear(bool)
{
    if (m_textField && m_textField->isFirstResponder())
        m_textField->resignFirstResponder();
}

void QYMoneyViewController::doneAction()
{
    view();
    auto* navigation = navigationController();
    // A second tap while the preview slides in would open a second one.
    if (navigation && (navigation->isTransitioning() || navigation->topViewController().get() != this))
        return;
    auto preview = std::make_shared<QYPreviewViewController>();
    preview->setAmount(m_textField->utf8Text());
    navigationItem().backBarButtonItem = ui::BarButtonItem::withTitle("返回");
    if (navigation)
        navigation->pushViewController(preview, true);
}
