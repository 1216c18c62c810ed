#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "coding/CodingResult.h"
#include "coding/EncodedOutput.h"
#include "coding/KeyedCoding.h"
#include "coding/String.h"

namespace coding {

class ClassInfo;
class Collection;
class Dictionary;
class KeyedObject;
class Model;
class QYClassDefinition;

// One encoding run: writes the header, the root value, then patches the header's
// counts of objects, class definitions and strings. Also the writing side of the
// keyed-coding bridge for objects that write themselves by key.
class QYCoderWriter final : public KeyedEncoder {
public:
    explicit QYCoderWriter(ObjectPtr rootObject);

    EncodeResult run();

    void encodeObject(const ObjectPtr& object, std::string_view key) override;
    void encodeConditionalObject(const ObjectPtr& object, std::string_view key) override;

private:
    void writeValue(const ObjectPtr& object);
    void writeString(const ObjectPtr& object, const String& string);
    void writeNumber(const class Number& number);
    void writeCollection(const ObjectPtr& object, const Collection& collection);
    void writeDictionary(const ObjectPtr& object, const Dictionary& dictionary);
    void writeClassDictionary(const ObjectPtr& object, const Dictionary& dictionary, const std::string& className);
    void writeModel(const ObjectPtr& object, const Model& model);
    void writeKeyedObject(const ObjectPtr& object, const std::string& className, const std::function<void()>& writeValues);
    void writeObjectHeader(const ObjectPtr& object, const void* classKey, const std::string& className, const std::vector<std::string>& keys);

    bool writeObjectAlias(const Object* object);
    bool writeStringAlias(const Object* object);
    void writeAlias(std::uint32_t index, std::uint8_t type8);
    std::uint32_t registerObject(const ObjectPtr& object);
    std::uint32_t registerString(const ObjectPtr& object);
    StringPtr internedString(std::string_view text);

    // Room for `count` more entries in the identity maps, asked for when a
    // collection's length becomes known, so long lists rehash once, early.
    void reserveEntries(std::size_t count);

    void align(std::size_t width) { m_output.align(width); }
    void put8(std::uint8_t value) { m_output.put8(value); }
    void put16(std::uint16_t value) { m_output.put16(value); }
    void put32(std::uint32_t value) { m_output.put32(value); }
    void put64(std::uint64_t value) { m_output.put64(value); }
    void putF32(float value);
    void putF64(double value);
    void putCString(const std::string& text);
    [[noreturn]] void fail(std::string message) const;

    // Marks an object whose contents are being written; meeting it again before it
    // is registered would recurse forever, so that is refused.
    class InProgress {
    public:
        InProgress(QYCoderWriter& writer, const Object* object);
        ~InProgress();

    private:
        QYCoderWriter& m_writer;
        const Object* m_object;
    };

    ObjectPtr m_rootObject;
    EncodedOutput m_output;
    std::unordered_map<const Object*, std::uint32_t> m_objectCache;
    std::unordered_map<const Object*, std::uint32_t> m_stringCache;
    std::unordered_map<const void*, std::uint32_t> m_classCache;
    std::unordered_map<std::string, std::shared_ptr<QYClassDefinition>> m_classesByName;
    std::unordered_map<std::string, StringPtr> m_internedStrings;
    std::uint32_t m_objectCount = 0;
    // Everything registered stays alive for the run, so that no address in the
    // identity maps can be reused by a new object.
    std::vector<ObjectPtr> m_keepAlive;
    std::unordered_set<const Object*> m_inProgress;
    int m_depth = 0;
};

} // namespace coding
