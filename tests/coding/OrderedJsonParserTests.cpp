#include <gtest/gtest.h>

#include "coding/OrderedJsonParser.h"

using coding::OrderedJsonParser;

TEST(OrderedJsonParser, KeepsMemberOrderAndReadsWhatNlohmannReads)
{
    for (const char* text : { R"({"z": 1, "a": [true, null, {"y": "文", "b": -2.5}], "m": {}})", "[]", "7", R"("only")",
             R"({"deep": [[[[{"x": [1, 2, {"k": 18446744073709551615}]}]]]]})" }) {
        auto parsed = OrderedJsonParser::parse(text, 1 << 20);
        ASSERT_TRUE(parsed.json) << text << ": " << parsed.error;
        EXPECT_EQ(*parsed.json, nlohmann::ordered_json::parse(text)) << text;
        EXPECT_EQ(parsed.json->dump(), nlohmann::ordered_json::parse(text).dump()) << "member order of " << text;
    }
    // A repeated member replaces the earlier value in its first place.
    auto repeated = OrderedJsonParser::parse(R"({"a": 1, "b": {"c": 2}, "a": [3]})", 100);
    ASSERT_TRUE(repeated.json);
    EXPECT_EQ(repeated.json->dump(), R"({"a":[3],"b":{"c":2}})");
}

TEST(OrderedJsonParser, RefusesBrokenAndOversizedTextSayingWhere)
{
    struct Case {
        std::string text;
        std::size_t limit;
        const char* expected;
    };
    for (const Case& c : { Case { R"({"a": 1,})", 100, "line 1, column 9" }, Case { "[1, 2", 100, "unexpected end" },
             Case { "1e999", 100, "number overflow" }, Case { "", 100, "unexpected end" },
             Case { std::string(3 << 20, ' ') + "1", 2 << 20, "larger than 2 MB" } }) {
        auto parsed = OrderedJsonParser::parse(c.text, c.limit);
        EXPECT_FALSE(parsed.json) << c.text.substr(0, 20);
        EXPECT_NE(parsed.error.find(c.expected), std::string::npos) << parsed.error;
    }
}
