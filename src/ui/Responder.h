#pragma once
#include <memory>
#include <string>

#include "ui/TextSelection.h"
#include "ui/Touch.h"
#include "ui/UserInfo.h"

namespace ui {

// The responder chain: touches a view does not handle, key input and routed
// events travel from a view to its superview, through a view controller, to the
// window. Called synchronously on the main queue; a handler may release the
// sender, so callers keep a strong reference while they dispatch.
class Responder : public std::enable_shared_from_this<Responder> {
public:
    Responder() = default;
    // A responder has one place in the chain and one owner; a copy would have neither.
    Responder(const Responder&) = delete;
    Responder& operator=(const Responder&) = delete;
    virtual ~Responder() = default;

    virtual Responder* nextResponder() const { return nullptr; }

    virtual void touchesBegan(const TouchList& touches);
    virtual void touchesMoved(const TouchList& touches);
    virtual void touchesEnded(const TouchList& touches);
    virtual void touchesCancelled(const TouchList& touches);

    // First responder: the one object that receives typed text.
    virtual bool canBecomeFirstResponder() const { return false; }
    virtual bool canResignFirstResponder() const { return true; }
    virtual bool becomeFirstResponder();
    virtual bool resignFirstResponder();
    bool isFirstResponder() const;

    // Key input, delivered to the first responder by the window host.
    virtual bool hasKeyInput() const { return false; }
    virtual void insertText(const std::u16string&) { }
    virtual void deleteBackward() { }
    // IME composition in progress (shown inline); empty when it ends.
    virtual void setMarkedText(const std::u16string&) { }
    // A caret key (arrows, Home, End; with Shift the selection grows).
    // Returns whether the responder moved anything.
    virtual bool moveCaret(TextMovement, bool /*extendingSelection*/) { return false; }

    // A file dropped from the desktop at `screenPoint`, offered first to the
    // view under it and then up the chain. Returns whether someone took it;
    // the default asks the next responder. Called synchronously; the taker
    // may present or push screens.
    virtual bool acceptDroppedFile(const std::string& path, Point screenPoint);

    // Named events sent up the chain (from message bubbles to the list that
    // shows them). The default forwards to the next responder; the event is
    // dropped silently when the chain ends.
    virtual void routerEventWithName(const std::string& name, const UserInfo& userInfo);

    // Standard edit actions offered by the edit menu ("copy" and the app's own).
    virtual bool canPerformAction(const std::string& action) const;
    virtual bool performAction(const std::string& action);

protected:
    // Called after becoming or resigning first responder.
    virtual void didBecomeFirstResponder() { }
    virtual void didResignFirstResponder() { }
};

} // namespace ui
