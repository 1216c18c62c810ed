#include "coding/KeyedCoding.h"

#include "coding/Data.h"
#include "coding/Number.h"

namespace coding {

void KeyedEncoder::encodeBool(bool value, std::string_view key) { encodeObject(Number::boolean(value), key); }
void KeyedEncoder::encodeInt(int value, std::string_view key) { encodeObject(Number::integer(value, NumberType::Int32), key); }
void KeyedEncoder::encodeInteger(std::int64_t value, std::string_view key) { encodeObject(Number::integer(value, NumberType::Int64), key); }
void KeyedEncoder::encodeInt32(std::int32_t value, std::string_view key) { encodeObject(Number::integer(value, NumberType::Int32), key); }
void KeyedEncoder::encodeInt64(std::int64_t value, std::string_view key) { encodeObject(Number::integer(value, NumberType::Int64), key); }
void KeyedEncoder::encodeFloat(float value, std::string_view key) { encodeObject(Number::real(value, NumberType::Float32), key); }
void KeyedEncoder::encodeDouble(double value, std::string_view key) { encodeObject(Number::real(value, NumberType::Float64), key); }

void KeyedEncoder::encodeBytes(const std::uint8_t* bytes, std::size_t length, std::string_view key)
{
    encodeObject(Data::make(bytes ? std::vector<std::uint8_t>(bytes, bytes + length) : std::vector<std::uint8_t>()), key);
}

ObjectPtr KeyedDecoder::decodeObjectForKey(std::string_view key) const
{
    for (const auto& [name, value] : m_properties) {
        if (name == key)
            return value;
    }
    return nullptr;
}

bool KeyedDecoder::containsValueForKey(std::string_view key) const
{
    for (const auto& property : m_properties) {
        if (property.first == key)
            return true;
    }
    return false;
}

static std::shared_ptr<Number> numberFor(const KeyedDecoder& decoder, std::string_view key)
{
    return as<Number>(decoder.decodeObjectForKey(key));
}

bool KeyedDecoder::decodeBoolForKey(std::string_view key) const
{
    auto number = numberFor(*this, key);
    return number && number->boolValue();
}

int KeyedDecoder::decodeIntForKey(std::string_view key) const { return decodeInt32ForKey(key); }
std::int64_t KeyedDecoder::decodeIntegerForKey(std::string_view key) const { return decodeInt64ForKey(key); }

std::int32_t KeyedDecoder::decodeInt32ForKey(std::string_view key) const
{
    auto number = numberFor(*this, key);
    return number ? std::int32_t(number->integerValue()) : 0;
}

std::int64_t KeyedDecoder::decodeInt64ForKey(std::string_view key) const
{
    auto number = numberFor(*this, key);
    return number ? number->integerValue() : 0;
}

float KeyedDecoder::decodeFloatForKey(std::string_view key) const { return float(decodeDoubleForKey(key)); }

double KeyedDecoder::decodeDoubleForKey(std::string_view key) const
{
    auto number = numberFor(*this, key);
    return number ? number->doubleValue() : 0.0;
}

std::vector<std::uint8_t> KeyedDecoder::decodeBytesForKey(std::string_view key) const
{
    auto data = as<Data>(decodeObjectForKey(key));
    return data ? data->bytes() : std::vector<std::uint8_t>();
}

} // namespace coding
