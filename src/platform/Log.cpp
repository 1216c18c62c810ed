#include "platform/Log.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace platform::log {

static bool& enabledFlag()
{
    static bool enabled = [] {
        const char* value = std::getenv("QYSHOT_LOG");
        return value && std::string(value) == "1";
    }();
    return enabled;
}

void setEnabled(bool enabled) { enabledFlag() = enabled; }
bool isEnabled() { return enabledFlag(); }

void line(std::string_view category, std::string_view message)
{
    if (!enabledFlag())
        return;
    std::fprintf(stderr, "[%.*s] %.*s\n", int(category.size()), category.data(), int(message.size()), message.data());
}

} // namespace platform::log
