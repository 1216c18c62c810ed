#include "money/opened/QYCheckRedPacViewController.h"

#include "money/common/MoneyAmountText.h"
#include "money/common/MoneyBackButton.h"
#include "money/common/MoneyBackground.h"
#include "money/common/MoneyBarLook.h"
#include "money/common/MoneyLabel.h"
#include "money/opened/OpenedPacketHead.h"
#include "money/common/MoneyScreen.h"
#include "money/common/MoneyTitleView.h"

namespace {

ui::Color tint()
{
    return ui::Color::rgb(253, 220, 162);
}

} // namespace

void QYCheckRedPacViewController::viewDidLoad()
{
    m_titleView = std::make_shared<MoneyTitleView>(MoneyTitleView::widthForScreen(114), "微信红包", "微信安全支付", tint());
    navigationItem().titleView = m_titleView;
    initBackButton();
    initUI();
}

void QYCheckRedPacViewController::viewWillAppear(bool)
{
    MoneyBarLook { ui::Image::named("QYMoney_Navigation_bar_2.png"), tint(), true }.applyTo(*this);
}

void QYCheckRedPacViewController::initBackButton()
{
    m_backButton = MoneyBackButton::installPopping(*this);
}

void QYCheckRedPacViewController::initUI()
{
    auto root = view();
    double width = root->bounds().width();
    double middle = width / 2;

    m_background = MoneyBackground::fill(*root, MoneyScreen::pictureName("QYOpen_Money.png"));

    m_avatar = OpenedPacketHead::roundAvatar(*root, 30, 60, m_avatarHe);

    m_nameLabel = OpenedPacketHead::nameUnder(*root, *m_avatar, m_nick ? *m_nick + "的红包" : "请先设置昵称", ui::Font::boldSystem(14));

    m_context = OpenedPacketHead::greetingUnder(*root, *m_nameLabel, m_contextString);

    m_money = MoneyLabel::make(MoneyAmountText::withoutSign(m_numString), ui::Font::named("Helvetica-Light", 63));
    MoneyLabel::placeCentered(*m_money, middle, m_context->frame().maxY() + 11, width);
    root->addSubview(m_money);

    m_unit = MoneyLabel::make("元", ui::Font::system(14));
    MoneyLabel::fit(*m_unit, width);
    m_unit->setOrigin({ m_money->frame().maxX() + 3, m_context->frame().maxY() + 54 });
    root->addSubview(m_unit);
}
