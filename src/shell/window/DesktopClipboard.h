#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace shell {

// Keeps the phone's pasteboard and the desktop clipboard as one: text the
// app copies goes to the desktop at once, and the desktop's text is taken in
// before a paste. The two functions are SDL's clipboard in the window and
// plain fakes in tests. One at a time: a new one takes the pasteboard over.
class DesktopClipboard {
public:
    using Reader = std::function<std::optional<std::string>()>;
    using Writer = std::function<void(const std::string&)>;

    DesktopClipboard(Reader read, Writer write);
    ~DesktopClipboard();
    DesktopClipboard(const DesktopClipboard&) = delete;
    DesktopClipboard& operator=(const DesktopClipboard&) = delete;

    // SDL's clipboard (needs the video subsystem).
    static std::unique_ptr<DesktopClipboard> sdl();

    // Copies the desktop's text, when there is any, onto the pasteboard.
    void pull();

private:
    Reader m_read;
    Writer m_write;
    // Set while the desktop's own text is being taken in, so it is not
    // written straight back.
    bool m_pulling = false;
};

} // namespace shell
