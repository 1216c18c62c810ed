#pragma once
#include <string>
#include <unordered_map>

#include "coding/JsonForm.h"

namespace coding {

// Builds a graph from its JSON form (see JsonForm.h), one run per document.
// "$alias" paths are resolved against the objects made so far, by the path at
// which each was made, falling back to following the path through the graph.
class JsonImporter {
public:
    using Json = JsonForm::Json;

    JsonForm::ImportResult run(const Json& json);

private:
    ObjectPtr importValue(const Json& json, const std::string& path);
    ObjectPtr importObject(const Json& json, const std::string& path);
    ObjectPtr importTagged(const std::string& tag, const Json& json, const std::string& path);
    ObjectPtr importClassObject(const Json& json, const std::string& path);
    ObjectPtr importKeyed(const Json& json, const std::string& path);
    ObjectPtr importPairs(const Json& json, const std::string& path);
    ObjectPtr resolveAlias(const Json& json, const std::string& path);
    void made(const std::string& path, const ObjectPtr& object);
    static std::string join(const std::string& path, const std::string& component);
    [[noreturn]] static void fail(const std::string& path, const std::string& message);

    std::unordered_map<std::string, ObjectPtr> m_byPath;
    ObjectPtr m_root;
    int m_depth = 0;
};

} // namespace coding
