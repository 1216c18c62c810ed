#include "money/opened/QYAliRedViewController.h"

#include "money/common/MoneyAmountText.h"
#include "money/common/MoneyBackButton.h"
#include "money/common/MoneyBackground.h"
#include "money/common/MoneyBarLook.h"
#include "money/common/MoneyLabel.h"
#include "money/opened/OpenedPacketHead.h"
#include "money/common/MoneyScreen.h"
#include "money/opened/RedPacketNumber.h"
#include "platform/PhoneValues.h"

void QYAliRedViewController::viewDidLoad()
{
    setTitle("支付宝红包");
    initBackButton();
    initUI();
}

void QYAliRedViewController::viewWillAppear(bool)
{
    MoneyBarLook { ui::Image::named("QYPay_Money_Navigation_bar_2.png"), std::nullopt, true }.applyTo(*this);
}

void QYAliRedViewController::initBackButton()
{
    m_backButton = MoneyBackButton::installPopping(*this, { .image = "QYPay_Arrow.png", .titleFontSize = 14 });
}

void QYAliRedViewController::initUI()
{
    auto root = view();
    ui::Rect bounds = root->bounds();
    double width = bounds.width();
    double middle = width / 2;

    m_background = MoneyBackground::fill(*root, MoneyScreen::pictureName("QYPay_Openmoney.png"));

    double avatarTop = MoneyScreen::pick(20.0, 20.0, 40.0);
    m_avatar = OpenedPacketHead::roundAvatar(*root, avatarTop, 75, m_avatarHe);

    m_nameLabel = OpenedPacketHead::nameUnder(*root, *m_avatar, m_nick ? *m_nick : "请先设置昵称", ui::Font::system(17), ui::Color::rgb(51, 51, 51));

    m_context = OpenedPacketHead::greetingUnder(*root, *m_nameLabel, m_contextString);

    // Unlike the messenger page, this one shows the amount without grouping commas.
    std::string amount = platform::values::withoutCommas(MoneyAmountText::withoutSign(m_numString));
    m_money = MoneyLabel::make(amount, ui::Font::named("Helvetica-Light", 65), ui::Color::rgb(238, 83, 71));
    MoneyLabel::placeCentered(*m_money, middle - 4, m_context->frame().maxY() + 22, width);
    root->addSubview(m_money);

    m_unit = MoneyLabel::make("元", ui::Font::system(14));
    MoneyLabel::fit(*m_unit, width);
    m_unit->setOrigin({ m_money->frame().maxX() + 3, m_context->frame().maxY() + 66 });
    root->addSubview(m_unit);

    m_codeLabel = MoneyLabel::make(RedPacketNumber::text(m_creatDate), ui::Font::system(11), ui::Color::rgb(219, 219, 219));
    double codeHeight = m_codeLabel->sizeThatFits({ width, 1e6 }).height;
    double bottomGap = MoneyScreen::pick(2.0, 10.0, 10.0);
    MoneyLabel::placeCentered(*m_codeLabel, middle, bounds.height() - bottomGap - codeHeight, width);
    // The page's view loses the bars' height once it is pushed; the number stays at its foot.
    m_codeLabel->setAutoresizingMask(ui::FlexibleTopMargin);
    root->addSubview(m_codeLabel);
}
