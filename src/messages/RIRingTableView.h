#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "coding/Collection.h"
#include "messages/RIRingTabelViewCellDelegate.h"
#include "messages/RIRingTableViewDelegate.h"
#include "messages/RIRowHeightCache.h"
#include "ui/MenuController.h"
#include "ui/TableView.h"

class RIRingTabelViewCell;

// The message list: one row per record of `dataSour`, message rows drawn by
// RIRingTabelViewCell and notices by QYSystemTableViewCell. It ends the
// responder chain of the bubbles' events, offers "删除" and "撤回" on a long
// press and forwards avatar taps to its owner.
class RIRingTableView : public ui::TableView, public RIRingTabelViewCellDelegate {
public:
    static constexpr const char* kDeleteAction = "deleteMenuAction:";
    static constexpr const char* kBackOutAction = "backOutMenuAction:";
    static constexpr double kMinimumPressDuration = 0.5;

    RIRingTableView();
    explicit RIRingTableView(const ui::Rect& frame);

    std::string className() const override { return "RIRingTableView"; }

    // The rows, first row first. The list keeps the very collection it is
    // given and changes it in place, so the owner sees every change.
    const coding::CollectionPtr& dataSour() const { return m_dataSour; }
    void setDataSour(coding::CollectionPtr rows);
    // The record of a row, or nullptr when the row holds something else.
    std::shared_ptr<QYChatModel> clockAt(int row) const;

    // The rows' heights by record.
    const RIRowHeightCache& rowHeights() const { return m_rowHeights; }

    std::weak_ptr<RIRingTableViewDelegate> ringTableDelegate() const { return m_ringTableDelegate; }
    void setRingTableDelegate(std::weak_ptr<RIRingTableViewDelegate> delegate) { m_ringTableDelegate = std::move(delegate); }

    const std::optional<ui::IndexPath>& longPressIndexPath() const { return m_longPressIndexPath; }
    std::vector<ui::IndexPath>& tempArrayIndexPath() { return m_tempArrayIndexPath; }
    const std::optional<ui::MenuItem>& backoutItem() const { return m_backoutItem; }
    const std::optional<ui::MenuItem>& deleteMenuItem() const { return m_deleteMenuItem; }

    // Appends the message, tells `block` the new row, fades the row in and
    // scrolls it to the bottom, animated.
    void addRingWithClock(const std::shared_ptr<QYChatModel>& clock, const std::function<void(const ui::IndexPath&)>& block);
    void reloadCellWithIndexPaths(const std::vector<ui::IndexPath>& indexPaths);
    // Fades the row out; the caller has already removed its record.
    void deleteCellWithIndexPath(const ui::IndexPath& indexPath);

    // Shows the edit menu over the row's bubble: "删除", and "撤回" for every
    // kind but red packets and transfers.
    void showMenuViewController(ui::View* showInView, const ui::IndexPath& indexPath, const std::shared_ptr<QYChatModel>& clock);
    // The menu's two actions, sent up the chain from the pressed cell.
    void deleteMenuAction();
    void backOutMenuAction();

    // Asks the owner to play a video row; its completion reloads that row.
    void videoCellPlayVideoPressed(const std::shared_ptr<QYChatModel>& clock);
    void voiceCellBubblePressed(const std::shared_ptr<QYChatModel>&) { }

    // Every bubble event ends here and goes to the owner's bubbleViewPressed.
    void routerEventWithName(const std::string& name, const ui::UserInfo& userInfo) override;
    bool canPerformAction(const std::string& action) const override;
    bool performAction(const std::string& action) override;

    // RIRingTabelViewCellDelegate
    void repeatSendClock(const std::shared_ptr<QYChatModel>& clock, const ui::IndexPath& indexPath, ui::Button& repeatBUtton) override;
    void headViewTap(const std::shared_ptr<QYChatModel>& clock) override;

private:
    void build();
    int rowCount() const;
    ui::TableViewCellPtr provideCell(const ui::IndexPath& indexPath);
    void longPressBegan(ui::GestureRecognizer& recognizer);
    // Removes the remembered row from the records and the table.
    void removeLongPressedRow();

    coding::CollectionPtr m_dataSour;
    std::weak_ptr<RIRingTableViewDelegate> m_ringTableDelegate;
    std::optional<ui::IndexPath> m_longPressIndexPath;
    std::vector<ui::IndexPath> m_tempArrayIndexPath;
    std::optional<ui::MenuItem> m_backoutItem;
    std::optional<ui::MenuItem> m_deleteMenuItem;
    RIRowHeightCache m_rowHeights;
};
