// Every money page as drawn on each screen class, @2x and @3x. The checks look
// at the pixels where the background's own captions must meet the labels; with
// QY_LOOK_DIR set the screens are also written there as PNG files.
#include "money/MoneyPageTest.h"

#include <cstdlib>
#include <fstream>

#include "money/bill/QYAliTranMeViewController.h"
#include "money/bill/QYAliTranViewController.h"
#include "money/opened/QYAliRedViewController.h"
#include "money/opened/QYCheckRedPacViewController.h"
#include "money/transfer/QYPayMentViewController.h"
#include "ui/Renderer.h"
#include "ui/Screen.h"

using namespace ui;

class MoneyPagesLookTest : public MoneyPageTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        MoneyPageTest::SetUp();
        open(GetParam());
    }
    ImagePtr shoot(const std::string& name)
    {
        settle();
        auto image = Renderer::snapshotScreen();
        if (const char* dir = std::getenv("QY_LOOK_DIR")) {
            auto png = image->pngData();
            std::ofstream(std::string(dir) + "/money-" + name + "-" + GetParam() + ".png", std::ios::binary)
                .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        }
        return image;
    }
    static Color pixelAt(const Image& image, Point point)
    {
        const auto& px = image.pixels();
        const std::uint8_t* p = &px.pixels[size_t(point.y * image.scale()) * size_t(px.stride) + size_t(point.x * image.scale()) * 4];
        return Color::rgb(p[2], p[1], p[0], p[3] / 255.0);
    }
    // Whether anything darker than light grey is drawn inside `rect` (screen points).
    static bool inkIn(const Image& image, const Rect& rect)
    {
        for (double y = rect.y(); y < rect.maxY(); y += 0.5)
            for (double x = rect.x(); x < rect.maxX(); x += 0.5)
                if (pixelAt(image, { x, y }).green < 0.75)
                    return true;
        return false;
    }
    // The lowest row of `rect` with ink in it, in points.
    static double inkBottom(const Image& image, const Rect& rect)
    {
        for (double y = rect.maxY() - 0.5; y > rect.y(); y -= 0.5)
            if (inkIn(image, { rect.x(), y, rect.width(), 0.5 }))
                return y;
        return rect.y();
    }
    // The caption of the background's row stands level with `label`, in the
    // caption column, and the row above and below it is clear there.
    static void expectCaptionBeside(const Image& shot, const ViewPtr& label, const char* what)
    {
        Rect row = label->frameInScreen();
        EXPECT_TRUE(inkIn(shot, { 15, row.y() + 3, 60, row.height() - 6 })) << what;
        EXPECT_FALSE(inkIn(shot, { 15, row.y() - 12, 60, 8 })) << what << ": above";
        EXPECT_FALSE(inkIn(shot, { 15, row.maxY() + 4, 60, 8 })) << what << ": below";
    }
};

TEST_P(MoneyPagesLookTest, OpenedRedPackets)
{
    auto messenger = std::make_shared<QYCheckRedPacViewController>();
    messenger->setAvatarHe(Image::fromData(jpegOf(60, 60, 230)->bytes()));
    messenger->setNumString("¥88.88");
    messenger->setContextString("恭喜发财，大吉大利！");
    messenger->setNick("李华");
    push(messenger);
    auto shot = shoot("opened-messenger");
    double w = Screen::main().size().width;
    EXPECT_EQ(pixelAt(*shot, { 3, 64 + 3 }), Color::rgb(214, 85, 63)) << "the red head under the bar";
    EXPECT_EQ(pixelAt(*shot, { 3, 10 }), Color::rgb(214, 85, 63)) << "the bar of the same red";
    // The back arrow is drawn in the bar's golden tint, not in its own white.
    Rect arrow = messenger->backButton()->imageView()->frameInScreen();
    Color stroke = pixelAt(*shot, { arrow.x() + 2.5, arrow.midY() });
    EXPECT_GT(stroke.red, 0.9);
    EXPECT_LT(stroke.blue, 0.75);
    Rect money = messenger->money()->frameInScreen();
    EXPECT_EQ(pixelAt(*shot, { 3, money.midY() }), Color::whiteColor());
    // The caption under the amount, clear of it.
    EXPECT_TRUE(inkIn(*shot, { w / 2 - 40, money.maxY() + 4, 80, 30 }));
    navigation->popViewController(false);

    auto payment = std::make_shared<QYAliRedViewController>();
    payment->setAvatarHe(Image::fromData(jpegOf(60, 60, 230)->bytes()));
    payment->setNumString("¥1,288.00");
    payment->setContextString("恭喜发财，万事如意！");
    payment->setNick("李华");
    payment->setCreatDate(1479951660);
    push(payment);
    shot = shoot("opened-payment");
    Rect avatar = payment->avatar()->frameInScreen();
    // The gold ring hugs the avatar: gold just outside it, red further out.
    Color ring = pixelAt(*shot, { avatar.midX(), avatar.y() - 1.5 });
    EXPECT_GT(ring.red, ring.blue + 0.2) << "gold ring";
    EXPECT_EQ(pixelAt(*shot, { 3, 64 + 3 }), Color::rgb(232, 73, 59));
    money = payment->money()->frameInScreen();
    EXPECT_FALSE(inkIn(*shot, { 3, money.y(), 40, money.height() }));
    EXPECT_TRUE(inkIn(*shot, { w / 2 - 40, money.maxY() + 4, 80, 30 }));
}

TEST_P(MoneyPagesLookTest, TransferDetail)
{
    auto detail = std::make_shared<QYPayMentViewController>();
    detail->setNum("100");
    detail->setCreatStr("2016-11-24 09:41:00");
    detail->setReceStr("2016-11-24 09:45:12");
    push(detail);
    auto shot = shoot("transfer-detail");
    double w = Screen::main().size().width;
    Rect amount = detail->numLabel()->frameInScreen();
    // The received mark, green, between the bar and the amount, and nothing
    // drawn over the amount's own row.
    bool green = false;
    for (double y = 64; y < amount.y(); y += 1) {
        Color c = pixelAt(*shot, { w / 2, y });
        green = green || (c.green > 0.6 && c.red < 0.3);
    }
    EXPECT_TRUE(green);
    EXPECT_FALSE(inkIn(*shot, { 3, amount.y(), amount.x() - 40, amount.height() }));
    EXPECT_TRUE(inkIn(*shot, { w / 2 - 30, amount.maxY() + 4, 60, 40 })) << "the link under the amount";
    // The sign and the digits stand on one baseline, though the sign comes from another font.
    Rect sign = detail->signLabel()->frameInScreen();
    double top = std::min(sign.y(), amount.y()), bottom = std::max(sign.maxY(), amount.maxY());
    Rect digits { amount.x() + 12, top, amount.width() - 12, bottom - top };
    Rect signInk { sign.x(), digits.y(), sign.width() - 12, digits.height() };
    EXPECT_NEAR(inkBottom(*shot, signInk), inkBottom(*shot, digits), 1.0);
}

TEST_P(MoneyPagesLookTest, BillDetailsLineUpWithTheirRows)
{
    auto incoming = push(std::make_shared<QYAliTranViewController>());
    incoming->setModel(transfer("1234.5", false));
    navigation->popViewController(false);
    incoming = std::make_shared<QYAliTranViewController>();
    incoming->setModel(transfer("1234.5", false));
    push(incoming);
    auto shot = shoot("bill-incoming");
    expectCaptionBeside(*shot, incoming->creatTime(), "创建时间");
    navigation->popViewController(false);

    auto outgoing = std::make_shared<QYAliTranMeViewController>();
    outgoing->setModel(transfer("1234.5", true));
    push(outgoing);
    shot = shoot("bill-outgoing");
    expectCaptionBeside(*shot, outgoing->detail(), "付款方式");
    expectCaptionBeside(*shot, outgoing->creatTime(), "创建时间");
}

INSTANTIATE_TEST_SUITE_P(Phones, MoneyPagesLookTest, ::testing::Values("iphone4", "iphone5", "iphone6", "iphone6plus"));
