#pragma once
#include <stdexcept>
#include <string>

namespace shell {

// A chat script that cannot be used: names the line of the file and the field
// ("line 12: messages[3].photo: no such file").
class ChatScriptError : public std::runtime_error {
public:
    ChatScriptError(int line, const std::string& field, const std::string& message)
        : std::runtime_error((line > 0 ? "line " + std::to_string(line) + ": " : std::string()) + (field.empty() ? message : field + ": " + message))
        , m_line(line)
    {
    }

    int line() const { return m_line; }

private:
    int m_line;
};

} // namespace shell
