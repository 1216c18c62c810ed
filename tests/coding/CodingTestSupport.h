#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "coding/ClassInfo.h"
#include "coding/Collection.h"
#include "coding/Data.h"
#include "coding/Date.h"
#include "coding/Dictionary.h"
#include "coding/Number.h"
#include "coding/QYCoder.h"
#include "coding/String.h"

namespace codingtest {

using Bytes = std::vector<std::uint8_t>;

// Encodes and expects success.
Bytes encode(const coding::ObjectPtr& object);
// Decodes and expects success.
coding::ObjectPtr decode(const Bytes& bytes);
// Decodes and expects failure; returns the error.
coding::CodingError decodeFailure(const Bytes& bytes);
// Encodes, exports to JSON text, imports, encodes again; expects the same bytes.
void expectJsonRoundTripKeepsBytes(const coding::ObjectPtr& object);

std::uint32_t headerCount(const Bytes& bytes, std::size_t offset);
std::string hex(const Bytes& bytes);
// A header with the given counts, followed by `body`.
Bytes blob(const Bytes& body, std::uint32_t objects = 0, std::uint32_t classes = 0, std::uint32_t strings = 0);

inline coding::StringPtr str(const char* text) { return coding::String::make(text); }

// A model class with properties of every declared type, and a reference to any
// object (for graphs through model objects).
class TestNode : public coding::Model {
public:
    static const coding::ClassInfo& staticClassInfo();
    const coding::ClassInfo& classInfo() const override { return staticClassInfo(); }

    const coding::StringPtr& name() const { return m_name; }
    void setName(coding::StringPtr value) { m_name = std::move(value); }
    const coding::ObjectPtr& next() const { return m_next; }
    void setNext(coding::ObjectPtr value) { m_next = std::move(value); }
    std::int32_t count() const { return m_count; }
    void setCount(std::int32_t value) { m_count = value; }
    bool flag() const { return m_flag; }
    void setFlag(bool value) { m_flag = value; }
    float ratio() const { return m_ratio; }
    void setRatio(float value) { m_ratio = value; }
    double weight() const { return m_weight; }
    void setWeight(double value) { m_weight = value; }
    std::int64_t big() const { return m_big; }
    void setBig(std::int64_t value) { m_big = value; }

private:
    coding::StringPtr m_name;
    coding::ObjectPtr m_next;
    std::int32_t m_count = 0;
    bool m_flag = false;
    float m_ratio = 0;
    double m_weight = 0;
    std::int64_t m_big = 0;
};

// A subclass: its own property first, then the inherited ones.
class TestChild final : public TestNode {
public:
    static const coding::ClassInfo& staticClassInfo();
    const coding::ClassInfo& classInfo() const override { return staticClassInfo(); }
    const coding::StringPtr& extra() const { return m_extra; }
    void setExtra(coding::StringPtr value) { m_extra = std::move(value); }

private:
    coding::StringPtr m_extra;
};

// A class that writes itself through the keyed-coding bridge.
class TestKeyed final : public coding::Model {
public:
    static const coding::ClassInfo& staticClassInfo();
    const coding::ClassInfo& classInfo() const override { return staticClassInfo(); }
    coding::StringPtr title;
    std::int32_t score = 0;
    coding::ObjectPtr payload;
};

// A class whose decoded objects are replaced by one canonical instance.
class TestCanonical final : public coding::Model {
public:
    static const coding::ClassInfo& staticClassInfo();
    const coding::ClassInfo& classInfo() const override { return staticClassInfo(); }
    static std::shared_ptr<TestCanonical> canonical();
    coding::ObjectPtr awakeAfterDecoding() override { return canonical(); }
};

void registerTestClasses();

} // namespace codingtest
