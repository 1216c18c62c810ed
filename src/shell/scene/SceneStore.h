#pragma once
#include <nlohmann/json.hpp>

#include "shell/scene/SceneField.h"

namespace shell {

// The settings store as a scene fills it before the app launches: each member
// of "store" is one of the app's keys ("CHAT", "USERMODEL", ...) and the JSON
// form of the record saved under it (see coding::JsonForm; `qyshot store export`
// writes it).
class SceneStore {
public:
    // Whether this build has a settings store a scene can fill.
    // Refuses unknown keys and values that do not make an encodable record,
    // naming the key ("store.CHAT: ...").
    static void check(const SceneField& store);
    // Saves every value under its key; `store` has passed check().
    static void fill(const nlohmann::ordered_json& store);
};

} // namespace shell
