#pragma once
#include <optional>
#include <string>

#include "ui/graphics/Geometry.h"

namespace shell {

// A file dropped on the phone window. The screen under the pointer has the
// first word (an avatar row takes a picture, the chat a voice clip, an open
// photo picker picks it); a file nobody takes joins the album, with a notice
// saying so.
class FileDrop {
public:
    static constexpr const char* kAddedNotice = "图片已存入相册";
    static constexpr const char* kRefusedNotice = "这个文件没能存入相册";

    // `point` is in screen points. Returns what went wrong, for the window's
    // title, or nullopt when the file was taken.
    static std::optional<std::string> deliver(const std::string& path, ui::Point point);
};

} // namespace shell
