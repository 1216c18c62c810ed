#include "messages/RIRingTableView.h"

#include "chat/records/QYChatModel.h"
#include "messages/QYSystemTableViewCell.h"
#include "messages/RIRingTabelViewCell.h"
#include "ui/GestureRecognizer.h"

RIRingTableView::RIRingTableView()
{
    build();
}

RIRingTableView::RIRingTableView(const ui::Rect& frame)
    : TableView(frame)
{
    build();
}

void RIRingTableView::build()
{
    m_dataSour = coding::Collection::mutableArray();
    // The table calls these only while it is alive, so they may hold `this`.
    numberOfRowsInSection = [this](ui::TableView&, int) { return rowCount(); };
    cellForRowAtIndexPath = [this](ui::TableView&, const ui::IndexPath& indexPath) { return provideCell(indexPath); };
    // Rows are measured as they come near the screen, each record once: a long
    // conversation opens as fast as a short one.
    heightForRowAtIndexPath = [this](ui::TableView&, const ui::IndexPath& indexPath) { return m_rowHeights.heightFor(clockAt(indexPath.row)); };
    setEstimatedRowHeight(RIRowHeightCache::estimatedRowHeight());

    auto press = std::make_shared<ui::LongPressGestureRecognizer>([this](ui::GestureRecognizer& recognizer) {
        if (recognizer.state() == ui::GestureRecognizer::State::Began)
            longPressBegan(recognizer);
    });
    press->setMinimumPressDuration(kMinimumPressDuration);
    addGestureRecognizer(press);
}

void RIRingTableView::setDataSour(coding::CollectionPtr rows)
{
    m_dataSour = rows ? std::move(rows) : coding::Collection::mutableArray();
    reloadData();
}

int RIRingTableView::rowCount() const
{
    return int(m_dataSour->count());
}

std::shared_ptr<QYChatModel> RIRingTableView::clockAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    return std::dynamic_pointer_cast<QYChatModel>(m_dataSour->at(size_t(row)));
}

ui::TableViewCellPtr RIRingTableView::provideCell(const ui::IndexPath& indexPath)
{
    auto clock = clockAt(indexPath.row);
    if (clock && clock->type() == QYChatModel::RecallNotice) {
        auto cell = std::dynamic_pointer_cast<QYSystemTableViewCell>(dequeueReusableCell(QYSystemTableViewCell::kReuseIdentifier));
        if (!cell)
            cell = View::make<QYSystemTableViewCell>();
        cell->bindWithModel(*clock);
        return cell;
    }
    // Something other than a record keeps its place as an empty row.
    if (!clock)
        clock = QYChatModel::make();
    std::string identifier = RIRingTabelViewCell::cellIdentifierForMessageModel(*clock);
    auto cell = std::dynamic_pointer_cast<RIRingTabelViewCell>(dequeueReusableCell(identifier));
    if (!cell)
        cell = View::make<RIRingTabelViewCell>(clock, identifier);
    cell->setDelegate(std::static_pointer_cast<RIRingTableView>(sharedView()));
    cell->bindWithObject(clock, indexPath);
    return cell;
}

void RIRingTableView::addRingWithClock(const std::shared_ptr<QYChatModel>& clock, const std::function<void(const ui::IndexPath&)>& block)
{
    auto keep = sharedView();
    m_dataSour->add(clock);
    auto indexPath = ui::IndexPath::forRow(rowCount() - 1);
    if (block)
        block(indexPath);
    // The block may have changed the rows; the new one is still the last.
    indexPath = ui::IndexPath::forRow(rowCount() - 1);
    beginUpdates();
    insertRows({ indexPath }, ui::TableViewRowAnimation::Fade);
    endUpdates();
    scrollToRow(indexPath, ui::TableViewScrollPosition::Bottom, true);
}

void RIRingTableView::reloadCellWithIndexPaths(const std::vector<ui::IndexPath>& indexPaths)
{
    beginUpdates();
    reloadRows(indexPaths, ui::TableViewRowAnimation::None);
    endUpdates();
}

void RIRingTableView::deleteCellWithIndexPath(const ui::IndexPath& indexPath)
{
    beginUpdates();
    deleteRows({ indexPath }, ui::TableViewRowAnimation::Fade);
    endUpdates();
}

void RIRingTableView::longPressBegan(ui::GestureRecognizer& recognizer)
{
    if (rowCount() == 0)
        return;
    auto indexPath = indexPathForRow(recognizer.locationIn(this));
    if (!indexPath)
        return;
    auto clock = clockAt(indexPath->row);
    if (clock && clock->type() == QYChatModel::RecallNotice)
        return;
    auto cell = std::dynamic_pointer_cast<RIRingTabelViewCell>(cellForRow(*indexPath));
    if (!cell)
        return;
    cell->becomeFirstResponder();
    m_longPressIndexPath = indexPath;
    showMenuViewController(cell->bubbleView().get(), *indexPath, cell->clock());
}

void RIRingTableView::showMenuViewController(ui::View* showInView, const ui::IndexPath& indexPath, const std::shared_ptr<QYChatModel>& clock)
{
    auto& menu = ui::MenuController::shared();
    if (!m_backoutItem)
        m_backoutItem = ui::MenuItem { "撤回", kBackOutAction };
    if (!m_deleteMenuItem)
        m_deleteMenuItem = ui::MenuItem { "删除", kDeleteAction };
    int type = clock ? clock->type() : 0;
    if (type == QYChatModel::RedPacket || type == QYChatModel::Transfer)
        menu.setMenuItems({ *m_deleteMenuItem });
    else
        menu.setMenuItems({ *m_deleteMenuItem, *m_backoutItem });
    // A row without a bubble (a kind drawn later) points at its content.
    ui::View* target = showInView;
    if (!target) {
        if (auto cell = cellForRow(indexPath))
            target = cell->contentView().get();
    }
    if (!target || !target->superview())
        return;
    menu.setTargetRect(target->frame(), target->superview());
    menu.setMenuVisible(true, true);
}

bool RIRingTableView::canPerformAction(const std::string& action) const
{
    if (action == kDeleteAction || action == kBackOutAction)
        return true;
    return TableView::canPerformAction(action);
}

bool RIRingTableView::performAction(const std::string& action)
{
    if (action == kDeleteAction) {
        deleteMenuAction();
        return true;
    }
    if (action == kBackOutAction) {
        backOutMenuAction();
        return true;
    }
    return TableView::performAction(action);
}

void RIRingTableView::removeLongPressedRow()
{
    if (!m_longPressIndexPath || m_longPressIndexPath->row < 0 || m_longPressIndexPath->row >= rowCount())
        return;
    auto indexPath = *m_longPressIndexPath;
    m_dataSour->removeAt(size_t(indexPath.row));
    deleteCellWithIndexPath(indexPath);
    m_longPressIndexPath.reset();
}

void RIRingTableView::deleteMenuAction()
{
    auto keep = sharedView();
    removeLongPressedRow();
}

void RIRingTableView::backOutMenuAction()
{
    if (!m_longPressIndexPath || m_longPressIndexPath->row < 0 || m_longPressIndexPath->row >= rowCount())
        return;
    auto delegate = m_ringTableDelegate.lock();
    if (!delegate || !delegate->backOutClockWithClock)
        return;
    auto clock = clockAt(m_longPressIndexPath->row);
    std::weak_ptr<View> weak = sharedView();
    delegate->backOutClockWithClock(clock, [weak](bool) {
        if (auto self = std::static_pointer_cast<RIRingTableView>(weak.lock()))
            self->removeLongPressedRow();
    });
}

void RIRingTableView::videoCellPlayVideoPressed(const std::shared_ptr<QYChatModel>& clock)
{
    auto delegate = m_ringTableDelegate.lock();
    if (!delegate || !delegate->playVideoWithClock)
        return;
    std::weak_ptr<View> weak = sharedView();
    delegate->playVideoWithClock(clock, [weak](const std::shared_ptr<QYChatModel>& played) {
        auto self = std::static_pointer_cast<RIRingTableView>(weak.lock());
        if (!self)
            return;
        const auto& rows = self->m_dataSour->elements();
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row] == played) {
                self->reloadCellWithIndexPaths({ ui::IndexPath::forRow(int(row)) });
                return;
            }
        }
    });
}

void RIRingTableView::routerEventWithName(const std::string& name, const ui::UserInfo& userInfo)
{
    auto keep = sharedView();
    if (auto delegate = m_ringTableDelegate.lock(); delegate && delegate->bubbleViewPressed)
        delegate->bubbleViewPressed(name, userInfo);
}

void RIRingTableView::repeatSendClock(const std::shared_ptr<QYChatModel>& clock, const ui::IndexPath& indexPath, ui::Button&)
{
    auto delegate = m_ringTableDelegate.lock();
    if (delegate && delegate->repeatSendClock)
        delegate->repeatSendClock(clock, indexPath, [](bool) { });
}

void RIRingTableView::headViewTap(const std::shared_ptr<QYChatModel>& clock)
{
    auto keep = sharedView();
    if (auto delegate = m_ringTableDelegate.lock(); delegate && delegate->headViewPressed)
        delegate->headViewPressed(clock);
}
