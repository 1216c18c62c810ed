#pragma once
#include <nlohmann/json.hpp>

#include "shell/scene/SceneField.h"

namespace shell {

// The settings store as a scene fills it before the app launches: each member
// of "store" is a key and the JSON form of the object saved under it.
class SceneStore {
public:
    // Whether this build has a settings store a scene can fill.
    static bool isAvailable();
    // Refuses values that cannot be stored, naming the key ("store.CHAT: ...").
    static void check(const SceneField& store);
    // Saves every value under its key; `store` has passed check().
    static void fill(const nlohmann::json& store);
};

} // namespace shell
