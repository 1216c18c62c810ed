#pragma once
#include <cstdint>
#include <vector>

#include "coding/Object.h"

namespace coding {

// A set of unsigned indexes kept as ascending, non-touching ranges.
class IndexSet final : public Object {
public:
    struct Range {
        std::uint32_t location = 0;
        std::uint32_t length = 0;
        bool operator==(const Range&) const = default;
    };

    explicit IndexSet(bool isMutable = false)
        : m_mutable(isMutable)
    {
    }
    static std::shared_ptr<IndexSet> make(const std::vector<Range>& ranges, bool isMutable = false);

    Kind kind() const override { return Kind::IndexSet; }
    bool isEqual(const Object& other) const override;

    bool isMutable() const { return m_mutable; }
    const std::vector<Range>& ranges() const { return m_ranges; }
    // Adds the indexes of `range`, merging with neighbours; indexes beyond the
    // 32-bit range are dropped.
    void addRange(Range range);
    bool contains(std::uint32_t index) const;

private:
    std::vector<Range> m_ranges;
    bool m_mutable = false;
};

} // namespace coding
