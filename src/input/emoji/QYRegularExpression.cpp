#include "input/emoji/QYRegularExpression.h"

#include <unicode/regex.h>

#include <limits>

#include "platform/Log.h"

std::unique_ptr<QYRegularExpression> QYRegularExpression::compile(std::u16string_view pattern)
{
    if (pattern.size() > std::size_t(std::numeric_limits<std::int32_t>::max()))
        return nullptr;
    icu::UnicodeString text(pattern.data(), std::int32_t(pattern.size()));
    UParseError where{};
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(text, UREGEX_CASE_INSENSITIVE, where, status));
    if (U_FAILURE(status) || !compiled) {
        platform::log::line("emoji", std::string("pattern does not compile: ") + u_errorName(status));
        return nullptr;
    }
    std::unique_ptr<QYRegularExpression> regex(new QYRegularExpression);
    regex->m_pattern = std::u16string(pattern);
    regex->m_compiled = std::move(compiled);
    return regex;
}

QYRegularExpression::~QYRegularExpression() = default;

QYRegularExpression::Matches QYRegularExpression::matches(std::u16string_view text) const
{
    Matches result;
    if (text.size() > std::size_t(std::numeric_limits<std::int32_t>::max())) {
        result.timedOut = true;
        return result;
    }
    // A read-only alias: the text is not copied.
    const icu::UnicodeString input(false, text.data(), std::int32_t(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    if (!m_matcher) {
        m_matcher.reset(m_compiled->matcher(status));
        if (U_FAILURE(status) || !m_matcher) {
            m_matcher.reset();
            return result;
        }
    }
    icu::RegexMatcher* matcher = m_matcher.get();
    // Resetting to new text also restarts the work count of the limit below.
    matcher->reset(input);
    matcher->useTransparentBounds(true);
    matcher->setTimeLimit(kWorkLimit, status);
    while (U_SUCCESS(status) && matcher->find(status)) {
        std::int32_t start = matcher->start(status);
        std::int32_t end = matcher->end(status);
        if (U_FAILURE(status))
            break;
        result.ranges.push_back({std::size_t(start), std::size_t(end - start)});
    }
    // The matcher must not keep the alias of a text that goes away with this call.
    static const icu::UnicodeString kNoText;
    matcher->reset(kNoText);
    if (status == U_REGEX_TIME_OUT || status == U_REGEX_STACK_OVERFLOW) {
        result.timedOut = true;
        platform::log::line("emoji", "pattern search stopped at its work limit");
    }
    // A search that failed, or ran long and grew the matcher's backtracking
    // stack, leaves a fresh matcher to the next one.
    if (U_FAILURE(status))
        m_matcher.reset();
    return result;
}
