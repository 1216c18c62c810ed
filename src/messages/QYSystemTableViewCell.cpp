#include "messages/QYSystemTableViewCell.h"

#include <algorithm>

#include "chat/records/QYChatModel.h"
#include "messages/RIBubbleRules.h"
#include "ui/graphics/TextLayout.h"
#include "widgets/AppStyle.h"

namespace {

constexpr double kVerticalMargin = 7;
constexpr double kExtraWidth = 20;
constexpr double kMeasureWidth = 320;

} // namespace

QYSystemTableViewCell::QYSystemTableViewCell()
    : TableViewCell(kReuseIdentifier)
{
    setSelectionStyle(ui::TableViewCellSelectionStyle::None);
    setBackgroundColor(ui::Color::clearColor());
    m_systemMessage = View::make<QYLabel>(ui::EdgeInsets { 2, 8, 2, 8 });
    m_systemMessage->setFont(appFont(AppFont::SystemNotice));
    m_systemMessage->setCornerRadius(5);
    m_systemMessage->setClipsToBounds(true);
    m_systemMessage->setTextColor(ui::Color::whiteColor());
    m_systemMessage->setBackgroundColor(ui::Color::fromWhite(0, 0.12));
    m_systemMessage->setTextAlignment(ui::TextAlignment::Center);
    m_systemMessage->setNumberOfLines(0);
    m_systemMessage->setText(RIBubbleRules::noticeText(true, std::nullopt));
    m_labelWidth = measuredTextWidth(*m_systemMessage->text(), m_systemMessage->font()) + kExtraWidth;
    contentView()->addSubview(m_systemMessage);
}

double QYSystemTableViewCell::measuredTextWidth(const std::string& text, const ui::Font& font)
{
    ui::ParagraphStyle paragraph;
    paragraph.lineBreakMode = ui::LineBreakMode::WordWrap;
    ui::TextAttributes attributes;
    attributes.font = font;
    attributes.paragraph = paragraph;
    ui::Size size = ui::TextLayout::measure(ui::AttributedString::fromUtf8(text, attributes), kMeasureWidth);
    return std::min(size.width, kMeasureWidth);
}

void QYSystemTableViewCell::bindWithModel(const QYChatModel& message)
{
    // Each bind sets both looks, so a cell never keeps another chat's style.
    bool payment = message.styleType() == 2;
    m_systemMessage->setCornerRadius(payment ? 3 : 5);
    m_systemMessage->setFont(appFont(payment ? AppFont::PaymentSystemNotice : AppFont::SystemNotice));
    std::optional<std::string> nickName;
    if (message.heNickName())
        nickName = message.heNickName()->utf8();
    m_systemMessage->setText(RIBubbleRules::noticeText(message.isMeRevoke(), nickName));
    m_labelWidth = measuredTextWidth(*m_systemMessage->text(), m_systemMessage->font()) + kExtraWidth;
    setNeedsLayout();
    layoutIfNeeded();
}

void QYSystemTableViewCell::layoutSubviews()
{
    TableViewCell::layoutSubviews();
    ui::Rect content = contentView()->bounds();
    double height = std::max(0.0, content.height() - 2 * kVerticalMargin);
    m_systemMessage->setFrame({ content.midX() - m_labelWidth / 2, kVerticalMargin, m_labelWidth, height });
}
