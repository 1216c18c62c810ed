#pragma once
#include <stdexcept>
#include <string>

namespace shell {

// A scene that cannot be read or played: names the offending field the way a
// reader finds it in the file ("actions[3].tap") and says what was expected.
class SceneError : public std::runtime_error {
public:
    SceneError(const std::string& field, const std::string& message)
        : std::runtime_error(field.empty() ? message : field + ": " + message)
        , m_field(field)
    {
    }

    const std::string& field() const { return m_field; }

private:
    std::string m_field;
};

} // namespace shell
