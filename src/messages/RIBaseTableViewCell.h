#pragma once
#include <memory>

#include "widgets/QYLabel.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

class QYChatModel;

// The parts every message row shares: the speaker's avatar, the time label
// above the row and the resend button. Subclasses place them when they bind
// a message.
class RIBaseTableViewCell : public ui::TableViewCell {
public:
    static constexpr double kAvatarSize = 40;
    static constexpr double kResendSize = 30;

    explicit RIBaseTableViewCell(std::string reuseIdentifier);

    std::string className() const override { return "RIBaseTableViewCell"; }

    const std::shared_ptr<ui::ImageView>& headView() const { return m_headView; }
    const std::shared_ptr<QYLabel>& dateTime() const { return m_dateTime; }
    const std::shared_ptr<ui::Button>& repeatBUtton() const { return m_repeatBUtton; }

    // The avatar's tap and the resend button's action, called synchronously
    // from the touch; the base does nothing with them.
    virtual void headViewAction() { }
    virtual void repeatAction() { }

    // The base's answer to the row height query; the list's rule never uses it.
    static double heightForRowAtIndexPath(ui::TableView& tableView, const ui::IndexPath& indexPath, const QYChatModel& object);

    // Message cells can hold the edit menu.
    bool canBecomeFirstResponder() const override { return true; }

private:
    std::shared_ptr<ui::ImageView> m_headView;
    std::shared_ptr<QYLabel> m_dateTime;
    std::shared_ptr<ui::Button> m_repeatBUtton;
};
