#include "coding/CycleCollector.h"

#include "coding/Container.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace coding {

Container::Container() { CycleCollector::shared().add(this); }

Container::~Container() { CycleCollector::shared().remove(this); }

CycleCollector& CycleCollector::shared()
{
    // Never destroyed: containers held by other static objects may outlive any
    // static collector, and their destructors still unregister.
    static CycleCollector* collector = [] {
        auto* made = new CycleCollector;
        std::atexit([] { CycleCollector::shared().collect(); });
        return made;
    }();
    return *collector;
}

void CycleCollector::add(Container* container)
{
    std::lock_guard lock(m_mutex);
    // One made during a collection (a getter's temporary) is not judged by it.
    container->m_reachable = m_collecting;
    container->m_externalReferences = 1;
    container->m_next = m_first;
    if (m_first)
        m_first->m_previous = container;
    m_first = container;
    ++m_count;
    ++m_madeSinceLastRun;
}

void CycleCollector::remove(Container* container)
{
    std::lock_guard lock(m_mutex);
    if (container->m_previous)
        container->m_previous->m_next = container->m_next;
    else if (m_first == container)
        m_first = container->m_next;
    if (container->m_next)
        container->m_next->m_previous = container->m_previous;
    container->m_previous = container->m_next = nullptr;
    --m_count;
}

std::size_t CycleCollector::trackedCount() const
{
    std::lock_guard lock(m_mutex);
    return m_count;
}

void CycleCollector::collectIfDue()
{
    {
        std::lock_guard lock(m_mutex);
        const std::size_t floor = 4096;
        if (m_madeSinceLastRun < std::max(floor, m_survivors))
            return;
    }
    collect();
}

std::size_t CycleCollector::collect()
{
    std::vector<std::shared_ptr<Object>> garbage;
    {
        std::lock_guard lock(m_mutex);
        if (m_collecting)
            return 0;
        m_collecting = true;
        // 1. Start from each container's reference count. A container not owned by
        // a shared_ptr (still being built, or on the stack) counts as held outside.
        for (Container* c = m_first; c; c = c->m_next) {
            long count = c->weak_from_this().use_count();
            c->m_externalReferences = count > 0 ? count : 1;
            c->m_reachable = false;
        }
        // 2. Subtract the references containers hold to each other.
        for (Container* c = m_first; c; c = c->m_next) {
            c->forEachChild([](const ObjectPtr& child) {
                if (auto* inner = dynamic_cast<Container*>(child.get()))
                    --inner->m_externalReferences;
            });
        }
        // 3. Whatever is held from outside, and all it reaches, stays.
        std::vector<Container*> stack;
        for (Container* c = m_first; c; c = c->m_next) {
            if (c->m_externalReferences > 0 && !c->m_reachable) {
                c->m_reachable = true;
                stack.push_back(c);
            }
        }
        while (!stack.empty()) {
            Container* c = stack.back();
            stack.pop_back();
            c->forEachChild([&stack](const ObjectPtr& child) {
                if (auto* inner = dynamic_cast<Container*>(child.get()); inner && !inner->m_reachable) {
                    inner->m_reachable = true;
                    stack.push_back(inner);
                }
            });
        }
        // 4. The rest is unreachable; hold it so that clearing one member cannot
        // free another while we still walk the list.
        for (Container* c = m_first; c; c = c->m_next) {
            if (!c->m_reachable) {
                if (auto strong = c->weak_from_this().lock())
                    garbage.push_back(std::move(strong));
            }
        }
    }
    for (auto& object : garbage)
        static_cast<Container*>(object.get())->clearChildren();
    const std::size_t released = garbage.size();
    garbage.clear();

    std::lock_guard lock(m_mutex);
    m_survivors = m_count;
    m_madeSinceLastRun = 0;
    m_collecting = false;
    return released;
}

} // namespace coding
