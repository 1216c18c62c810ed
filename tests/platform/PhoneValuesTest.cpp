#include <gtest/gtest.h>

#include "platform/Locale.h"
#include "platform/PhoneValues.h"

namespace values = platform::values;

TEST(PhoneValues, IntegerValueReadsLikeThePhone)
{
    struct Case { std::u16string text; std::int64_t value; };
    for (const auto& [text, value] : std::initializer_list<Case> {
             { u"", 0 }, { u" 12", 12 }, { u"5x", 5 }, { u"x5", 0 }, { u"-7", -7 }, { u"+3", 3 },
             { u"\u3000 42", 42 }, { u"1.9", 1 }, { u"99999999999999999999", INT64_MAX },
             { u"-99999999999999999999", INT64_MIN } })
        EXPECT_EQ(values::integerValue(text), value) << std::string(text.begin(), text.end());
}

TEST(PhoneValues, FloatValueTakesTheLongestNumericPrefix)
{
    struct Case { std::u16string text; float value; };
    for (const auto& [text, value] : std::initializer_list<Case> {
             { u".", 0.f }, { u"", 0.f }, { u"12.5abc", 12.5f }, { u" 0.1", 0.1f }, { u"1.2.3", 1.2f },
             { u"-3", -3.f }, { u"2e2", 200.f }, { u"5e", 5.f }, { u"abc", 0.f }, { u"1e99", 0.f } })
        EXPECT_EQ(values::floatValue(text), value) << std::string(text.begin(), text.end());
}

TEST(PhoneValues, CurrencyTextIsSinglePrecisionInTheAppLocale)
{
    platform::locale::setLocale("zh_CN");
    EXPECT_EQ(values::currencyText(1234.5f), "￥1,234.50");
    EXPECT_EQ(values::currencyText(0.1f), "￥0.10");
    // 16777217 cannot be held in single precision: the phone shows the float's value.
    EXPECT_EQ(values::currencyText(values::floatValue(u"16777217")), "￥16,777,216.00");
    EXPECT_EQ(values::withoutCurrencySign("¥1,234.50"), "1,234.50");
    EXPECT_EQ(values::withoutCurrencySign("-¥5.00"), "-5.00");
    EXPECT_EQ(values::withoutCommas("1,234,567.50"), "1234567.50");
}

TEST(PhoneValues, RoundingAndCents)
{
    EXPECT_EQ(values::roundedText(2.5), "2");
    EXPECT_EQ(values::roundedText(3.5), "4");
    EXPECT_EQ(values::roundedText(-0.4), "-0");
    EXPECT_EQ(values::withCentsIfWhole("100"), "100.00");
    EXPECT_EQ(values::withCentsIfWhole("0.5"), "0.5");
    EXPECT_TRUE(values::isBlank(u" \u3000\t"));
    EXPECT_FALSE(values::isBlank(u" a"));
}

TEST(PhoneValues, SubstringFromIndexCountsStringUnitsAndNeverFails)
{
    struct Case { std::string text; std::size_t index; std::string rest; };
    for (const auto& [text, index, rest] : std::initializer_list<Case> {
             { "¥1,234.50", 1, "1,234.50" }, { "￥0.10", 1, "0.10" }, { "¥ 5.00", 2, "5.00" },
             { "abc", 0, "abc" }, { "abc", 3, "" }, { "¥", 1, "" }, { "¥", 2, "" }, { "", 1, "" },
             { "😀x", 2, "x" } }) // an emoji is two units
        EXPECT_EQ(values::substringFromIndex(text, index), rest) << text << " from " << index;
}
