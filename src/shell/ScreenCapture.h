#pragma once
#include <string>

namespace shell {

// The whole phone screen (every window and the status bar) as a PNG file with
// the program's metadata (Software, composed-image marking).
class ScreenCapture {
public:
    // Lays out, draws and writes the screen, making the file's folder if
    // needed. Returns false when the file cannot be written.
    static bool writePng(const std::string& path);
};

} // namespace shell
