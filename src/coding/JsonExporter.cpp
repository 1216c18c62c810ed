#include "coding/JsonExporter.h"

#include <cmath>
#include <unordered_set>

#include "coding/Base64.h"
#include "coding/ClassInfo.h"
#include "coding/Collection.h"
#include "coding/Data.h"
#include "coding/Date.h"
#include "coding/Decimal.h"
#include "coding/Dictionary.h"
#include "coding/GeometryValue.h"
#include "coding/IndexSet.h"
#include "coding/KeyedObject.h"
#include "coding/TypeCode.h"
#include "coding/Url.h"

namespace coding {

using Json = JsonExporter::Json;

static Json tagged(const char* tag, Json value)
{
    Json object = Json::object();
    object[tag] = std::move(value);
    return object;
}

// JSON has no NaN or infinities; those travel as text.
static Json real(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    return value;
}

static Json exportNumber(const Number& number)
{
    if (number.isBoolean())
        return number.boolValue();
    switch (number.type()) {
    case NumberType::Int8:
        return tagged("$int8", number.integerValue());
    case NumberType::Int16:
        return tagged("$int16", number.integerValue());
    case NumberType::Int32:
        return tagged("$int32", number.integerValue());
    case NumberType::Int64:
        return number.integerValue();
    case NumberType::Float32:
        return tagged("$float", real(number.doubleValue()));
    case NumberType::Float64:
        if (!std::isfinite(number.doubleValue()))
            return tagged("$double", real(number.doubleValue()));
        return number.doubleValue();
    }
    return nullptr;
}

std::string JsonExporter::join(const std::string& path, const std::string& component)
{
    return path.empty() ? component : path + "." + component;
}

Json JsonExporter::run(const ObjectPtr& root) { return exportValue(root, ""); }

Json JsonExporter::exportValue(const ObjectPtr& object, const std::string& path)
{
    if (!object)
        return nullptr;
    switch (object->kind()) {
    case Kind::Null:
        return tagged("$null", true);
    case Kind::Number:
        return exportNumber(static_cast<const Number&>(*object));
    case Kind::Decimal: {
        static constexpr char digits[] = "0123456789abcdef";
        std::string hex;
        for (std::uint8_t byte : static_cast<const Decimal&>(*object).record()) {
            hex.push_back(digits[byte >> 4]);
            hex.push_back(digits[byte & 15]);
        }
        return tagged("$decimal", hex);
    }
    case Kind::Geometry: {
        static constexpr const char* tags[] = { "$point", "$size", "$rect", "$range", "$vector", "$transform", "$transform3d" };
        const auto& value = static_cast<const GeometryValue&>(*object);
        Json numbers = Json::array();
        for (double part : value.values())
            numbers.push_back(real(part));
        return tagged(tags[int(value.type())], std::move(numbers));
    }
    case Kind::ClassDefinition:
        return nullptr;
    default:
        break;
    }

    // Everything below has identity: the second time it is met it is an alias.
    if (auto found = m_paths.find(object.get()); found != m_paths.end())
        return tagged("$alias", found->second);
    m_paths.emplace(object.get(), path);
    if (m_depth >= maximumNestingDepth)
        return nullptr;
    ++m_depth;
    struct DepthGuard {
        int& depth;
        ~DepthGuard() { --depth; }
    } guard { m_depth };

    switch (object->kind()) {
    case Kind::String: {
        const auto& string = static_cast<const String&>(*object);
        return string.isMutable() ? tagged("$mutableString", string.utf8()) : Json(string.utf8());
    }
    case Kind::Data: {
        const auto& data = static_cast<const Data&>(*object);
        return tagged(data.isMutable() ? "$mutableData" : "$data", base64::encode(data.bytes()));
    }
    case Kind::Date:
        return tagged("$date", real(static_cast<const Date&>(*object).secondsSince1970()));
    case Kind::Collection: {
        const auto& collection = static_cast<const Collection&>(*object);
        Json elements = Json::array();
        for (std::size_t i = 0; i < collection.count(); ++i)
            elements.push_back(exportValue(collection.at(i), join(path, std::to_string(i))));
        if (collection.type() == CollectionType::Array && !collection.isMutable())
            return elements;
        static constexpr const char* tags[2][3] = { { "$array", "$set", "$orderedSet" }, { "$mutableArray", "$mutableSet", "$mutableOrderedSet" } };
        return tagged(tags[collection.isMutable()][int(collection.type())], std::move(elements));
    }
    case Kind::Dictionary:
        return exportDictionary(static_cast<const Dictionary&>(*object), path);
    case Kind::Url: {
        const auto& url = static_cast<const Url&>(*object);
        Json json = Json::object();
        json["$url"] = exportValue(url.relativeString(), join(path, "$url"));
        json["$base"] = exportValue(url.baseUrl(), join(path, "$base"));
        return json;
    }
    case Kind::IndexSet: {
        const auto& set = static_cast<const IndexSet&>(*object);
        Json ranges = Json::array();
        for (const auto& range : set.ranges())
            ranges.push_back(Json::array({ range.location, range.length }));
        return tagged(set.isMutable() ? "$mutableIndexSet" : "$indexSet", std::move(ranges));
    }
    case Kind::KeyedObject: {
        const auto& keyed = static_cast<const KeyedObject&>(*object);
        return exportKeyed(keyed.className(), keyed.properties(), path);
    }
    case Kind::Model:
        return exportModel(static_cast<const Model&>(*object), path);
    default:
        return nullptr;
    }
}

Json JsonExporter::exportDictionary(const Dictionary& dictionary, const std::string& path)
{
    // A JSON object needs unique plain string keys; keys with "." would make alias
    // paths ambiguous and keys with "$" would read as tags, so those dictionaries
    // use the list of pairs. A "$class" dictionary (an object of a class this
    // program does not know) keeps the object form.
    bool isClassDictionary = bool(as<String>(dictionary.valueForKey("$class")));
    bool plain = true;
    std::unordered_set<std::string> seen;
    for (const auto& [key, value] : dictionary.pairs()) {
        auto string = as<String>(key);
        if (!string || string->isMutable() || string->utf8().find('.') != std::string::npos || !seen.insert(string->utf8()).second) {
            plain = false;
            break;
        }
        if (string->utf8().starts_with('$') && !(isClassDictionary && string->utf8() == "$class")) {
            plain = false;
            break;
        }
    }
    if (!plain) {
        Json pairs = Json::array();
        for (std::size_t i = 0; i < dictionary.pairs().size(); ++i) {
            const auto& [key, value] = dictionary.pairs()[i];
            std::string at = join(path, "$pairs." + std::to_string(i));
            Json exportedKey = exportValue(key, join(at, "0"));
            Json exportedValue = exportValue(value, join(at, "1"));
            pairs.push_back(Json::array({ std::move(exportedKey), std::move(exportedValue) }));
        }
        Json json = tagged("$pairs", std::move(pairs));
        if (dictionary.isMutable())
            json["$mutable"] = true;
        return json;
    }
    Json json = Json::object();
    // The keys are known to be unique, so members are appended without the ordered
    // map's linear search for an existing key.
    auto& members = static_cast<std::vector<std::pair<const std::string, Json>>&>(json.get_ref<Json::object_t&>());
    members.reserve(dictionary.count());
    for (const auto& [key, value] : dictionary.pairs()) {
        const std::string& name = static_cast<const String&>(*key).utf8();
        if (isClassDictionary && name == "$class")
            members.emplace_back(name, static_cast<const String&>(*value).utf8());
        else
            members.emplace_back(name, exportValue(value, join(path, name)));
    }
    if (dictionary.isMutable() && !isClassDictionary)
        return tagged("$mutableDictionary", std::move(json));
    return json;
}

Json JsonExporter::exportModel(const Model& model, const std::string& path)
{
    const ClassInfo& info = model.classInfo();
    if (info.supportsKeyedCoding() && !info.preferCompactCoding()) {
        // Let the object write itself into a table, as it would into the encoder.
        class Recorder final : public KeyedEncoder {
        public:
            explicit Recorder(const std::unordered_map<const Object*, std::string>& seen)
                : m_seen(seen)
            {
            }
            void encodeObject(const ObjectPtr& object, std::string_view key) override
            {
                if (object)
                    table.emplace_back(std::string(key), object);
            }
            void encodeConditionalObject(const ObjectPtr& object, std::string_view key) override
            {
                if (object && m_seen.contains(object.get()))
                    encodeObject(object, key);
            }
            PropertyTable table;

        private:
            const std::unordered_map<const Object*, std::string>& m_seen;
        } recorder(m_paths);
        info.encodeWithCoder()(model, recorder);
        return exportKeyed(info.name(), recorder.table, path);
    }
    Json json = Json::object();
    json["$class"] = info.name();
    for (const PropertyInfo* property : info.aggregateProperties()) {
        ObjectPtr value = property->get(model);
        switch (property->type) {
        case PropertyType::Bool:
        case PropertyType::Int32:
        case PropertyType::Int64: {
            // The declared type decides how these are written, so plain JSON suffices.
            auto number = as<Number>(value);
            if (property->type == PropertyType::Bool)
                json[property->name] = number && number->boolValue();
            else
                json[property->name] = number ? number->integerValue() : 0;
            break;
        }
        default:
            json[property->name] = exportValue(value, join(path, property->name));
            break;
        }
    }
    return json;
}

Json JsonExporter::exportKeyed(const std::string& className, const PropertyTable& properties, const std::string& path)
{
    Json pairs = Json::array();
    for (const auto& [key, value] : properties)
        pairs.push_back(Json::array({ key, exportValue(value, join(path, key)) }));
    Json json = Json::object();
    json["$keyed"] = className;
    json["$pairs"] = std::move(pairs);
    return json;
}

} // namespace coding
