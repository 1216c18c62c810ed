#pragma once
#include "coding/Object.h"

namespace coding {

// The null value (a placeholder object, unlike nil, which is the absence of one).
// There is exactly one.
class Null final : public Object {
public:
    static std::shared_ptr<Null> shared();
    Kind kind() const override { return Kind::Null; }
    bool isEqual(const Object& other) const override { return other.kind() == Kind::Null; }

private:
    Null() = default;
};

} // namespace coding
