#include "money/transfer/QYPayMentViewController.h"

#include "money/common/MoneyAmountText.h"
#include "money/common/MoneyBackButton.h"
#include "money/common/MoneyBackground.h"
#include "money/common/MoneyBarLook.h"
#include "money/common/MoneyLabel.h"
#include "money/common/MoneyScreen.h"
#include "money/common/MoneyTitleView.h"

void QYPayMentViewController::viewDidLoad()
{
    m_titleView = std::make_shared<MoneyTitleView>(MoneyTitleView::widthForScreen(114), "转账详情", "微信安全支付",
        ui::Color::whiteColor());
    navigationItem().titleView = m_titleView;
    initBackButton();
    initUI();
}

void QYPayMentViewController::viewWillAppear(bool)
{
    // The bar keeps the chat's look; only the back button follows its tint.
    MoneyBarLook {}.applyTo(*this);
}

void QYPayMentViewController::initBackButton()
{
    m_backButton = MoneyBackButton::installPopping(*this);
}

void QYPayMentViewController::initUI()
{
    auto root = view();
    ui::Rect bounds = root->bounds();
    double width = bounds.width();
    double middle = width / 2;

    m_background = MoneyBackground::fill(*root, MoneyScreen::pictureName("WTPayment.png", false));

    if (m_num)
        m_num = MoneyAmountText::transferAmount(m_num);
    ui::Font large = ui::Font::named("Helvetica-Light", 42);
    m_numLabel = MoneyLabel::make(m_num.value_or(""), large);
    MoneyLabel::placeCentered(*m_numLabel, middle + 7, MoneyScreen::pick(190.0, 155.0, 190.0), width);
    root->addSubview(m_numLabel);

    // The sign reaches 10 points into the amount's left margin.
    m_signLabel = MoneyLabel::make("￥", large);
    MoneyLabel::fit(*m_signLabel, width);
    // It stands on the amount's baseline: "￥" comes from a fallback font with a
    // taller line, so level tops would drop it below the digits.
    double signTop = m_numLabel->frame().y();
    if (!m_numLabel->text().value_or("").empty())
        signTop += MoneyLabel::baseline(*m_numLabel) - MoneyLabel::baseline(*m_signLabel);
    m_signLabel->setOrigin({ m_numLabel->frame().x() + 10 - m_signLabel->frame().width(), signTop });
    root->addSubview(m_signLabel);

    ui::Color grey = ui::Color::grayColor();
    m_receiveTime = MoneyLabel::make("收钱时间：" + m_receStr.value_or(""), ui::Font::system(14), grey);
    m_receiveTime->setTextAlignment(ui::TextAlignment::Center);
    double timeHeight = m_receiveTime->sizeThatFits({ width, 1e6 }).height;
    MoneyLabel::placeCentered(*m_receiveTime, middle, bounds.height() - 16 - timeHeight, width);
    m_receiveTime->setAutoresizingMask(ui::FlexibleTopMargin);
    root->addSubview(m_receiveTime);

    m_transferTime = MoneyLabel::make("转账时间：" + m_creatStr.value_or(""), ui::Font::system(14), grey);
    m_transferTime->setTextAlignment(ui::TextAlignment::Center);
    MoneyLabel::placeCentered(*m_transferTime, middle - 1, m_receiveTime->frame().y() - 4 - timeHeight, width);
    m_transferTime->setAutoresizingMask(ui::FlexibleTopMargin);
    root->addSubview(m_transferTime);
}
