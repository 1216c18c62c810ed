#include "CodingTestSupport.h"

#include <cmath>
#include <iterator>

#include "coding/ClassRegistry.h"
#include "coding/CycleCollector.h"
#include "coding/Decimal.h"
#include "coding/GeometryValue.h"
#include "coding/IndexSet.h"
#include "coding/KeyedObject.h"
#include "coding/Null.h"
#include "coding/Url.h"

using namespace coding;
using namespace codingtest;

namespace {

class QYCoderRoundTrip : public ::testing::Test {
protected:
    void SetUp() override { registerTestClasses(); }
    void TearDown() override { CycleCollector::shared().collect(); }
};

// One of everything the encoding knows, with mutable and immutable variants.
DictionaryPtr everything()
{
    auto root = Dictionary::make(true);
    root->set("string", str("文字 text"));
    root->set("empty", str(""));
    root->set("mutableString", String::make("grow", true));
    root->set("int8", Number::integer(-7, NumberType::Int8));
    root->set("int64", Number::integer(-(std::int64_t(1) << 50)));
    root->set("float", Number::real(0.25, NumberType::Float32));
    root->set("double", Number::real(3.141592653589793));
    root->set("yes", Number::boolean(true));
    root->set("decimal", Decimal::make(99, -1, true));
    root->set("data", Data::make({ 0, 1, 2, 3, 4 }));
    root->set("mutableData", Data::make({ 5 }, true));
    root->set("date", Date::make(1480000000.5));
    root->set("null", Null::shared());
    root->set("array", Collection::array({ str("a"), Number::integer(2) }));
    root->set("set", Collection::make(CollectionType::Set, false, { str("x"), str("y") }));
    root->set("orderedSet", Collection::make(CollectionType::OrderedSet, true, { str("z") }));
    auto oddKeys = Dictionary::make(false);
    oddKeys->set(Number::integer(5), str("five"));
    oddKeys->set(str("with.dot"), str("dot"));
    root->set("oddKeys", oddKeys);
    auto base = Url::make("https://example.com/dir/");
    root->set("url", Url::make("page.html", base));
    root->set("point", GeometryValue::make(GeometryType::Point, { 1.5, -2 }));
    root->set("rect", GeometryValue::make(GeometryType::Rect, { 0, 0, 320, 480 }));
    root->set("transform3d", GeometryValue::make(GeometryType::Transform3D, { 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 }));
    root->set("indexes", IndexSet::make({ { 1, 3 }, { 10, 2 } }));
    root->set("mutableIndexes", IndexSet::make({ { 0, 1 } }, true));
    auto keyed = std::make_shared<TestKeyed>();
    keyed->title = str("kept");
    keyed->score = 42;
    root->set("keyed", keyed);
    root->set("unknownKeyed", std::make_shared<KeyedObject>("Vanished", PropertyTable { { "v", Number::integer(3) } }));
    auto node = std::make_shared<TestChild>();
    node->setName(str("node"));
    node->setExtra(str("more"));
    node->setCount(-40000);
    node->setFlag(true);
    node->setRatio(0.5f);
    node->setWeight(2.75);
    node->setBig(std::int64_t(1) << 40);
    root->set("node", node);
    return root;
}

} // namespace

TEST_F(QYCoderRoundTrip, EveryKindOfValueComesBack)
{
    auto original = everything();
    auto decoded = as<Dictionary>(decode(encode(original)));
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->isMutable());
    ASSERT_EQ(decoded->count(), original->count());
    for (const auto& [key, value] : original->pairs()) {
        const std::string& name = as<String>(key)->utf8();
        ObjectPtr back = decoded->valueForKey(name);
        ASSERT_TRUE(back) << name;
        EXPECT_EQ(back->kind(), value->kind()) << name;
        if (value->kind() != Kind::Collection && value->kind() != Kind::Dictionary && value->kind() != Kind::Model
            && value->kind() != Kind::KeyedObject) {
            EXPECT_TRUE(back->isEqual(*value)) << name;
        }
    }
    EXPECT_TRUE(as<String>(decoded->valueForKey("mutableString"))->isMutable());
    EXPECT_FALSE(as<String>(decoded->valueForKey("string"))->isMutable());
    EXPECT_TRUE(as<Data>(decoded->valueForKey("mutableData"))->isMutable());
    EXPECT_EQ(as<Number>(decoded->valueForKey("float"))->type(), NumberType::Float32);
    EXPECT_TRUE(as<Collection>(decoded->valueForKey("orderedSet"))->isMutable());
    EXPECT_EQ(as<Collection>(decoded->valueForKey("set"))->type(), CollectionType::Set);
    auto oddKeys = as<Dictionary>(decoded->valueForKey("oddKeys"));
    EXPECT_EQ(as<String>(oddKeys->objectForKey(Number::integer(5)))->utf8(), "five");
    auto url = as<Url>(decoded->valueForKey("url"));
    EXPECT_EQ(url->relativeString()->utf8(), "page.html");
    EXPECT_EQ(url->baseUrl()->relativeString()->utf8(), "https://example.com/dir/");
    auto keyed = std::dynamic_pointer_cast<TestKeyed>(decoded->valueForKey("keyed"));
    ASSERT_TRUE(keyed);
    EXPECT_EQ(keyed->title->utf8(), "kept");
    EXPECT_EQ(keyed->score, 42);
    auto unknownKeyed = as<KeyedObject>(decoded->valueForKey("unknownKeyed"));
    ASSERT_TRUE(unknownKeyed);
    EXPECT_EQ(unknownKeyed->className(), "Vanished");
    auto node = std::dynamic_pointer_cast<TestChild>(decoded->valueForKey("node"));
    ASSERT_TRUE(node);
    EXPECT_EQ(node->extra()->utf8(), "more");
    EXPECT_EQ(node->name()->utf8(), "node");
    EXPECT_EQ(node->count(), -40000);
    EXPECT_TRUE(node->flag());
    EXPECT_FLOAT_EQ(node->ratio(), 0.5f);
    EXPECT_DOUBLE_EQ(node->weight(), 2.75);
    EXPECT_EQ(node->big(), std::int64_t(1) << 40);
    // Writing the decoded graph again gives the same bytes.
    EXPECT_EQ(hex(encode(decoded)), hex(encode(original)));
}

TEST_F(QYCoderRoundTrip, SharedStringsAndDataStayShared)
{
    auto name = str("shared");
    auto avatar = Data::make(Bytes(3000, 0xab));
    auto list = Collection::mutableArray();
    for (int i = 0; i < 5; ++i) {
        auto node = std::make_shared<TestNode>();
        node->setName(name);
        node->setNext(avatar);
        list->append(node);
    }
    Bytes bytes = encode(list);
    EXPECT_LT(bytes.size(), 3300u);
    auto decoded = as<Collection>(decode(bytes));
    auto first = std::dynamic_pointer_cast<TestNode>(decoded->at(0));
    for (const auto& element : decoded->elements()) {
        auto node = std::dynamic_pointer_cast<TestNode>(element);
        EXPECT_EQ(node->name().get(), first->name().get());
        EXPECT_EQ(node->next().get(), first->next().get());
    }
    EXPECT_NE(first->name().get(), name.get());
}

TEST_F(QYCoderRoundTrip, CycleThroughAModelObjectComesBack)
{
    auto node = std::make_shared<TestNode>();
    node->setNext(Collection::mutableArray({ node }));
    auto decoded = std::dynamic_pointer_cast<TestNode>(decode(encode(node)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(as<Collection>(decoded->next())->at(0).get(), decoded.get());
    node->setNext(nullptr);
}

TEST_F(QYCoderRoundTrip, ImmutableSelfContainingGraphIsRefusedNotLooped)
{
    auto array = Collection::array();
    array->append(array);
    EncodeResult result = QYCoder::encode(array);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(QYCoder::dataWithRootObject(array), std::nullopt);
    array->removeAll();
}

TEST_F(QYCoderRoundTrip, UnknownClassReadsAsClassDictionaryAndWritesTheSameBytes)
{
    auto ghost = Dictionary::make(true);
    ghost->set("$class", str("Ghost"));
    ghost->set("a", str("x"));
    ghost->set("b", nullptr);
    ghost->set("c", Number::integer(3));
    auto second = Dictionary::make(true);
    second->set("$class", str("Ghost"));
    second->set("a", str("y"));
    Bytes bytes = encode(Collection::array({ ghost, second }));
    EXPECT_EQ(headerCount(bytes, 12), 1u) << "the second object reuses the definition";

    auto decoded = as<Collection>(decode(bytes));
    auto back = as<Dictionary>(decoded->at(0));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->isMutable());
    EXPECT_EQ(as<String>(back->valueForKey("$class"))->utf8(), "Ghost");
    EXPECT_EQ(back->count(), 4u) << "one entry per stored key, nil ones included";
    EXPECT_TRUE(back->containsKey("b"));
    EXPECT_EQ(hex(encode(decoded)), hex(bytes));
}

TEST_F(QYCoderRoundTrip, ClassDictionaryWithNewKeysExtendsTheDefinition)
{
    auto first = Dictionary::make(true);
    first->set("$class", str("Ghost"));
    first->set("a", str("x"));
    auto second = Dictionary::make(true);
    second->set("$class", str("Ghost"));
    second->set("b", str("y"));
    Bytes bytes = encode(Collection::array({ first, second }));
    EXPECT_EQ(headerCount(bytes, 12), 2u);
    auto back = as<Dictionary>(as<Collection>(decode(bytes))->at(1));
    EXPECT_EQ(back->count(), 3u);
    EXPECT_EQ(back->valueForKey("a"), nullptr);
    EXPECT_EQ(as<String>(back->valueForKey("b"))->utf8(), "y");
}

TEST_F(QYCoderRoundTrip, AwakeAfterDecodingReplacesTheObjectEverywhere)
{
    auto object = std::make_shared<TestCanonical>();
    auto decoded = as<Collection>(decode(encode(Collection::array({ object, object }))));
    EXPECT_EQ(decoded->at(0), TestCanonical::canonical());
    EXPECT_EQ(decoded->at(1), TestCanonical::canonical());
}

TEST_F(QYCoderRoundTrip, AliasDictionaryWritesTheObjectItsPathReaches)
{
    auto root = Dictionary::make(true);
    auto list = Collection::array({ str("first"), Data::make({ 1 }) });
    root->set("list", list);
    auto alias = Dictionary::make();
    alias->set("$alias", str("list.1"));
    root->set("again", alias);
    auto decoded = as<Dictionary>(decode(encode(root)));
    EXPECT_EQ(decoded->valueForKey("again"), as<Collection>(decoded->valueForKey("list"))->at(1));

    alias->set("$alias", str("list.7"));
    EXPECT_FALSE(QYCoder::encode(root).ok());
}

TEST_F(QYCoderRoundTrip, KeyedObjectsSkipNilValues)
{
    auto keyed = std::make_shared<TestKeyed>();
    keyed->score = 7;
    auto decoded = std::dynamic_pointer_cast<TestKeyed>(decode(encode(keyed)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->title, nullptr);
    EXPECT_EQ(decoded->score, 7);
    auto list = as<Collection>(decode(encode(Collection::array({ keyed, str("after") }))));
    ASSERT_EQ(list->count(), 2u);
    EXPECT_EQ(as<String>(list->at(1))->utf8(), "after");
}

TEST_F(QYCoderRoundTrip, PropertyListReadsValuesButNoObjects)
{
    auto values = Collection::array({ str("a"), Number::integer(3), Date::make(5) });
    EXPECT_TRUE(QYCoder::propertyListWithData(encode(values)));
    DecodeResult objects = QYCoder::decodePropertyList(encode(std::make_shared<TestNode>()));
    ASSERT_FALSE(objects.ok());
    EXPECT_EQ(objects.error->message, "Cannot decode object of type: 29");
    DecodeResult nil = QYCoder::decodePropertyList(encode(Collection::array({ nullptr })));
    ASSERT_FALSE(nil.ok());
    EXPECT_EQ(nil.error->message, "Cannot decode object of type: 0");
}

TEST_F(QYCoderRoundTrip, VersionTwoFilesUseWideTypeCodesAndOneCache)
{
    Bytes bytes = { 'T', 'S', 'A', 'F', 2, 0, 0, 0,
        10, 0, 0, 0, 2, 0, 0, 0,      // array of two
        8, 0, 0, 0, 'h', 'i', 0, 0,   // string (object index 0), padding
        5, 0, 0, 0, 0 };              // string alias to object index 0
    auto array = as<Collection>(decode(bytes));
    ASSERT_TRUE(array);
    ASSERT_EQ(array->count(), 2u);
    EXPECT_EQ(as<String>(array->at(0))->utf8(), "hi");
    EXPECT_EQ(array->at(0), array->at(1));

    Bytes object = { 'T', 'S', 'A', 'F', 2, 0, 0, 0,
        29, 0, 0, 0, 'P', 0, 0, 0, 1, 0, 0, 0, 'k', 0, 0, 0, // class definition P(k): object index 0
        30, 0, 0, 0, 0, 0, 0, 0,                              // object of the definition at index 0
        45, 0, 0, 0 };                                        // k = 1
    auto dictionary = as<Dictionary>(decode(object));
    ASSERT_TRUE(dictionary);
    EXPECT_EQ(as<String>(dictionary->valueForKey("$class"))->utf8(), "P");
    EXPECT_EQ(as<Number>(dictionary->valueForKey("k"))->integerValue(), 1);
}

TEST_F(QYCoderRoundTrip, StoredKeysMeetTheClassAsItIsNow)
{
    // Stored under two definitions of one class: keys it no longer has and
    // values of another class are skipped, every object of a definition alike.
    auto stored = [](const char* name, ObjectPtr count, bool withGone) {
        auto node = Dictionary::make(true);
        node->set("$class", str("TestNode"));
        node->set("name", str(name));
        if (withGone)
            node->set("gone", str("no longer a property"));
        node->set("count", std::move(count));
        node->set("flag", Number::boolean(true));
        return node;
    };
    Bytes bytes = encode(Collection::array({ stored("a", Number::integer(7), true), stored("b", str("not a number"), true),
        stored("c", Number::integer(40000), false), stored("d", Number::integer(9), true) }));
    auto decoded = as<Collection>(decode(bytes));
    ASSERT_TRUE(decoded);
    struct Expected {
        const char* name;
        std::int32_t count;
    };
    const Expected expected[] = { { "a", 7 }, { "b", 0 }, { "c", 40000 }, { "d", 9 } };
    ASSERT_EQ(decoded->count(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].name);
        auto node = as<TestNode>(decoded->at(i));
        ASSERT_TRUE(node);
        EXPECT_EQ(node->name()->utf8(), expected[i].name);
        EXPECT_EQ(node->count(), expected[i].count);
        EXPECT_TRUE(node->flag());
    }
}

TEST_F(QYCoderRoundTrip, SmallNumbersKeepTheirTypeAndSign)
{
    struct Case {
        NumberPtr number;
        NumberType type;
        double value; // -0.0 where the sign must survive
    };
    const Case cases[] = {
        { Number::integer(0, NumberType::Int8), NumberType::Int8, 0 },
        { Number::integer(0, NumberType::Int32), NumberType::Int32, 0 },
        { Number::integer(15, NumberType::Int16), NumberType::Int16, 15 },
        { Number::integer(16, NumberType::Int64), NumberType::Int64, 16 },
        { Number::integer(-1, NumberType::Int32), NumberType::Int32, -1 },
        { Number::real(3, NumberType::Float32), NumberType::Float32, 3 },
        { Number::real(3, NumberType::Float64), NumberType::Float64, 3 },
        { Number::real(2.5, NumberType::Float64), NumberType::Float64, 2.5 },
        { Number::real(-0.0, NumberType::Float64), NumberType::Float64, -0.0 },
        { Number::real(-0.0, NumberType::Float32), NumberType::Float32, -0.0 },
        { Number::real(7.9, NumberType::Int32), NumberType::Int32, 7 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " of type " + std::to_string(int(c.type)));
        EXPECT_EQ(c.number->type(), c.type);
        EXPECT_FALSE(c.number->isBoolean());
        // Written and read back it is the same value, and writes the same bytes again.
        Bytes bytes = encode(Collection::array({ c.number }));
        auto back = as<Collection>(decode(bytes));
        ASSERT_TRUE(back);
        for (const auto& number : { c.number, as<Number>(back->at(0)) }) {
            ASSERT_TRUE(number);
            EXPECT_EQ(number->doubleValue(), c.value);
            EXPECT_EQ(std::signbit(number->doubleValue()), std::signbit(c.value));
        }
        EXPECT_EQ(hex(encode(back)), hex(bytes));
    }
    EXPECT_NE(Number::integer(1, NumberType::Int8), Number::boolean(true)) << "true is not the number 1";
}

TEST_F(QYCoderRoundTrip, StoredNumbersSetScalarsAsTheGenericSetterDoes)
{
    // Every stored form of a number (booleans, one and zero, each integer width,
    // both float widths) into each scalar type, against setValueForKey.
    const char* keys[] = { "count", "flag", "ratio", "weight", "big" };
    const NumberPtr numbers[] = { Number::boolean(true), Number::boolean(false), Number::integer(0), Number::integer(1),
        Number::integer(-1), Number::integer(100), Number::integer(1000), Number::integer(40000), Number::integer(-(std::int64_t(1) << 40)),
        Number::real(0.25, NumberType::Float32), Number::real(2.9), Number::real(-0.0), Number::real(1e12) };
    for (const char* key : keys) {
        std::vector<ObjectPtr> stored;
        for (const auto& number : numbers) {
            auto node = Dictionary::make(true);
            node->set("$class", str("TestNode"));
            node->set(key, number);
            stored.push_back(node);
        }
        auto decoded = as<Collection>(decode(encode(Collection::array(std::move(stored)))));
        ASSERT_TRUE(decoded);
        for (std::size_t i = 0; i < std::size(numbers); ++i) {
            SCOPED_TRACE(std::string(key) + " from value " + std::to_string(i));
            auto node = as<TestNode>(decoded->at(i));
            ASSERT_TRUE(node);
            TestNode expected;
            ASSERT_TRUE(expected.setValueForKey(key, numbers[i]));
            EXPECT_EQ(node->count(), expected.count());
            EXPECT_EQ(node->flag(), expected.flag());
            EXPECT_EQ(node->ratio(), expected.ratio());
            EXPECT_EQ(node->weight(), expected.weight());
            EXPECT_EQ(std::signbit(node->weight()), std::signbit(expected.weight()));
            EXPECT_EQ(node->big(), expected.big());
        }
    }
}
