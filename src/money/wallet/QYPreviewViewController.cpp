#include "money/wallet/QYPreviewViewController.h"

#include "money/common/MoneyBackButton.h"
#include "money/common/MoneyTitleView.h"
#include "platform/PhoneValues.h"
#include "ui/BarButtonItem.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/Screen.h"

namespace {

constexpr double kAmountFontSize = 40;
// The digits sit a little right of the middle, leaving room for the sign.
constexpr double kAmountCentreOffset = 10;
// The sign reaches this far over the amount label's left edge, where the
// digits' own side bearing leaves space.
constexpr double kSignOverlap = 10;

} // namespace

std::string QYPreviewViewController::amountText(const std::string& amount)
{
    return platform::values::withCentsIfWhole(amount);
}

void QYPreviewViewController::viewDidLoad()
{
    double screenHeight = ui::Screen::main().size().height;
    m_titleView = std::make_shared<MoneyTitleView>(screenHeight == 480 ? 135 : 150, "零钱", "微信安全支付",
        ui::Color::whiteColor());
    navigationItem().titleView = m_titleView;
    initBackButton();

    m_detailButton = ui::Button::make(ui::Button::Type::Custom);
    m_detailButton->setFrame({ 10, 0, 70, 30 });
    m_detailButton->setTitle(std::string("零钱明细"));
    m_detailButton->titleLabel()->setFont(ui::Font::system(16));
    m_detailButton->setContentHorizontalAlignment(ui::ContentHorizontalAlignment::Right);
    m_detailButton->setAdjustsImageWhenHighlighted(false);
    navigationItem().rightBarButtonItem = ui::BarButtonItem::withCustomView(m_detailButton);

    initUI();
}

void QYPreviewViewController::initBackButton()
{
    m_backButton = MoneyBackButton::installPopping(*this);
}

void QYPreviewViewController::initUI()
{
    auto root = view();
    root->setBackgroundColor(ui::Color::whiteColor());
    double screenHeight = ui::Screen::main().size().height;

    m_backgroundView = std::make_shared<ui::ImageView>(root->bounds());
    m_backgroundView->setImage(ui::Image::named(screenHeight == 480 ? "QYChange_iphone4.png" : "QYChange.png"));
    // The view is still screen-high here; the picture keeps filling it once
    // the navigation stack has put it under the bar.
    m_backgroundView->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    root->addSubview(m_backgroundView);

    m_amountMoney = std::make_shared<ui::Label>();
    m_amountMoney->setFont(ui::Font::system(kAmountFontSize));
    m_amountMoney->setTextColor(ui::Color::blackColor());
    m_amountMoney->setTextAlignment(ui::TextAlignment::Center);
    m_amountMoney->setText(amountText(m_amount));
    m_amountMoney->sizeToFit();
    double top = screenHeight == 480 || screenHeight == 568 ? 180 : 220;
    m_amountMoney->setOrigin({ 0, top });
    m_amountMoney->setCenterX(root->bounds().width() / 2 + kAmountCentreOffset);
    m_amountMoney->setAutoresizingMask(ui::FlexibleLeftMargin | ui::FlexibleRightMargin);
    root->addSubview(m_amountMoney);

    m_signLabel = std::make_shared<ui::Label>();
    m_signLabel->setFont(ui::Font::system(kAmountFontSize));
    m_signLabel->setTextColor(ui::Color::blackColor());
    m_signLabel->setText(std::string("￥"));
    m_signLabel->sizeToFit();
    m_signLabel->setOrigin({ m_amountMoney->x() + kSignOverlap - m_signLabel->width(), top });
    m_signLabel->setAutoresizingMask(ui::FlexibleLeftMargin | ui::FlexibleRightMargin);
    root->addSubview(m_signLabel);
}

void QYPreviewViewController::viewWillAppear(bool)
{
    auto* navigation = navigationController();
    if (!navigation)
        return;
    auto bar = navigation->navigationBar();
    bar->setBackgroundImage(ui::Image::named("QYNavigation_bar_2.png"));
    // The arrow and "返回" take the bar's colour, as the bar's own items do.
    m_backButton->setTintColor(bar->tintColor());
}
