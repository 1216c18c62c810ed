#include "coding/Object.h"

namespace coding {

bool isEqual(const ObjectPtr& a, const ObjectPtr& b)
{
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    return a->isEqual(*b);
}

} // namespace coding
