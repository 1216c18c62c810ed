#include "coding/QYCoderReader.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

#include "coding/ClassInfo.h"
#include "coding/ClassRegistry.h"
#include "coding/Collection.h"
#include "coding/CycleCollector.h"
#include "coding/Data.h"
#include "coding/Date.h"
#include "coding/Decimal.h"
#include "coding/Dictionary.h"
#include "coding/GeometryValue.h"
#include "coding/IndexSet.h"
#include "coding/KeyedObject.h"
#include "coding/Null.h"
#include "coding/QYClassDefinition.h"
#include "coding/TypeCode.h"
#include "coding/Url.h"
#include "platform/Log.h"

namespace coding {

static std::string format(const char* pattern, auto... values)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

QYCoderReader::QYCoderReader(std::span<const std::uint8_t> input, Table table)
    : m_input(input)
    , m_table(table)
{
}

void QYCoderReader::fail(std::string message) const { throw QYCodingException(CodingError { std::move(message), m_offset }); }

DecodeResult QYCoderReader::run()
{
    DecodeResult result;
    if (m_input.size() < 8 || std::memcmp(m_input.data(), "TSAF", 4) != 0) {
        result.error = CodingError { "The data does not start with the TSAF header", 0 };
        return result;
    }
    try {
        m_offset = 4;
        std::uint16_t major = u16(0);
        std::uint16_t minor = u16(0);
        if (major == 3) {
            // The counts are only hints; never trust them beyond what the data can hold.
            std::size_t rest = m_input.size();
            m_objectCache.reserve(std::min<std::size_t>(u32(0), rest));
            m_classCache.reserve(std::min<std::size_t>(u32(0), rest));
            m_stringCache.reserve(std::min<std::size_t>(u32(0), rest));
        } else if (major == 2) {
            m_version2 = true;
        } else {
            fail(format("This version of the decoder doesn't support format version %i.%i files", int(major), int(minor)));
        }
        result.object = readValue();
    } catch (const QYCodingException& exception) {
        result.error = exception.error();
        result.object = nullptr;
        releasePartialGraph();
    }
    m_objectCache.clear();
    m_stringCache.clear();
    m_properties.clear();
    // Without a cycle, reference counting frees whatever this run made; walking
    // every live container would only cost time.
    if (!m_cycleTargets.empty())
        CycleCollector::shared().collectIfDue();
    m_cycleTargets.clear();
    return result;
}

void QYCoderReader::releasePartialGraph()
{
    // The half-read graph may hold cycles through containers that were
    // registered before their contents; nobody outside holds any of it, and
    // each such cycle runs through a container an alias pointed back to.
    m_objectCache.clear();
    m_stringCache.clear();
    m_properties.clear();
    for (auto& weak : m_cycleTargets) {
        if (auto object = weak.lock())
            static_cast<Container*>(object.get())->clearChildren();
    }
    m_cycleTargets.clear();
}

QYCoderReader::Filling::Filling(QYCoderReader& reader, std::size_t index)
    : m_reader(reader)
{
    m_reader.m_filling.push_back(index);
}

QYCoderReader::Filling::~Filling() { m_reader.m_filling.pop_back(); }

// MARK: Bytes

void QYCoderReader::need(std::size_t bytes, std::size_t start) const
{
    if (m_offset > m_input.size() || bytes > m_input.size() - m_offset)
        throw QYCodingException(CodingError { format("Unexpected EOF when parsing object starting at %i", int(start)), m_offset });
}

void QYCoderReader::align(std::size_t width, std::size_t start)
{
    std::size_t padding = (width - m_offset % width) % width;
    need(padding, start);
    m_offset += padding;
}

std::uint8_t QYCoderReader::u8(std::size_t start)
{
    need(1, start);
    return m_input[m_offset++];
}

std::uint16_t QYCoderReader::u16(std::size_t start)
{
    align(2, start);
    need(2, start);
    std::uint16_t value = std::uint16_t(m_input[m_offset] | m_input[m_offset + 1] << 8);
    m_offset += 2;
    return value;
}

std::uint32_t QYCoderReader::u32(std::size_t start)
{
    align(4, start);
    need(4, start);
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | m_input[m_offset + std::size_t(i)];
    m_offset += 4;
    return value;
}

std::uint64_t QYCoderReader::u64(std::size_t start)
{
    align(8, start);
    need(8, start);
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = value << 8 | m_input[m_offset + std::size_t(i)];
    m_offset += 8;
    return value;
}

double QYCoderReader::f64(std::size_t start) { return std::bit_cast<double>(u64(start)); }

std::string QYCoderReader::cString(std::size_t start)
{
    need(1, start);
    const auto* begin = m_input.data() + m_offset;
    const auto* zero = static_cast<const std::uint8_t*>(std::memchr(begin, 0, m_input.size() - m_offset));
    if (!zero)
        throw QYCodingException(CodingError { format("Unexpected EOF when parsing object starting at %i", int(start)), m_input.size() });
    std::string text(reinterpret_cast<const char*>(begin), std::size_t(zero - begin));
    m_offset += text.size() + 1;
    return text;
}

std::uint32_t QYCoderReader::count(std::size_t itemSize, std::size_t start)
{
    std::uint32_t items = u32(start);
    if (std::uint64_t(items) * itemSize > m_input.size() - m_offset)
        throw QYCodingException(CodingError { format("Unexpected EOF when parsing object starting at %i", int(start)), m_input.size() });
    return items;
}

// MARK: Caches

std::size_t QYCoderReader::registerObject(ObjectPtr object)
{
    m_objectCache.push_back(std::move(object));
    return m_objectCache.size() - 1;
}

std::size_t QYCoderReader::registerString(ObjectPtr object)
{
    if (m_version2)
        return registerObject(std::move(object));
    m_stringCache.push_back(std::move(object));
    return m_stringCache.size() - 1;
}

const ObjectPtr& QYCoderReader::cached(const std::vector<ObjectPtr>& cache, std::uint64_t index) const
{
    if (index >= cache.size())
        fail(format("Attempted to read cache object at index %llu, but cache object count is %zu", (unsigned long long)index, cache.size()));
    return cache[std::size_t(index)];
}

// MARK: Values

std::uint32_t QYCoderReader::readTypeCode()
{
    std::size_t start = m_offset;
    return m_version2 ? u32(start) : u8(start);
}

ObjectPtr QYCoderReader::readValue()
{
    if (m_depth >= maximumNestingDepth)
        fail(format("Object nesting deeper than %i levels at offset %zu", maximumNestingDepth, m_offset));
    ++m_depth;
    struct DepthGuard {
        int& depth;
        ~DepthGuard() { --depth; }
    } guard { m_depth };
    std::size_t start = m_offset;
    std::uint32_t type = readTypeCode();
    return readValueOfType(type, start);
}

ObjectPtr QYCoderReader::readValueOfType(std::uint32_t type, std::size_t start)
{
    bool unsupported = type >= TypeCount;
    if (m_table == Table::PropertyList) {
        switch (type) {
        case TypeNil:
        case TypeClassDefinition:
        case TypeObject8:
        case TypeObject16:
        case TypeObject32:
        case TypeKeyedObject:
            unsupported = true;
            break;
        default:
            break;
        }
    }
    if (unsupported) {
        m_offset = start;
        fail(format("Cannot decode object of type: %i", int(type > 0x7fffffff ? -1 : int(type))));
    }

    switch (type) {
    case TypeNil:
        return nullptr;
    case TypeNull:
        return Null::shared();
    case TypeObjectAlias8:
    case TypeObjectAlias16:
    case TypeObjectAlias32:
    case TypeStringAlias8:
    case TypeStringAlias16:
    case TypeStringAlias32:
        return readAlias(type, start);
    case TypeString:
        return readString(false, start);
    case TypeMutableString:
        return readString(true, start);
    case TypeDictionary:
        return readDictionary(false, start);
    case TypeMutableDictionary:
        return readDictionary(true, start);
    case TypeArray:
    case TypeSet:
    case TypeOrderedSet:
    case TypeMutableArray:
    case TypeMutableSet:
    case TypeMutableOrderedSet:
        return readCollection(type, start);
    case TypeTrue:
        return Number::boolean(true);
    case TypeFalse:
        return Number::boolean(false);
    case TypeInt8:
        return Number::integer(std::int8_t(u8(start)), NumberType::Int8);
    case TypeInt16:
        return Number::integer(std::int16_t(u16(start)), NumberType::Int16);
    case TypeInt32:
        return Number::integer(std::int32_t(u32(start)), NumberType::Int32);
    case TypeInt64:
        return Number::integer(std::int64_t(u64(start)), NumberType::Int64);
    case TypeFloat32:
        return Number::real(double(std::bit_cast<float>(u32(start))), NumberType::Float32);
    case TypeFloat64:
        return Number::real(f64(start), NumberType::Float64);
    case TypeData:
        return readData(false, start);
    case TypeMutableData:
        return readData(true, start);
    case TypeDate: {
        auto date = Date::make(f64(start));
        registerObject(date);
        return date;
    }
    case TypeClassDefinition:
        return readClassDefinition(start);
    case TypeObject8:
    case TypeObject16:
    case TypeObject32:
        return readObject(type, start);
    case TypeUrl:
        return readUrl(start);
    case TypePoint:
    case TypeSize:
    case TypeRect:
    case TypeRange:
    case TypeVector:
    case TypeAffineTransform:
    case TypeTransform3D:
        return readGeometry(type, start);
    case TypeMutableIndexSet:
        return readIndexSet(true, start);
    case TypeIndexSet:
        return readIndexSet(false, start);
    case TypeKeyedObject:
        return readKeyedObject(start);
    case TypeDecimal:
        return readDecimal(start);
    case TypeOne:
        return Number::integer(1, NumberType::Int32);
    case TypeZero:
        return Number::integer(0, NumberType::Int32);
    }
    fail(format("Cannot decode object of type: %i", int(type)));
}

const ObjectPtr& QYCoderReader::objectAlias(std::uint64_t index)
{
    const ObjectPtr& object = cached(m_objectCache, index);
    if (!m_filling.empty() && index >= m_filling.front() && std::binary_search(m_filling.begin(), m_filling.end(), std::size_t(index))) {
        bool known = !m_cycleTargets.empty() && m_cycleTargets.back().lock() == object;
        if (!known && dynamic_cast<Container*>(object.get()))
            m_cycleTargets.push_back(object);
    }
    return object;
}

ObjectPtr QYCoderReader::readAlias(std::uint32_t type, std::size_t start)
{
    bool isString = type >= TypeStringAlias8;
    std::uint32_t width = type - (isString ? TypeStringAlias8 : TypeObjectAlias8);
    std::uint64_t index = width == 0 ? u8(start) : width == 1 ? u16(start) : u32(start);
    if (isString && !m_version2)
        return cached(m_stringCache, index);
    return objectAlias(index);
}

ObjectPtr QYCoderReader::readString(bool isMutable, std::size_t start)
{
    auto string = String::make(cString(start), isMutable);
    if (isMutable)
        registerObject(string);
    else
        registerString(string);
    return string;
}

void QYCoderReader::readPairs(Dictionary& dictionary, std::uint32_t pairs)
{
    for (std::uint32_t i = 0; i < pairs; ++i) {
        ObjectPtr value = readValue();
        ObjectPtr key = readValue();
        dictionary.append(std::move(key), std::move(value));
    }
}

ObjectPtr QYCoderReader::readDictionary(bool isMutable, std::size_t start)
{
    std::uint32_t pairs = count(2, start);
    auto dictionary = Dictionary::make(isMutable);
    dictionary->reserve(pairs);
    if (!isMutable) {
        readPairs(*dictionary, pairs);
        registerObject(dictionary);
        return dictionary;
    }
    Filling filling(*this, registerObject(dictionary));
    readPairs(*dictionary, pairs);
    return dictionary;
}

ObjectPtr QYCoderReader::readCollection(std::uint32_t type, std::size_t start)
{
    bool isMutable = type >= TypeMutableString;
    std::uint32_t first = isMutable ? TypeMutableArray : TypeArray;
    auto collection = std::make_shared<Collection>(CollectionType(type - first), isMutable);
    std::uint32_t elements = count(1, start);
    collection->reserve(elements);
    if (!isMutable) {
        for (std::uint32_t i = 0; i < elements; ++i)
            collection->append(readValue());
        registerObject(collection);
        return collection;
    }
    Filling filling(*this, registerObject(collection));
    for (std::uint32_t i = 0; i < elements; ++i)
        collection->append(readValue());
    return collection;
}

ObjectPtr QYCoderReader::readData(bool isMutable, std::size_t start)
{
    std::uint32_t length = u32(start);
    need(length, start);
    std::vector<std::uint8_t> bytes(m_input.begin() + std::ptrdiff_t(m_offset), m_input.begin() + std::ptrdiff_t(m_offset + length));
    m_offset += length;
    align(4, start);
    auto data = Data::make(std::move(bytes), isMutable);
    registerObject(data);
    return data;
}

ObjectPtr QYCoderReader::readClassDefinition(std::size_t start)
{
    std::string className = cString(start);
    std::uint32_t keyCount = count(1, start);
    // Registered before its keys are read, as the writer counted it.
    std::vector<std::string> keys;
    keys.reserve(keyCount);
    std::size_t slot = m_version2 ? m_objectCache.size() : m_classCache.size();
    if (m_version2)
        registerObject(nullptr);
    else
        m_classCache.push_back(nullptr);
    for (std::uint32_t i = 0; i < keyCount; ++i)
        keys.push_back(cString(start));
    auto definition = std::make_shared<QYClassDefinition>(std::move(className), std::move(keys));
    if (m_version2)
        m_objectCache[slot] = definition;
    else
        m_classCache[slot] = definition;

    std::size_t objectStart = m_offset;
    std::uint32_t next = readTypeCode();
    if (next != TypeObject8 && next != TypeObject16 && next != TypeObject32) {
        m_offset = objectStart;
        fail(format("The class definition starting at %i is not followed by an object", int(start)));
    }
    return readObject(next, objectStart);
}

ObjectPtr QYCoderReader::readObject(std::uint32_t type, std::size_t start)
{
    std::uint64_t index = type == TypeObject8 ? u8(start) : type == TypeObject16 ? u16(start) : u32(start);
    std::shared_ptr<QYClassDefinition> definition;
    if (m_version2) {
        definition = as<QYClassDefinition>(cached(m_objectCache, index));
        if (!definition)
            fail(format("Cache object at index %llu is not a class definition", (unsigned long long)index));
    } else {
        if (index >= m_classCache.size() || !m_classCache[std::size_t(index)])
            fail(format("Attempted to read cache object at index %llu, but cache object count is %zu", (unsigned long long)index, m_classCache.size()));
        definition = m_classCache[std::size_t(index)];
    }

    const ClassBinding& bound = binding(*definition);
    ModelPtr model;
    DictionaryPtr dictionary;
    ObjectPtr object;
    if (bound.info) {
        model = bound.info->makeInstance();
        object = model;
    }
    if (!model && !definition->className().empty()) {
        dictionary = Dictionary::make(true);
        dictionary->reserve(definition->propertyKeys().size() + 1);
        dictionary->append(String::make("$class"), String::make(definition->className()));
        object = dictionary;
    }
    std::size_t slot = registerObject(object);
    Filling filling(*this, slot);

    if (dictionary) {
        // Key strings are made once per definition and shared by its objects.
        std::size_t keySlot = std::size_t(index);
        if (m_classKeyStrings.size() <= keySlot && !m_version2)
            m_classKeyStrings.resize(m_classCache.size());
        std::vector<StringPtr> local;
        std::vector<StringPtr>& keyStrings = m_version2 ? local : m_classKeyStrings[keySlot];
        if (keyStrings.size() != definition->propertyKeys().size()) {
            keyStrings.clear();
            for (const auto& key : definition->propertyKeys())
                keyStrings.push_back(String::make(key));
        }
        for (const auto& key : keyStrings)
            dictionary->append(key, readValue());
        return dictionary;
    }
    const auto& keys = definition->propertyKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const PropertyInfo* property = bound.properties[i];
        std::optional<bool> stored;
        if (model && property && property->type != PropertyType::Object)
            stored = setPlainNumber(*model, *property);
        if (!stored) {
            ObjectPtr value = readValue();
            stored = property && model && property->set(*model, std::move(value));
        }
        if (model && !*stored)
            platform::log::line("coding", definition->className() + ": ignored the stored value of \"" + keys[i] + "\" (no such property, or a value of another class)");
    }
    if (model) {
        ObjectPtr awake = model->awakeAfterDecoding();
        if (awake != object) {
            m_objectCache[slot] = awake;
            return awake;
        }
    }
    return object;
}

std::optional<bool> QYCoderReader::setPlainNumber(Model& model, const PropertyInfo& property)
{
    if (m_depth >= maximumNestingDepth)
        return std::nullopt; // readValue refuses it
    std::size_t start = m_offset;
    std::uint32_t type = readTypeCode();
    // The number lives only for the call: a scalar keeps its value, not the object.
    std::optional<Number> number;
    Number* value = nullptr;
    switch (type) {
    case TypeTrue:
    case TypeFalse:
        value = (type == TypeTrue ? m_true : m_false).get();
        break;
    case TypeOne:
    case TypeZero:
        value = &number.emplace(std::int64_t(type == TypeOne ? 1 : 0), NumberType::Int32);
        break;
    case TypeInt8:
        value = &number.emplace(std::int64_t(std::int8_t(u8(start))), NumberType::Int8);
        break;
    case TypeInt16:
        value = &number.emplace(std::int64_t(std::int16_t(u16(start))), NumberType::Int16);
        break;
    case TypeInt32:
        value = &number.emplace(std::int64_t(std::int32_t(u32(start))), NumberType::Int32);
        break;
    case TypeInt64:
        value = &number.emplace(std::int64_t(u64(start)), NumberType::Int64);
        break;
    case TypeFloat32:
        value = &number.emplace(double(std::bit_cast<float>(u32(start))), NumberType::Float32);
        break;
    case TypeFloat64:
        value = &number.emplace(f64(start), NumberType::Float64);
        break;
    default:
        m_offset = start;
        return std::nullopt;
    }
    return property.set(model, ObjectPtr(ObjectPtr(), value));
}

const QYCoderReader::ClassBinding& QYCoderReader::binding(const QYClassDefinition& definition)
{
    auto [found, added] = m_bindings.try_emplace(&definition);
    ClassBinding& bound = found->second;
    if (added) {
        bound.info = ClassRegistry::shared().find(definition.className());
        for (const auto& key : definition.propertyKeys())
            bound.properties.push_back(bound.info ? bound.info->propertyNamed(key) : nullptr);
    }
    return bound;
}

ObjectPtr QYCoderReader::readUrl(std::size_t start)
{
    ObjectPtr relative = readValue();
    auto relativeString = as<String>(relative);
    if (!relativeString)
        fail(format("The URL starting at %i has no relative string", int(start)));
    ObjectPtr base = readValue();
    auto baseUrl = as<Url>(base);
    if (base && !baseUrl)
        fail(format("The base of the URL starting at %i is not a URL", int(start)));
    auto url = std::make_shared<Url>(std::move(relativeString), std::move(baseUrl));
    registerString(url);
    return url;
}

ObjectPtr QYCoderReader::readGeometry(std::uint32_t type, std::size_t start)
{
    auto geometryType = GeometryType(type - TypePoint);
    std::vector<double> values(GeometryValue::valueCount(geometryType));
    if (geometryType == GeometryType::Range) {
        for (double& value : values)
            value = u32(start);
    } else {
        for (double& value : values)
            value = f64(start);
    }
    auto value = GeometryValue::make(geometryType, std::move(values));
    registerObject(value);
    return value;
}

ObjectPtr QYCoderReader::readIndexSet(bool isMutable, std::size_t start)
{
    auto set = std::make_shared<IndexSet>(isMutable);
    std::uint32_t ranges = count(8, start);
    if (isMutable)
        registerObject(set);
    for (std::uint32_t i = 0; i < ranges; ++i) {
        std::uint32_t location = u32(start);
        std::uint32_t length = u32(start);
        set->addRange({ location, length });
    }
    if (!isMutable)
        registerObject(set);
    return set;
}

ObjectPtr QYCoderReader::readKeyedObject(std::size_t start)
{
    auto className = as<String>(readValue());
    if (!className)
        fail(format("The keyed object starting at %i has no class name", int(start)));
    m_properties.emplace_back();
    while (true) {
        ObjectPtr value = readValue();
        if (!value)
            break;
        auto key = as<String>(readValue());
        if (!key)
            fail(format("A value of the keyed object starting at %i has no key", int(start)));
        m_properties.back().emplace_back(key->utf8(), std::move(value));
    }
    PropertyTable table = std::move(m_properties.back());
    m_properties.pop_back();

    ObjectPtr object;
    const ClassInfo* info = ClassRegistry::shared().find(className->utf8());
    if (info && info->supportsKeyedCoding())
        object = info->initWithCoder()(KeyedDecoder(table));
    else
        object = std::make_shared<KeyedObject>(className->utf8(), std::move(table));
    registerObject(object);
    return object;
}

ObjectPtr QYCoderReader::readDecimal(std::size_t start)
{
    align(20, start);
    need(20, start);
    Decimal::Record record;
    std::memcpy(record.data(), m_input.data() + m_offset, record.size());
    m_offset += record.size();
    return std::make_shared<Decimal>(record);
}

} // namespace coding
