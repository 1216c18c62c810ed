#pragma once
#include <string_view>

namespace platform {

// Diagnostic lines for developers: written to stderr when enabled, never shown
// to the user. Off by default in tests; the app turns it on with QYSHOT_LOG=1.
namespace log {
void setEnabled(bool enabled);
bool isEnabled();
void line(std::string_view category, std::string_view message);
} // namespace log

} // namespace platform
