#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "coding/Object.h"

namespace coding {

// The values of one keyed-coded object, in the order they were encoded.
using PropertyTable = std::vector<std::pair<std::string, ObjectPtr>>;

// The writing side of the keyed-coding bridge: what an object that only knows
// keyed coding calls to write itself. Scalars are wrapped in numbers, bytes in data.
class KeyedEncoder {
public:
    virtual ~KeyedEncoder() = default;
    // Writes the object, then the key. A nil object writes nothing at all: reading
    // stops at the first nil value, so writing one would cut the object short, and
    // an absent key reads back as nil anyway.
    virtual void encodeObject(const ObjectPtr& object, std::string_view key) = 0;
    // As encodeObject, but only when the object has already been written elsewhere.
    virtual void encodeConditionalObject(const ObjectPtr& object, std::string_view key) = 0;

    void encodeBool(bool value, std::string_view key);
    void encodeInt(int value, std::string_view key);
    void encodeInteger(std::int64_t value, std::string_view key);
    void encodeInt32(std::int32_t value, std::string_view key);
    void encodeInt64(std::int64_t value, std::string_view key);
    void encodeFloat(float value, std::string_view key);
    void encodeDouble(double value, std::string_view key);
    void encodeBytes(const std::uint8_t* bytes, std::size_t length, std::string_view key);
    bool allowsKeyedCoding() const { return true; }
};

// The reading side of the bridge, over the values read for one object.
class KeyedDecoder {
public:
    explicit KeyedDecoder(const PropertyTable& properties)
        : m_properties(properties)
    {
    }

    ObjectPtr decodeObjectForKey(std::string_view key) const;
    bool containsValueForKey(std::string_view key) const;
    bool decodeBoolForKey(std::string_view key) const;
    int decodeIntForKey(std::string_view key) const;
    std::int64_t decodeIntegerForKey(std::string_view key) const;
    std::int32_t decodeInt32ForKey(std::string_view key) const;
    std::int64_t decodeInt64ForKey(std::string_view key) const;
    float decodeFloatForKey(std::string_view key) const;
    double decodeDoubleForKey(std::string_view key) const;
    // The bytes of the stored data value; empty when absent or not data.
    std::vector<std::uint8_t> decodeBytesForKey(std::string_view key) const;
    bool allowsKeyedCoding() const { return true; }

    const PropertyTable& properties() const { return m_properties; }

private:
    const PropertyTable& m_properties;
};

} // namespace coding
