#include "widgets/QYLabel.h"

QYLabel::QYLabel(const ui::EdgeInsets& insets)
    : m_insets(insets)
{
}

void QYLabel::setInsets(const ui::EdgeInsets& insets)
{
    if (m_insets == insets)
        return;
    m_insets = insets;
    setNeedsDisplay();
}

void QYLabel::drawTextInRect(ui::GraphicsContext& context, const ui::Rect& rect)
{
    ui::Label::drawTextInRect(context, rect.inset(m_insets));
}
