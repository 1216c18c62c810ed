#pragma once
#include "coding/Object.h"

namespace coding {

// An object that holds other objects strongly (collections, dictionaries, model
// objects). Strong references can form cycles (a mutable array that contains
// itself), which reference counting alone never frees, so every container is
// known to the CycleCollector, which finds groups no longer reachable from
// outside and breaks them.
class Container : public Object {
public:
    ~Container() override;

    // Calls `visit` for every object this one holds strongly (nulls included).
    virtual void forEachChild(const std::function<void(const ObjectPtr&)>& visit) const = 0;
    // Drops every strong reference this object holds; only the collector calls it,
    // on objects nobody can reach any more.
    virtual void clearChildren() = 0;

protected:
    Container();

private:
    friend class CycleCollector;
    Container* m_previous = nullptr;
    Container* m_next = nullptr;
    long m_externalReferences = 0;
    bool m_reachable = false;
};

} // namespace coding
