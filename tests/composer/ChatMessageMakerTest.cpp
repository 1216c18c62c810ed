// The records the chat screen makes, checked on the maker directly: which
// fields each kind carries, that one speaker's records share their avatar
// and nickname data, and that a recall notice leaves the time-stamp rule alone.
#include <gtest/gtest.h>

#include <functional>

#include "composer/ChatMessageMaker.h"
#include "ui/graphics/Image.h"

namespace {

ui::ImagePtr plainImage(std::uint8_t red)
{
    platform::PixelBuffer pixels { 8, 8, 32, {} };
    for (int i = 0; i < 64; ++i)
        pixels.pixels.insert(pixels.pixels.end(), { 10, 200, red, 255 });
    return ui::Image::fromPixels(std::move(pixels), 1);
}

ChatMessageMaker makerFor(ChatStyle style)
{
    ChatMessageMaker maker;
    maker.setStyle(style);
    maker.setMeNick(std::string("我自己"));
    maker.setHeNick(std::string("小明"));
    maker.setMeAvatar(plainImage(30));
    maker.setHeAvatar(plainImage(250));
    return maker;
}

} // namespace

TEST(ChatMessageMaker, EachKindCarriesItsOwnFields)
{
    struct Case {
        const char* name;
        std::int32_t kind;
        bool hasNickName;
        double avatarQuality; // 0: no avatar
        std::function<QYChatModelPtr(ChatMessageMaker&, bool isSend)> make;
    };
    const Case cases[] = {
        { "text", QYChatModel::Text, true, 1.0, [](auto& m, bool s) { return m.text(s, 100, u"你好"); } },
        { "voice", QYChatModel::Voice, false, 1.0, [](auto& m, bool s) { return m.voice(s, 100, "/a.amr", 2.5); } },
        { "picture", QYChatModel::Image, false, 0.001, [](auto& m, bool s) { return m.picture(s, 100, { 1, 2, 3 }); } },
        { "red packet", QYChatModel::RedPacket, true, 1.0, [](auto& m, bool s) { return m.message(QYChatModel::RedPacket, s, 100, true, true); } },
    };
    for (ChatStyle style : { ChatStyle::Messenger, ChatStyle::PaymentApp }) {
        for (bool isSend : { true, false }) {
            for (const auto& c : cases) {
                SCOPED_TRACE(std::string(c.name) + (isSend ? " own side" : " other side") + " style " + std::to_string(styleValue(style)));
                auto maker = makerFor(style);
                auto message = c.make(maker, isSend);
                EXPECT_EQ(message->type(), c.kind);
                EXPECT_EQ(message->isSend(), isSend);
                EXPECT_EQ(message->styleType(), styleValue(style));
                EXPECT_TRUE(message->isShowDateTime()) << "the first message has a time stamp";
                EXPECT_EQ(message->creatDate()->secondsSince1970(), 100);
                const auto& speaker = isSend ? maker.meAvatar() : maker.heAvatar();
                ASSERT_TRUE(message->avatar());
                EXPECT_EQ(message->avatar()->bytes(), speaker->jpegData(c.avatarQuality));
                if (c.hasNickName)
                    EXPECT_EQ(coding::text(message->nickName()), isSend ? u"我自己" : u"小明");
                else
                    EXPECT_FALSE(message->nickName());
            }
        }
    }
}

TEST(ChatMessageMaker, OneSpeakersRecordsShareTheirDataUntilItChanges)
{
    auto maker = makerFor(ChatStyle::Messenger);
    auto first = maker.text(false, 0, u"一");
    auto second = maker.text(false, 10, u"二");
    EXPECT_EQ(first->avatar(), second->avatar()) << "one encoding of the avatar per quality";
    EXPECT_EQ(first->nickName(), second->nickName());
    EXPECT_NE(first->avatar(), maker.text(true, 20, u"三")->avatar());

    maker.setHeNick(std::string("小红"));
    auto renamed = maker.text(false, 30, u"四");
    EXPECT_EQ(coding::text(renamed->nickName()), u"小红");
    EXPECT_EQ(coding::text(first->nickName()), u"小明") << "older records keep the name they were made with";

    maker.setHeNick(std::nullopt);
    maker.setHeAvatar(nullptr);
    auto anonymous = maker.text(false, 40, u"五");
    EXPECT_FALSE(anonymous->nickName());
    EXPECT_FALSE(anonymous->avatar());
}

TEST(ChatMessageMaker, NewRecordsShareTheLoadedAvatarDataWhereTheBytesAgree)
{
    auto maker = makerFor(ChatStyle::Messenger);
    auto heBytes = maker.heAvatar()->jpegData(ChatMessageMaker::kMessageAvatarQuality);
    auto loaded = coding::Data::make(heBytes);
    maker.adoptAvatarData(loaded);
    // A long chat hands over one speaker's object once per row, and the other
    // side's as often; neither pushes the other out.
    auto other = coding::Data::make(plainImage(90)->jpegData(ChatMessageMaker::kMessageAvatarQuality));
    for (int row = 0; row < 3 * int(ChatPictureData::kCapacity); ++row) {
        maker.adoptAvatarData(other);
        maker.adoptAvatarData(loaded);
    }
    maker.adoptAvatarData(coding::Data::make(heBytes)); // a copy of the same bytes
    EXPECT_EQ(maker.text(false, 0, u"一")->avatar(), loaded) << "the stored object, not a copy";
    EXPECT_NE(maker.text(true, 10, u"二")->avatar(), loaded);

    // A changed avatar shows the new picture; one that matches loaded data shares it.
    maker.setHeAvatar(plainImage(90));
    auto changed = maker.text(false, 20, u"三")->avatar();
    EXPECT_EQ(changed, other);
    maker.setHeAvatar(plainImage(160));
    auto fresh = maker.text(false, 30, u"四")->avatar();
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->bytes(), plainImage(160)->jpegData(ChatMessageMaker::kMessageAvatarQuality));
    EXPECT_NE(fresh, loaded);
    EXPECT_NE(fresh, other);
}

TEST(ChatMessageMaker, RecallNoticeNamesTheRecalledSpeakerAndLeavesTheTimeStampAlone)
{
    auto maker = makerFor(ChatStyle::PaymentApp);
    auto recalled = maker.text(true, 0, u"说错了");
    // More than a minute later: a message would get a time stamp, a notice does not.
    auto notice = maker.recallNotice(false, 100, recalled);
    EXPECT_EQ(notice->type(), QYChatModel::RecallNotice);
    EXPECT_FALSE(notice->isShowDateTime());
    EXPECT_FALSE(notice->isSend()) << "the side switch, not the recalled message";
    EXPECT_TRUE(notice->isMeRevoke());
    EXPECT_EQ(notice->heNickName(), recalled->nickName());
    EXPECT_EQ(notice->styleType(), styleValue(ChatStyle::PaymentApp));
    EXPECT_TRUE(maker.text(false, 100, u"再说")->isShowDateTime()) << "the notice did not move the reference date";

    auto unknown = maker.recallNotice(true, 200, nullptr);
    EXPECT_FALSE(unknown->heNickName());
    EXPECT_FALSE(unknown->isMeRevoke());
}
