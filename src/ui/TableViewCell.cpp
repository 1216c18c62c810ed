#include "ui/TableViewCell.h"

#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Screen.h"
#include "ui/graphics/GraphicsContext.h"

namespace ui {

// The grey a tapped row turns while the finger is on it.
static const Color kSelectedBackground = Color::fromWhite(217.0 / 255);
static constexpr double kHighlightFadeDuration = 0.25;
static constexpr double kTextInset = 15;

TableViewCell::TableViewCell(std::string reuseIdentifier)
    : View(Rect { 0, 0, 320, 44 })
    , m_reuseIdentifier(std::move(reuseIdentifier))
{
    setBackgroundColor(Color::whiteColor());
    m_selectedBackgroundView = View::make<View>(bounds());
    m_selectedBackgroundView->setBackgroundColor(kSelectedBackground);
    m_selectedBackgroundView->setHidden(true);
    m_selectedBackgroundView->setUserInteractionEnabled(false);
    m_selectedBackgroundView->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    addSubview(m_selectedBackgroundView);
    // The content follows the cell at once when the table sizes it to its
    // row, so content pinned by autoresizing masks lands right before layout.
    m_contentView = View::make<View>(bounds());
    m_contentView->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    addSubview(m_contentView);
}

TableViewCell::~TableViewCell() = default;

const std::shared_ptr<Label>& TableViewCell::textLabel()
{
    if (!m_textLabel) {
        m_textLabel = View::make<Label>();
        m_contentView->addSubview(m_textLabel);
        setNeedsLayout();
    }
    return m_textLabel;
}

const std::shared_ptr<ImageView>& TableViewCell::imageView()
{
    if (!m_imageView) {
        m_imageView = View::make<ImageView>();
        m_contentView->addSubview(m_imageView);
        setNeedsLayout();
    }
    return m_imageView;
}

void TableViewCell::setSelectionStyle(TableViewCellSelectionStyle style)
{
    if (m_selectionStyle == style)
        return;
    m_selectionStyle = style;
    updateSelectedBackground(false);
}

void TableViewCell::setHighlighted(bool highlighted, bool animated)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    selectionStateDidChange(animated);
}

void TableViewCell::setSelected(bool selected, bool animated)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    selectionStateDidChange(animated);
}

void TableViewCell::selectionStateDidChange(bool animated)
{
    updateSelectedBackground(animated);
    if (m_textLabel)
        m_textLabel->setNeedsDisplay();
}

void TableViewCell::updateSelectedBackground(bool animated)
{
    bool show = m_selectionStyle != TableViewCellSelectionStyle::None && (m_highlighted || m_selected);
    auto& background = m_selectedBackgroundView;
    if (!animated) {
        Animation::performWithoutAnimation([&] { background->setAlpha(1); });
        background->setHidden(!show);
        return;
    }
    if (show) {
        Animation::performWithoutAnimation([&] { background->setAlpha(background->isHidden() ? 0 : background->alpha()); });
        background->setHidden(false);
        Animation::animate(kHighlightFadeDuration, [&] { background->setAlpha(1); });
        return;
    }
    // Fading out: hide only if nothing showed the background again meanwhile.
    std::weak_ptr<View> weak = background;
    Animation::animate(kHighlightFadeDuration, [&] { background->setAlpha(0); }, [weak](bool) {
        auto view = weak.lock();
        if (view && view->alpha() == 0) {
            view->setHidden(true);
            view->setAlpha(1);
        }
    });
}

void TableViewCell::prepareForReuse()
{
    setHighlighted(false);
    setSelected(false);
}

void TableViewCell::layoutSubviews()
{
    Rect b = bounds();
    Rect area { 0, 0, b.width(), b.height() };
    m_selectedBackgroundView->setFrame(area);
    m_contentView->setFrame(area);
    double x = kTextInset;
    if (m_imageView && m_imageView->image()) {
        Size size = m_imageView->image()->size();
        m_imageView->setFrame({ kTextInset, (b.height() - size.height) / 2, size.width, size.height });
        x = kTextInset * 2 + size.width;
    }
    if (m_textLabel)
        m_textLabel->setFrame({ x, 0, std::max(0.0, b.width() - x - kTextInset), b.height() });
}

void TableViewCell::setSeparator(bool visible, const EdgeInsets& inset, const Color& color)
{
    if (m_separatorVisible == visible && m_separatorInset == inset && m_separatorColor == color)
        return;
    m_separatorVisible = visible;
    m_separatorInset = inset;
    m_separatorColor = color;
    setNeedsDisplay();
}

void TableViewCell::drawAfterSubviews(GraphicsContext& context, const Rect& rect)
{
    if (!m_separatorVisible)
        return;
    // One device pixel, whatever the screen's scale.
    double thickness = 1 / Screen::main().scale();
    double left = rect.x() + m_separatorInset.left;
    double right = rect.maxX() - m_separatorInset.right;
    if (right > left)
        context.fillRect({ left, rect.maxY() - thickness, right - left, thickness }, m_separatorColor);
}

} // namespace ui
