#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/IndexPath.h"
#include "ui/RowOffsets.h"
#include "ui/ScrollView.h"
#include "ui/TableViewCell.h"

namespace ui {

enum class TableViewSeparatorStyle { None, SingleLine };
enum class TableViewRowAnimation { None, Fade, Automatic };
enum class TableViewScrollPosition { None, Top, Middle, Bottom };

// A scrolling column of rows of one section. Rows come from the data source
// members below; only the rows on screen (plus a small margin) have cells, and
// cells that scroll away are kept for dequeueReusableCell. Row heights are
// asked once per reload and for each inserted or reloaded row of an update, and
// kept as running offsets so that finding the rows on screen is a search of
// O(log n).
//
// With an estimated row height set, a reload asks no heights at all: every row
// starts at the estimate and is measured when it first comes near the screen
// or is scrolled to. A row measured above the top of the screen moves the
// content offset by its change, so what is on screen stays where it is; a
// scroll to a row measures the rows that will be on screen before it lands.
//
// Every member function below is called synchronously on the main queue. The
// table keeps itself alive while it calls out, so any of them may reload,
// insert, delete or release the table.
class TableView : public ScrollView {
public:
    TableView();
    explicit TableView(const Rect& frame);
    ~TableView() override;

    std::string className() const override { return "UITableView"; }

    // Data source. Required: the row count (asked on reload and after updates)
    // and the cell of a row (asked when the row comes on screen; return a
    // dequeued cell or a new one). Optional: the height of a row (else
    // `rowHeight`).
    std::function<int(TableView&, int section)> numberOfRowsInSection;
    std::function<TableViewCellPtr(TableView&, const IndexPath&)> cellForRowAtIndexPath;
    std::function<double(TableView&, const IndexPath&)> heightForRowAtIndexPath;
    // Delegate, all optional. willDisplayCell: a cell is about to show a row.
    // didSelectRowAtIndexPath: after a tap lifts on a row, once the row is
    // selected; may delete the row, reload or release the table.
    std::function<void(TableView&, TableViewCell&, const IndexPath&)> willDisplayCell;
    std::function<void(TableView&, const IndexPath&)> didSelectRowAtIndexPath;

    double rowHeight() const { return m_rowHeight; }
    void setRowHeight(double height);
    // 0 (the default) asks every row's height on reload; above 0, rows are
    // measured lazily as described above. Takes effect at the next reload.
    double estimatedRowHeight() const { return m_estimatedRowHeight; }
    void setEstimatedRowHeight(double height);
    TableViewSeparatorStyle separatorStyle() const { return m_separatorStyle; }
    void setSeparatorStyle(TableViewSeparatorStyle style);
    EdgeInsets separatorInset() const { return m_separatorInset; }
    void setSeparatorInset(const EdgeInsets& inset);
    Color separatorColor() const { return m_separatorColor; }
    void setSeparatorColor(const Color& color);
    bool allowsSelection() const { return m_allowsSelection; }
    void setAllowsSelection(bool allows);

    // Views above the first row and below the last, as wide as the table.
    const ViewPtr& tableHeaderView() const { return m_headerView; }
    void setTableHeaderView(ViewPtr view);
    const ViewPtr& tableFooterView() const { return m_footerView; }
    void setTableFooterView(ViewPtr view);

    // A cell given back earlier under `identifier`, prepared for reuse, or
    // nullptr when there is none (the data source then makes one).
    TableViewCellPtr dequeueReusableCell(const std::string& identifier);

    // Forgets every row and asks the data source again.
    void reloadData();
    // Row changes between beginUpdates and endUpdates are animated together
    // when the outermost endUpdates runs. Deleted and reloaded rows are
    // numbered as before the updates, inserted rows as after them; the data
    // source must already answer with the new rows. Outside a batch each call
    // is a batch of its own.
    void beginUpdates();
    void endUpdates();
    void performBatchUpdates(const std::function<void()>& updates, std::function<void(bool finished)> completion = {});
    void insertRows(const std::vector<IndexPath>& indexPaths, TableViewRowAnimation animation);
    void deleteRows(const std::vector<IndexPath>& indexPaths, TableViewRowAnimation animation);
    void reloadRows(const std::vector<IndexPath>& indexPaths, TableViewRowAnimation animation);

    int numberOfSections() const { return 1; }
    int numberOfRows(int section = 0);
    Rect rectForRow(const IndexPath& indexPath);
    std::optional<IndexPath> indexPathForRow(Point point);
    std::optional<IndexPath> indexPathForCell(const TableViewCell& cell) const;
    // The cell showing the row, or nullptr when the row is not on screen.
    TableViewCellPtr cellForRow(const IndexPath& indexPath);
    // Cells whose rows intersect the visible bounds, top to bottom.
    std::vector<TableViewCellPtr> visibleCells();
    std::vector<IndexPath> indexPathsForVisibleRows();
    void scrollToRow(const IndexPath& indexPath, TableViewScrollPosition position, bool animated);
    // Asks the height of every row not measured yet, for work that needs the
    // exact length of the whole list (a picture of all of it); what is on
    // screen stays where it is. Nothing to do without an estimated height.
    void measureAllRows();

    std::optional<IndexPath> indexPathForSelectedRow() const;
    void selectRow(const IndexPath& indexPath, bool animated);
    void deselectRow(const IndexPath& indexPath, bool animated);

    // Cells kept for reuse, all identifiers together.
    size_t reusableCellCount() const;

    void setBounds(const Rect& bounds) override;
    void layoutSubviews() override;
    void touchesBegan(const TouchList& touches) override;
    void touchesMoved(const TouchList& touches) override;
    void touchesEnded(const TouchList& touches) override;
    void touchesCancelled(const TouchList& touches) override;

private:
    struct Updates {
        std::vector<int> deleted;
        std::vector<int> inserted;
        std::vector<int> reloaded;
        TableViewRowAnimation deleteAnimation = TableViewRowAnimation::None;
        TableViewRowAnimation insertAnimation = TableViewRowAnimation::None;
        TableViewRowAnimation reloadAnimation = TableViewRowAnimation::None;
    };

    void loadIfNeeded();
    bool measuresLazily() const { return m_estimatedRowHeight > 0 && heightForRowAtIndexPath; }
    double askHeight(int row);
    // Measures a row not measured yet; false when the data source reloaded
    // the table meanwhile.
    bool measure(int row);
    // Measures the rows near the visible bounds, keeping the row at the top
    // edge in place on screen. True when any row was measured (the cells on
    // screen then need placing again).
    bool measureRowsInView();
    // Measures `row` and a screenful of rows on either side of it, keeping
    // what is on screen in place.
    void measureAround(int row);
    // The content offset that shows the row at `position` (None: the offset
    // as it is), within
    // the offsets the content may rest at.
    double offsetShowingRow(int row, TableViewScrollPosition position) const;
    // Points the animated scroll in progress at its row's place as it is now.
    void followScrollTarget();
    // The row at the top edge of the visible bounds (the first or the last
    // row when the edge lies beyond them).
    int rowAtTopEdge() const;
    // The row whose place on screen measuring keeps: the first measured row
    // on screen, else the row at the top edge.
    int anchorRow() const;
    double headerHeight() const;
    double rowsHeight() const { return m_rows.total(); }
    Rect rowRect(int row) const;
    void updateContentSize();
    void layoutHeaderAndFooter();
    std::pair<int, int> rowRange(double top, double bottom) const;
    void tileRows();
    TableViewCellPtr makeCell(int row);
    void placeCell(const TableViewCellPtr& cell, int row);
    // Puts the cells on screen at their rows, except those still sliding.
    void placeVisibleCells();
    void recycle(const TableViewCellPtr& cell);
    void recycleEverything();
    void fadeOut(const TableViewCellPtr& cell, TableViewRowAnimation animation);
    void applyUpdates(Updates updates);
    void clampOffset();
    void endTouchTracking();
    void highlightTouchedRow();
    std::optional<int> validRow(const IndexPath& indexPath);

    double m_rowHeight = 44;
    double m_estimatedRowHeight = 0;
    TableViewSeparatorStyle m_separatorStyle = TableViewSeparatorStyle::SingleLine;
    EdgeInsets m_separatorInset { 0, 15, 0, 0 };
    Color m_separatorColor = Color::rgb(200, 199, 204);
    bool m_allowsSelection = true;
    ViewPtr m_headerView;
    ViewPtr m_footerView;

    bool m_loaded = false;
    int m_rowCount = 0;
    // The rows' heights and tops below the header.
    RowOffsets m_rows;
    std::map<int, TableViewCellPtr> m_visible;
    std::vector<TableViewCellPtr> m_disappearing;
    std::unordered_map<std::string, std::vector<TableViewCellPtr>> m_reusePool;
    // Bumped whenever rows are renumbered, so work in progress can tell.
    unsigned m_generation = 0;
    bool m_tiling = false;
    int m_updateDepth = 0;
    Updates m_pending;
    std::optional<int> m_selectedRow;
    // The row an animated scroll is bringing on screen, and where.
    struct ScrollTarget {
        int row = 0;
        TableViewScrollPosition position = TableViewScrollPosition::Top;
    };
    std::optional<ScrollTarget> m_scrollTarget;
    std::optional<int> m_touchRow;
    std::uint64_t m_highlightTask = 0;
};

using TableViewPtr = std::shared_ptr<TableView>;

} // namespace ui
