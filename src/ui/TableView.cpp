#include "ui/TableView.h"

#include <algorithm>
#include <cmath>

#include "platform/Log.h"
#include "platform/MainQueue.h"

namespace ui {

static constexpr double kRowAnimationDuration = 0.3;
// Rows this far beyond the visible bounds get cells too, so a slow scroll
// shows rows that are already bound.
static constexpr double kTileMargin = 44;
// How long a finger rests on a row before it lights up.
static constexpr double kHighlightDelay = 0.15;

TableView::TableView()
    : TableView(Rect {})
{
}

TableView::TableView(const Rect& frame)
    : ScrollView(frame)
{
    setBackgroundColor(Color::whiteColor());
    alwaysBounceVertical = true;
}

TableView::~TableView() = default;

void TableView::setRowHeight(double height)
{
    if (m_rowHeight == height)
        return;
    m_rowHeight = height;
    if (m_loaded && !heightForRowAtIndexPath)
        reloadData();
}

void TableView::setEstimatedRowHeight(double height)
{
    m_estimatedRowHeight = std::max(0.0, height);
}

void TableView::setSeparatorStyle(TableViewSeparatorStyle style)
{
    if (m_separatorStyle == style)
        return;
    m_separatorStyle = style;
    for (auto& [row, cell] : m_visible)
        placeCell(cell, row);
}

void TableView::setSeparatorInset(const EdgeInsets& inset)
{
    if (m_separatorInset == inset)
        return;
    m_separatorInset = inset;
    for (auto& [row, cell] : m_visible)
        placeCell(cell, row);
}

void TableView::setSeparatorColor(const Color& color)
{
    if (m_separatorColor == color)
        return;
    m_separatorColor = color;
    for (auto& [row, cell] : m_visible)
        placeCell(cell, row);
}

void TableView::setAllowsSelection(bool allows)
{
    if (m_allowsSelection == allows)
        return;
    m_allowsSelection = allows;
    if (!allows && m_selectedRow)
        deselectRow(IndexPath::forRow(*m_selectedRow), false);
}

void TableView::setTableHeaderView(ViewPtr view)
{
    if (m_headerView == view)
        return;
    if (m_headerView)
        m_headerView->removeFromSuperview();
    m_headerView = std::move(view);
    if (m_headerView)
        addSubview(m_headerView);
    updateContentSize();
    layoutHeaderAndFooter();
    setNeedsLayout();
}

void TableView::setTableFooterView(ViewPtr view)
{
    if (m_footerView == view)
        return;
    if (m_footerView)
        m_footerView->removeFromSuperview();
    m_footerView = std::move(view);
    if (m_footerView)
        addSubview(m_footerView);
    updateContentSize();
    layoutHeaderAndFooter();
    setNeedsLayout();
}

TableViewCellPtr TableView::dequeueReusableCell(const std::string& identifier)
{
    auto it = m_reusePool.find(identifier);
    if (it == m_reusePool.end() || it->second.empty())
        return nullptr;
    TableViewCellPtr cell = it->second.back();
    it->second.pop_back();
    cell->prepareForReuse();
    return cell;
}

size_t TableView::reusableCellCount() const
{
    size_t count = 0;
    for (auto& [identifier, cells] : m_reusePool)
        count += cells.size();
    return count;
}

// Rows and geometry.

void TableView::loadIfNeeded()
{
    if (!m_loaded)
        reloadData();
}

double TableView::headerHeight() const
{
    return m_headerView ? m_headerView->frame().height() : 0;
}

double TableView::askHeight(int row)
{
    return heightForRowAtIndexPath ? heightForRowAtIndexPath(*this, IndexPath::forRow(row)) : m_rowHeight;
}

bool TableView::measure(int row)
{
    if (m_rows.isMeasured(row))
        return true;
    auto self = sharedView();
    unsigned generation = m_generation;
    double height = askHeight(row);
    if (generation != m_generation)
        return false;
    m_rows.setMeasuredHeight(row, height);
    return true;
}

bool TableView::measureRowsInView()
{
    if (!measuresLazily() || m_rowCount == 0)
        return false;
    bool changed = false;
    auto self = sharedView();
    // Each pass measures at least one row, so this ends; a pass that changes
    // nothing on screen leaves the loop.
    for (;;) {
        Rect b = bounds();
        auto [first, last] = rowRange(b.y() - kTileMargin, b.maxY() + kTileMargin);
        int anchor = anchorRow();
        double anchorTop = m_rows.top(anchor);
        bool measured = false;
        for (int row = first; row < last; ++row) {
            if (m_rows.isMeasured(row))
                continue;
            if (!measure(row))
                return changed;
            measured = true;
        }
        if (!measured)
            return changed;
        changed = true;
        updateContentSize();
        layoutHeaderAndFooter();
        shiftContentOffset(m_rows.top(anchor) - anchorTop);
        followScrollTarget();
    }
}

void TableView::measureAround(int row)
{
    if (!measuresLazily() || m_rowCount == 0)
        return;
    unsigned generation = m_generation;
    int anchor = anchorRow();
    double anchorTop = m_rows.top(anchor);
    if (!measure(row))
        return;
    double reach = bounds().height() + kTileMargin;
    double above = 0, below = 0;
    for (int r = row - 1; r >= 0 && above < reach && generation == m_generation; --r) {
        measure(r);
        above += m_rows.height(r);
    }
    for (int r = row + 1; r < m_rowCount && below < reach && generation == m_generation; ++r) {
        measure(r);
        below += m_rows.height(r);
    }
    if (generation != m_generation)
        return;
    updateContentSize();
    layoutHeaderAndFooter();
    // What is on screen now stays put until the scroll moves it.
    shiftContentOffset(m_rows.top(anchor) - anchorTop);
    placeVisibleCells();
}

void TableView::placeVisibleCells()
{
    for (auto& [row, cell] : m_visible) {
        if (!cell->isAnimating())
            placeCell(cell, row);
    }
}

void TableView::measureAllRows()
{
    loadIfNeeded();
    if (!measuresLazily() || m_rowCount == 0)
        return;
    auto self = sharedView();
    int anchor = anchorRow();
    double anchorTop = m_rows.top(anchor);
    for (int row = 0; row < m_rowCount; ++row) {
        if (!measure(row))
            return;
    }
    updateContentSize();
    layoutHeaderAndFooter();
    shiftContentOffset(m_rows.top(anchor) - anchorTop);
    placeVisibleCells();
}

int TableView::rowAtTopEdge() const
{
    return std::clamp(m_rows.upperBound(bounds().y() - headerHeight()) - 1, 0, std::max(0, m_rowCount - 1));
}

int TableView::anchorRow() const
{
    // Rows not measured were never shown at their guessed places; the first
    // measured row on screen is what the eye holds on to.
    int top = rowAtTopEdge();
    int end = std::min(m_rowCount, m_rows.lowerBound(bounds().maxY() - headerHeight()));
    for (int row = top; row < end; ++row) {
        if (m_rows.isMeasured(row))
            return row;
    }
    return top;
}

Rect TableView::rowRect(int row) const
{
    return { 0, headerHeight() + m_rows.top(row), bounds().width(), m_rows.height(row) };
}

void TableView::updateContentSize()
{
    double footer = m_footerView ? m_footerView->frame().height() : 0;
    setContentSize({ bounds().width(), headerHeight() + rowsHeight() + footer });
}

void TableView::layoutHeaderAndFooter()
{
    double width = bounds().width();
    if (m_headerView)
        m_headerView->setFrame({ 0, 0, width, m_headerView->frame().height() });
    if (m_footerView)
        m_footerView->setFrame({ 0, headerHeight() + rowsHeight(), width, m_footerView->frame().height() });
}

std::pair<int, int> TableView::rowRange(double top, double bottom) const
{
    if (m_rowCount == 0 || bottom <= top)
        return { 0, 0 };
    double header = headerHeight();
    int first = m_rows.upperBound(top - header) - 1;
    int last = m_rows.lowerBound(bottom - header);
    return { std::clamp(first, 0, m_rowCount), std::clamp(last, 0, m_rowCount) };
}

std::optional<int> TableView::validRow(const IndexPath& indexPath)
{
    loadIfNeeded();
    if (indexPath.section != 0 || indexPath.row < 0 || indexPath.row >= m_rowCount)
        return std::nullopt;
    return indexPath.row;
}

int TableView::numberOfRows(int section)
{
    loadIfNeeded();
    return section == 0 ? m_rowCount : 0;
}

Rect TableView::rectForRow(const IndexPath& indexPath)
{
    auto row = validRow(indexPath);
    return row ? rowRect(*row) : Rect {};
}

std::optional<IndexPath> TableView::indexPathForRow(Point point)
{
    loadIfNeeded();
    if (point.x < 0 || point.x >= bounds().width())
        return std::nullopt;
    double y = point.y - headerHeight();
    if (m_rowCount == 0 || y < 0 || y >= rowsHeight())
        return std::nullopt;
    int row = m_rows.upperBound(y) - 1;
    return IndexPath::forRow(std::clamp(row, 0, m_rowCount - 1));
}

std::optional<IndexPath> TableView::indexPathForCell(const TableViewCell& cell) const
{
    for (auto& [row, visible] : m_visible) {
        if (visible.get() == &cell)
            return IndexPath::forRow(row);
    }
    return std::nullopt;
}

TableViewCellPtr TableView::cellForRow(const IndexPath& indexPath)
{
    auto row = validRow(indexPath);
    if (!row)
        return nullptr;
    layoutIfNeeded();
    auto it = m_visible.find(*row);
    return it == m_visible.end() ? nullptr : it->second;
}

std::vector<TableViewCellPtr> TableView::visibleCells()
{
    std::vector<TableViewCellPtr> cells;
    for (auto& indexPath : indexPathsForVisibleRows()) {
        if (auto it = m_visible.find(indexPath.row); it != m_visible.end())
            cells.push_back(it->second);
    }
    return cells;
}

std::vector<IndexPath> TableView::indexPathsForVisibleRows()
{
    loadIfNeeded();
    layoutIfNeeded();
    Rect b = bounds();
    auto [first, last] = rowRange(b.y(), b.maxY());
    std::vector<IndexPath> rows;
    for (int row = first; row < last; ++row) {
        if (m_visible.count(row))
            rows.push_back(IndexPath::forRow(row));
    }
    return rows;
}

void TableView::scrollToRow(const IndexPath& indexPath, TableViewScrollPosition position, bool animated)
{
    auto row = validRow(indexPath);
    if (!row)
        return;
    auto self = sharedView();
    unsigned generation = m_generation;
    measureAround(*row);
    if (generation != m_generation)
        return;
    Rect r = rowRect(*row);
    Rect b = bounds();
    EdgeInsets inset = contentInset();
    if (position == TableViewScrollPosition::None) {
        // The least move that shows the row: to its top, its bottom or nowhere.
        if (r.y() - inset.top < b.y())
            position = TableViewScrollPosition::Top;
        else if (r.maxY() + inset.bottom > b.maxY())
            position = TableViewScrollPosition::Bottom;
    }
    setContentOffset({ b.x(), offsetShowingRow(*row, position) }, animated);
    // Rows the scroll passes may be measured on the way and move the row;
    // the scroll follows it there.
    if (animated && measuresLazily() && position != TableViewScrollPosition::None)
        m_scrollTarget = ScrollTarget { *row, position };
}

double TableView::offsetShowingRow(int row, TableViewScrollPosition position) const
{
    Rect r = rowRect(row);
    Rect b = bounds();
    EdgeInsets inset = contentInset();
    double y = b.y();
    switch (position) {
    case TableViewScrollPosition::Top:
        y = r.y() - inset.top;
        break;
    case TableViewScrollPosition::Middle:
        y = r.midY() - inset.top - (b.height() - inset.top - inset.bottom) / 2;
        break;
    case TableViewScrollPosition::Bottom:
        y = r.maxY() - b.height() + inset.bottom;
        break;
    case TableViewScrollPosition::None: // stays
        break;
    }
    return std::clamp(y, minimumOffset().y, maximumOffset().y);
}

void TableView::followScrollTarget()
{
    if (!m_scrollTarget)
        return;
    if (!isAnimatingOffset() || m_scrollTarget->row >= m_rowCount) {
        m_scrollTarget.reset();
        return;
    }
    retargetOffsetAnimation({ bounds().x(), offsetShowingRow(m_scrollTarget->row, m_scrollTarget->position) });
}

// Selection.

std::optional<IndexPath> TableView::indexPathForSelectedRow() const
{
    if (!m_selectedRow)
        return std::nullopt;
    return IndexPath::forRow(*m_selectedRow);
}

void TableView::selectRow(const IndexPath& indexPath, bool animated)
{
    auto row = validRow(indexPath);
    if (!row || !m_allowsSelection)
        return;
    if (m_selectedRow && *m_selectedRow != *row) {
        if (auto it = m_visible.find(*m_selectedRow); it != m_visible.end())
            it->second->setSelected(false, animated);
    }
    m_selectedRow = *row;
    if (auto it = m_visible.find(*row); it != m_visible.end())
        it->second->setSelected(true, animated);
}

void TableView::deselectRow(const IndexPath& indexPath, bool animated)
{
    if (!m_selectedRow || indexPath.section != 0 || *m_selectedRow != indexPath.row)
        return;
    if (auto it = m_visible.find(*m_selectedRow); it != m_visible.end())
        it->second->setSelected(false, animated);
    m_selectedRow.reset();
}

// Cells.

void TableView::placeCell(const TableViewCellPtr& cell, int row)
{
    cell->setFrame(rowRect(row));
    cell->setSeparator(m_separatorStyle == TableViewSeparatorStyle::SingleLine, m_separatorInset, m_separatorColor);
}

TableViewCellPtr TableView::makeCell(int row)
{
    TableViewCellPtr cell;
    if (cellForRowAtIndexPath)
        cell = cellForRowAtIndexPath(*this, IndexPath::forRow(row));
    if (!cell) {
        platform::log::line("TableView", "the data source gave no cell for row " + std::to_string(row));
        cell = View::make<TableViewCell>();
    }
    if (cell->superview() != this)
        insertSubview(cell, 0);
    Animation::performWithoutAnimation([&] {
        cell->setAlpha(1);
        placeCell(cell, row);
    });
    cell->setHidden(false);
    cell->setSelected(m_selectedRow == row);
    return cell;
}

void TableView::recycle(const TableViewCellPtr& cell)
{
    Animation::performWithoutAnimation([&] { cell->setAlpha(1); });
    cell->setHidden(true);
    cell->setHighlighted(false);
    if (cell->reuseIdentifier().empty()) {
        cell->removeFromSuperview();
        return;
    }
    auto& pool = m_reusePool[cell->reuseIdentifier()];
    if (std::find(pool.begin(), pool.end(), cell) == pool.end())
        pool.push_back(cell);
}

void TableView::recycleEverything()
{
    auto visible = std::move(m_visible);
    m_visible.clear();
    for (auto& [row, cell] : visible)
        recycle(cell);
    auto fading = std::move(m_disappearing);
    m_disappearing.clear();
    for (auto& cell : fading)
        recycle(cell);
}

void TableView::tileRows()
{
    if (m_tiling || !m_loaded)
        return;
    auto self = sharedView();
    m_tiling = true;
    unsigned generation = m_generation;
    if (measureRowsInView())
        placeVisibleCells();
    if (generation != m_generation) {
        m_tiling = false;
        setNeedsLayout();
        return;
    }
    Rect b = bounds();
    auto [first, last] = rowRange(b.y() - kTileMargin, b.maxY() + kTileMargin);
    // Cells still sliding to their places after an update stay until they arrive.
    for (auto it = m_visible.begin(); it != m_visible.end();) {
        if ((it->first < first || it->first >= last) && !it->second->isAnimating()) {
            auto cell = it->second;
            it = m_visible.erase(it);
            recycle(cell);
        } else {
            ++it;
        }
    }
    for (int row = first; row < last && generation == m_generation; ++row) {
        if (m_visible.count(row))
            continue;
        auto cell = makeCell(row);
        if (generation != m_generation)
            break; // the data source reloaded the table; the next pass starts over
        m_visible[row] = cell;
        if (willDisplayCell)
            willDisplayCell(*this, *cell, IndexPath::forRow(row));
    }
    m_tiling = false;
    if (generation != m_generation)
        setNeedsLayout();
}

void TableView::setBounds(const Rect& newBounds)
{
    Rect old = bounds();
    ScrollView::setBounds(newBounds);
    if (old.origin != newBounds.origin)
        setNeedsLayout();
}

void TableView::layoutSubviews()
{
    ScrollView::layoutSubviews();
    loadIfNeeded();
    if (contentSize().width != bounds().width()) {
        updateContentSize();
        layoutHeaderAndFooter();
        placeVisibleCells();
    }
    tileRows();
}

void TableView::clampOffset()
{
    if (isDragging() || isDecelerating())
        return;
    Point offset = contentOffset();
    double y = std::clamp(offset.y, minimumOffset().y, maximumOffset().y);
    if (y != offset.y)
        setContentOffset({ offset.x, y }, false);
}

// Reloads and updates.

void TableView::reloadData()
{
    auto self = sharedView();
    m_loaded = true;
    ++m_generation;
    m_pending = {};
    m_scrollTarget.reset();
    endTouchTracking();
    m_selectedRow.reset();
    recycleEverything();
    int count = numberOfRowsInSection ? std::max(0, numberOfRowsInSection(*this, 0)) : 0;
    unsigned generation = m_generation;
    if (measuresLazily()) {
        // The row at the top edge keeps its place on screen, as it would were
        // every row measured again to the heights it had.
        int anchor = anchorRow();
        bool keepsAnchor = m_rowCount > 0 && anchor < count;
        double into = keepsAnchor ? bounds().y() - headerHeight() - m_rows.top(anchor) : 0;
        m_rowCount = count;
        m_rows.assign(count, m_estimatedRowHeight);
        if (keepsAnchor) {
            if (!measure(anchor))
                return;
            shiftContentOffset(headerHeight() + m_rows.top(anchor) + into - bounds().y());
        }
        updateContentSize();
        measureRowsInView();
        if (generation != m_generation)
            return;
    } else {
        std::vector<double> heights(size_t(count), m_rowHeight);
        for (int row = 0; heightForRowAtIndexPath && row < count; ++row) {
            heights[size_t(row)] = askHeight(row);
            if (generation != m_generation)
                return; // the data source reloaded the table itself
        }
        m_rowCount = count;
        m_rows.assignMeasured(heights);
    }
    updateContentSize();
    layoutHeaderAndFooter();
    clampOffset();
    setNeedsLayout();
}

void TableView::beginUpdates()
{
    ++m_updateDepth;
}

void TableView::endUpdates()
{
    if (m_updateDepth == 0 || --m_updateDepth > 0)
        return;
    Updates updates = std::move(m_pending);
    m_pending = {};
    if (!m_loaded)
        return; // the first load will ask for every row anyway
    applyUpdates(std::move(updates));
}

void TableView::performBatchUpdates(const std::function<void()>& updates, std::function<void(bool)> completion)
{
    auto self = sharedView();
    beginUpdates();
    if (updates)
        updates();
    endUpdates();
    if (completion)
        platform::MainQueue::shared().after(kRowAnimationDuration, [completion] { completion(true); });
}

static void addRows(std::vector<int>& list, const std::vector<IndexPath>& indexPaths)
{
    for (auto& indexPath : indexPaths) {
        if (indexPath.section == 0)
            list.push_back(indexPath.row);
    }
}

static TableViewRowAnimation strongest(TableViewRowAnimation a, TableViewRowAnimation b)
{
    return a == TableViewRowAnimation::None ? b : a;
}

void TableView::insertRows(const std::vector<IndexPath>& indexPaths, TableViewRowAnimation animation)
{
    beginUpdates();
    addRows(m_pending.inserted, indexPaths);
    m_pending.insertAnimation = strongest(m_pending.insertAnimation, animation);
    endUpdates();
}

void TableView::deleteRows(const std::vector<IndexPath>& indexPaths, TableViewRowAnimation animation)
{
    beginUpdates();
    addRows(m_pending.deleted, indexPaths);
    m_pending.deleteAnimation = strongest(m_pending.deleteAnimation, animation);
    endUpdates();
}

void TableView::reloadRows(const std::vector<IndexPath>& indexPaths, TableViewRowAnimation animation)
{
    beginUpdates();
    addRows(m_pending.reloaded, indexPaths);
    m_pending.reloadAnimation = strongest(m_pending.reloadAnimation, animation);
    endUpdates();
}

void TableView::fadeOut(const TableViewCellPtr& cell, TableViewRowAnimation animation)
{
    if (animation == TableViewRowAnimation::None) {
        recycle(cell);
        return;
    }
    // Behind the rows that slide over its place.
    sendSubviewToBack(cell.get());
    m_disappearing.push_back(cell);
    std::weak_ptr<View> weakSelf = sharedView();
    std::weak_ptr<TableViewCell> weakCell = cell;
    Animation::animate(kRowAnimationDuration, 0, AnimationCurve::EaseInOut, [&] { cell->setAlpha(0); },
        [weakSelf, weakCell](bool) {
            auto self = std::static_pointer_cast<TableView>(weakSelf.lock());
            auto cell = weakCell.lock();
            if (!self || !cell)
                return;
            auto& fading = self->m_disappearing;
            auto it = std::find(fading.begin(), fading.end(), cell);
            if (it == fading.end())
                return; // a reload took it back already
            fading.erase(it);
            self->recycle(cell);
        });
}

static void sortUnique(std::vector<int>& rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
}

void TableView::applyUpdates(Updates updates)
{
    auto self = sharedView();
    sortUnique(updates.deleted);
    sortUnique(updates.inserted);
    sortUnique(updates.reloaded);
    int oldCount = m_rowCount;
    int newCount = numberOfRowsInSection ? std::max(0, numberOfRowsInSection(*this, 0)) : 0;
    auto outside = [](const std::vector<int>& rows, int count) {
        return !rows.empty() && (rows.front() < 0 || rows.back() >= count);
    };
    if (newCount != oldCount - int(updates.deleted.size()) + int(updates.inserted.size())
        || outside(updates.deleted, oldCount) || outside(updates.reloaded, oldCount) || outside(updates.inserted, newCount)) {
        platform::log::line("TableView", "row updates do not match the data source's row count; reloading");
        reloadData();
        return;
    }
    endTouchTracking();

    // Where each old row goes: deleted rows nowhere, survivors in order around the inserted rows.
    std::vector<bool> deleted(size_t(oldCount), false), reloaded(size_t(oldCount), false), inserted(size_t(newCount), false);
    for (int row : updates.deleted)
        deleted[size_t(row)] = true;
    for (int row : updates.reloaded)
        reloaded[size_t(row)] = !deleted[size_t(row)];
    for (int row : updates.inserted)
        inserted[size_t(row)] = true;
    std::vector<int> oldToNew(size_t(oldCount), -1), newToOld(size_t(newCount), -1);
    for (int oldRow = 0, newRow = 0; newRow < newCount; ++newRow) {
        if (inserted[size_t(newRow)])
            continue;
        while (deleted[size_t(oldRow)])
            ++oldRow;
        oldToNew[size_t(oldRow)] = newRow;
        newToOld[size_t(newRow)] = oldRow;
        ++oldRow;
    }

    // Heights: kept for rows the update does not name, asked for the others
    // (or, measuring lazily, when they come near the screen).
    RowOffsets oldRows = m_rows;
    bool lazy = measuresLazily();
    std::vector<double> heights(size_t(newCount), lazy ? m_estimatedRowHeight : m_rowHeight);
    std::vector<bool> measured(size_t(newCount), !lazy);
    unsigned askedFrom = m_generation;
    for (int row = 0; row < newCount; ++row) {
        int oldRow = newToOld[size_t(row)];
        if (oldRow >= 0 && !reloaded[size_t(oldRow)]) {
            heights[size_t(row)] = oldRows.height(oldRow);
            measured[size_t(row)] = oldRows.isMeasured(oldRow);
        } else if (!lazy && heightForRowAtIndexPath) {
            heights[size_t(row)] = askHeight(row);
            if (askedFrom != m_generation)
                return; // the data source reloaded the table itself
        }
    }
    ++m_generation;
    unsigned generation = m_generation;
    m_rowCount = newCount;
    m_rows.assign(heights, measured);
    if (m_selectedRow)
        m_selectedRow = oldToNew[size_t(*m_selectedRow)] >= 0 ? std::optional(oldToNew[size_t(*m_selectedRow)]) : std::nullopt;
    if (m_scrollTarget) {
        int moved = m_scrollTarget->row < oldCount ? oldToNew[size_t(m_scrollTarget->row)] : -1;
        if (moved >= 0)
            m_scrollTarget->row = moved;
        else
            m_scrollTarget.reset();
    }

    bool animated = updates.deleteAnimation != TableViewRowAnimation::None
        || updates.insertAnimation != TableViewRowAnimation::None || updates.reloadAnimation != TableViewRowAnimation::None;
    auto inAnimation = [&](const std::function<void()>& changes) {
        if (animated)
            Animation::animate(kRowAnimationDuration, 0, AnimationCurve::EaseInOut, changes);
        else
            Animation::performWithoutAnimation(changes);
    };

    // Cells on screen: the gone fade out, the rest slide to their new rows.
    auto oldVisible = std::move(m_visible);
    m_visible.clear();
    for (auto& [oldRow, cell] : oldVisible) {
        if (deleted[size_t(oldRow)])
            fadeOut(cell, updates.deleteAnimation);
        else if (reloaded[size_t(oldRow)])
            fadeOut(cell, updates.reloadAnimation);
        else
            m_visible[oldToNew[size_t(oldRow)]] = cell;
    }
    updateContentSize();
    measureRowsInView();
    if (generation != m_generation)
        return;
    inAnimation([&] {
        for (auto& [row, cell] : m_visible)
            placeCell(cell, row);
        layoutHeaderAndFooter();
    });
    clampOffset();

    // Rows that come on screen now: inserted and reloaded ones fade in, others
    // slide in from where they were.
    Rect b = bounds();
    auto [first, last] = rowRange(b.y() - kTileMargin, b.maxY() + kTileMargin);
    double header = headerHeight();
    for (int row = first; row < last; ++row) {
        if (m_visible.count(row))
            continue;
        auto cell = makeCell(row);
        if (generation != m_generation)
            return; // the data source reloaded the table meanwhile
        m_visible[row] = cell;
        int oldRow = newToOld[size_t(row)];
        bool fresh = oldRow < 0 || reloaded[size_t(oldRow)];
        TableViewRowAnimation animation = oldRow < 0 ? updates.insertAnimation : updates.reloadAnimation;
        if (fresh && animation != TableViewRowAnimation::None) {
            Animation::performWithoutAnimation([&] { cell->setAlpha(0); });
            Animation::animate(kRowAnimationDuration, 0, AnimationCurve::EaseInOut, [&] { cell->setAlpha(1); });
        } else if (!fresh && animated) {
            Rect target = cell->frame();
            Animation::performWithoutAnimation([&] {
                cell->setFrame({ target.x(), header + oldRows.top(oldRow), target.width(), target.height() });
            });
            inAnimation([&] { cell->setFrame(target); });
        }
        if (willDisplayCell)
            willDisplayCell(*this, *cell, IndexPath::forRow(row));
        if (generation != m_generation)
            return;
    }
    if (animated) {
        // Cells that slid out of view go back to the pool once they stop.
        std::weak_ptr<View> weak = sharedView();
        platform::MainQueue::shared().after(kRowAnimationDuration, [weak] {
            if (auto table = weak.lock())
                table->setNeedsLayout();
        });
    }
    setNeedsLayout();
}

// Touches: a row highlights under the finger and is selected when it lifts;
// a scroll cancels the touch and with it the highlight.

void TableView::endTouchTracking()
{
    if (m_highlightTask) {
        platform::MainQueue::shared().cancel(m_highlightTask);
        m_highlightTask = 0;
    }
    if (!m_touchRow)
        return;
    if (auto it = m_visible.find(*m_touchRow); it != m_visible.end())
        it->second->setHighlighted(false);
    m_touchRow.reset();
}

void TableView::highlightTouchedRow()
{
    m_highlightTask = 0;
    if (!m_touchRow)
        return;
    if (auto it = m_visible.find(*m_touchRow); it != m_visible.end())
        it->second->setHighlighted(true);
}

void TableView::touchesBegan(const TouchList& touches)
{
    endTouchTracking();
    if (touches.empty() || !m_allowsSelection)
        return;
    layoutIfNeeded();
    auto indexPath = indexPathForRow(touches.front()->locationIn(this));
    if (!indexPath || !m_visible.count(indexPath->row))
        return;
    m_touchRow = indexPath->row;
    if (delaysContentTouches()) {
        // The touch was already held back while it might have become a scroll.
        highlightTouchedRow();
        return;
    }
    // As the phone does in a scroll view: a finger that starts a scroll at once
    // never lights the row up.
    std::weak_ptr<View> weak = sharedView();
    m_highlightTask = platform::MainQueue::shared().after(kHighlightDelay, [weak] {
        if (auto self = std::static_pointer_cast<TableView>(weak.lock()))
            self->highlightTouchedRow();
    });
}

void TableView::touchesMoved(const TouchList&)
{
}

void TableView::touchesEnded(const TouchList& touches)
{
    if (!m_touchRow || touches.empty())
        return;
    auto self = sharedView();
    int row = *m_touchRow;
    if (m_highlightTask) {
        // A quick tap: the row flashes while it becomes selected.
        highlightTouchedRow();
    }
    endTouchTracking();
    auto indexPath = indexPathForRow(touches.front()->locationIn(this));
    if (!indexPath || indexPath->row != row)
        return;
    selectRow(*indexPath, false);
    if (didSelectRowAtIndexPath)
        didSelectRowAtIndexPath(*this, *indexPath);
}

void TableView::touchesCancelled(const TouchList&)
{
    endTouchTracking();
}

} // namespace ui
