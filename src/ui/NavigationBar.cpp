#include "ui/NavigationBar.h"

#include <algorithm>
#include <cmath>

#include "ui/Screen.h"
#include "ui/graphics/GraphicsContext.h"

namespace ui {

static constexpr double kStatusBarHeight = 20;
static constexpr double kItemMargin = 8;

NavigationBarAppearance& NavigationBarAppearance::defaults()
{
    static NavigationBarAppearance appearance;
    return appearance;
}

NavigationBar::NavigationBar()
    : View(Rect { 0, kStatusBarHeight, Screen::main().size().width, kHeight })
    , m_titleLabel(std::make_shared<Label>())
{
    auto& look = NavigationBarAppearance::defaults();
    m_backgroundImage = look.backgroundImage;
    m_shadowImage = look.shadowImage;
    if (look.tintColor)
        m_tintColor = *look.tintColor;
    m_barTintColor = look.barTintColor;
    if (look.titleColor)
        m_titleColor = *look.titleColor;
    if (look.titleFont)
        m_titleFont = *look.titleFont;
    if (look.translucent)
        m_translucent = *look.translucent;
    m_titleLabel->setTextAlignment(TextAlignment::Center);
    m_titleLabel->setLineBreakMode(LineBreakMode::TruncateTail);
    setAutoresizingMask(FlexibleWidth);
    refresh();
}

void NavigationBar::setBackgroundImage(ImagePtr image)
{
    m_backgroundImage = std::move(image);
    setNeedsDisplay();
}

void NavigationBar::setShadowImage(ImagePtr image)
{
    m_shadowImage = std::move(image);
    setNeedsDisplay();
}

void NavigationBar::setTintColor(const Color& color)
{
    m_tintColor = color;
    refresh();
}

void NavigationBar::setBarTintColor(std::optional<Color> color)
{
    m_barTintColor = color;
    setNeedsDisplay();
}

void NavigationBar::setTitleColor(const Color& color)
{
    m_titleColor = color;
    refresh();
}

void NavigationBar::setTitleFont(const Font& font)
{
    m_titleFont = font;
    refresh();
}

void NavigationBar::setTranslucent(bool translucent)
{
    m_translucent = translucent;
    setNeedsDisplay();
}

void NavigationBar::showItem(NavigationItem* item, std::optional<std::string> backTitle, std::function<void()> backAction)
{
    m_item = item;
    m_backTitle = std::move(backTitle);
    m_backAction = std::move(backAction);
    refresh();
}

std::shared_ptr<View> NavigationBar::viewForItem(const BarButtonItemPtr& item)
{
    if (!item)
        return nullptr;
    if (item->customView)
        return item->customView;
    auto button = Button::make(Button::Type::System);
    Color tint = item->tintColor.value_or(m_tintColor);
    button->setTintColor(tint);
    button->titleLabel()->setFont(Font::system(17));
    if (item->title)
        button->setTitle(item->title);
    if (item->image)
        button->setImage(item->image);
    button->setEnabled(item->enabled);
    std::weak_ptr<BarButtonItem> weakItem = item;
    button->addAction(TouchUpInside, [weakItem](Control&) {
        if (auto strong = weakItem.lock(); strong && strong->action)
            strong->action();
    });
    button->sizeToFit();
    return button;
}

void NavigationBar::refresh()
{
    for (auto* old : { &m_titleView, &m_leftView, &m_rightView }) {
        if (*old && (*old)->superview() == this)
            (*old)->removeFromSuperview();
        old->reset();
    }
    if (m_backButton) {
        m_backButton->removeFromSuperview();
        m_backButton.reset();
    }
    m_titleLabel->removeFromSuperview();
    if (!m_item) {
        setNeedsLayout();
        return;
    }
    if (m_item->titleView) {
        m_titleView = m_item->titleView;
        addSubview(m_titleView);
    } else {
        m_titleLabel->setText(m_item->title);
        m_titleLabel->setFont(m_titleFont);
        m_titleLabel->setTextColor(m_titleColor);
        addSubview(m_titleLabel);
    }
    if (m_item->leftBarButtonItem) {
        m_leftView = viewForItem(m_item->leftBarButtonItem);
    } else if (m_backTitle && !m_item->hidesBackButton) {
        // The back button: a chevron and the title of the screen below.
        m_backButton = Button::make(Button::Type::System);
        m_backButton->setTintColor(m_tintColor);
        m_backButton->titleLabel()->setFont(Font::system(17));
        m_backButton->setTitle(*m_backTitle);
        m_backButton->setContentEdgeInsets({ 0, 18, 0, 0 });
        m_backButton->sizeToFit();
        auto action = m_backAction;
        m_backButton->addAction(TouchUpInside, [action](Control&) {
            if (action)
                action();
        });
        m_leftView = m_backButton;
    }
    if (m_leftView)
        addSubview(m_leftView);
    if (m_item->rightBarButtonItem) {
        m_rightView = viewForItem(m_item->rightBarButtonItem);
        addSubview(m_rightView);
    }
    setNeedsLayout();
    setNeedsDisplay();
}

void NavigationBar::layoutSubviews()
{
    double w = bounds().width();
    double margin = w > 400 ? 12 : kItemMargin;
    double leftEdge = margin, rightEdge = w - margin;
    if (m_leftView) {
        Rect f = m_leftView->frame();
        m_leftView->setFrame({ margin, std::round((kHeight - f.height()) / 2), f.width(), f.height() });
        leftEdge = m_leftView->frame().maxX();
    }
    if (m_rightView) {
        Rect f = m_rightView->frame();
        m_rightView->setFrame({ w - margin - f.width(), std::round((kHeight - f.height()) / 2), f.width(), f.height() });
        rightEdge = m_rightView->frame().x();
    }
    // The title is centred on the bar, and shifted only when an item would cover it.
    if (m_titleView) {
        Rect f = m_titleView->frame();
        double x = (w - f.width()) / 2;
        x = std::clamp(x, leftEdge + 4, std::max(leftEdge + 4, rightEdge - 4 - f.width()));
        m_titleView->setFrame({ x, std::round((kHeight - f.height()) / 2), f.width(), f.height() });
    } else if (m_titleLabel->superview()) {
        double maxWidth = std::max(0.0, w - 2 * std::max(leftEdge, w - rightEdge) - 8);
        Size size = m_titleLabel->sizeThatFits({ 1e6, kHeight });
        double width = std::min(size.width, maxWidth);
        m_titleLabel->setFrame({ (w - width) / 2, (kHeight - size.height) / 2, width, size.height });
    }
}

void NavigationBar::draw(GraphicsContext& context, const Rect&)
{
    Rect area { 0, -kStatusBarHeight, bounds().width(), kHeight + kStatusBarHeight };
    if (m_backgroundImage) {
        context.drawImage(*m_backgroundImage, area);
    } else {
        Color tint = m_barTintColor.value_or(Color::rgb(247, 247, 247));
        context.fillRect(area, m_translucent ? tint.withAlpha(0.94) : tint);
        if (!m_shadowImage)
            context.fillRect({ 0, kHeight, bounds().width(), 0.5 }, Color::rgb(0, 0, 0, 0.3));
    }
    if (m_shadowImage)
        context.drawImage(*m_shadowImage, { 0, kHeight, bounds().width(), m_shadowImage->size().height });
    if (m_backButton) {
        // The chevron of the back button, in the tint colour.
        Rect b = m_backButton->frame();
        double cx = b.x() + 4, cy = b.midY();
        Color tint = m_backButton->isHighlighted() ? m_tintColor.withAlpha(0.2) : m_tintColor;
        context.beginPath();
        context.moveTo({ cx + 8.5, cy - 10.5 });
        context.lineTo({ cx, cy });
        context.lineTo({ cx + 8.5, cy + 10.5 });
        context.strokePath(tint, 3, LineCap::Round, LineJoin::Round);
    }
}

std::shared_ptr<View> NavigationBar::hitTest(Point point)
{
    auto hit = View::hitTest(point);
    // Bar items are small; a touch near one on the bar goes to it.
    if (hit.get() == this) {
        for (auto& item : { m_leftView, m_rightView }) {
            if (item && item->frame().insetBy(-10, -6).contains(point))
            {
                auto inner = item->hitTest(item->convertPointFrom(point, this));
                return inner ? inner : item;
            }
        }
    }
    return hit;
}

} // namespace ui
