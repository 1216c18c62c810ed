#pragma once
#include <optional>
#include <string>

namespace shell {

// "The phone's screenshot" (F12 in the window): the screen saved as PNG into
// the photo album, then the user-did-take-screenshot notification, as the phone
// posts it after its own screenshot.
class AlbumScreenshot {
public:
    static constexpr const char* kNotification = "UIApplicationUserDidTakeScreenshotNotification";

    // "截屏 2026-12-06 10.20.33.png" for the local time `seconds` since 1970.
    static std::string fileName(double seconds);
    // Saves the screen into the album folder (made if missing) under a name
    // that is not taken yet and posts the notification. Returns the file's
    // path, or nullopt (and posts nothing) when it could not be written, with
    // the reason in `whyNot`. Never throws: a folder that cannot be read or
    // written is reported, not raised.
    static std::optional<std::string> take(std::string& whyNot);
};

} // namespace shell
