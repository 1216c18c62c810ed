#include "coding/QYCoderWriter.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "coding/ClassInfo.h"
#include "coding/Collection.h"
#include "coding/Data.h"
#include "coding/Date.h"
#include "coding/Decimal.h"
#include "coding/Dictionary.h"
#include "coding/GeometryValue.h"
#include "coding/IndexSet.h"
#include "coding/KeyPath.h"
#include "coding/KeyedObject.h"
#include "coding/Number.h"
#include "coding/QYClassDefinition.h"
#include "coding/TypeCode.h"
#include "coding/Url.h"

namespace coding {

QYCoderWriter::QYCoderWriter(ObjectPtr rootObject)
    : m_rootObject(std::move(rootObject))
{
}

EncodeResult QYCoderWriter::run()
{
    EncodeResult result;
    if (!m_rootObject) {
        result.error = CodingError { "Cannot encode a nil root object", 0 };
        return result;
    }
    try {
        for (char c : std::string_view("TSAF"))
            put8(std::uint8_t(c));
        put16(3);
        put16(2);
        put32(0);
        put32(0);
        put32(0);
        writeValue(m_rootObject);
        m_output.patch32(8, m_objectCount);
        m_output.patch32(12, std::uint32_t(m_classCache.size()));
        m_output.patch32(16, std::uint32_t(m_stringCache.size()));
        // The referenced blocks are still held by m_keepAlive here.
        result.data = m_output.take();
    } catch (const QYCodingException& exception) {
        result.error = exception.error();
    }
    m_keepAlive.clear();
    return result;
}

void QYCoderWriter::fail(std::string message) const { throw QYCodingException(CodingError { std::move(message), m_output.size() }); }

QYCoderWriter::InProgress::InProgress(QYCoderWriter& writer, const Object* object)
    : m_writer(writer)
    , m_object(object)
{
    if (!writer.m_inProgress.insert(object).second)
        writer.fail("Cannot encode an object that contains itself unless it is mutable");
}

QYCoderWriter::InProgress::~InProgress() { m_writer.m_inProgress.erase(m_object); }

// MARK: Bytes

void QYCoderWriter::reserveEntries(std::size_t count)
{
    // Growth stays geometric: many small collections must not rehash once each.
    auto reserveMap = [count](auto& map) {
        std::size_t entries = map.size() + count;
        if (double(entries) > double(map.bucket_count()) * double(map.max_load_factor()))
            map.reserve(std::max(entries, 2 * map.size()));
    };
    reserveMap(m_objectCache);
    reserveMap(m_stringCache);
    std::size_t kept = m_keepAlive.size() + count;
    if (kept > m_keepAlive.capacity())
        m_keepAlive.reserve(std::max(kept, 2 * m_keepAlive.capacity()));
}

void QYCoderWriter::putF32(float value) { put32(std::bit_cast<std::uint32_t>(value)); }
void QYCoderWriter::putF64(double value) { put64(std::bit_cast<std::uint64_t>(value)); }

void QYCoderWriter::putCString(const std::string& text)
{
    // The text ends at its zero byte, so a zero inside it would cut it short when
    // read back; refuse rather than lose the rest silently.
    if (text.find('\0') != std::string::npos)
        fail("Cannot encode a string containing a zero character");
    m_output.putText(text);
    put8(0);
}

// MARK: Caches

void QYCoderWriter::writeAlias(std::uint32_t index, std::uint8_t type8)
{
    if (index < 256) {
        put8(type8);
        put8(std::uint8_t(index));
    } else if (index < 65536) {
        put8(std::uint8_t(type8 + 1));
        align(2);
        put16(std::uint16_t(index));
    } else {
        put8(std::uint8_t(type8 + 2));
        align(4);
        put32(index);
    }
}

bool QYCoderWriter::writeObjectAlias(const Object* object)
{
    auto found = m_objectCache.find(object);
    if (found == m_objectCache.end())
        return false;
    writeAlias(found->second, TypeObjectAlias8);
    return true;
}

bool QYCoderWriter::writeStringAlias(const Object* object)
{
    auto found = m_stringCache.find(object);
    if (found == m_stringCache.end())
        return false;
    writeAlias(found->second, TypeStringAlias8);
    return true;
}

std::uint32_t QYCoderWriter::registerObject(const ObjectPtr& object)
{
    std::uint32_t index = m_objectCount++;
    m_objectCache[object.get()] = index;
    m_keepAlive.push_back(object);
    return index;
}

std::uint32_t QYCoderWriter::registerString(const ObjectPtr& object)
{
    auto index = std::uint32_t(m_stringCache.size());
    m_stringCache.emplace(object.get(), index);
    m_keepAlive.push_back(object);
    return index;
}

StringPtr QYCoderWriter::internedString(std::string_view text)
{
    // Keys and class names given as text stand for one constant string each, so
    // every use after the first is a short alias.
    auto& string = m_internedStrings[std::string(text)];
    if (!string)
        string = String::make(std::string(text));
    return string;
}

// MARK: Values

void QYCoderWriter::writeValue(const ObjectPtr& object)
{
    if (!object) {
        put8(TypeNil);
        return;
    }
    if (m_depth >= maximumNestingDepth)
        fail("Cannot encode objects nested deeper than " + std::to_string(maximumNestingDepth) + " levels");
    ++m_depth;
    struct DepthGuard {
        int& depth;
        ~DepthGuard() { --depth; }
    } guard { m_depth };

    switch (object->kind()) {
    case Kind::Null:
        put8(TypeNull);
        return;
    case Kind::String:
        writeString(object, static_cast<const String&>(*object));
        return;
    case Kind::Number:
        writeNumber(static_cast<const Number&>(*object));
        return;
    case Kind::Decimal: {
        put8(TypeDecimal);
        align(20);
        const auto& record = static_cast<const Decimal&>(*object).record();
        m_output.putBytes(record);
        return;
    }
    case Kind::Date:
        if (writeObjectAlias(object.get()))
            return;
        registerObject(object);
        put8(TypeDate);
        align(8);
        putF64(static_cast<const Date&>(*object).secondsSince1970());
        return;
    case Kind::Data: {
        if (writeObjectAlias(object.get()))
            return;
        const auto& data = static_cast<const Data&>(*object);
        if (data.bytes().size() > std::numeric_limits<std::uint32_t>::max())
            fail("Cannot encode data longer than 4 GB");
        registerObject(object);
        put8(data.isMutable() ? TypeMutableData : TypeData);
        align(4);
        put32(std::uint32_t(data.bytes().size()));
        m_output.putBytes(data.bytes());
        align(4);
        return;
    }
    case Kind::Collection:
        writeCollection(object, static_cast<const Collection&>(*object));
        return;
    case Kind::Dictionary:
        writeDictionary(object, static_cast<const Dictionary&>(*object));
        return;
    case Kind::Url: {
        if (writeStringAlias(object.get()))
            return;
        const auto& url = static_cast<const Url&>(*object);
        InProgress marker(*this, object.get());
        put8(TypeUrl);
        writeValue(url.relativeString());
        writeValue(url.baseUrl());
        registerString(object);
        return;
    }
    case Kind::Geometry: {
        const auto& value = static_cast<const GeometryValue&>(*object);
        registerObject(object);
        put8(std::uint8_t(TypePoint + int(value.type())));
        if (value.type() == GeometryType::Range) {
            align(4);
            for (double part : value.values())
                put32(std::isnan(part) ? 0u : std::uint32_t(std::clamp(part, 0.0, 4294967295.0)));
        } else {
            align(8);
            for (double part : value.values())
                putF64(part);
        }
        return;
    }
    case Kind::IndexSet: {
        if (writeObjectAlias(object.get()))
            return;
        const auto& set = static_cast<const IndexSet&>(*object);
        if (set.isMutable())
            registerObject(object);
        put8(set.isMutable() ? TypeMutableIndexSet : TypeIndexSet);
        align(4);
        put32(std::uint32_t(set.ranges().size()));
        for (const auto& range : set.ranges()) {
            put32(range.location);
            put32(range.length);
        }
        if (!set.isMutable())
            registerObject(object);
        return;
    }
    case Kind::KeyedObject: {
        if (writeObjectAlias(object.get()))
            return;
        const auto& keyed = static_cast<const KeyedObject&>(*object);
        writeKeyedObject(object, keyed.className(), [&] {
            for (const auto& [key, value] : keyed.properties())
                encodeObject(value, key);
        });
        return;
    }
    case Kind::Model:
        writeModel(object, static_cast<const Model&>(*object));
        return;
    case Kind::ClassDefinition:
        fail("Cannot encode a class definition as a value");
    }
    fail("Cannot encode an object of unknown kind");
}

void QYCoderWriter::writeString(const ObjectPtr& object, const String& string)
{
    if (string.isMutable()) {
        if (writeObjectAlias(object.get()))
            return;
        registerObject(object);
        put8(TypeMutableString);
    } else {
        if (writeStringAlias(object.get()))
            return;
        registerString(object);
        put8(TypeString);
    }
    putCString(string.utf8());
}

void QYCoderWriter::writeNumber(const Number& number)
{
    switch (number.type()) {
    case NumberType::Float32:
        put8(TypeFloat32);
        align(4);
        putF32(float(number.doubleValue()));
        return;
    case NumberType::Float64:
        put8(TypeFloat64);
        align(8);
        putF64(number.doubleValue());
        return;
    default:
        break;
    }
    // The integer chain: each storage width falls through to the next smaller one
    // while the value fits, so small values take one or two bytes.
    std::int64_t value = number.integerValue();
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        put8(TypeInt64);
        align(8);
        put64(std::uint64_t(value));
    } else if (value < -32768 || value > 32767) {
        put8(TypeInt32);
        align(4);
        put32(std::uint32_t(std::int32_t(value)));
    } else if (value < -128 || value > 127) {
        put8(TypeInt16);
        align(2);
        put16(std::uint16_t(std::int16_t(value)));
    } else if (value == 0) {
        put8(number.isBoolean() ? TypeFalse : TypeZero);
    } else if (value == 1) {
        put8(number.isBoolean() ? TypeTrue : TypeOne);
    } else {
        put8(TypeInt8);
        put8(std::uint8_t(std::int8_t(value)));
    }
}

void QYCoderWriter::writeCollection(const ObjectPtr& object, const Collection& collection)
{
    if (writeObjectAlias(object.get()))
        return;
    static constexpr std::uint8_t immutableTypes[] = { TypeArray, TypeSet, TypeOrderedSet };
    static constexpr std::uint8_t mutableTypes[] = { TypeMutableArray, TypeMutableSet, TypeMutableOrderedSet };
    const auto which = std::size_t(collection.type());
    InProgress marker(*this, object.get());
    if (collection.isMutable())
        registerObject(object);
    put8(collection.isMutable() ? mutableTypes[which] : immutableTypes[which]);
    align(4);
    put32(std::uint32_t(collection.count()));
    reserveEntries(collection.count());
    for (const auto& element : collection.elements())
        writeValue(element);
    if (!collection.isMutable())
        registerObject(object);
}

void QYCoderWriter::writeDictionary(const ObjectPtr& object, const Dictionary& dictionary)
{
    // {"$alias": "key.path"} stands for the object that path reaches from the root.
    if (dictionary.count() == 1) {
        if (auto path = as<String>(dictionary.valueForKey("$alias"))) {
            std::string reason;
            auto target = resolveKeyPath(m_rootObject, path->utf8(), &reason);
            if (!target)
                fail("Cannot resolve $alias \"" + path->utf8() + "\": " + reason);
            if (target->get() == object.get())
                fail("A $alias cannot stand for itself");
            writeValue(*target);
            return;
        }
    }
    if (writeObjectAlias(object.get()))
        return;
    if (auto className = as<String>(dictionary.valueForKey("$class"))) {
        writeClassDictionary(object, dictionary, className->utf8());
        return;
    }
    InProgress marker(*this, object.get());
    if (dictionary.isMutable())
        registerObject(object);
    put8(dictionary.isMutable() ? TypeMutableDictionary : TypeDictionary);
    align(4);
    put32(std::uint32_t(dictionary.count()));
    reserveEntries(dictionary.count());
    for (const auto& [key, value] : dictionary.pairs()) {
        writeValue(value);
        writeValue(key);
    }
    if (!dictionary.isMutable())
        registerObject(object);
}

void QYCoderWriter::writeClassDictionary(const ObjectPtr& object, const Dictionary& dictionary, const std::string& className)
{
    // Values by key, first occurrence winning as in lookups; built once so that
    // dictionaries with many keys stay linear.
    std::vector<std::string> keys;
    std::unordered_map<std::string, const ObjectPtr*> values;
    for (const auto& pair : dictionary.pairs()) {
        auto key = as<String>(pair.first);
        if (!key || key->utf8() == "$class")
            continue;
        if (values.emplace(key->utf8(), &pair.second).second)
            keys.push_back(key->utf8());
    }
    // Objects of one class written from dictionaries share a definition as long as
    // they bring no new keys; new keys make an extended definition.
    auto& definition = m_classesByName[className];
    if (!definition) {
        definition = std::make_shared<QYClassDefinition>(className, keys);
    } else {
        std::vector<std::string> merged = definition->propertyKeys();
        std::unordered_set<std::string> known(merged.begin(), merged.end());
        for (const auto& key : keys) {
            if (known.insert(key).second)
                merged.push_back(key);
        }
        if (merged.size() != definition->propertyKeys().size())
            definition = std::make_shared<QYClassDefinition>(className, std::move(merged));
    }
    auto keepDefinition = definition;
    m_keepAlive.push_back(keepDefinition);
    writeObjectHeader(object, keepDefinition.get(), className, keepDefinition->propertyKeys());
    for (const auto& key : keepDefinition->propertyKeys()) {
        auto found = values.find(key);
        writeValue(found == values.end() ? nullptr : *found->second);
    }
}

void QYCoderWriter::writeModel(const ObjectPtr& object, const Model& model)
{
    if (writeObjectAlias(object.get()))
        return;
    const ClassInfo& info = model.classInfo();
    if (info.supportsKeyedCoding() && !info.preferCompactCoding()) {
        writeKeyedObject(object, info.name(), [&] { info.encodeWithCoder()(model, *this); });
        return;
    }
    const auto& properties = info.aggregateProperties();
    std::vector<std::string> keys;
    if (!m_classCache.contains(&info))
        keys = info.aggregatePropertyKeys();
    writeObjectHeader(object, &info, info.name(), keys);
    for (const PropertyInfo* property : properties)
        writeValue(property->get(model));
}

void QYCoderWriter::writeObjectHeader(const ObjectPtr& object, const void* classKey, const std::string& className, const std::vector<std::string>& keys)
{
    auto found = m_classCache.find(classKey);
    std::uint32_t classIndex = 0;
    if (found == m_classCache.end()) {
        classIndex = std::uint32_t(m_classCache.size());
        m_classCache.emplace(classKey, classIndex);
        put8(TypeClassDefinition);
        putCString(className);
        align(4);
        put32(std::uint32_t(keys.size()));
        for (const auto& key : keys)
            putCString(key);
    } else {
        classIndex = found->second;
    }
    registerObject(object);
    if (classIndex < 256) {
        put8(TypeObject8);
        put8(std::uint8_t(classIndex));
    } else if (classIndex < 65536) {
        put8(TypeObject16);
        align(2);
        put16(std::uint16_t(classIndex));
    } else {
        put8(TypeObject32);
        align(4);
        put32(classIndex);
    }
}

void QYCoderWriter::writeKeyedObject(const ObjectPtr& object, const std::string& className, const std::function<void()>& writeValues)
{
    InProgress marker(*this, object.get());
    put8(TypeKeyedObject);
    writeValue(internedString(className));
    writeValues();
    put8(TypeNil);
    registerObject(object);
}

// MARK: Keyed-coding bridge

void QYCoderWriter::encodeObject(const ObjectPtr& object, std::string_view key)
{
    if (!object)
        return;
    writeValue(object);
    writeValue(internedString(key));
}

void QYCoderWriter::encodeConditionalObject(const ObjectPtr& object, std::string_view key)
{
    if (object && m_objectCache.contains(object.get()))
        encodeObject(object, key);
}

} // namespace coding
