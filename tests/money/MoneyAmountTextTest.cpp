// The amount rules of the money pages and the red packet number, called
// directly with what messages may hold.
#include "support/PhoneTest.h"

#include <regex>
#include <set>

#include "money/common/MoneyAmountText.h"
#include "money/opened/RedPacketNumber.h"
#include "platform/Locale.h"

class MoneyAmountTextTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        platform::locale::setLocale("zh_CN");
        platform::locale::setTimeZone("Asia/Shanghai");
    }
    static void useSystem(const std::string& version)
    {
        auto profile = ui::Screen::main().profile();
        profile.systemVersion = version;
        ui::Screen::main().setProfile(profile);
    }
};

TEST_F(MoneyAmountTextTest, RedPacketAmountLosesItsSignAndTwoCharactersOnOlderSystems)
{
    struct Case { const char* system; std::optional<std::string> stored; std::string shown; };
    for (const auto& [system, stored, shown] : std::initializer_list<Case> {
             { "10.3", "¥5.00", "5.00" },
             { "10.3", "¥1,234.50", "1,234.50" },
             { "10.3", "￥0.01", "0.01" }, // a full-width sign is one character too
             { "10.3", "¥", "" },
             { "10.3", "", "" },
             { "10.3", std::nullopt, "" },
             { "9.3", "¥5.00", "5.00" },
             { "9.2.1", "¥ 5.00", "5.00" },
             { "9.2", "¥", "" },
             { "8", "¥5", "" },
         }) {
        useSystem(system);
        EXPECT_EQ(MoneyAmountText::withoutSign(stored), shown) << system << " " << stored.value_or("(absent)");
    }
}

TEST_F(MoneyAmountTextTest, TransferAndBillAmounts)
{
    struct Case { std::optional<std::string> typed; std::string detail, incoming, outgoing, paid; };
    for (const auto& [typed, detail, incoming, outgoing, paid] : std::initializer_list<Case> {
             { "5", "5.00", "+5.00", "-5.00", "5.00" },
             { "0.1", "0.1", "+0.10", "-0.10", "0.10" },
             { "100.5", "100.5", "+100.50", "-100.50", "100.50" },
             { "100.25", "100.25", "+100.25", "-100.25", "100.25" },
             { "1234.5", "1234.5", "+1234.50", "-1234.50", "1,234.50" },
             { "1234567", "1234567.00", "+1234567.00", "-1234567.00", "1,234,567.00" },
             { "", ".00", "+0.00", "-0.00", "0.00" },
             { ".", ".", "+0.00", "-0.00", "0.00" },
             { "abc", "abc.00", "+0.00", "-0.00", "0.00" },
             { std::nullopt, "", "+0.00", "-0.00", "0.00" },
         }) {
        SCOPED_TRACE(typed.value_or("(absent)"));
        EXPECT_EQ(MoneyAmountText::transferAmount(typed), detail);
        EXPECT_EQ(MoneyAmountText::billAmount(typed, "+"), incoming);
        EXPECT_EQ(MoneyAmountText::billAmount(typed, "-"), outgoing);
        EXPECT_EQ(MoneyAmountText::billPaymentAmount(typed), paid);
    }
}

TEST_F(MoneyAmountTextTest, RedPacketNumberIsTheDateAndTwentyEightDigitsWithoutNine)
{
    double date = 1480000000; // 2016-11-24 23:06 in Shanghai
    std::uint32_t next = 0;
    auto counting = [&next] { return next++; };
    EXPECT_EQ(RedPacketNumber::text(date, counting), "红包编号：20161124" "0123456780123456780123456780");
    auto nines = [] { return std::uint32_t(9 * 1234567u + 8); }; // every draw is 8 after modulo 9
    EXPECT_EQ(RedPacketNumber::text(date, nines), "红包编号：20161124" + std::string(28, '8'));
    auto largest = [] { return std::uint32_t(0xFFFFFFFFu); }; // 4294967295 % 9 == 3
    EXPECT_EQ(RedPacketNumber::text(std::nullopt, largest), "红包编号：" + std::string(28, '3'));

    // The process's own source: always 36 digits, no 9 after the date, new every time.
    std::set<std::string> seen;
    const std::regex form("红包编号：20161124[0-8]{28}");
    for (int i = 0; i < 50; ++i) {
        std::string text = RedPacketNumber::text(date);
        EXPECT_TRUE(std::regex_match(text, form)) << text;
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 50u);
}
