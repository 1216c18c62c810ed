#include "ui/MenuCalloutView.h"

#include <algorithm>
#include <cmath>

#include "ui/Screen.h"
#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextLayout.h"

namespace ui {

static Color barColor() { return Color::rgb(0, 0, 0, 0.9); }
static Color pressedColor() { return Color::rgb(255, 255, 255, 0.2); }
static Color separatorColor() { return Color::rgb(255, 255, 255, 0.3); }

static AttributedString titleText(const std::string& title)
{
    TextAttributes attributes;
    attributes.font = Font::system(MenuCalloutView::kFontSize);
    attributes.foreground = Color::whiteColor();
    return AttributedString::fromUtf8(title, attributes);
}

MenuCalloutView::MenuCalloutView()
{
    setOpaque(false);
}

void MenuCalloutView::setTitles(std::vector<std::string> titles)
{
    if (m_titles == titles)
        return;
    m_titles = std::move(titles);
    m_pressed = -1;
    setNeedsDisplay();
}

void MenuCalloutView::setArrow(bool pointsDown, double arrowX)
{
    if (m_arrowDown == pointsDown && m_arrowX == arrowX)
        return;
    m_arrowDown = pointsDown;
    m_arrowX = arrowX;
    setNeedsDisplay();
}

std::vector<double> MenuCalloutView::itemWidths() const
{
    std::vector<double> widths;
    for (auto& title : m_titles)
        widths.push_back(std::ceil(TextLayout::measure(titleText(title), 0, 1).width) + 2 * kItemPadding);
    return widths;
}

Size MenuCalloutView::sizeThatFits(Size) const
{
    double width = 0;
    for (double w : itemWidths())
        width += w;
    return { width, kBarHeight + kArrowHeight };
}

Rect MenuCalloutView::barRect() const
{
    double y = m_arrowDown ? 0 : kArrowHeight;
    return { 0, y, bounds().width(), kBarHeight };
}

std::vector<Rect> MenuCalloutView::itemRects() const
{
    std::vector<Rect> rects;
    Rect bar = barRect();
    double x = 0;
    for (double w : itemWidths()) {
        rects.push_back({ x, bar.y(), w, bar.height() });
        x += w;
    }
    return rects;
}

int MenuCalloutView::itemAt(Point point) const
{
    auto rects = itemRects();
    for (size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].contains(point))
            return int(i);
    }
    return -1;
}

void MenuCalloutView::draw(GraphicsContext& context, const Rect&)
{
    Rect bar = barRect();
    double tipY = m_arrowDown ? bar.maxY() + kArrowHeight : bar.y() - kArrowHeight;
    double baseY = m_arrowDown ? bar.maxY() : bar.y();
    double halfArrow = kArrowWidth / 2;
    double arrowX = std::clamp(m_arrowX, bar.x() + kCornerRadius + halfArrow, bar.maxX() - kCornerRadius - halfArrow);
    context.fillRoundedRect(bar, kCornerRadius, barColor());
    context.beginPath();
    context.moveTo({ arrowX - halfArrow, baseY });
    context.lineTo({ m_arrowX, tipY });
    context.lineTo({ arrowX + halfArrow, baseY });
    context.closePath();
    context.fillPath(barColor());

    auto rects = itemRects();
    double hairline = 1.0 / Screen::main().scale();
    for (size_t i = 0; i < rects.size(); ++i) {
        if (int(i) == m_pressed) {
            context.save();
            context.clipToRoundedRect(bar, kCornerRadius);
            context.fillRect(rects[i], pressedColor());
            context.restore();
        }
        if (i > 0)
            context.fillRect({ rects[i].x(), bar.y(), hairline, bar.height() }, separatorColor());
        auto text = titleText(m_titles[i]);
        TextLayout layout(text, TextLayout::Options(0, 1));
        Size size = layout.size();
        layout.draw(context, { rects[i].midX() - size.width / 2, rects[i].midY() - size.height / 2 });
    }
}

void MenuCalloutView::setPressed(int index)
{
    if (m_pressed == index)
        return;
    m_pressed = index;
    setNeedsDisplay();
}

void MenuCalloutView::touchesBegan(const TouchList& touches)
{
    m_touchStart = touches.empty() ? -1 : itemAt(touches.front()->locationIn(this));
    setPressed(m_touchStart);
}

void MenuCalloutView::touchesMoved(const TouchList& touches)
{
    int index = touches.empty() ? -1 : itemAt(touches.front()->locationIn(this));
    setPressed(index == m_touchStart ? index : -1);
}

void MenuCalloutView::touchesEnded(const TouchList& touches)
{
    int index = touches.empty() ? -1 : itemAt(touches.front()->locationIn(this));
    int start = m_touchStart;
    m_touchStart = -1;
    setPressed(-1);
    if (index < 0 || index != start || !itemTapped)
        return;
    auto keep = sharedView();
    auto callback = itemTapped;
    callback(index);
}

void MenuCalloutView::touchesCancelled(const TouchList&)
{
    m_touchStart = -1;
    setPressed(-1);
}

std::string MenuCalloutView::debugText() const
{
    std::string text;
    for (auto& title : m_titles)
        text += (text.empty() ? "" : " | ") + title;
    return text;
}

} // namespace ui
