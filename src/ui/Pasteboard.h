#pragma once
#include <functional>
#include <optional>
#include <string>

namespace ui {

// The phone's general pasteboard: the text the edit menu's "copy" puts away
// and "paste" takes back, shared by the whole app.
class Pasteboard {
public:
    static Pasteboard& general();

    const std::optional<std::string>& string() const { return m_string; }
    void setString(std::optional<std::string> text);

    // Called synchronously after the text changed (the window host mirrors it
    // into the desktop clipboard). Not called when the same text is set again.
    std::function<void(const std::optional<std::string>&)> changed;

private:
    Pasteboard() = default;
    std::optional<std::string> m_string;
};

} // namespace ui
