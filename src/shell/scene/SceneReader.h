#pragma once
#include <string>

#include <nlohmann/json.hpp>

#include "shell/scene/Scene.h"

namespace shell {

// Reads scene files (see Scene.h for the shape). Every problem is a SceneError
// naming the field, raised before anything is played.
class SceneReader {
public:
    static Scene readFile(const std::string& path);
    static Scene readText(const std::string& text);
    static Scene read(const nlohmann::ordered_json& json);
};

} // namespace shell
