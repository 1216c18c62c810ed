#include "shell/scene/SceneStore.h"

namespace shell {

// FIXME: the settings store and the JSON form of its records are not part of
// the build yet; until they are, a scene may only leave "store" out or empty.
bool SceneStore::isAvailable()
{
    return false;
}

void SceneStore::check(const SceneField& store)
{
    store.object();
    if (store.json().empty())
        return;
    if (!isAvailable())
        store.fail("this build has no settings store to fill yet; leave \"store\" out or empty");
}

void SceneStore::fill(const nlohmann::json& store)
{
    if (store.empty() || !isAvailable())
        return;
}

} // namespace shell
