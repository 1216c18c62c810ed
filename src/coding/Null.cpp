#include "coding/Null.h"

namespace coding {

std::shared_ptr<Null> Null::shared()
{
    static const auto null = std::shared_ptr<Null>(new Null);
    return null;
}

} // namespace coding
