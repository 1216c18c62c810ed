// The chat screen's small rules on their own.
#include <gtest/gtest.h>

#include "chat/composer/ChatPictureData.h"
#include "chat/composer/ChatTimeStampRule.h"

TEST(ChatTimeStampRule, OlderDatesMoveTheReferenceBack)
{
    ChatTimeStampRule rule;
    EXPECT_TRUE(rule.isShowDateTime(1000));
    EXPECT_FALSE(rule.isShowDateTime(1060));
    // A decision about an older date (a collected transfer's) moves the reference back.
    EXPECT_FALSE(rule.isShowDateTime(500));
    EXPECT_EQ(rule.oldDate(), 500);
    EXPECT_TRUE(rule.isShowDateTime(1060));
}

TEST(ChatPictureData, EachPictureIsEncodedOncePerQualityAndShared)
{
    auto grey = [](int size) {
        return ui::Image::fromPixels({ size, size, size * 4, std::vector<std::uint8_t>(std::size_t(size * size * 4), 128) }, 1);
    };
    ChatPictureData data;
    auto avatar = grey(16);
    auto first = data.jpeg(avatar, 1.0);
    EXPECT_EQ(first->bytes(), avatar->jpegData(1.0));
    EXPECT_EQ(data.jpeg(avatar, 1.0), first);
    EXPECT_EQ(data.jpeg(avatar, 0.001)->bytes(), avatar->jpegData(0.001));
    EXPECT_EQ(data.jpeg(nullptr, 1.0), nullptr);
    // Pictures no longer used age out; the one in use stays.
    for (std::size_t i = 0; i < 2 * ChatPictureData::kCapacity; ++i) {
        data.jpeg(grey(4), 1.0);
        EXPECT_EQ(data.jpeg(avatar, 1.0), first);
    }
}
