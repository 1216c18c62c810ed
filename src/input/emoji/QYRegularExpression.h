#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <unicode/uversion.h>

#include "ui/graphics/Range.h"

U_NAMESPACE_BEGIN
class RegexMatcher;
class RegexPattern;
U_NAMESPACE_END

// A compiled ICU pattern, the phone's own regex engine: case-insensitive, with
// match ranges in UTF-16 units. Every search is bounded by a work limit, so that
// no text, however long or unlucky, can stall the screen; a search that hits the
// limit keeps the matches found until then.
class QYRegularExpression {
public:
    struct Matches {
        std::vector<ui::Range> ranges;
        bool timedOut = false;
    };

    // ICU's work units (about ten thousand matching steps each) one search may
    // spend. Counted in steps rather than clock time, so a search gives the same
    // result on every machine and under any load.
    static constexpr std::int32_t kWorkLimit = 200;

    // nullptr when the pattern does not compile.
    static std::unique_ptr<QYRegularExpression> compile(std::u16string_view pattern);
    ~QYRegularExpression();

    const std::u16string& pattern() const { return m_pattern; }
    // All matches in order, over the whole text with transparent bounds.
    // Main thread only: the searches share one matcher.
    Matches matches(std::u16string_view text) const;

private:
    QYRegularExpression() = default;
    std::u16string m_pattern;
    std::unique_ptr<icu::RegexPattern> m_compiled;
    // Made on the first search and reset for each text: a matcher costs more
    // to make (and free) than a short message costs to search.
    mutable std::unique_ptr<icu::RegexMatcher> m_matcher;
};
