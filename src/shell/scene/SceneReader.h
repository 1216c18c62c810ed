#pragma once
#include <cstddef>
#include <string>

#include <nlohmann/json.hpp>

#include "shell/scene/Scene.h"

namespace shell {

// Reads scene files (see Scene.h for the shape). Every problem is a SceneError
// naming the field, raised before anything is played.
class SceneReader {
public:
    // Larger scene files are refused unread: far more than a chat with all
    // its pictures needs, far less than memory.
    static constexpr std::size_t kLargestScene = 64u << 20;

    static Scene readFile(const std::string& path);
    static Scene readText(const std::string& text);
    static Scene read(const nlohmann::ordered_json& json);
};

} // namespace shell
