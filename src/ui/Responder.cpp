#include "ui/Responder.h"

#include "ui/Application.h"
#include "ui/Keyboard.h"

namespace ui {

void Responder::touchesBegan(const TouchList& touches)
{
    if (auto* next = nextResponder())
        next->touchesBegan(touches);
}

void Responder::touchesMoved(const TouchList& touches)
{
    if (auto* next = nextResponder())
        next->touchesMoved(touches);
}

void Responder::touchesEnded(const TouchList& touches)
{
    if (auto* next = nextResponder())
        next->touchesEnded(touches);
}

void Responder::touchesCancelled(const TouchList& touches)
{
    if (auto* next = nextResponder())
        next->touchesCancelled(touches);
}

// While one input hands the keyboard to another, the keyboard must not
// leave and come back; it follows the final first responder only.
static int s_handOver = 0;

bool Responder::becomeFirstResponder()
{
    if (isFirstResponder())
        return true;
    if (!canBecomeFirstResponder())
        return false;
    auto& app = Application::shared();
    auto self = shared_from_this();
    if (auto current = app.firstResponder()) {
        ++s_handOver;
        bool resigned = current->resignFirstResponder();
        --s_handOver;
        if (!resigned) {
            Keyboard::shared().update();
            return false;
        }
    }
    app.setFirstResponder(self);
    didBecomeFirstResponder();
    Keyboard::shared().update();
    return true;
}

bool Responder::resignFirstResponder()
{
    if (!isFirstResponder())
        return true;
    if (!canResignFirstResponder())
        return false;
    auto keep = shared_from_this();
    Application::shared().clearFirstResponder();
    didResignFirstResponder();
    if (s_handOver == 0)
        Keyboard::shared().update();
    return true;
}

bool Responder::isFirstResponder() const
{
    return Application::shared().firstResponder().get() == this;
}

void Responder::routerEventWithName(const std::string& name, const UserInfo& userInfo)
{
    if (auto* next = nextResponder())
        next->routerEventWithName(name, userInfo);
}

bool Responder::acceptDroppedFile(const std::string& path, Point screenPoint)
{
    if (auto* next = nextResponder())
        return next->acceptDroppedFile(path, screenPoint);
    return false;
}

bool Responder::canPerformAction(const std::string& action) const
{
    if (auto* next = nextResponder())
        return next->canPerformAction(action);
    return false;
}

bool Responder::performAction(const std::string& action)
{
    if (auto* next = nextResponder())
        return next->performAction(action);
    return false;
}

} // namespace ui
