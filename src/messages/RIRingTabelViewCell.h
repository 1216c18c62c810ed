#pragma once
#include <memory>

#include "coding/Data.h"
#include "messages/RIBaseBubbleView.h"
#include "messages/RIBaseTableViewCell.h"
#include "messages/RIRingTabelViewCellDelegate.h"

// A message row: the time label, the avatar on the speaker's side and the
// bubble of the message's kind beside it. The bubble is made with the cell;
// cells are reused only for messages of the same side and kind, so binding
// only fills in the content.
class RIRingTabelViewCell : public RIBaseTableViewCell {
public:
    // Gaps of the row: the time label's top, the avatar below the time label
    // or the row's top, the avatar from the row's edge and the bubble from
    // the avatar.
    static constexpr double kTimeTop = 10;
    static constexpr double kTimeWidth = 42;
    static constexpr double kTimeHeight = 20;
    static constexpr double kAvatarTop = 13;
    static constexpr double kAvatarSide = 15;
    static constexpr double kBubbleGap = 7;

    RIRingTabelViewCell(const std::shared_ptr<QYChatModel>& message, std::string reuseIdentifier);

    std::string className() const override { return "RIRingTabelViewCell"; }

    const std::shared_ptr<RIBaseBubbleView>& bubbleView() const { return m_bubbleView; }
    const std::shared_ptr<QYChatModel>& clock() const { return m_clock; }
    const ui::IndexPath& indexPath() const { return m_indexPath; }
    // A red dot made with the cell and never shown.
    const std::shared_ptr<ui::ImageView>& isRead() const { return m_isRead; }
    std::weak_ptr<RIRingTabelViewCellDelegate> delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<RIRingTabelViewCellDelegate> delegate) { m_delegate = std::move(delegate); }

    // Lays out and fills the row for the message.
    void bindWithObject(const std::shared_ptr<QYChatModel>& message, const ui::IndexPath& indexPath);

    // A new bubble of the message's kind, or nullptr for kinds without one.
    static std::shared_ptr<RIBaseBubbleView> bubbleViewForMessageModel(const QYChatModel& message);
    static std::string cellIdentifierForMessageModel(const QYChatModel& message);
    // The row height rule; no cell is made to answer it.
    static double heightForRowAtIndexPath(ui::TableView& tableView, const ui::IndexPath& indexPath, const QYChatModel& object);
    // The same rule without a table.
    static double rowHeightForMessage(const QYChatModel& message);

    void headViewAction() override;
    void repeatAction() override;
    void layoutSubviews() override;

private:
    void placeRow();

    std::shared_ptr<RIBaseBubbleView> m_bubbleView;
    std::shared_ptr<QYChatModel> m_clock;
    ui::IndexPath m_indexPath;
    std::shared_ptr<ui::ImageView> m_isRead;
    std::weak_ptr<RIRingTabelViewCellDelegate> m_delegate;
    // The avatar data the shown avatar was decoded from (weak, so that its
    // address is not reused by other data while it is remembered).
    std::weak_ptr<coding::Data> m_avatarSource;
};
