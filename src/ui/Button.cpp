#include "ui/Button.h"

#include <cmath>

#include "ui/graphics/GraphicsContext.h"

namespace ui {

Button::Button(Type type)
    : m_type(type)
    , m_titleLabel(std::make_shared<Label>())
    , m_imageView(std::make_shared<ImageView>())
{
    m_titleLabel->setFont(Font::system(15));
    m_titleLabel->setTextAlignment(TextAlignment::Center);
    m_titleLabel->setLineBreakMode(LineBreakMode::TruncateMiddle);
    addSubview(m_imageView);
    addSubview(m_titleLabel);
    refreshContent();
}

template<typename T>
std::optional<T> Button::lookup(const std::map<unsigned, T>& table, unsigned state) const
{
    // The phone falls back from a combined state to its parts, then to normal.
    if (auto it = table.find(state); it != table.end())
        return it->second;
    for (unsigned part : { unsigned(StateDisabled), unsigned(StateSelected), unsigned(StateHighlighted) }) {
        if (state & part) {
            if (auto it = table.find(part); it != table.end())
                return it->second;
        }
    }
    if (auto it = table.find(StateNormal); it != table.end())
        return it->second;
    return std::nullopt;
}

void Button::setTitle(std::optional<std::string> title, unsigned state)
{
    if (title)
        m_titles[state] = *title;
    else
        m_titles.erase(state);
    refreshContent();
}

void Button::setTitleColor(std::optional<Color> color, unsigned state)
{
    if (color)
        m_titleColors[state] = *color;
    else
        m_titleColors.erase(state);
    refreshContent();
}

void Button::setImage(ImagePtr image, unsigned state)
{
    if (image)
        m_images[state] = image;
    else
        m_images.erase(state);
    refreshContent();
}

void Button::setBackgroundImage(ImagePtr image, unsigned state)
{
    if (image)
        m_backgroundImages[state] = image;
    else
        m_backgroundImages.erase(state);
    refreshContent();
}

std::optional<std::string> Button::titleForState(unsigned state) const { return lookup(m_titles, state); }

std::optional<Color> Button::titleColorForState(unsigned state) const
{
    if (auto color = lookup(m_titleColors, state))
        return color;
    if (m_type == Type::System)
        return (state & StateDisabled) ? Color::rgb(199, 199, 204) : m_tintColor;
    return Color::whiteColor();
}

ImagePtr Button::imageForState(unsigned state) const { return lookup(m_images, state).value_or(nullptr); }
ImagePtr Button::backgroundImageForState(unsigned state) const { return lookup(m_backgroundImages, state).value_or(nullptr); }

void Button::setContentEdgeInsets(const EdgeInsets& insets)
{
    if (m_contentInsets == insets)
        return;
    m_contentInsets = insets;
    setNeedsLayout();
}

void Button::setTitleEdgeInsets(const EdgeInsets& insets)
{
    if (m_titleInsets == insets)
        return;
    m_titleInsets = insets;
    setNeedsLayout();
}

void Button::setImageEdgeInsets(const EdgeInsets& insets)
{
    if (m_imageInsets == insets)
        return;
    m_imageInsets = insets;
    setNeedsLayout();
}

void Button::setAdjustsImageWhenHighlighted(bool value)
{
    if (m_adjustsImageWhenHighlighted == value)
        return;
    m_adjustsImageWhenHighlighted = value;
    refreshContent();
}

void Button::setTintColor(const Color& color)
{
    m_tintColor = color;
    refreshContent();
}

void Button::stateDidChange()
{
    refreshContent();
}

void Button::refreshContent()
{
    unsigned s = state();
    m_titleLabel->setText(titleForState(s));
    Color color = *titleColorForState(s);
    bool systemPressed = m_type == Type::System && isHighlighted();
    m_titleLabel->setTextColor(systemPressed ? color.withAlpha(color.alpha * 0.2) : color);
    ImagePtr image = imageForState(s);
    m_imageView->setImage(image);
    // A system button shows its pictures as templates in its tint.
    std::optional<Color> templateColor;
    if (m_type == Type::System)
        templateColor = (s & StateDisabled) ? Color::rgb(199, 199, 204) : m_tintColor;
    m_imageView->setTemplateColor(templateColor);
    // A custom button darkens its pictures when pressed unless it has its own
    // pressed picture or the dimming is turned off.
    bool hasOwnPressedLook = m_images.count(StateHighlighted) || m_backgroundImages.count(StateHighlighted);
    m_imageView->setDimmed(isHighlighted() && m_adjustsImageWhenHighlighted && !hasOwnPressedLook && m_type == Type::Custom);
    m_imageView->setAlpha(systemPressed ? 0.2 : 1.0);
    setNeedsLayout();
    setNeedsDisplay();
}

Size Button::titleSize() const
{
    if (!m_titleLabel->text() || m_titleLabel->text()->empty())
        return {};
    return m_titleLabel->sizeThatFits({ 1e6, 1e6 });
}

Size Button::imageSize() const
{
    auto image = m_imageView->image();
    return image ? image->size() : Size {};
}

static double placeStart(ContentHorizontalAlignment alignment, double areaX, double areaWidth, double total)
{
    switch (alignment) {
    case ContentHorizontalAlignment::Left:
        return areaX;
    case ContentHorizontalAlignment::Right:
        return areaX + areaWidth - total;
    case ContentHorizontalAlignment::Center:
    case ContentHorizontalAlignment::Fill:
        return areaX + (areaWidth - total) / 2;
    }
    return areaX;
}

static double placeTop(ContentVerticalAlignment alignment, double areaY, double areaHeight, double height)
{
    switch (alignment) {
    case ContentVerticalAlignment::Top:
        return areaY;
    case ContentVerticalAlignment::Bottom:
        return areaY + areaHeight - height;
    case ContentVerticalAlignment::Center:
    case ContentVerticalAlignment::Fill:
        return areaY + (areaHeight - height) / 2;
    }
    return areaY;
}

Rect Button::imageRectForContentRect(const Rect& contentRect) const
{
    Size image = imageSize();
    if (image.isEmpty())
        return {};
    Size title = titleSize();
    Rect area = contentRect.inset(m_imageInsets);
    double w = std::min(image.width, std::max(0.0, area.width()));
    double h = std::min(image.height, std::max(0.0, area.height()));
    if (contentHorizontalAlignment() == ContentHorizontalAlignment::Fill && title.isEmpty())
        w = area.width();
    if (contentVerticalAlignment() == ContentVerticalAlignment::Fill)
        h = area.height();
    double x = placeStart(contentHorizontalAlignment(), area.x(), area.width(), w + title.width);
    double y = placeTop(contentVerticalAlignment(), area.y(), area.height(), h);
    return { x, y, w, h };
}

Rect Button::titleRectForContentRect(const Rect& contentRect) const
{
    Size title = titleSize();
    if (title.isEmpty())
        return {};
    Size image = imageSize();
    Rect area = contentRect.inset(m_titleInsets);
    double imageWidth = std::min(image.width, std::max(0.0, contentRect.inset(m_imageInsets).width()));
    double w = std::min(title.width, std::max(0.0, area.width() - imageWidth));
    double h = std::min(title.height, std::max(0.0, area.height()));
    double x = placeStart(contentHorizontalAlignment(), area.x(), area.width(), imageWidth + w) + imageWidth;
    double y = placeTop(contentVerticalAlignment(), area.y(), area.height(), h);
    return { x, y, w, h };
}

void Button::layoutSubviews()
{
    Rect content = contentRectForBounds(bounds());
    m_imageView->setFrame(imageRectForContentRect(content));
    m_titleLabel->setFrame(titleRectForContentRect(content));
}

void Button::draw(GraphicsContext& context, const Rect&)
{
    if (auto background = currentBackgroundImage()) {
        bool dim = isHighlighted() && m_adjustsImageWhenHighlighted && !m_backgroundImages.count(StateHighlighted)
            && m_type == Type::Custom;
        context.drawImage(*background, backgroundRectForBounds(bounds()));
        if (dim) {
            context.beginMask();
            context.fillRect(bounds(), Color::blackColor().withAlpha(0.3));
            context.endMask(*background, backgroundRectForBounds(bounds()));
        }
    }
}

Size Button::sizeThatFits(Size) const
{
    Size title = titleSize();
    Size image = imageSize();
    double w = title.width + image.width + m_contentInsets.left + m_contentInsets.right;
    double h = std::max(title.height, image.height) + m_contentInsets.top + m_contentInsets.bottom;
    if (auto background = currentBackgroundImage()) {
        w = std::max(w, background->size().width);
        h = std::max(h, background->size().height);
    }
    if (m_type == Type::System)
        h = std::max(h, 30.0);
    return { std::ceil(w), std::ceil(h) };
}

std::string Button::debugText() const
{
    return currentTitle().value_or("");
}

std::string Button::debugImageName() const
{
    if (auto image = currentImage())
        return image->name();
    if (auto background = currentBackgroundImage())
        return background->name();
    return {};
}

} // namespace ui
