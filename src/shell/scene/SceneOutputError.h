#pragma once
#include <stdexcept>
#include <string>

namespace shell {

// A scene action that could not write or store what it made (a full disk, an
// album folder that cannot be written, a store that refuses a save): the scene
// itself is fine, so this is an I/O failure, not a bad scene.
class SceneOutputError : public std::runtime_error {
public:
    SceneOutputError(const std::string& field, const std::string& message)
        : std::runtime_error(field.empty() ? message : field + ": " + message)
    {
    }
};

} // namespace shell
