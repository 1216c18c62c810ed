#include "ui/Slider.h"

#include <algorithm>

#include "ui/graphics/GraphicsContext.h"

namespace ui {

static constexpr double kThumbDiameter = 28;
static constexpr double kTrackThickness = 2;
static constexpr double kHeight = 31;
// A finger that lands this close to the thumb takes it.
static constexpr double kThumbSlop = 10;

Slider::Slider()
    : Slider(Rect {})
{
}

Slider::Slider(const Rect& frame)
    : Control(frame)
{
}

float Slider::clamped(float value) const
{
    return std::clamp(value, m_minimumValue, std::max(m_minimumValue, m_maximumValue));
}

void Slider::setValue(float value)
{
    value = clamped(value);
    if (m_value == value)
        return;
    m_value = value;
    setNeedsDisplay();
}

void Slider::setMinimumValue(float value)
{
    if (m_minimumValue == value)
        return;
    m_minimumValue = value;
    m_maximumValue = std::max(m_maximumValue, value);
    m_value = clamped(m_value);
    setNeedsDisplay();
}

void Slider::setMaximumValue(float value)
{
    if (m_maximumValue == value)
        return;
    m_maximumValue = value;
    m_minimumValue = std::min(m_minimumValue, value);
    m_value = clamped(m_value);
    setNeedsDisplay();
}

void Slider::setMinimumTrackTintColor(const Color& color)
{
    if (m_minimumTrackTintColor == color)
        return;
    m_minimumTrackTintColor = color;
    setNeedsDisplay();
}

void Slider::setMaximumTrackTintColor(const Color& color)
{
    if (m_maximumTrackTintColor == color)
        return;
    m_maximumTrackTintColor = color;
    setNeedsDisplay();
}

void Slider::setThumbTintColor(const Color& color)
{
    if (m_thumbTintColor == color)
        return;
    m_thumbTintColor = color;
    setNeedsDisplay();
}

void Slider::setThumbImage(ImagePtr image)
{
    if (m_thumbImage == image)
        return;
    m_thumbImage = std::move(image);
    setNeedsDisplay();
}

Size Slider::thumbSize() const
{
    return m_thumbImage ? m_thumbImage->size() : Size { kThumbDiameter, kThumbDiameter };
}

Size Slider::sizeThatFits(Size size) const
{
    return { size.width, std::max(kHeight, thumbSize().height) };
}

Rect Slider::trackRect() const
{
    Rect b = bounds();
    return { b.x(), b.midY() - kTrackThickness / 2, b.width(), kTrackThickness };
}

Rect Slider::thumbRect() const
{
    Rect track = trackRect();
    Size thumb = thumbSize();
    double range = m_maximumValue - m_minimumValue;
    double fraction = range > 0 ? (m_value - m_minimumValue) / range : 0;
    // The thumb stays inside the track: its centre travels one thumb less than the track.
    double x = track.x() + fraction * std::max(0.0, track.width() - thumb.width);
    return { x, bounds().midY() - thumb.height / 2, thumb.width, thumb.height };
}

float Slider::valueForThumbCenter(double x) const
{
    Rect track = trackRect();
    double travel = std::max(0.0, track.width() - thumbSize().width);
    if (travel <= 0)
        return m_minimumValue;
    double fraction = std::clamp((x - track.x() - thumbSize().width / 2) / travel, 0.0, 1.0);
    return clamped(float(m_minimumValue + fraction * (m_maximumValue - m_minimumValue)));
}

void Slider::draw(GraphicsContext& context, const Rect&)
{
    Rect track = trackRect();
    Rect thumb = thumbRect();
    double split = thumb.midX();
    double radius = kTrackThickness / 2;
    context.fillRoundedRect({ split, track.y(), track.maxX() - split, track.height() }, radius, m_maximumTrackTintColor);
    context.fillRoundedRect({ track.x(), track.y(), split - track.x(), track.height() }, radius, m_minimumTrackTintColor);
    if (m_thumbImage) {
        context.drawImage(*m_thumbImage, thumb);
        return;
    }
    // A soft shadow under a hairline-edged white disc.
    context.fillEllipse(thumb.offsetBy(0, 3).insetBy(-0.5, -0.5), Color::blackColor().withAlpha(0.06));
    context.fillEllipse(thumb.offsetBy(0, 1), Color::blackColor().withAlpha(0.12));
    context.fillEllipse(thumb.insetBy(-0.5, -0.5), Color::blackColor().withAlpha(0.08));
    context.fillEllipse(thumb, m_thumbTintColor);
}

void Slider::touchesBegan(const TouchList& touches)
{
    if (!isEnabled() || touches.empty())
        return;
    Point point = touches.front()->locationIn(this);
    Rect thumb = thumbRect();
    if (!thumb.insetBy(-kThumbSlop, -kThumbSlop).contains(point))
        return;
    m_draggingThumb = true;
    m_grabOffset = point.x - thumb.midX();
    m_valueAtTouchDown = m_value;
    Control::touchesBegan(touches);
}

void Slider::setValueFromTouch(double x)
{
    float value = valueForThumbCenter(x - m_grabOffset);
    if (value == m_value)
        return;
    m_value = value;
    setNeedsDisplay();
    if (m_continuous)
        sendActions(ValueChanged);
}

void Slider::touchesMoved(const TouchList& touches)
{
    if (!m_draggingThumb || touches.empty())
        return;
    auto self = sharedView();
    Control::touchesMoved(touches);
    setValueFromTouch(touches.front()->locationIn(this).x);
}

void Slider::touchesEnded(const TouchList& touches)
{
    if (!m_draggingThumb || touches.empty())
        return;
    auto self = sharedView();
    m_draggingThumb = false;
    setValueFromTouch(touches.front()->locationIn(this).x);
    bool changed = m_value != m_valueAtTouchDown;
    Control::touchesEnded(touches);
    if (!m_continuous && changed)
        sendActions(ValueChanged);
}

void Slider::touchesCancelled(const TouchList& touches)
{
    if (!m_draggingThumb)
        return;
    auto self = sharedView();
    m_draggingThumb = false;
    bool changed = m_value != m_valueAtTouchDown;
    Control::touchesCancelled(touches);
    if (!m_continuous && changed)
        sendActions(ValueChanged);
}

} // namespace ui
