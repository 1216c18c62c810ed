#include "CodingTestSupport.h"

#include "coding/CycleCollector.h"
#include "coding/Decimal.h"
#include "coding/GeometryValue.h"
#include "coding/IndexSet.h"
#include "coding/JsonForm.h"
#include "coding/KeyedObject.h"
#include "coding/Null.h"
#include "coding/Url.h"

using namespace coding;
using namespace codingtest;

namespace {

std::string compact(const ObjectPtr& object) { return JsonForm::toJson(object).dump(); }

ObjectPtr imported(const std::string& text)
{
    auto result = JsonForm::fromText(text);
    EXPECT_TRUE(result.ok()) << *result.error;
    return result.object;
}

std::string importError(const std::string& text)
{
    auto result = JsonForm::fromText(text);
    EXPECT_FALSE(result.ok()) << text;
    return result.error.value_or("");
}

} // namespace

TEST(JsonForm, ValuesHaveTheirForms)
{
    auto list = Collection::array({
        str("s"),
        Number::boolean(true),
        Number::integer(5),
        Number::integer(2, NumberType::Int8),
        Number::real(1.5),
        Number::real(0.5, NumberType::Float32),
        nullptr,
        Null::shared(),
        Data::make({ 1, 2, 3 }),
        Date::make(10),
        String::make("m", true),
        GeometryValue::make(GeometryType::Range, { 1, 2 }),
        IndexSet::make({ { 4, 2 } }),
        Decimal::make(1, 0),
    });
    EXPECT_EQ(compact(list),
        R"(["s",true,5,{"$int8":2},1.5,{"$float":0.5},null,{"$null":true},{"$data":"AQID"},{"$date":10.0},)"
        R"({"$mutableString":"m"},{"$range":[1.0,2.0]},{"$indexSet":[[4,2]]},{"$decimal":"0021000001000000000000000000000000000000"}])");
}

TEST(JsonForm, ModelsAndSharedObjects)
{
    registerTestClasses();
    auto name = str("n");
    auto node = std::make_shared<TestNode>();
    node->setName(name);
    node->setCount(3);
    node->setFlag(true);
    node->setNext(name);
    auto dictionary = Dictionary::make(true);
    dictionary->set("node", node);
    dictionary->set("again", node);
    EXPECT_EQ(compact(dictionary),
        R"({"$mutableDictionary":{"node":{"$class":"TestNode","name":"n","next":{"$alias":"node.name"},"count":3,)"
        R"("flag":true,"ratio":{"$float":0.0},"weight":0.0,"big":0},"again":{"$alias":"node"}}})");
    auto back = as<Dictionary>(imported(compact(dictionary)));
    auto nodeBack = std::dynamic_pointer_cast<TestNode>(back->valueForKey("node"));
    ASSERT_TRUE(nodeBack);
    EXPECT_EQ(back->valueForKey("again"), nodeBack);
    EXPECT_EQ(nodeBack->next(), nodeBack->name());
    EXPECT_EQ(nodeBack->count(), 3);
}

TEST(JsonForm, ExportThenImportKeepsTheBytes)
{
    registerTestClasses();
    auto shared = Data::make({ 9, 9 });
    auto cyclic = Collection::mutableArray({ shared, str("x") });
    cyclic->append(cyclic);
    auto root = Dictionary::make(true);
    root->set("cyclic", cyclic);
    root->set("shared", shared);
    auto oddKeys = Dictionary::make();
    oddKeys->set(Number::integer(1), str("one"));
    oddKeys->set(str("$weird"), str("tag-like"));
    oddKeys->set(str("a.b"), str("dotted"));
    root->set("odd", oddKeys);
    root->set("url", Url::make("x", Url::make("http://h/")));
    root->set("sets", Collection::make(CollectionType::Set, true, { str("p"), Collection::make(CollectionType::OrderedSet, false, { str("q") }) }));
    root->set("nan", Number::real(std::nan("")));
    root->set("inf", Number::real(-INFINITY, NumberType::Float32));
    root->set("ints", Collection::array({ Number::integer(-70000, NumberType::Int32), Number::integer(1, NumberType::Int16) }));
    root->set("keyed", std::make_shared<KeyedObject>("Gone", PropertyTable { { "k", shared } }));
    auto testKeyed = std::make_shared<TestKeyed>();
    testKeyed->title = str("t");
    testKeyed->payload = cyclic;
    root->set("testKeyed", testKeyed);
    auto ghost = Dictionary::make(true);
    ghost->set("$class", str("Ghost"));
    ghost->set("a", nullptr);
    ghost->set("b", str("x"));
    root->set("ghosts", Collection::array({ ghost, ghost }));
    auto node = std::make_shared<TestChild>();
    node->setNext(node);
    node->setRatio(0.1f);
    root->set("node", node);
    expectJsonRoundTripKeepsBytes(root);
    cyclic->removeAll();
    node->setNext(nullptr);
}

TEST(JsonForm, AliasToTheRootAndIntoCycles)
{
    auto array = as<Collection>(imported(R"({"$mutableArray":[1,{"$alias":""}]})"));
    ASSERT_TRUE(array);
    EXPECT_EQ(array->at(1), array);
    array->removeAll();
    auto list = as<Collection>(imported(R"([{"$mutableArray":["a"]},{"$alias":"0"},{"$alias":"0.0"}])"));
    EXPECT_EQ(list->at(0), list->at(1));
    EXPECT_EQ(as<Collection>(list->at(0))->at(0), list->at(2));
}

TEST(JsonForm, BadDocumentsAreRefusedWithAReason)
{
    registerTestClasses();
    EXPECT_TRUE(importError("{").starts_with("not valid JSON (")) << "with where the parser stopped";
    EXPECT_NE(importError("{").find("line 1, column 2"), std::string::npos);
    EXPECT_NE(importError(R"({"$data":"!!"})").find("base64"), std::string::npos);
    EXPECT_NE(importError(R"({"$wat":1})").find("unknown tag"), std::string::npos);
    EXPECT_NE(importError(R"([{"$alias":"5"}])").find("$alias"), std::string::npos);
    EXPECT_NE(importError(R"({"$class":"TestNode","name":3})").find("TestNode.name"), std::string::npos);
    EXPECT_NE(importError(R"({"$class":"TestNode","nope":3})").find("no property"), std::string::npos);
    EXPECT_NE(importError(R"({"$int8":300})").find("does not fit"), std::string::npos);
    EXPECT_NE(importError(R"(18446744073709551615)").find("64-bit"), std::string::npos);
    EXPECT_NE(importError(R"({"$point":[1]})").find("2 numbers"), std::string::npos);
    EXPECT_NE(importError(R"({"$decimal":"12"})").find("40"), std::string::npos);
    EXPECT_NE(importError(R"({"$url":3})").find("$url"), std::string::npos);
    std::string deep(2000, '[');
    deep += std::string(2000, ']');
    EXPECT_NE(importError(deep).find("deeper"), std::string::npos);
    // A failed import holding a cycle leaves nothing behind.
    importError(R"({"$mutableArray":[{"$alias":""},{"$data":"?"}]})");
    CycleCollector::shared().collect();
}
