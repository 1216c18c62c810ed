#pragma once
#include <string>

namespace platform {

// A fresh random UUID in the phone's text form: 36 upper-case characters,
// e.g. "1B4E28BA-2FA1-11D2-883F-0016D3CCA427".
std::string makeUuidString();

} // namespace platform
