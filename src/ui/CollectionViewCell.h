#pragma once
#include <memory>
#include <string>

#include "ui/View.h"

namespace ui {

// One item of a grid. Content goes into `contentView`; the grid reuses cells
// of the same identifier for other items, so content is bound anew each time
// a cell is handed out.
class CollectionViewCell : public View {
public:
    CollectionViewCell();
    explicit CollectionViewCell(const Rect& frame);

    std::string className() const override { return "UICollectionViewCell"; }

    // Set by the grid when it makes the cell from a registered factory.
    const std::string& reuseIdentifier() const { return m_reuseIdentifier; }
    void setReuseIdentifier(std::string identifier) { m_reuseIdentifier = std::move(identifier); }
    const std::shared_ptr<View>& contentView() const { return m_contentView; }

    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

    // Called by the grid, synchronously, before the cell is handed out again.
    // Subclasses clear item-specific state and call the base.
    virtual void prepareForReuse();
    void layoutSubviews() override;

protected:
    // Called after the highlighted or selected state changed; draws nothing by
    // default, as the phone's grid cells show no selection of their own.
    virtual void selectionStateDidChange() { }

private:
    std::string m_reuseIdentifier;
    std::shared_ptr<View> m_contentView;
    bool m_highlighted = false;
    bool m_selected = false;
};

using CollectionViewCellPtr = std::shared_ptr<CollectionViewCell>;

} // namespace ui
