#pragma once
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ui/graphics/Geometry.h"

namespace shell {

// One value of a scene file together with its path from the root, so every
// complaint about it names the field ("actions[2].tap.tag: expected an integer").
class SceneField {
public:
    SceneField(const nlohmann::ordered_json& value, std::string path)
        : m_value(value)
        , m_path(std::move(path))
    {
    }

    const nlohmann::ordered_json& json() const { return m_value; }
    const std::string& path() const { return m_path; }

    // The member `name` of an object field, or nullopt when it is absent.
    std::optional<SceneField> member(const std::string& name) const;
    SceneField element(size_t index) const;

    bool isObject() const { return m_value.is_object(); }
    bool isArray() const { return m_value.is_array(); }

    std::string string() const;
    double number() const;
    // A finite number no smaller than zero.
    double nonNegativeNumber() const;
    int integer() const;
    bool boolean() const;
    // [x, y] in points.
    ui::Point point() const;
    // A file named by the field: a relative path is taken from the folder of the
    // scene file being read (the working folder for scenes read from memory), so
    // a scene and its pictures and sounds can travel together. A scene read from
    // a file is a document people share, so it may only name files inside its
    // own folder or a folder the command line allows (symbolic links resolved);
    // anything else fails naming the field and the path.
    std::string filePath() const;
    const nlohmann::ordered_json& object() const;
    const nlohmann::ordered_json& array() const;
    // Refuses members other than `known` (a misspelt key would otherwise be
    // silently ignored).
    void expectOnlyMembers(const std::vector<std::string>& known) const;

    [[noreturn]] void fail(const std::string& message) const;

    // Folders besides the scene's own that scene files may read from (the
    // render command's --allow-read).
    static void setReadableFolders(std::vector<std::string> folders);

    // While alive, relative file paths resolve against `folder`.
    class BaseFolder {
    public:
        explicit BaseFolder(std::string folder);
        ~BaseFolder();
        BaseFolder(const BaseFolder&) = delete;
        BaseFolder& operator=(const BaseFolder&) = delete;

    private:
        std::string m_previous;
    };

private:
    const nlohmann::ordered_json& m_value;
    std::string m_path;
};

} // namespace shell
