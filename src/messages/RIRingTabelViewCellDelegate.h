#pragma once
#include <memory>

#include "ui/Button.h"
#include "ui/IndexPath.h"

class QYChatModel;

// What a message cell reports to its list. Called synchronously from the
// touch that caused it; the receiver may reload or delete the cell's row.
class RIRingTabelViewCellDelegate {
public:
    virtual ~RIRingTabelViewCellDelegate() = default;
    // The resend button was tapped on the row of `clock`.
    virtual void repeatSendClock(const std::shared_ptr<QYChatModel>& clock, const ui::IndexPath& indexPath, ui::Button& repeatBUtton) = 0;
    // The avatar of the row of `clock` was tapped.
    virtual void headViewTap(const std::shared_ptr<QYChatModel>& clock) = 0;
};
