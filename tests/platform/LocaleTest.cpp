#include "platform/Locale.h"

#include <gtest/gtest.h>

namespace locale = platform::locale;

namespace {

// Each case sets what it needs and puts the app's defaults back.
class LocaleTest : public testing::Test {
protected:
    void SetUp() override { locale::setTimeZone("Asia/Shanghai"); }
    void TearDown() override { locale::setLocale("zh_CN"); }
};

} // namespace

TEST_F(LocaleTest, CurrencyUsesTheYenSignGroupsAndTwoDecimals)
{
    EXPECT_EQ(locale::current(), "zh_CN");
    EXPECT_EQ(locale::formatCurrency(1234.5), "\u00A51,234.50");
    EXPECT_EQ(locale::formatCurrency(0), "\u00A50.00");
    EXPECT_EQ(locale::formatCurrency(1234567.891), "\u00A51,234,567.89");
    EXPECT_EQ(locale::formatCurrency(0.005), "\u00A50.00") << "half to even";
}

TEST_F(LocaleTest, OtherLocalesUseTheirOwnCurrency)
{
    locale::setLocale("en_US");
    EXPECT_EQ(locale::formatCurrency(1234.5), "$1,234.50");
    locale::setLocale("zh_CN");
    EXPECT_EQ(locale::formatCurrency(1234.5), "\u00A51,234.50");
}

TEST_F(LocaleTest, DatesUseThePatternInTheLocalZone)
{
    // 2017-03-04 05:06:07 UTC is 13:06:07 in Shanghai.
    double moment = 1488603967;
    EXPECT_EQ(locale::formatDate(moment, "HH:mm"), "13:06");
    EXPECT_EQ(locale::formatDate(moment, "yyyy-MM-dd HH:mm:ss"), "2017-03-04 13:06:07");
    EXPECT_EQ(locale::formatDate(moment, "yyyyMMdd"), "20170304");
    locale::setTimeZone("America/New_York");
    EXPECT_EQ(locale::formatDate(moment, "yyyy-MM-dd HH:mm"), "2017-03-04 00:06");
}

TEST_F(LocaleTest, BadInputGivesPlainResults)
{
    locale::setTimeZone("Not/AZone");
    EXPECT_FALSE(locale::formatDate(0, "yyyy").empty());
    EXPECT_EQ(locale::formatCurrency(std::numeric_limits<double>::quiet_NaN()), "\u00A50.00");
    EXPECT_EQ(locale::formatDate(0, ""), "");
}
