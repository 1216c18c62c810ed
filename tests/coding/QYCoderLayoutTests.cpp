// Byte-level checks of the layouts whose exact bytes are fixed: the header and its
// counts, alignment relative to the start, alias widths, the integer chain, data
// padding and the decimal's 20-byte alignment.
#include "CodingTestSupport.h"

#include "coding/Decimal.h"
#include "coding/GeometryValue.h"
#include "coding/KeyedObject.h"

using namespace coding;
using namespace codingtest;

namespace {

Bytes encodedArrayOf(ObjectPtr element) { return encode(Collection::array({ std::move(element) })); }

// The bytes after the array's header (type, padding, count), i.e. from offset 28.
Bytes elementBytes(const Bytes& bytes) { return Bytes(bytes.begin() + 28, bytes.end()); }

} // namespace

TEST(QYCoderLayout, EmptyCollectionsHaveCountZeroAndReadBackEmpty)
{
    for (auto type : { CollectionType::Array, CollectionType::Set, CollectionType::OrderedSet }) {
        Bytes bytes = encode(Collection::make(type, false));
        EXPECT_EQ(hex(bytes), hex(blob({ std::uint8_t(10 + int(type)), 0, 0, 0, 0, 0, 0, 0 }, 1)));
        auto decoded = as<Collection>(decode(bytes));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->count(), 0u);
        EXPECT_EQ(decoded->type(), type);
    }
    EXPECT_EQ(hex(encode(Dictionary::make())), hex(blob({ 9, 0, 0, 0, 0, 0, 0, 0 }, 1)));
    EXPECT_EQ(hex(encode(Dictionary::make(true))), hex(blob({ 24, 0, 0, 0, 0, 0, 0, 0 }, 1)));
}

TEST(QYCoderLayout, SameStringTwiceIsWrittenOnceThenAsOneByteAlias)
{
    auto hello = str("hello");
    Bytes bytes = encode(Collection::array({ hello, hello }));
    EXPECT_EQ(hex(bytes), hex(blob({ 10, 0, 0, 0, 2, 0, 0, 0, 8, 'h', 'e', 'l', 'l', 'o', 0, 5, 0 }, 1, 0, 1)));
}

TEST(QYCoderLayout, IntegerChainPicksTheSmallestType)
{
    struct Case {
        ObjectPtr number;
        Bytes bytes;
    };
    const Case cases[] = {
        { Number::integer(0), { 46 } },
        { Number::integer(1, NumberType::Int32), { 45 } },
        { Number::boolean(false), { 14 } },
        { Number::boolean(true), { 13 } },
        { Number::integer(-5, NumberType::Int16), { 15, 0xfb } },
        { Number::integer(127, NumberType::Int32), { 15, 0x7f } },
        { Number::integer(200), { 16, 0, 0xc8, 0x00 } },
        { Number::integer(-129), { 16, 0, 0x7f, 0xff } },
        { Number::integer(70000), { 17, 0, 0, 0, 0x70, 0x11, 0x01, 0x00 } },
        { Number::integer(std::int64_t(1) << 40), { 18, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0 } },
        { Number::real(1.5, NumberType::Float32), { 19, 0, 0, 0, 0x00, 0x00, 0xc0, 0x3f } },
        { Number::real(1.0), { 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xf0, 0x3f } },
    };
    for (const auto& c : cases) {
        Bytes bytes = encodedArrayOf(c.number);
        EXPECT_EQ(hex(elementBytes(bytes)), hex(c.bytes)) << hex(bytes);
        auto back = as<Number>(as<Collection>(decode(bytes))->at(0));
        ASSERT_TRUE(back);
        EXPECT_TRUE(back->isEqual(*c.number));
        EXPECT_EQ(back->isBoolean(), as<Number>(c.number)->isBoolean());
        if (back->isBoolean()) {
            EXPECT_EQ(back, c.number) << "a decoded boolean is the shared constant";
        }
    }
}

TEST(QYCoderLayout, DataIsPaddedToAMultipleOfFour)
{
    Bytes bytes = encode(Data::make({ 1, 2, 3 }));
    EXPECT_EQ(hex(bytes), hex(blob({ 21, 0, 0, 0, 3, 0, 0, 0, 1, 2, 3, 0 }, 1)));
    EXPECT_EQ(hex(encode(Data::make({ 9 }, true))), hex(blob({ 28, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0 }, 1)));
}

TEST(QYCoderLayout, DecimalRecordStartsAtAMultipleOfTwenty)
{
    auto decimal = Decimal::make(12345, -2);
    // Root: the type byte brings the output to 21; the record starts at 40.
    Bytes root = encode(decimal);
    ASSERT_EQ(root.size(), 60u);
    EXPECT_EQ(root[20], 44);
    for (std::size_t i = 21; i < 40; ++i)
        EXPECT_EQ(root[i], 0) << i;
    EXPECT_TRUE(std::equal(decimal->record().begin(), decimal->record().end(), root.begin() + 40));

    // Keyed object: 43, then the class name "A" (8 'A' 0), so the decimal's type
    // byte brings the output to 25; still the record starts at 40, not 28 or 32.
    auto keyed = std::make_shared<KeyedObject>("A", PropertyTable { { "d", decimal } });
    Bytes inner = encode(keyed);
    EXPECT_EQ(inner[24], 44);
    for (std::size_t i = 25; i < 40; ++i)
        EXPECT_EQ(inner[i], 0) << i;
    EXPECT_TRUE(std::equal(decimal->record().begin(), decimal->record().end(), inner.begin() + 40));
    auto back = as<Decimal>(decode(root));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->record(), decimal->record());
    EXPECT_DOUBLE_EQ(back->doubleValue(), 123.45);
}

TEST(QYCoderLayout, ModelWithTwoStringsCountsOneObjectOneClassTwoStrings)
{
    auto dictionary = Dictionary::make(true);
    dictionary->set("$class", str("Person"));
    dictionary->set("first", str("x"));
    dictionary->set("last", str("y"));
    Bytes bytes = encode(dictionary);
    EXPECT_EQ(headerCount(bytes, 8), 1u);
    EXPECT_EQ(headerCount(bytes, 12), 1u);
    EXPECT_EQ(headerCount(bytes, 16), 2u);
    EXPECT_EQ(hex(bytes), hex(blob({ 29, 'P', 'e', 'r', 's', 'o', 'n', 0, 2, 0, 0, 0, 'f', 'i', 'r', 's', 't', 0, 'l', 'a', 's', 't', 0,
                                     30, 0, 8, 'x', 0, 8, 'y', 0 },
                              1, 1, 2)));
}

TEST(QYCoderLayout, AliasWidthsFollowTheIndex)
{
    auto aliasTail = [](std::size_t count, bool strings) {
        std::vector<ObjectPtr> elements;
        for (std::size_t i = 0; i < count; ++i) {
            if (strings)
                elements.push_back(String::make("s" + std::to_string(i)));
            else
                elements.push_back(Data::make({ std::uint8_t(i) }));
        }
        elements.push_back(elements.back());
        Bytes bytes = encode(Collection::array(elements));
        auto array = as<Collection>(decode(bytes));
        EXPECT_EQ(array->at(count), array->at(count - 1));
        return bytes;
    };
    // Index 299: 16-bit alias, aligned to 2.
    Bytes strings = aliasTail(300, true);
    std::size_t n = strings.size();
    EXPECT_EQ(strings[n - 2], 0x2b);
    EXPECT_EQ(strings[n - 1], 0x01);
    EXPECT_EQ((n - 2) % 2, 0u);
    EXPECT_TRUE(strings[n - 3] == 6 || (strings[n - 3] == 0 && strings[n - 4] == 6));
    Bytes objects = aliasTail(300, false);
    n = objects.size();
    EXPECT_EQ(objects[n - 2], 0x2b);
    EXPECT_TRUE(objects[n - 3] == 3 || (objects[n - 3] == 0 && objects[n - 4] == 3));
    // Index 69999: 32-bit alias, aligned to 4.
    Bytes wide = aliasTail(70000, true);
    n = wide.size();
    EXPECT_EQ(hex(Bytes(wide.end() - 4, wide.end())), hex({ 0x6f, 0x11, 0x01, 0x00 }));
    EXPECT_EQ((n - 4) % 4, 0u);
    EXPECT_EQ(headerCount(wide, 16), 70000u);
}

TEST(QYCoderLayout, GeometryValuesTakeObjectIndexesSoLaterAliasesAgree)
{
    auto data = Data::make({ 7 });
    auto point = GeometryValue::make(GeometryType::Point, { 1, 2 });
    Bytes bytes = encode(Collection::array({ point, data, data, point }));
    // point(0), data(1), alias 1, point again (2), then the array (3).
    EXPECT_EQ(headerCount(bytes, 8), 4u);
    auto array = as<Collection>(decode(bytes));
    EXPECT_EQ(array->at(1), array->at(2));
    EXPECT_TRUE(array->at(0)->isEqual(*point));
    EXPECT_TRUE(array->at(3)->isEqual(*point));
    Bytes range = encode(GeometryValue::make(GeometryType::Range, { 3, 4 }));
    EXPECT_EQ(hex(range), hex(blob({ 37, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0 }, 1)));
}

TEST(QYCoderLayout, MutableArrayIsRegisteredBeforeItsElements)
{
    auto array = Collection::mutableArray();
    array->append(array);
    Bytes bytes = encode(array);
    EXPECT_EQ(hex(bytes), hex(blob({ 25, 0, 0, 0, 1, 0, 0, 0, 2, 0 }, 1)));
    array->removeAll();
}

TEST(QYCoderLayout, ClassDefinitionIsWrittenOncePerClass)
{
    registerTestClasses();
    auto a = std::make_shared<TestNode>();
    auto b = std::make_shared<TestNode>();
    Bytes bytes = encode(Collection::array({ a, b }));
    EXPECT_EQ(headerCount(bytes, 12), 1u);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 29), 1);
}
