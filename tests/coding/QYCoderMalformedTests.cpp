// Malformed blobs are refused with the decoder's message, in bounded time and
// memory, and never crash.
#include "CodingTestSupport.h"

#include "coding/CycleCollector.h"

using namespace coding;
using namespace codingtest;

namespace {

Bytes sampleBlob()
{
    registerTestClasses();
    auto list = Collection::mutableArray();
    auto shared = str("shared");
    for (int i = 0; i < 4; ++i) {
        auto node = std::make_shared<TestNode>();
        node->setName(shared);
        node->setNext(Data::make({ 1, 2, 3, std::uint8_t(i) }));
        if (i == 0)
            node->setNext(Collection::mutableArray({ node, Data::make({ 9 }) })); // a cycle through a model object
        node->setCount(i * 1000);
        node->setWeight(i / 3.0);
        list->append(node);
    }
    list->append(list);
    auto dictionary = Dictionary::make();
    dictionary->set("list", list);
    dictionary->set("date", Date::make(3));
    return encode(dictionary);
}

} // namespace

TEST(QYCoderMalformed, EveryTruncationIsRefusedAndLeavesNoCycleBehind)
{
    Bytes full = sampleBlob();
    ASSERT_TRUE(decode(full));
    CycleCollector::shared().collect();
    const std::size_t tracked = CycleCollector::shared().trackedCount();
    for (std::size_t length = 0; length < full.size(); ++length) {
        DecodeResult result = QYCoder::decode(Bytes(full.begin(), full.begin() + std::ptrdiff_t(length)));
        EXPECT_FALSE(result.ok()) << length;
        EXPECT_EQ(result.object, nullptr);
        if (result.error && length >= 20) {
            EXPECT_LE(result.error->offset, length);
        }
        EXPECT_EQ(CycleCollector::shared().trackedCount(), tracked) << "cut at " << length;
    }
}

TEST(QYCoderMalformed, HeaderProblemsYieldNil)
{
    EXPECT_EQ(QYCoder::objectWithData(Bytes {}), nullptr);
    EXPECT_EQ(QYCoder::objectWithData(Bytes { 'T', 'S', 'A', 'F', 3, 0, 2 }), nullptr);
    EXPECT_EQ(QYCoder::objectWithData(Bytes { 'T', 'S', 'A', 'G', 3, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 46 }), nullptr);
    Bytes wrongVersion = blob({ 46 });
    wrongVersion[4] = 4;
    wrongVersion[6] = 1;
    EXPECT_EQ(decodeFailure(wrongVersion).message, "This version of the decoder doesn't support format version 4.1 files");
}

TEST(QYCoderMalformed, MessagesNameTheProblemAndWhere)
{
    EXPECT_EQ(decodeFailure(blob({ 47 })).message, "Cannot decode object of type: 47");
    EXPECT_EQ(decodeFailure(blob({ 255 })).message, "Cannot decode object of type: 255");
    EXPECT_EQ(decodeFailure(blob({ 2, 5 })).message, "Attempted to read cache object at index 5, but cache object count is 0");
    EXPECT_EQ(decodeFailure(blob({ 5, 0 })).message, "Attempted to read cache object at index 0, but cache object count is 0");
    EXPECT_EQ(decodeFailure(blob({ 30, 0 })).message, "Attempted to read cache object at index 0, but cache object count is 0");
    CodingError unterminated = decodeFailure(blob({ 8, 'a', 'b' }));
    EXPECT_EQ(unterminated.message, "Unexpected EOF when parsing object starting at 20");
    EXPECT_EQ(decodeFailure(blob({ 10, 0, 0, 0, 2, 0, 0, 0, 46 })).message, "Unexpected EOF when parsing object starting at 20");
    EXPECT_EQ(decodeFailure(blob({ 44, 0, 0 })).message, "Unexpected EOF when parsing object starting at 20");
}

TEST(QYCoderMalformed, HugeCountsFailWithoutAllocating)
{
    for (std::uint8_t type : { 9, 10, 11, 12, 24, 25, 26, 27, 41, 42 }) {
        CodingError error = decodeFailure(blob({ type, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 46 }));
        EXPECT_EQ(error.message, "Unexpected EOF when parsing object starting at 20") << int(type);
    }
    decodeFailure(blob({ 21, 0, 0, 0, 0xff, 0xff, 0xff, 0x7f, 1, 2 }));
    decodeFailure(blob({ 29, 'A', 0, 0, 0xff, 0xff, 0xff, 0xff }));
    // Header counts are only hints.
    Bytes bigHints = blob({ 46 }, 0xffffffff, 0xffffffff, 0xffffffff);
    EXPECT_TRUE(decode(bigHints));
}

TEST(QYCoderMalformed, DeepNestingIsRefusedBeforeTheStackRunsOut)
{
    Bytes body;
    for (int i = 0; i < 100000; ++i)
        body.insert(body.end(), { 25, 0, 0, 0, 1, 0, 0, 0 });
    body.push_back(46);
    CodingError error = decodeFailure(blob(body));
    EXPECT_NE(error.message.find("nesting deeper than 512"), std::string::npos) << error.message;
    CycleCollector::shared().collect();

    auto deep = Collection::mutableArray();
    auto inner = deep;
    for (int i = 0; i < 1000; ++i) {
        auto next = Collection::mutableArray();
        inner->append(next);
        inner = next;
    }
    EXPECT_FALSE(QYCoder::encode(deep).ok());
}

TEST(QYCoderMalformed, ClassDefinitionMustBeFollowedByAnObject)
{
    CodingError error = decodeFailure(blob({ 29, 'A', 0, 0, 0, 0, 0, 0, 46 }));
    EXPECT_EQ(error.message, "The class definition starting at 20 is not followed by an object");
    EXPECT_EQ(error.offset, 28u);
}

TEST(QYCoderMalformed, WrongValueClassesInsideStructuresAreRefused)
{
    decodeFailure(blob({ 33, 46, 0 }));           // URL whose relative string is a number
    decodeFailure(blob({ 33, 8, 0, 46 }));        // URL whose base is a number
    decodeFailure(blob({ 43, 46, 0 }));           // keyed object whose class name is a number
    decodeFailure(blob({ 43, 8, 'K', 0, 46, 46, 0 })); // keyed value whose key is a number
}

TEST(QYCoderMalformed, MutatedBlobsNeverCrash)
{
    Bytes full = sampleBlob();
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245 + 12345;
        return seed >> 8;
    };
    for (int round = 0; round < 3000; ++round) {
        Bytes mutated = full;
        int edits = 1 + int(next() % 4);
        for (int e = 0; e < edits; ++e)
            mutated[20 + next() % (mutated.size() - 20)] = std::uint8_t(next());
        DecodeResult result = QYCoder::decode(mutated);
        if (result.ok() && result.object)
            QYCoder::encode(result.object);
    }
    CycleCollector::shared().collect();
}
