#pragma once
#include <string>
#include <unordered_map>

#include "coding/JsonForm.h"
#include "coding/KeyedCoding.h"

namespace coding {

class Model;

// Turns a graph into its JSON form (see JsonForm.h), one run per graph.
class JsonExporter {
public:
    using Json = JsonForm::Json;

    Json run(const ObjectPtr& root);

private:
    Json exportValue(const ObjectPtr& object, const std::string& path);
    Json exportModel(const Model& model, const std::string& path);
    Json exportKeyed(const std::string& className, const PropertyTable& properties, const std::string& path);
    Json exportDictionary(const class Dictionary& dictionary, const std::string& path);
    static std::string join(const std::string& path, const std::string& component);

    std::unordered_map<const Object*, std::string> m_paths;
    int m_depth = 0;
};

} // namespace coding
