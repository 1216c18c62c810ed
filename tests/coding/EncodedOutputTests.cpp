// The encoder's output: long blocks are only referenced until the end, yet the
// result must be the bytes in the order they were put, with alignment counted
// from the start of the whole encoding.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "CodingTestSupport.h"
#include "coding/EncodedOutput.h"

using namespace coding;
using namespace codingtest;

namespace {

Bytes pattern(std::size_t length, std::uint8_t seed)
{
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = std::uint8_t(seed + i * 7);
    return bytes;
}

} // namespace

TEST(EncodedOutput, BlocksOfEveryLengthLandInOrderAndAlignmentCountsThem)
{
    const std::size_t threshold = EncodedOutput::kReferencedBlockLength;
    for (std::size_t length : { std::size_t(0), std::size_t(3), threshold - 1, threshold, threshold + 1, std::size_t(5000) }) {
        for (std::size_t lead : { 0, 1, 3 }) {
            Bytes first = pattern(length, 1), second = pattern(length + 5, 2);
            EncodedOutput output;
            Bytes expected;
            for (std::size_t i = 0; i < lead; ++i) {
                output.put8(0xee);
                expected.push_back(0xee);
            }
            output.putBytes(first);
            expected.insert(expected.end(), first.begin(), first.end());
            output.align(8);
            while (expected.size() % 8)
                expected.push_back(0);
            output.put32(0x11223344);
            expected.insert(expected.end(), { 0x44, 0x33, 0x22, 0x11 });
            output.putBytes(second);
            expected.insert(expected.end(), second.begin(), second.end());
            output.putText("end");
            expected.insert(expected.end(), { 'e', 'n', 'd' });
            EXPECT_EQ(output.size(), expected.size());
            Bytes result = output.take();
            EXPECT_EQ(result, expected) << "length " << length << ", lead " << lead;
            EXPECT_EQ(result.capacity(), result.size()) << "the result is allocated once, at its length";
            EXPECT_EQ(output.size(), 0u);
        }
    }
}

TEST(EncodedOutput, EncodingOfLongDataIsTheFixedLayoutAndReadsBack)
{
    // Data before and after a long block, so that the counts patched into the
    // header, the padding after the block and an alias to it are all checked.
    Bytes picture = pattern(1001, 9);
    auto data = Data::make(picture);
    auto list = Collection::array({ str("a"), data, data, Number::integer(70000) });
    Bytes bytes = encode(list);

    Bytes body = { 10, 0, 0, 0, 4, 0, 0, 0, 8, 'a', 0, 21, 233, 3, 0, 0 };
    body.insert(body.end(), picture.begin(), picture.end());
    body.insert(body.end(), { 0, 0, 0, 2, 0, 17, 0, 0x70, 0x11, 0x01, 0x00 });
    EXPECT_EQ(hex(bytes), hex(blob(body, 2, 0, 1)));

    auto back = as<Collection>(decode(bytes));
    ASSERT_TRUE(back);
    auto first = as<Data>(back->at(1));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->bytes(), picture);
    EXPECT_EQ(back->at(2).get(), first.get());
}
