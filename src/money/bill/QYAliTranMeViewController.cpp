#include "money/bill/QYAliTranMeViewController.h"

#include "money/common/MoneyAmountText.h"

double QYAliTranMeViewController::addPaymentLine(ui::View& root, double avatarBottom)
{
    m_detail = greyLabel("余额宝");
    m_detail->setOrigin({ 87, avatarBottom + 129 });
    root.addSubview(m_detail);

    auto redPac = model() && model()->redPac() ? std::optional(model()->redPac()->utf8()) : std::nullopt;
    m_detailNum = greyLabel(MoneyAmountText::billPaymentAmount(redPac));
    m_detailNum->setTextAlignment(ui::TextAlignment::Right);
    double width = m_detailNum->frame().width();
    m_detailNum->setOrigin({ root.bounds().width() - 15 - width, avatarBottom + 128 });
    root.addSubview(m_detailNum);
    return m_detailNum->frame().maxY() + 32;
}
