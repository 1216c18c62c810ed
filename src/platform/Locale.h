#pragma once
#include <string>

namespace platform {

// Number and date formats of the app's locale (zh_CN unless set), through ICU,
// so that patterns and results are the phone's own.
namespace locale {

void setLocale(const std::string& identifier);
const std::string& current();
// Currency style: 1234.5 → "￥1,234.50" in zh_CN (the full-width sign).
std::string formatCurrency(double amount);
// An ICU date pattern ("HH:mm", "yyyy-MM-dd HH:mm:ss") in the local time zone;
// `seconds` since 1970.
std::string formatDate(double seconds, const std::string& pattern);
// Overrides the local time zone (tests use a fixed one), e.g. "Asia/Shanghai".
void setTimeZone(const std::string& zoneId);

} // namespace locale

} // namespace platform
