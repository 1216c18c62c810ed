#include "shell/scene/SceneTime.h"

#include <memory>

#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

namespace shell {

static std::unique_ptr<icu::TimeZone> makeZone(const std::string& zoneId)
{
    if (zoneId.empty())
        return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createDefault());
    return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zoneId)));
}

bool SceneTime::isKnownZone(const std::string& zoneId)
{
    auto zone = makeZone(zoneId);
    return zone && *zone != icu::TimeZone::getUnknown();
}

std::optional<double> SceneTime::parseLocal(const std::string& text, const std::string& zoneId)
{
    auto zone = makeZone(zoneId);
    if (!zone || *zone == icu::TimeZone::getUnknown())
        return std::nullopt;
    auto input = icu::UnicodeString::fromUTF8(text);
    for (const char* pattern : { "yyyy-MM-dd'T'HH:mm:ss", "yyyy-MM-dd'T'HH:mm" }) {
        UErrorCode status = U_ZERO_ERROR;
        icu::SimpleDateFormat format(icu::UnicodeString(pattern), icu::Locale::getRoot(), status);
        if (U_FAILURE(status))
            continue;
        format.setLenient(false);
        format.setTimeZone(*zone);
        icu::ParsePosition position(0);
        UDate date = format.parse(input, position);
        // The whole text must be the time, not just a prefix of it.
        if (position.getErrorIndex() < 0 && position.getIndex() == input.length())
            return date / 1000.0;
    }
    return std::nullopt;
}

} // namespace shell
