#include "coding/JsonImporter.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "coding/Base64.h"
#include "coding/ClassInfo.h"
#include "coding/ClassRegistry.h"
#include "coding/Collection.h"
#include "coding/Container.h"
#include "coding/Data.h"
#include "coding/Date.h"
#include "coding/Decimal.h"
#include "coding/Dictionary.h"
#include "coding/GeometryValue.h"
#include "coding/IndexSet.h"
#include "coding/KeyPath.h"
#include "coding/KeyedObject.h"
#include "coding/Null.h"
#include "coding/TypeCode.h"
#include "coding/Url.h"

namespace coding {

using Json = JsonImporter::Json;

namespace {

struct ImportFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace

void JsonImporter::fail(const std::string& path, const std::string& message)
{
    throw ImportFailure(path.empty() ? message : "at \"" + path + "\": " + message);
}

std::string JsonImporter::join(const std::string& path, const std::string& component)
{
    return path.empty() ? component : path + "." + component;
}

JsonForm::ImportResult JsonImporter::run(const Json& json)
{
    JsonForm::ImportResult result;
    try {
        result.object = importValue(json, "");
    } catch (const ImportFailure& failure) {
        result.error = failure.what();
        // Break whatever cycles the half-built graph has before dropping it.
        for (auto& [path, object] : m_byPath) {
            if (auto* container = dynamic_cast<Container*>(object.get()))
                container->clearChildren();
        }
    }
    m_byPath.clear();
    m_root.reset();
    return result;
}

void JsonImporter::made(const std::string& path, const ObjectPtr& object)
{
    m_byPath.emplace(path, object);
    if (path.empty())
        m_root = object;
}

static double realValue(const Json& json, const std::string& what)
{
    if (json.is_number())
        return json.get<double>();
    if (json.is_string()) {
        const auto& text = json.get_ref<const std::string&>();
        if (text == "nan")
            return std::numeric_limits<double>::quiet_NaN();
        if (text == "inf")
            return std::numeric_limits<double>::infinity();
        if (text == "-inf")
            return -std::numeric_limits<double>::infinity();
    }
    throw ImportFailure(what + " needs a number");
}

static std::int64_t integerValue(const Json& json, const std::string& what)
{
    if (json.is_number_integer() && !(json.is_number_unsigned() && json.get<std::uint64_t>() > std::uint64_t(std::numeric_limits<std::int64_t>::max())))
        return json.get<std::int64_t>();
    throw ImportFailure(what + " needs a 64-bit integer");
}

ObjectPtr JsonImporter::importValue(const Json& json, const std::string& path)
{
    if (m_depth >= maximumNestingDepth)
        fail(path, "nested deeper than " + std::to_string(maximumNestingDepth) + " levels");
    ++m_depth;
    struct DepthGuard {
        int& depth;
        ~DepthGuard() { --depth; }
    } guard { m_depth };

    try {
        switch (json.type()) {
        case Json::value_t::null:
            return nullptr;
        case Json::value_t::boolean:
            return Number::boolean(json.get<bool>());
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
            return Number::integer(integerValue(json, "a plain integer"));
        case Json::value_t::number_float:
            return Number::real(json.get<double>());
        case Json::value_t::string: {
            auto string = String::make(json.get<std::string>());
            made(path, string);
            return string;
        }
        case Json::value_t::array: {
            auto array = Collection::array();
            made(path, array);
            array->reserve(json.size());
            for (std::size_t i = 0; i < json.size(); ++i)
                array->append(importValue(json[i], join(path, std::to_string(i))));
            return array;
        }
        case Json::value_t::object:
            return importObject(json, path);
        default:
            fail(path, "binary values have no meaning here");
        }
    } catch (const ImportFailure&) {
        throw;
    } catch (const std::exception& exception) {
        fail(path, exception.what());
    }
}

ObjectPtr JsonImporter::importObject(const Json& json, const std::string& path)
{
    if (json.contains("$class"))
        return importClassObject(json, path);
    if (json.contains("$keyed"))
        return importKeyed(json, path);
    if (json.contains("$pairs"))
        return importPairs(json, path);
    if (json.contains("$url")) {
        for (const auto& [key, value] : json.items()) {
            if (key != "$url" && key != "$base")
                fail(path, "a URL takes only \"$url\" and \"$base\", not \"" + key + "\"");
        }
        return importTagged("$url", json, path);
    }
    if (json.size() == 1 && json.begin().key().starts_with('$'))
        return importTagged(json.begin().key(), json.begin().value(), path);
    for (const auto& item : json.items()) {
        if (item.key().starts_with('$'))
            fail(path, "unknown tag \"" + item.key() + "\"");
    }
    auto dictionary = Dictionary::make(false);
    made(path, dictionary);
    dictionary->reserve(json.size());
    for (const auto& [key, value] : json.items())
        dictionary->append(String::make(key), importValue(value, join(path, key)));
    return dictionary;
}

ObjectPtr JsonImporter::resolveAlias(const Json& json, const std::string& path)
{
    if (!json.is_string())
        fail(path, "\"$alias\" needs a key path");
    const auto& target = json.get_ref<const std::string&>();
    if (auto found = m_byPath.find(target); found != m_byPath.end()) {
        m_byPath.emplace(path, found->second);
        return found->second;
    }
    std::string reason;
    auto resolved = resolveKeyPath(m_root, target, &reason);
    if (!resolved || !*resolved)
        fail(path, "\"$alias\" \"" + target + "\" names nothing written before it" + (reason.empty() ? "" : " (" + reason + ")"));
    m_byPath.emplace(path, *resolved);
    return *resolved;
}

ObjectPtr JsonImporter::importTagged(const std::string& tag, const Json& json, const std::string& path)
{
    if (tag == "$alias")
        return resolveAlias(json, path);
    if (tag == "$null")
        return Null::shared();
    if (tag == "$float")
        return Number::real(realValue(json, tag), NumberType::Float32);
    if (tag == "$double")
        return Number::real(realValue(json, tag), NumberType::Float64);
    if (tag == "$int8" || tag == "$int16" || tag == "$int32" || tag == "$int64") {
        static constexpr NumberType types[] = { NumberType::Int8, NumberType::Int16, NumberType::Int32, NumberType::Int64 };
        std::size_t which = tag == "$int8" ? 0 : tag == "$int16" ? 1 : tag == "$int32" ? 2 : 3;
        std::int64_t value = integerValue(json, tag);
        static constexpr std::int64_t limits[] = { 127, 32767, 2147483647, std::numeric_limits<std::int64_t>::max() };
        if (value > limits[which] || value < -limits[which] - 1)
            fail(path, std::to_string(value) + " does not fit in " + tag);
        return Number::integer(value, types[which]);
    }
    if (tag == "$mutableString") {
        if (!json.is_string())
            fail(path, tag + " needs a string");
        auto string = String::make(json.get<std::string>(), true);
        made(path, string);
        return string;
    }
    if (tag == "$data" || tag == "$mutableData") {
        auto bytes = json.is_string() ? base64::decode(json.get_ref<const std::string&>()) : std::nullopt;
        if (!bytes)
            fail(path, tag + " needs base64 text");
        auto data = Data::make(std::move(*bytes), tag == "$mutableData");
        made(path, data);
        return data;
    }
    if (tag == "$date") {
        auto date = Date::make(realValue(json, tag));
        made(path, date);
        return date;
    }
    if (tag == "$decimal") {
        if (!json.is_string() || json.get_ref<const std::string&>().size() != 40)
            fail(path, "$decimal needs 40 hexadecimal digits");
        const auto& hex = json.get_ref<const std::string&>();
        Decimal::Record record;
        for (std::size_t i = 0; i < record.size(); ++i) {
            auto digit = [&](char c) {
                if (c >= '0' && c <= '9')
                    return c - '0';
                if (c >= 'a' && c <= 'f')
                    return c - 'a' + 10;
                if (c >= 'A' && c <= 'F')
                    return c - 'A' + 10;
                fail(path, "$decimal needs 40 hexadecimal digits");
            };
            record[i] = std::uint8_t(digit(hex[2 * i]) << 4 | digit(hex[2 * i + 1]));
        }
        return std::make_shared<Decimal>(record);
    }
    if (tag == "$mutableDictionary") {
        if (!json.is_object())
            fail(path, tag + " needs an object");
        auto dictionary = Dictionary::make(true);
        made(path, dictionary);
        for (const auto& [key, value] : json.items())
            dictionary->append(String::make(key), importValue(value, join(path, key)));
        return dictionary;
    }
    static const std::pair<const char*, std::pair<CollectionType, bool>> collections[] = {
        { "$array", { CollectionType::Array, false } },
        { "$mutableArray", { CollectionType::Array, true } },
        { "$set", { CollectionType::Set, false } },
        { "$mutableSet", { CollectionType::Set, true } },
        { "$orderedSet", { CollectionType::OrderedSet, false } },
        { "$mutableOrderedSet", { CollectionType::OrderedSet, true } },
    };
    for (const auto& [name, kind] : collections) {
        if (tag != name)
            continue;
        if (!json.is_array())
            fail(path, tag + " needs an array");
        auto collection = std::make_shared<Collection>(kind.first, kind.second);
        made(path, collection);
        collection->reserve(json.size());
        for (std::size_t i = 0; i < json.size(); ++i)
            collection->append(importValue(json[i], join(path, std::to_string(i))));
        return collection;
    }
    static const std::pair<const char*, GeometryType> geometry[] = {
        { "$point", GeometryType::Point },
        { "$size", GeometryType::Size },
        { "$rect", GeometryType::Rect },
        { "$range", GeometryType::Range },
        { "$vector", GeometryType::Vector },
        { "$transform", GeometryType::AffineTransform },
        { "$transform3d", GeometryType::Transform3D },
    };
    for (const auto& [name, type] : geometry) {
        if (tag != name)
            continue;
        if (!json.is_array() || json.size() != GeometryValue::valueCount(type))
            fail(path, tag + " needs " + std::to_string(GeometryValue::valueCount(type)) + " numbers");
        std::vector<double> values;
        for (const auto& value : json)
            values.push_back(realValue(value, tag));
        if (type == GeometryType::Range) {
            for (double value : values) {
                if (!(value >= 0 && value <= 4294967295.0) || value != std::floor(value))
                    fail(path, "$range needs two 32-bit unsigned integers");
            }
        }
        return GeometryValue::make(type, std::move(values));
    }
    if (tag == "$indexSet" || tag == "$mutableIndexSet") {
        if (!json.is_array())
            fail(path, tag + " needs a list of [location, length]");
        auto set = std::make_shared<IndexSet>(tag == "$mutableIndexSet");
        made(path, set);
        for (const auto& range : json) {
            if (!range.is_array() || range.size() != 2 || !range[0].is_number_unsigned() || !range[1].is_number_unsigned()
                || range[0].get<std::uint64_t>() > 0xffffffffu || range[1].get<std::uint64_t>() > 0xffffffffu)
                fail(path, tag + " needs a list of [location, length] with 32-bit unsigned numbers");
            set->addRange({ range[0].get<std::uint32_t>(), range[1].get<std::uint32_t>() });
        }
        return set;
    }
    if (tag == "$url") {
        ObjectPtr relative = importValue(json["$url"], join(path, "$url"));
        auto relativeString = as<String>(relative);
        if (!relativeString)
            fail(path, "$url needs a string");
        ObjectPtr base = json.contains("$base") ? importValue(json["$base"], join(path, "$base")) : nullptr;
        auto baseUrl = as<Url>(base);
        if (base && !baseUrl)
            fail(path, "$base needs a URL or null");
        auto url = std::make_shared<Url>(std::move(relativeString), std::move(baseUrl));
        made(path, url);
        return url;
    }
    fail(path, "unknown tag \"" + tag + "\"");
}

ObjectPtr JsonImporter::importClassObject(const Json& json, const std::string& path)
{
    const Json& name = json["$class"];
    if (!name.is_string())
        fail(path, "\"$class\" needs a class name");
    const std::string& className = name.get_ref<const std::string&>();
    const ClassInfo* info = ClassRegistry::shared().find(className);
    ModelPtr model = info ? info->makeInstance() : nullptr;
    if (!model) {
        // A class this program does not know stays a "$class" dictionary, which the
        // encoder writes as an object of that class.
        auto dictionary = Dictionary::make(true);
        made(path, dictionary);
        for (const auto& [key, value] : json.items()) {
            if (key == "$class")
                dictionary->append(String::make(key), String::make(className));
            else
                dictionary->append(String::make(key), importValue(value, join(path, key)));
        }
        return dictionary;
    }
    made(path, model);
    for (const auto& [key, value] : json.items()) {
        if (key == "$class")
            continue;
        const PropertyInfo* property = info->propertyNamed(key);
        if (!property)
            fail(path, className + " has no property \"" + key + "\"");
        ObjectPtr object = importValue(value, join(path, key));
        if (!property->set(*model, object))
            fail(join(path, key), "a value of the wrong kind for " + className + "." + key);
    }
    return model;
}

ObjectPtr JsonImporter::importKeyed(const Json& json, const std::string& path)
{
    const Json& name = json["$keyed"];
    if (!name.is_string() || !json.contains("$pairs") || !json["$pairs"].is_array() || json.size() != 2)
        fail(path, "a keyed object needs \"$keyed\" (the class name) and \"$pairs\" only");
    PropertyTable table;
    // The object is made after its values, as the decoder does; aliases to it from
    // inside cannot be resolved, just as they cannot be written.
    for (const auto& pair : json["$pairs"]) {
        if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string())
            fail(path, "\"$pairs\" of a keyed object needs [\"key\", value] pairs");
        const std::string& key = pair[0].get_ref<const std::string&>();
        ObjectPtr value = importValue(pair[1], join(path, key));
        if (!value)
            fail(join(path, key), "a keyed object cannot hold nil");
        table.emplace_back(key, std::move(value));
    }
    const std::string& className = name.get_ref<const std::string&>();
    ObjectPtr object;
    const ClassInfo* info = ClassRegistry::shared().find(className);
    if (info && info->supportsKeyedCoding())
        object = info->initWithCoder()(KeyedDecoder(table));
    else
        object = std::make_shared<KeyedObject>(className, std::move(table));
    if (!object)
        fail(path, className + " could not be made from its values");
    made(path, object);
    return object;
}

ObjectPtr JsonImporter::importPairs(const Json& json, const std::string& path)
{
    const Json& pairs = json["$pairs"];
    bool isMutable = false;
    for (const auto& [key, value] : json.items()) {
        if (key == "$mutable" && value.is_boolean())
            isMutable = value.get<bool>();
        else if (key != "$pairs")
            fail(path, "a dictionary of pairs takes only \"$pairs\" and \"$mutable\"");
    }
    if (!pairs.is_array())
        fail(path, "\"$pairs\" needs a list of [key, value]");
    auto dictionary = Dictionary::make(isMutable);
    made(path, dictionary);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const Json& pair = pairs[i];
        if (!pair.is_array() || pair.size() != 2)
            fail(path, "\"$pairs\" needs a list of [key, value]");
        std::string at = join(path, "$pairs." + std::to_string(i));
        ObjectPtr key = importValue(pair[0], join(at, "0"));
        ObjectPtr value = importValue(pair[1], join(at, "1"));
        dictionary->append(std::move(key), std::move(value));
    }
    return dictionary;
}

} // namespace coding
