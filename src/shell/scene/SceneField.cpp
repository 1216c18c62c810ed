#include "shell/scene/SceneField.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "shell/scene/SceneError.h"

namespace shell {

namespace {

std::string& baseFolder()
{
    static std::string folder;
    return folder;
}

std::vector<std::string>& readableFolders()
{
    static std::vector<std::string> folders;
    return folders;
}

// Whether `path` is `folder` or lies below it, both with links resolved.
bool isInside(const std::filesystem::path& path, const std::string& folder)
{
    std::error_code error;
    auto root = std::filesystem::weakly_canonical(std::filesystem::absolute(folder, error), error);
    if (error)
        return false;
    auto relative = path.lexically_relative(root);
    return !relative.empty() && *relative.begin() != ".." && relative.is_relative();
}

} // namespace

void SceneField::setReadableFolders(std::vector<std::string> folders) { readableFolders() = std::move(folders); }

SceneField::BaseFolder::BaseFolder(std::string folder)
    : m_previous(std::move(baseFolder()))
{
    baseFolder() = std::move(folder);
}

SceneField::BaseFolder::~BaseFolder()
{
    baseFolder() = std::move(m_previous);
}

std::string SceneField::filePath() const
{
    std::filesystem::path path(string());
    if (path.empty())
        fail("expected the path of a file");
    if (path.is_relative() && !baseFolder().empty())
        path = std::filesystem::path(baseFolder()) / path;
    std::error_code error;
    auto absolute = std::filesystem::absolute(path, error).lexically_normal();
    if (error)
        fail("cannot make sense of the path \"" + string() + "\"");
    if (baseFolder().empty())
        return absolute.string();
    auto resolved = std::filesystem::weakly_canonical(absolute, error);
    bool allowed = !error && isInside(resolved, baseFolder());
    for (const auto& folder : readableFolders())
        allowed = allowed || (!error && isInside(resolved, folder));
    if (!allowed)
        fail("refused to read \"" + string() + "\": a scene reads only files in its own folder ("
            + baseFolder() + "); render --allow-read DIR allows another folder");
    return absolute.string();
}

std::optional<SceneField> SceneField::member(const std::string& name) const
{
    const auto& object = this->object();
    auto it = object.find(name);
    if (it == object.end())
        return std::nullopt;
    return SceneField(*it, m_path.empty() ? name : m_path + "." + name);
}

SceneField SceneField::element(size_t index) const
{
    return SceneField(array().at(index), m_path + "[" + std::to_string(index) + "]");
}

std::string SceneField::string() const
{
    if (!m_value.is_string())
        fail("expected a text in double quotes");
    return m_value.get<std::string>();
}

double SceneField::number() const
{
    if (!m_value.is_number())
        fail("expected a number");
    double value = m_value.get<double>();
    if (!std::isfinite(value))
        fail("expected a finite number");
    return value;
}

double SceneField::nonNegativeNumber() const
{
    double value = number();
    if (value < 0)
        fail("expected a number of at least 0");
    return value;
}

int SceneField::integer() const
{
    if (m_value.is_number_integer()) {
        auto value = m_value.get<std::int64_t>();
        if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
            return static_cast<int>(value);
    }
    fail("expected a whole number");
}

bool SceneField::boolean() const
{
    if (!m_value.is_boolean())
        fail("expected true or false");
    return m_value.get<bool>();
}

ui::Point SceneField::point() const
{
    if (!m_value.is_array() || m_value.size() != 2 || !m_value[0].is_number() || !m_value[1].is_number())
        fail("expected a point [x, y]");
    ui::Point point { m_value[0].get<double>(), m_value[1].get<double>() };
    if (!std::isfinite(point.x) || !std::isfinite(point.y))
        fail("expected a point [x, y] of finite numbers");
    return point;
}

const nlohmann::ordered_json& SceneField::object() const
{
    if (!m_value.is_object())
        fail("expected an object { ... }");
    return m_value;
}

const nlohmann::ordered_json& SceneField::array() const
{
    if (!m_value.is_array())
        fail("expected a list [ ... ]");
    return m_value;
}

void SceneField::expectOnlyMembers(const std::vector<std::string>& known) const
{
    for (auto& [key, value] : object().items()) {
        if (std::find(known.begin(), known.end(), key) != known.end())
            continue;
        std::string list;
        for (auto& name : known)
            list += (list.empty() ? "" : ", ") + ("\"" + name + "\"");
        fail("unknown field \"" + key + "\" (expected " + list + ")");
    }
}

void SceneField::fail(const std::string& message) const
{
    throw SceneError(m_path.empty() ? "scene" : m_path, message);
}

} // namespace shell
