#include "doodle/DWColorBall.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/Log.h"
#include "ui/NotificationCenter.h"
#include "ui/graphics/GraphicsContext.h"

DWColorBall::DWColorBall(const ui::Rect& frame)
    : ui::View(frame)
{
    setBackgroundColor(ui::Color::clearColor());
    m_lineWidth = frame.width() / kWidthFactor;
}

void DWColorBall::setBallColor(const ui::Color& color)
{
    m_ballColor = color;
    setNeedsDisplay();
    ui::NotificationCenter::shared().post(kNotification);
}

void DWColorBall::setBallSize(float size)
{
    m_ballSize = std::isfinite(size) ? size : 0;
    double scale = kSmallestScale + (1 - kSmallestScale) * m_ballSize;
    setTransform(ui::AffineTransform::scale(scale, scale));
    double width = frame().width() / kWidthFactor;
    char line[48];
    std::snprintf(line, sizeof line, "画笔宽度:%.f", width);
    platform::log::line("doodle", line);
    m_lineWidth = width;
    ui::NotificationCenter::shared().post(kNotification);
}

void DWColorBall::draw(ui::GraphicsContext& context, const ui::Rect&)
{
    context.fillEllipse(bounds(), m_ballColor);
}
