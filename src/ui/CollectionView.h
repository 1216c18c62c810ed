#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/CollectionViewCell.h"
#include "ui/CollectionViewFlowLayout.h"
#include "ui/IndexPath.h"
#include "ui/ScrollView.h"

namespace ui {

// A scrolling grid of one section laid out by a flow layout. Cells come from
// factories registered per reuse identifier; only the items on screen have
// cells, and cells that scroll away are handed out again by dequeue.
//
// Every member function below is called synchronously on the main queue; the
// grid keeps itself alive while it calls out, so any of them may reload or
// release the grid.
class CollectionView : public ScrollView {
public:
    using CellFactory = std::function<CollectionViewCellPtr()>;

    explicit CollectionView(const Rect& frame, std::shared_ptr<CollectionViewFlowLayout> layout = nullptr);
    ~CollectionView() override;

    std::string className() const override { return "UICollectionView"; }

    // Data source, required: the item count and the cell of an item (made with
    // dequeueReusableCell). Delegate, optional: the size of an item (else the
    // layout's itemSize) and a tap on an item, called after the finger lifts,
    // once the item is selected.
    std::function<int(CollectionView&, int section)> numberOfItemsInSection;
    std::function<CollectionViewCellPtr(CollectionView&, const IndexPath&)> cellForItemAtIndexPath;
    std::function<Size(CollectionView&, const IndexPath&)> sizeForItemAtIndexPath;
    std::function<void(CollectionView&, const IndexPath&)> didSelectItemAtIndexPath;

    const std::shared_ptr<CollectionViewFlowLayout>& layout() const { return m_layout; }
    void registerCell(const std::string& identifier, CellFactory factory);
    // A cell given back earlier under `identifier` and prepared for reuse, or a
    // new one from the identifier's factory.
    CollectionViewCellPtr dequeueReusableCell(const std::string& identifier, const IndexPath& indexPath);

    void reloadData();
    // Asks the data source again for these items' cells.
    void reloadItems(const std::vector<IndexPath>& indexPaths);

    int numberOfItems(int section = 0);
    std::optional<IndexPath> indexPathForItem(Point point);
    std::optional<IndexPath> indexPathForCell(const CollectionViewCell& cell) const;
    // The cell showing the item, or nullptr when the item is not on screen.
    CollectionViewCellPtr cellForItem(const IndexPath& indexPath);
    std::vector<CollectionViewCellPtr> visibleCells();
    Rect frameForItem(const IndexPath& indexPath);

    std::vector<IndexPath> indexPathsForSelectedItems() const;
    void selectItem(const IndexPath& indexPath);
    void deselectItem(const IndexPath& indexPath);

    void setBounds(const Rect& bounds) override;
    void layoutSubviews() override;
    void touchesBegan(const TouchList& touches) override;
    void touchesEnded(const TouchList& touches) override;
    void touchesCancelled(const TouchList& touches) override;

private:
    void loadIfNeeded();
    void prepareLayout();
    void tileItems();
    CollectionViewCellPtr makeCell(int item);
    void recycle(const CollectionViewCellPtr& cell);
    void endTouchTracking();

    std::shared_ptr<CollectionViewFlowLayout> m_layout;
    std::unordered_map<std::string, CellFactory> m_factories;
    std::unordered_map<std::string, std::vector<CollectionViewCellPtr>> m_reusePool;
    std::map<int, CollectionViewCellPtr> m_visible;
    bool m_loaded = false;
    bool m_tiling = false;
    unsigned m_generation = 0;
    Size m_layoutSize;
    std::optional<int> m_selectedItem;
    std::optional<int> m_touchItem;
};

using CollectionViewPtr = std::shared_ptr<CollectionView>;

} // namespace ui
