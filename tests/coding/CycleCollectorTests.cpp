#include "CodingTestSupport.h"

#include "coding/CycleCollector.h"

using namespace coding;
using namespace codingtest;

TEST(CycleCollector, FreesCyclesNobodyHolds)
{
    auto a = Collection::mutableArray();
    auto b = Collection::mutableArray({ a });
    a->append(b);
    a->append(a);
    // And one through a model object's property.
    registerTestClasses();
    auto node = std::make_shared<TestNode>();
    node->setNext(node);
    std::weak_ptr<Collection> weakA = a, weakB = b;
    std::weak_ptr<TestNode> weakNode = node;
    a.reset();
    b.reset();
    node.reset();
    EXPECT_FALSE(weakA.expired()) << "reference counting alone cannot free a cycle";
    CycleCollector::shared().collect();
    EXPECT_TRUE(weakA.expired());
    EXPECT_TRUE(weakB.expired());
    EXPECT_TRUE(weakNode.expired());
}

TEST(CycleCollector, KeepsCyclesThatAreStillHeldWithTheirContents)
{
    auto held = Collection::mutableArray({ str("kept") });
    auto inner = Dictionary::make(true);
    inner->set("back", held);
    held->append(inner);
    std::weak_ptr<Dictionary> weakInner = inner;
    inner.reset();
    CycleCollector::shared().collect();
    ASSERT_FALSE(weakInner.expired());
    EXPECT_EQ(held->count(), 2u);
    EXPECT_EQ(as<String>(held->at(0))->utf8(), "kept");
    EXPECT_EQ(as<Dictionary>(held->at(1))->valueForKey("back"), held);

    // Held only through a model object's property counts as held too.
    registerTestClasses();
    auto node = std::make_shared<TestNode>();
    node->setNext(held);
    held.reset();
    CycleCollector::shared().collect();
    ASSERT_FALSE(weakInner.expired());
    node.reset();
    CycleCollector::shared().collect();
    EXPECT_TRUE(weakInner.expired());
}

namespace {

// `records` model objects in a mutable array, encoded; with `closesCycle` the
// array also holds itself, so decoding it makes an alias back to the array
// while the array is still being filled.
Bytes listOfNodes(int records, bool closesCycle)
{
    registerTestClasses();
    auto list = Collection::mutableArray();
    for (int i = 0; i < records; ++i) {
        auto node = std::make_shared<TestNode>();
        node->setCount(i);
        list->append(node);
    }
    if (closesCycle)
        list->append(list);
    Bytes bytes = encode(list);
    list->removeAll();
    return bytes;
}

// A cycle nothing holds: only a run of the collector frees it.
std::weak_ptr<Object> strayCycle()
{
    auto array = Collection::mutableArray();
    array->append(array);
    return array;
}

} // namespace

TEST(CycleCollector, DecodingRunsItOnlyAfterClosingACycle)
{
    // More containers than the collector's floor, so a run would be due.
    Bytes plain = listOfNodes(5000, false);
    Bytes cyclic = listOfNodes(5000, true);
    CycleCollector::shared().collect();

    auto stray = strayCycle();
    decode(plain);
    EXPECT_FALSE(stray.expired()) << "a decode that closed no cycle walks nothing";

    std::weak_ptr<Object> firstCyclic;
    {
        auto list = as<Collection>(decode(cyclic));
        ASSERT_TRUE(list);
        EXPECT_EQ(list->at(5000).get(), list.get());
        firstCyclic = list;
    }
    EXPECT_TRUE(stray.expired()) << "a decode that closed a cycle lets the due run happen";
    EXPECT_FALSE(firstCyclic.expired()) << "reference counting alone cannot free the decoded cycle";

    // The survivors of the last run set when the next one is due.
    decode(cyclic);
    decode(cyclic);
    EXPECT_TRUE(firstCyclic.expired()) << "a later cyclic decode's run frees the dropped one";
    CycleCollector::shared().collect();
}
