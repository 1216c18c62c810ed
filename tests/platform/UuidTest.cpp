#include "platform/Uuid.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

TEST(Uuid, HasThePhonesUpperCaseForm)
{
    std::string uuid = platform::makeUuidString();
    ASSERT_EQ(uuid.size(), 36u);
    for (std::size_t i = 0; i < uuid.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23)
            EXPECT_EQ(uuid[i], '-');
        else
            EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(uuid[i])) && !std::islower(static_cast<unsigned char>(uuid[i])))
                << uuid;
    }
    EXPECT_EQ(uuid[14], '4') << "random (version 4) UUIDs";
}

TEST(Uuid, EveryCallIsFresh)
{
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i)
        seen.insert(platform::makeUuidString());
    EXPECT_EQ(seen.size(), 1000u);
}
