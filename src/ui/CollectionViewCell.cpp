#include "ui/CollectionViewCell.h"

namespace ui {

CollectionViewCell::CollectionViewCell()
    : CollectionViewCell(Rect { 0, 0, 50, 50 })
{
}

CollectionViewCell::CollectionViewCell(const Rect& frame)
    : View(frame)
{
    m_contentView = View::make<View>(Rect { 0, 0, frame.width(), frame.height() });
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
