#include "widgets/MyLabel.h"

#include "ui/Screen.h"
#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextLayout.h"

MyLabel::MyLabel(const ui::Rect& frame)
    : ui::Label(frame)
{
}

void MyLabel::setVerticalAlignment(int alignment)
{
    if (m_verticalAlignment == alignment)
        return;
    m_verticalAlignment = alignment;
    setNeedsDisplay();
}

ui::Rect MyLabel::textRectForBounds(const ui::Rect& bounds, int numberOfLines) const
{
    ui::Rect rect = ui::Label::textRectForBounds(bounds, numberOfLines);
    switch (m_verticalAlignment) {
    case Top:
        rect.origin.y = bounds.y();
        break;
    case Bottom:
        rect.origin.y = bounds.y() + bounds.height() - rect.height();
        break;
    case Middle: {
        rect.origin.y = bounds.y() + (bounds.height() - rect.height()) / 2;
        // The smaller phones' text sits a little high in these rows.
        double screenHeight = ui::Screen::main().size().height;
        if (screenHeight == 568 || screenHeight == 480)
            rect.origin.y -= 3;
        break;
    }
    default:
        rect.origin.y = bounds.y() + (bounds.height() - rect.height()) / 2;
        break;
    }
    return rect;
}

void MyLabel::drawTextInRect(ui::GraphicsContext& context, const ui::Rect&)
{
    ui::Rect rect = textRectForBounds(bounds(), numberOfLines());
    auto text = effectiveText();
    if (text.length() == 0)
        return;
    ui::TextLayout::Options options;
    options.width = rect.width();
    options.maxLines = numberOfLines();
    options.lineBreakMode = lineBreakMode();
    ui::TextLayout layout(text, options);
    context.save();
    context.clipToRect(bounds());
    context.drawText(layout, rect.origin);
    context.restore();
}
