#include "platform/Locale.h"

#include "platform/Log.h"

#include <unicode/datefmt.h>
#include <unicode/decimfmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/numfmt.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cmath>
#include <map>
#include <memory>

namespace platform::locale {

namespace {

struct State {
    std::string identifier = "zh_CN";
    std::unique_ptr<icu::TimeZone> zone; // null = the process's local zone
    std::unique_ptr<icu::NumberFormat> currency;
    // Compiled date formats by pattern; rebuilt when locale or zone change.
    std::map<std::string, std::unique_ptr<icu::SimpleDateFormat>> dates;
};

State& state()
{
    static State s;
    return s;
}

std::string toUtf8(const icu::UnicodeString& text)
{
    std::string out;
    text.toUTF8String(out);
    return out;
}

} // namespace

void setLocale(const std::string& identifier)
{
    State& s = state();
    if (s.identifier == identifier)
        return;
    s.identifier = identifier;
    s.currency.reset();
    s.dates.clear();
}

const std::string& current() { return state().identifier; }

std::string formatCurrency(double amount)
{
    State& s = state();
    if (!s.currency) {
        UErrorCode status = U_ZERO_ERROR;
        s.currency.reset(icu::NumberFormat::createCurrencyInstance(icu::Locale(s.identifier.c_str()), status));
        if (U_FAILURE(status) || !s.currency) {
            log::line("locale", "no currency format for " + s.identifier);
            s.currency.reset();
            return {};
        }
        // The phones this app draws wrote the yuan with the full-width sign;
        // newer locale data has the narrow one, which the money pages' tight
        // sign spacing would run into the digits.
        auto* decimal = dynamic_cast<icu::DecimalFormat*>(s.currency.get());
        if (decimal && icu::Locale(s.identifier.c_str()).getLanguage() == std::string("zh")) {
            icu::DecimalFormatSymbols symbols(*decimal->getDecimalFormatSymbols());
            symbols.setSymbol(icu::DecimalFormatSymbols::kCurrencySymbol, icu::UnicodeString(u"\uFFE5"));
            decimal->setDecimalFormatSymbols(symbols);
        }
    }
    if (!std::isfinite(amount))
        amount = 0;
    icu::UnicodeString out;
    s.currency->format(amount, out);
    return toUtf8(out);
}

std::string formatDate(double seconds, const std::string& pattern)
{
    State& s = state();
    auto& format = s.dates[pattern];
    if (!format) {
        UErrorCode status = U_ZERO_ERROR;
        format = std::make_unique<icu::SimpleDateFormat>(
            icu::UnicodeString::fromUTF8(pattern), icu::Locale(s.identifier.c_str()), status);
        if (U_FAILURE(status)) {
            log::line("locale", "bad date pattern " + pattern);
            s.dates.erase(pattern);
            return {};
        }
        if (s.zone)
            format->setTimeZone(*s.zone);
    }
    if (!std::isfinite(seconds))
        seconds = 0;
    icu::UnicodeString out;
    format->format(static_cast<UDate>(seconds * 1000.0), out);
    return toUtf8(out);
}

void setTimeZone(const std::string& zoneId)
{
    State& s = state();
    s.zone.reset(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zoneId)));
    if (*s.zone == icu::TimeZone::getUnknown()) {
        log::line("locale", "unknown time zone " + zoneId);
        s.zone.reset();
    }
    s.dates.clear();
}

} // namespace platform::locale
