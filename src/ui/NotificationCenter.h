#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/UserInfo.h"

namespace ui {

struct Notification {
    std::string name;
    const void* sender = nullptr;
    UserInfo userInfo;
};

// Process-wide named notifications. An observer is tied to an owner object:
// once the owner is gone, its blocks are never called again. Observers may be
// added or removed (also their own) while a notification is being posted; a
// removed observer is not called for the rest of that post.
class NotificationCenter {
public:
    using Token = std::uint64_t;
    using Block = std::function<void(const Notification&)>;

    static NotificationCenter& shared();

    Token addObserver(const std::shared_ptr<const void>& owner, const std::string& name, Block block);
    // For owners that manage their own lifetime (they must remove themselves).
    Token addObserver(const std::string& name, Block block);
    void removeObserver(Token token);
    void removeObserversOf(const void* owner);
    void post(const std::string& name, const UserInfo& userInfo = {}, const void* sender = nullptr);
    size_t observerCount() const;
    void reset();

private:
    struct Entry {
        Token token;
        std::string name;
        std::weak_ptr<const void> owner;
        bool hasOwner;
        std::shared_ptr<Block> block;
    };
    std::vector<Entry> m_entries;
    Token m_next = 1;
};

} // namespace ui
