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
    std::weak_ptr<Collection> weakA = a, weakB = b;
    a.reset();
    b.reset();
    EXPECT_FALSE(weakA.expired()) << "reference counting alone cannot free a cycle";
    CycleCollector::shared().collect();
    EXPECT_TRUE(weakA.expired());
    EXPECT_TRUE(weakB.expired());
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

TEST(CycleCollector, FreesCyclesThroughModelObjects)
{
    registerTestClasses();
    auto node = std::make_shared<TestNode>();
    node->setNext(node);
    std::weak_ptr<TestNode> weak = node;
    node.reset();
    CycleCollector::shared().collect();
    EXPECT_TRUE(weak.expired());
}
