#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"

namespace shell {

// The scene actions by name. An action is written in a scene as an object with
// one member, its name, whose value the factory reads ({"tap": [20, 30]}). New
// actions join by registering a factory; the built-in ones are always there.
class ActionRegistry {
public:
    // Reads the action's value (`field` is named after the action, for messages);
    // throws SceneError when the value is malformed.
    using Factory = std::function<std::unique_ptr<SceneAction>(const SceneField& field)>;

    static ActionRegistry& shared();

    void add(const std::string& name, Factory factory);
    bool contains(const std::string& name) const { return m_factories.count(name) > 0; }
    std::vector<std::string> names() const;

    // Reads one entry of the action list.
    std::unique_ptr<SceneAction> make(const SceneField& entry) const;

private:
    ActionRegistry();
    std::map<std::string, Factory> m_factories;
};

} // namespace shell
