#pragma once
#include <string>

namespace shell {

class SceneRunner;

// One step of a scene, made from its JSON by the factory registered under the
// action's name (see ActionRegistry). The runner settles the app after each one.
class SceneAction {
public:
    explicit SceneAction(std::string field)
        : m_field(std::move(field))
    {
    }
    virtual ~SceneAction() = default;

    // Plays the step on the running app. Throws SceneError naming field() when
    // the step cannot be done (a tap target that is not on screen, say).
    virtual void play(SceneRunner& runner) const = 0;

    // Where the action sits in the scene file ("actions[3].tap").
    const std::string& field() const { return m_field; }

private:
    std::string m_field;
};

} // namespace shell
