#include "ui/Responder.h"

#include "ui/Application.h"

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

bool Responder::becomeFirstResponder()
{
    if (isFirstResponder())
        return true;
    if (!canBecomeFirstResponder())
        return false;
    auto& app = Application::shared();
    if (auto current = app.firstResponder()) {
        if (!current->resignFirstResponder())
            return false;
    }
    app.setFirstResponder(shared_from_this());
    didBecomeFirstResponder();
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
