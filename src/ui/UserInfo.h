#pragma once
#include <any>
#include <map>
#include <string>

namespace ui {

// The dictionary that travels with notifications and routed events. Values are
// whatever the sender puts there; receivers know the keys and types they expect.
using UserInfo = std::map<std::string, std::any>;

} // namespace ui
