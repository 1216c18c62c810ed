#include "ui/StatusBar.h"

#include <algorithm>
#include <cmath>

#include "platform/Locale.h"
#include "platform/MainQueue.h"
#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextLayout.h"

namespace ui {

StatusBar& StatusBar::shared()
{
    static StatusBar bar;
    return bar;
}

std::string StatusBar::timeText() const
{
    if (time)
        return *time;
    return platform::locale::formatDate(platform::MainQueue::shared().now(), "HH:mm");
}

static void drawText(GraphicsContext& context, const std::string& text, const Font& font, const Color& color,
    double x, TextAlignment alignment, double width)
{
    TextAttributes attributes;
    attributes.font = font;
    attributes.foreground = color;
    auto string = AttributedString::fromUtf8(text, attributes);
    TextLayout layout(string, {});
    Size size = layout.size();
    double left = x;
    if (alignment == TextAlignment::Center)
        left = x + (width - size.width) / 2;
    else if (alignment == TextAlignment::Right)
        left = x + width - size.width;
    context.drawText(layout, { left, (StatusBar::kHeight - size.height) / 2 });
}

static double textWidth(const std::string& text, const Font& font)
{
    TextAttributes attributes;
    attributes.font = font;
    return TextLayout::measure(AttributedString::fromUtf8(text, attributes), 0).width;
}

void StatusBar::draw(GraphicsContext& context, double screenWidth) const
{
    if (hidden)
        return;
    Color ink = style == Style::LightContent ? Color::whiteColor() : Color::blackColor();
    Font small = Font::system(12);

    // Signal dots, then the carrier.
    double x = 6;
    for (int i = 0; i < 5; ++i) {
        Rect dot { x + i * 6.5, 7, 5.5, 5.5 };
        context.fillEllipse(dot, ink);
    }
    x += 5 * 6.5 + 3;
    drawText(context, carrier, small, ink, x, TextAlignment::Left, 0);
    x += textWidth(carrier, small) + 5;
    // Wi-Fi fan: three arcs over a point.
    Point apex { x + 7, 14.5 };
    for (int ring = 1; ring <= 3; ++ring) {
        context.beginPath();
        context.addArc(apex, ring * 3.3, -M_PI * 0.75, -M_PI * 0.25, true);
        context.strokePath(ink, 1.6, LineCap::Round);
    }
    context.fillEllipse({ apex.x - 1.1, apex.y - 1.1, 2.2, 2.2 }, ink);

    drawText(context, timeText(), Font::boldSystem(12), ink, 0, TextAlignment::Center, screenWidth);

    // Battery: outline, fill by level, terminal; the percentage to its left.
    double right = screenWidth - 6;
    Rect body { right - 2.5 - 22, 5.5, 22, 10 };
    context.strokeRoundedRect(body, 2.5, 1, ink);
    context.fillRoundedRect({ body.maxX() + 1, 8.5, 1.5, 4 }, 0.75, ink);
    double level = std::clamp(batteryPercent, 0, 100) / 100.0;
    Color fill = batteryPercent <= 20 && !charging ? Color::rgb(255, 59, 48) : ink;
    if (level > 0)
        context.fillRoundedRect({ body.x() + 2, body.y() + 2, (body.width() - 4) * level, body.height() - 4 }, 1, fill);
    if (showsBatteryPercent) {
        std::string percent = std::to_string(std::clamp(batteryPercent, 0, 100)) + "%";
        double w = textWidth(percent, small);
        drawText(context, percent, small, ink, body.x() - 4 - w, TextAlignment::Left, 0);
    }
}

} // namespace ui
