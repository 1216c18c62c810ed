#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "coding/CodingResult.h"
#include "coding/KeyedCoding.h"
#include "coding/Model.h"
#include "coding/Number.h"
#include "coding/String.h"

namespace coding {

class ClassInfo;
class Dictionary;
class QYClassDefinition;
struct PropertyInfo;

// One decoding run over one blob.
//
// Version 3 (what this program writes): a 20-byte header with three cache counts,
// then one value: a type byte and its payload (see TypeCode.h).
//
// Version 2 (read only, for files of the older layout): an 8-byte header ("TSAF",
// major 2, minor) with no counts, then one value. Every type code is a 32-bit
// little-endian number aligned to 4 bytes instead of a byte; payloads are those of
// version 3. There is a single cache: strings, URLs and class definitions are
// registered in the object cache like everything else, so string aliases (5-7)
// and the class index of objects (30-32) are object-cache indexes, and the entry
// an object names must be a class definition.
class QYCoderReader {
public:
    // The full table reads every type; the property-list table has no reader for
    // nil, class definitions, objects and keyed-coded objects.
    enum class Table { Full, PropertyList };

    QYCoderReader(std::span<const std::uint8_t> input, Table table);

    DecodeResult run();

private:
    ObjectPtr readValue();
    ObjectPtr readValueOfType(std::uint32_t type, std::size_t start);
    std::uint32_t readTypeCode();
    ObjectPtr readAlias(std::uint32_t type, std::size_t start);
    ObjectPtr readString(bool isMutable, std::size_t start);
    ObjectPtr readDictionary(bool isMutable, std::size_t start);
    void readPairs(Dictionary& dictionary, std::uint32_t pairs);
    ObjectPtr readCollection(std::uint32_t type, std::size_t start);
    ObjectPtr readData(bool isMutable, std::size_t start);
    ObjectPtr readClassDefinition(std::size_t start);
    ObjectPtr readObject(std::uint32_t type, std::size_t start);
    ObjectPtr readUrl(std::size_t start);
    ObjectPtr readGeometry(std::uint32_t type, std::size_t start);
    ObjectPtr readIndexSet(bool isMutable, std::size_t start);
    ObjectPtr readKeyedObject(std::size_t start);
    ObjectPtr readDecimal(std::size_t start);

    void need(std::size_t bytes, std::size_t start) const;
    void align(std::size_t width, std::size_t start);
    std::uint8_t u8(std::size_t start);
    std::uint16_t u16(std::size_t start);
    std::uint32_t u32(std::size_t start);
    std::uint64_t u64(std::size_t start);
    double f64(std::size_t start);
    std::string cString(std::size_t start);
    // A count of items each at least `itemSize` bytes long, refused when the rest
    // of the data cannot hold them (so that no huge allocation follows).
    std::uint32_t count(std::size_t itemSize, std::size_t start);
    std::size_t registerObject(ObjectPtr object);
    std::size_t registerString(ObjectPtr object);
    const ObjectPtr& cached(const std::vector<ObjectPtr>& cache, std::uint64_t index) const;
    // An alias to an object that is still being filled closes a cycle.
    const ObjectPtr& objectAlias(std::uint64_t index);
    [[noreturn]] void fail(std::string message) const;
    void releasePartialGraph();

    std::span<const std::uint8_t> m_input;
    std::size_t m_offset = 0;
    Table m_table;
    bool m_version2 = false;
    int m_depth = 0;
    std::vector<ObjectPtr> m_objectCache;
    std::vector<ObjectPtr> m_stringCache;
    std::vector<std::shared_ptr<QYClassDefinition>> m_classCache;
    // One key string per key of each class definition, shared by the "$class"
    // dictionaries made for objects of unknown classes.
    std::vector<std::vector<StringPtr>> m_classKeyStrings;
    // What a definition stands for in this program: its registered class (nullptr
    // when unknown) and that class's property for each stored key (nullptr when it
    // has none). Looked up once per definition instead of per object and key.
    struct ClassBinding {
        const ClassInfo* info = nullptr;
        std::vector<const PropertyInfo*> properties;
    };
    const ClassBinding& binding(const QYClassDefinition& definition);
    // Sets a scalar property from a plain number that comes next, straight from
    // the bytes; nullopt (nothing read) when the next value is anything else.
    std::optional<bool> setPlainNumber(Model& model, const PropertyInfo& property);
    NumberPtr m_true = Number::boolean(true);
    NumberPtr m_false = Number::boolean(false);
    std::unordered_map<const QYClassDefinition*, ClassBinding> m_bindings;
    // Tables of keyed-coded objects being read; nested ones push their own.
    std::vector<PropertyTable> m_properties;
    // Object-cache indexes of the containers whose contents are being read,
    // outermost first (so ascending); they were registered before their contents.
    std::vector<std::size_t> m_filling;
    // Containers an alias pointed back to while they were being filled: every
    // cycle this run made passes through one of them.
    std::vector<std::weak_ptr<Object>> m_cycleTargets;

    // Marks the container at `index` as being filled for the guard's lifetime.
    class Filling {
    public:
        Filling(QYCoderReader& reader, std::size_t index);
        ~Filling();

    private:
        QYCoderReader& m_reader;
    };
};

} // namespace coding
