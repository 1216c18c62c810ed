#include "coding/IndexSet.h"

#include <algorithm>

namespace coding {

std::shared_ptr<IndexSet> IndexSet::make(const std::vector<Range>& ranges, bool isMutable)
{
    auto set = std::make_shared<IndexSet>(isMutable);
    for (const Range& range : ranges)
        set->addRange(range);
    return set;
}

void IndexSet::addRange(Range range)
{
    std::uint64_t start = range.location;
    std::uint64_t end = std::min<std::uint64_t>(start + range.length, 0xffffffffull);
    if (end <= start)
        return;
    // Merge with every range that overlaps or touches [start, end).
    auto first = std::lower_bound(m_ranges.begin(), m_ranges.end(), start,
        [](const Range& r, std::uint64_t s) { return std::uint64_t(r.location) + r.length < s; });
    auto last = first;
    while (last != m_ranges.end() && last->location <= end) {
        start = std::min<std::uint64_t>(start, last->location);
        end = std::max<std::uint64_t>(end, std::uint64_t(last->location) + last->length);
        ++last;
    }
    first = m_ranges.erase(first, last);
    m_ranges.insert(first, Range { std::uint32_t(start), std::uint32_t(end - start) });
}

bool IndexSet::contains(std::uint32_t index) const
{
    return std::any_of(m_ranges.begin(), m_ranges.end(),
        [index](const Range& r) { return index >= r.location && std::uint64_t(index) < std::uint64_t(r.location) + r.length; });
}

bool IndexSet::isEqual(const Object& other) const
{
    auto* set = dynamic_cast<const IndexSet*>(&other);
    return set && set->m_ranges == m_ranges;
}

} // namespace coding
