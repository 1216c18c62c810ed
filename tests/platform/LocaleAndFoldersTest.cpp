#include "platform/Folders.h"
#include "platform/Locale.h"
#include "platform/Uuid.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <limits>
#include <regex>
#include <set>

namespace locale = platform::locale;

namespace {

// Each case sets what it needs and puts the app's defaults back.
class LocaleTest : public testing::Test {
protected:
    void SetUp() override { locale::setTimeZone("Asia/Shanghai"); }
    void TearDown() override { locale::setLocale("zh_CN"); }
};

} // namespace

TEST_F(LocaleTest, CurrencyUsesTheLocalesSignGroupsAndTwoDecimals)
{
    EXPECT_EQ(locale::current(), "zh_CN");
    EXPECT_EQ(locale::formatCurrency(1234.5), "\uFFE51,234.50");
    EXPECT_EQ(locale::formatCurrency(0), "\uFFE50.00");
    EXPECT_EQ(locale::formatCurrency(1234567.891), "\uFFE51,234,567.89");
    EXPECT_EQ(locale::formatCurrency(0.005), "\uFFE50.00") << "half to even";
    EXPECT_EQ(locale::formatCurrency(std::numeric_limits<double>::quiet_NaN()), "\uFFE50.00");
    locale::setLocale("en_US");
    EXPECT_EQ(locale::formatCurrency(1234.5), "$1,234.50");
}

TEST_F(LocaleTest, DatesUseThePatternInTheLocalZone)
{
    // 2017-03-04 05:06:07 UTC is 13:06:07 in Shanghai.
    double moment = 1488603967;
    EXPECT_EQ(locale::formatDate(moment, "HH:mm"), "13:06");
    EXPECT_EQ(locale::formatDate(moment, "yyyy-MM-dd HH:mm:ss"), "2017-03-04 13:06:07");
    EXPECT_EQ(locale::formatDate(moment, "yyyyMMdd"), "20170304");
    EXPECT_EQ(locale::formatDate(moment, ""), "");
    locale::setTimeZone("America/New_York");
    EXPECT_EQ(locale::formatDate(moment, "yyyy-MM-dd HH:mm"), "2017-03-04 00:06");
    locale::setTimeZone("Not/AZone");
    EXPECT_FALSE(locale::formatDate(0, "yyyy").empty());
}

TEST(Uuid, EveryCallGivesAFreshUpperCaseVersion4Uuid)
{
    const std::regex form("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[0-9A-F]{4}-[0-9A-F]{12}");
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        std::string uuid = platform::makeUuidString();
        ASSERT_TRUE(std::regex_match(uuid, form)) << uuid;
        seen.insert(uuid);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(Folders, HomeIsQyshotHomeElseUnderXdgDataHome)
{
    // In a fresh process: tests elsewhere set the home folder for this one.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("QYSHOT_HOME", "/tmp/qy-home", 1);
            setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
            bool ok = platform::folders::homeFolder() == "/tmp/qy-home" && platform::folders::documentsFolder() == "/tmp/qy-home/Documents";
            setenv("QYSHOT_HOME", "", 1);
            ok = ok && platform::folders::homeFolder() == "/tmp/xdg/qyshot";
            // A relative home is taken from the working folder, so that paths
            // made from it (saved voice clips) hold from anywhere; an override
            // from the folder current when it was set.
            ok = ok && chdir("/tmp") == 0;
            setenv("QYSHOT_HOME", "rel/home", 1);
            ok = ok && platform::folders::homeFolder() == "/tmp/rel/home";
            platform::folders::setHomeFolder("./other/../chosen");
            ok = ok && chdir("/") == 0 && platform::folders::homeFolder() == "/tmp/chosen"
                && platform::folders::documentsFolder() == "/tmp/chosen/Documents";
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
