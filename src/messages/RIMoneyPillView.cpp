#include "messages/RIMoneyPillView.h"

#include "messages/RIMoneyRules.h"

RIMoneyPillView::RIMoneyPillView(const Look& look)
    : m_look(look)
{
    setCornerRadius(look.cornerRadius);
    setClipsToBounds(true);
    setBackgroundColor(ui::Color::blackColor().withAlpha(look.shade));
    setHidden(true);
    m_moneyIcon = View::make<ui::ImageView>();
    m_moneyIcon->setImage(ui::Image::named(look.iconName));
    addSubview(m_moneyIcon);
    m_textMoney = View::make<ui::Label>();
    m_textMoney->setBackgroundColor(ui::Color::clearColor());
    m_textMoney->setFont(ui::Font::system(look.fontSize));
    m_textMoney->setTextColor(ui::Color::whiteColor());
    m_textMoney->setText("已经领取红包");
    addSubview(m_textMoney);
}

void RIMoneyPillView::setLine(const std::string& line)
{
    ui::TextAttributes plain;
    plain.font = ui::Font::system(m_look.fontSize);
    plain.foreground = ui::Color::whiteColor();
    auto text = ui::AttributedString::fromUtf8(line, plain);
    // The line ends in "红包": two units of the phone's string.
    std::size_t length = text.length();
    std::size_t accentStart = length >= 2 ? length - 2 : 0;
    ui::TextAttributes accent;
    accent.foreground = m_look.accent;
    text.addAttributes(accent, { accentStart, length - accentStart });
    m_textMoney->setAttributedText(std::move(text));
    setNeedsLayout();
}

void RIMoneyPillView::placeAt(double centreX, double top)
{
    ui::Size icon = m_moneyIcon->image() ? m_moneyIcon->image()->size() : ui::Size {};
    ui::Size text = m_textMoney->sizeThatFits({});
    double width = RIMoneyRules::kPillIconInset + icon.width + RIMoneyRules::kPillTextGap + text.width + RIMoneyRules::kPillEndInset;
    setFrame({ centreX - width / 2, top, width, RIMoneyRules::kPillHeight });
    layoutIfNeeded();
}

void RIMoneyPillView::layoutSubviews()
{
    double height = bounds().height();
    ui::Size icon = m_moneyIcon->image() ? m_moneyIcon->image()->size() : ui::Size {};
    m_moneyIcon->setFrame({ RIMoneyRules::kPillIconInset, (height - icon.height) / 2, icon.width, icon.height });
    ui::Size text = m_textMoney->sizeThatFits({});
    double textX = m_moneyIcon->frame().maxX() + RIMoneyRules::kPillTextGap;
    m_textMoney->setFrame({ textX, (height - text.height) / 2, text.width, text.height });
}
