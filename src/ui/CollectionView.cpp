#include "ui/CollectionView.h"

#include <algorithm>

#include "platform/Log.h"

namespace ui {

CollectionView::CollectionView(const Rect& frame, std::shared_ptr<CollectionViewFlowLayout> layout)
    : ScrollView(frame)
    , m_layout(layout ? std::move(layout) : std::make_shared<CollectionViewFlowLayout>())
{
    setBackgroundColor(Color::blackColor()); // the phone's grid starts black
}

CollectionView::~CollectionView() = default;

void CollectionView::registerCell(const std::string& identifier, CellFactory factory)
{
    m_factories[identifier] = std::move(factory);
}

CollectionViewCellPtr CollectionView::dequeueReusableCell(const std::string& identifier, const IndexPath&)
{
    auto& pool = m_reusePool[identifier];
    if (!pool.empty()) {
        auto cell = pool.back();
        pool.pop_back();
        cell->prepareForReuse();
        return cell;
    }
    CollectionViewCellPtr cell;
    if (auto it = m_factories.find(identifier); it != m_factories.end() && it->second)
        cell = it->second();
    if (!cell) {
        platform::log::line("CollectionView", "no cell registered as \"" + identifier + "\"");
        cell = View::make<CollectionViewCell>();
    }
    cell->setReuseIdentifier(identifier);
    return cell;
}

void CollectionView::loadIfNeeded()
{
    if (!m_loaded)
        reloadData();
}

void CollectionView::prepareLayout()
{
    int count = numberOfItemsInSection ? std::max(0, numberOfItemsInSection(*this, 0)) : 0;
    std::function<Size(const IndexPath&)> sizeForItem;
    if (sizeForItemAtIndexPath)
        sizeForItem = [this](const IndexPath& indexPath) { return sizeForItemAtIndexPath(*this, indexPath); };
    m_layoutSize = bounds().size;
    m_layout->prepare(count, m_layoutSize, sizeForItem);
    setContentSize(m_layout->contentSize());
}

void CollectionView::reloadData()
{
    auto self = sharedView();
    m_loaded = true;
    ++m_generation;
    endTouchTracking();
    m_selectedItem.reset();
    auto visible = std::move(m_visible);
    m_visible.clear();
    for (auto& [item, cell] : visible)
        recycle(cell);
    prepareLayout();
    if (!isDragging() && !isDecelerating()) {
        Point offset = contentOffset(), min = minimumOffset(), max = maximumOffset();
        Point clamped { std::clamp(offset.x, min.x, max.x), std::clamp(offset.y, min.y, max.y) };
        if (clamped != offset)
            setContentOffset(clamped, false);
    }
    setNeedsLayout();
}

void CollectionView::reloadItems(const std::vector<IndexPath>& indexPaths)
{
    if (!m_loaded)
        return;
    auto self = sharedView();
    unsigned generation = m_generation;
    for (auto& indexPath : indexPaths) {
        auto it = m_visible.find(indexPath.item());
        if (indexPath.section != 0 || it == m_visible.end())
            continue;
        auto old = it->second;
        m_visible.erase(it);
        recycle(old);
        auto cell = makeCell(indexPath.item());
        if (generation != m_generation)
            return; // the data source reloaded everything meanwhile
        m_visible[indexPath.item()] = cell;
    }
}

int CollectionView::numberOfItems(int section)
{
    loadIfNeeded();
    return section == 0 ? m_layout->itemCount() : 0;
}

std::optional<IndexPath> CollectionView::indexPathForItem(Point point)
{
    loadIfNeeded();
    int item = m_layout->itemAtPoint(point);
    return item < 0 ? std::nullopt : std::optional(IndexPath::forItem(item));
}

std::optional<IndexPath> CollectionView::indexPathForCell(const CollectionViewCell& cell) const
{
    for (auto& [item, visible] : m_visible) {
        if (visible.get() == &cell)
            return IndexPath::forItem(item);
    }
    return std::nullopt;
}

CollectionViewCellPtr CollectionView::cellForItem(const IndexPath& indexPath)
{
    loadIfNeeded();
    layoutIfNeeded();
    auto it = m_visible.find(indexPath.item());
    return indexPath.section != 0 || it == m_visible.end() ? nullptr : it->second;
}

std::vector<CollectionViewCellPtr> CollectionView::visibleCells()
{
    loadIfNeeded();
    layoutIfNeeded();
    std::vector<CollectionViewCellPtr> cells;
    Rect b = bounds();
    for (auto& [item, cell] : m_visible) {
        if (m_layout->frameForItem(item).intersects(b))
            cells.push_back(cell);
    }
    return cells;
}

Rect CollectionView::frameForItem(const IndexPath& indexPath)
{
    loadIfNeeded();
    if (indexPath.section != 0 || indexPath.item() < 0 || indexPath.item() >= m_layout->itemCount())
        return {};
    return m_layout->frameForItem(indexPath.item());
}

std::vector<IndexPath> CollectionView::indexPathsForSelectedItems() const
{
    if (!m_selectedItem)
        return {};
    return { IndexPath::forItem(*m_selectedItem) };
}

void CollectionView::selectItem(const IndexPath& indexPath)
{
    loadIfNeeded();
    if (indexPath.section != 0 || indexPath.item() < 0 || indexPath.item() >= m_layout->itemCount())
        return;
    if (m_selectedItem) {
        if (auto it = m_visible.find(*m_selectedItem); it != m_visible.end())
            it->second->setSelected(false);
    }
    m_selectedItem = indexPath.item();
    if (auto it = m_visible.find(indexPath.item()); it != m_visible.end())
        it->second->setSelected(true);
}

void CollectionView::deselectItem(const IndexPath& indexPath)
{
    if (!m_selectedItem || indexPath.section != 0 || *m_selectedItem != indexPath.item())
        return;
    if (auto it = m_visible.find(*m_selectedItem); it != m_visible.end())
        it->second->setSelected(false);
    m_selectedItem.reset();
}

CollectionViewCellPtr CollectionView::makeCell(int item)
{
    CollectionViewCellPtr cell;
    if (cellForItemAtIndexPath)
        cell = cellForItemAtIndexPath(*this, IndexPath::forItem(item));
    if (!cell) {
        platform::log::line("CollectionView", "the data source gave no cell for item " + std::to_string(item));
        cell = View::make<CollectionViewCell>();
    }
    if (cell->superview() != this)
        insertSubview(cell, 0);
    if (item < m_layout->itemCount())
        cell->setFrame(m_layout->frameForItem(item));
    cell->setHidden(false);
    cell->setSelected(m_selectedItem == item);
    return cell;
}

void CollectionView::recycle(const CollectionViewCellPtr& cell)
{
    cell->setHidden(true);
    cell->setHighlighted(false);
    auto& pool = m_reusePool[cell->reuseIdentifier()];
    if (std::find(pool.begin(), pool.end(), cell) == pool.end())
        pool.push_back(cell);
}

void CollectionView::tileItems()
{
    if (m_tiling || !m_loaded)
        return;
    auto self = sharedView();
    m_tiling = true;
    unsigned generation = m_generation;
    auto [first, last] = m_layout->itemsInRect(bounds());
    for (auto it = m_visible.begin(); it != m_visible.end();) {
        if (it->first < first || it->first >= last) {
            auto cell = it->second;
            it = m_visible.erase(it);
            recycle(cell);
        } else {
            ++it;
        }
    }
    for (int item = first; item < last && generation == m_generation; ++item) {
        if (m_visible.count(item))
            continue;
        auto cell = makeCell(item);
        if (generation != m_generation)
            break;
        m_visible[item] = cell;
    }
    m_tiling = false;
    if (generation != m_generation)
        setNeedsLayout();
}

void CollectionView::setBounds(const Rect& newBounds)
{
    Rect old = bounds();
    ScrollView::setBounds(newBounds);
    if (old.origin != newBounds.origin)
        setNeedsLayout();
}

void CollectionView::layoutSubviews()
{
    ScrollView::layoutSubviews();
    loadIfNeeded();
    if (m_layoutSize != bounds().size) {
        // A new size reflows the lines; cells stay bound to their items.
        prepareLayout();
        for (auto& [item, cell] : m_visible) {
            if (item < m_layout->itemCount())
                cell->setFrame(m_layout->frameForItem(item));
        }
    }
    tileItems();
}

// Touches: an item highlights under the finger and is selected when it lifts;
// a scroll cancels the touch.

void CollectionView::endTouchTracking()
{
    if (!m_touchItem)
        return;
    if (auto it = m_visible.find(*m_touchItem); it != m_visible.end())
        it->second->setHighlighted(false);
    m_touchItem.reset();
}

void CollectionView::touchesBegan(const TouchList& touches)
{
    endTouchTracking();
    if (touches.empty())
        return;
    layoutIfNeeded();
    auto indexPath = indexPathForItem(touches.front()->locationIn(this));
    if (!indexPath)
        return;
    auto it = m_visible.find(indexPath->item());
    if (it == m_visible.end())
        return;
    m_touchItem = indexPath->item();
    it->second->setHighlighted(true);
}

void CollectionView::touchesEnded(const TouchList& touches)
{
    if (!m_touchItem || touches.empty())
        return;
    auto self = sharedView();
    int item = *m_touchItem;
    endTouchTracking();
    auto indexPath = indexPathForItem(touches.front()->locationIn(this));
    if (!indexPath || indexPath->item() != item)
        return;
    selectItem(*indexPath);
    if (didSelectItemAtIndexPath)
        didSelectItemAtIndexPath(*this, *indexPath);
}

void CollectionView::touchesCancelled(const TouchList&)
{
    endTouchTracking();
}

} // namespace ui
