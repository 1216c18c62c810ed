#include "money/common/MoneyLabel.h"

#include "ui/graphics/TextLayout.h"

#include <algorithm>

std::shared_ptr<ui::Label> MoneyLabel::make(const std::optional<std::string>& text, const ui::Font& font,
    std::optional<ui::Color> color)
{
    auto label = std::make_shared<ui::Label>();
    label->setFont(font);
    if (color)
        label->setTextColor(*color);
    label->setText(text);
    return label;
}

void MoneyLabel::fit(ui::Label& label, double maxWidth)
{
    ui::Size size = label.sizeThatFits({ maxWidth, 1e6 });
    ui::Rect frame = label.frame();
    label.setFrame({ frame.x(), frame.y(), std::min(size.width, maxWidth), size.height });
}

void MoneyLabel::placeCentered(ui::Label& label, double centerX, double top, double maxWidth)
{
    fit(label, maxWidth);
    double width = label.frame().width();
    label.setFrame({ centerX - width / 2, top, width, label.frame().height() });
}

double MoneyLabel::baseline(const ui::Label& label)
{
    ui::TextLayout layout(label.effectiveText(), ui::TextLayout::Options(label.bounds().width(), 1));
    auto lines = layout.lines();
    return lines.empty() ? 0 : lines.front().baseline;
}
