#pragma once
#include <cassert>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace ui {

// A callable that forwards to `method` of an owner for as long as the owner
// lives, and does nothing once it is gone (returning a default value where
// the method returns one). It holds the owner weakly, so a view or a screen
// can hand it to the parts it owns without keeping itself alive. Arguments
// the caller passes are forwarded; when the method takes none they are
// dropped, so an action taking the sender can call a plain method.
template <class Owner, class Method>
class WeakBound {
public:
    WeakBound(std::weak_ptr<const void> lifetime, Owner* owner, Method method)
        : m_lifetime(std::move(lifetime))
        , m_owner(owner)
        , m_method(method)
    {
    }

private:
    template <class... Args>
    decltype(auto) call(Args&&... args) const
    {
        if constexpr (std::is_invocable_v<Method, Owner&, Args...>)
            return std::invoke(m_method, *m_owner, std::forward<Args>(args)...);
        else
            return std::invoke(m_method, *m_owner);
    }

public:
    template <class... Args>
    auto operator()(Args&&... args) const -> std::remove_cvref_t<decltype(call(std::declval<Args>()...))>
    {
        using Result = decltype(call(std::forward<Args>(args)...));
        // The lock keeps the owner alive while the method runs, even when the
        // method drops the last other reference to it.
        auto alive = m_lifetime.lock();
        if (!alive) {
            if constexpr (std::is_void_v<Result>)
                return;
            else
                return std::remove_cvref_t<Result> {};
        }
        return call(std::forward<Args>(args)...);
    }

private:
    std::weak_ptr<const void> m_lifetime;
    Owner* m_owner;
    Method m_method;
};

// weakBind(this, &Screen::backAction): `owner` must already be owned by a
// shared_ptr (bind after construction, not in a constructor).
template <class Owner, class Method>
WeakBound<Owner, Method> weakBind(Owner* owner, Method method)
{
    assert(owner);
    std::weak_ptr<const void> lifetime = owner->weak_from_this();
    assert(!lifetime.expired() && "weakBind needs an owner held by a shared_ptr");
    return { std::move(lifetime), owner, method };
}

template <class Owner, class Method>
WeakBound<Owner, Method> weakBind(const std::shared_ptr<Owner>& owner, Method method)
{
    assert(owner);
    return { std::weak_ptr<const void>(owner), owner.get(), method };
}

} // namespace ui
