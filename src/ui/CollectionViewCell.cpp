#include "ui/CollectionViewCell.h"

namespace ui {

CollectionViewCell::CollectionViewCell()
    : CollectionViewCell(Rect { 0, 0, 50, 50 })
{
}

CollectionViewCell::CollectionViewCell(const Rect& frame)
    : View(frame)
{
    // The content follows the cell at once when the grid gives it its item's
    // size, so content pinned by autoresizing masks lands right before layout.
    m_contentView = View::make<View>(Rect { 0, 0, frame.width(), frame.height() });
    m_contentView->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    addSubview(m_contentView);
}

void CollectionViewCell::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    selectionStateDidChange();
}

void CollectionViewCell::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    selectionStateDidChange();
}

void CollectionViewCell::prepareForReuse()
{
    setHighlighted(false);
    setSelected(false);
}

void CollectionViewCell::layoutSubviews()
{
    Rect b = bounds();
    m_contentView->setFrame({ 0, 0, b.width(), b.height() });
}

} // namespace ui
