#include "RenderFixtures.h"

#include "messages/QYTranBubbleView.h"
#include "messages/RIMoneyRules.h"
#include "messages/RIVideoBubbleView.h"

using namespace fixtures;

namespace {

bool shows(const ui::ImageView& view, const std::string& name)
{
    auto image = view.image(), named = ui::Image::named(name);
    return image && named && image->pixels().pixels == named->pixels().pixels;
}

// The colour drawn over each character of a label's attributed line.
std::vector<ui::Color> characterColours(const ui::Label& label)
{
    std::vector<ui::Color> colours;
    const auto& text = *label.attributedText();
    for (std::size_t i = 0; i < text.length(); ++i)
        colours.push_back(text.attributesAt(i).foreground.value_or(ui::Color::clearColor()));
    return colours;
}

} // namespace

class MoneyBubbleTest : public RingListTest {
protected:
    void SetUp() override
    {
        RingListTest::SetUp();
        platform::locale::setLocale("zh_CN");
    }
    static void useVersion(const std::string& version)
    {
        auto profile = ui::Screen::main().profile();
        profile.systemVersion = version;
        ui::Screen::main().setProfile(profile);
    }
};

// The card of each kind, side and state, taken at its natural size, with the
// caption and amount of a messenger transfer laid over it.
TEST_F(MoneyBubbleTest, MessengerCardsCaptionsAndAmounts)
{
    struct Case {
        std::shared_ptr<QYChatModel> record;
        std::string card, caption, amount;
    };
    const Case cases[] = {
        { transfer("100", true, true, false), "QYTransferIcon.png", "转账给小明", "100.00" },
        { transfer("0.5", true, true, true), "QYTransferIcon.png", "转账给小明", "0.5" },
        { transfer("12.345", false, true, false), "QYTransferIcon_2.png", "转账给你", "12.345" },
        { transfer("88", false, true, true), "QYTransferIcon_2.png", "转账给你", "88.00" },
        { transfer("88", true, false, true), "QYTransferIcon_Finish.png", "已收钱", "88.00" },
        { transfer("8.8", false, false, true), "QYTransferIcon_Finish_2.png", "已收钱", "8.8" },
        { redPacket("恭喜发财", true, false), "QYCheck_BriberyMoneyIcon.png", "", "" },
        { redPacket("", false, true), "QYBriberyMoneyIcon_2.png", "", "" },
    };
    // One bubble throughout, as a reused cell keeps it.
    auto bubble = ui::View::make<RIVideoBubbleView>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.card + " " + c.amount);
        bubbleFor(c.record, bubble);
        EXPECT_TRUE(shows(*bubble->backImageView(), c.card));
        EXPECT_EQ(bubble->bounds().size, ui::Image::named(c.card)->size());
        bool isSend = c.record->isSend();
        bool isTransfer = c.record->type() == QYChatModel::Transfer;
        EXPECT_EQ(bubble->tranText()->isHidden(), !isTransfer);
        EXPECT_EQ(bubble->markIcon()->isHidden(), !isTransfer);
        EXPECT_EQ(bubble->tranNum()->isHidden(), !isTransfer);
        EXPECT_EQ(bubble->labelContext()->text(), c.record->context()->utf8());
        EXPECT_EQ(bubble->labelContext()->frame().origin, (ui::Point { isSend ? 55.0 : 63.0, 16 }));
        if (!isTransfer)
            continue;
        EXPECT_EQ(bubble->tranText()->text(), c.caption);
        EXPECT_EQ(bubble->tranNum()->text(), c.amount);
        ui::Rect caption = bubble->tranText()->frame(), mark = bubble->markIcon()->frame(), amount = bubble->tranNum()->frame();
        EXPECT_EQ(caption.origin, (ui::Point { isSend ? 53.0 : 58.0, 14 }));
        EXPECT_EQ(caption.width(), 150);
        EXPECT_EQ(mark.origin, (ui::Point { isSend ? 51.0 : 56.0, caption.maxY() + 4 }));
        EXPECT_EQ(bubble->markIcon()->text(), "￥");
        EXPECT_EQ(amount.origin, (ui::Point { mark.maxX() - 3, mark.y() }));
        // The texts stay on the card.
        EXPECT_LE(amount.maxY(), bubble->bounds().height());
    }
}

// The payment app shows every transfer and receipt on the finished card, its
// amount as a single-precision value with two decimals, no grouping and "元",
// starting 3 points further left on a system older than 9.3.
TEST_F(MoneyBubbleTest, PaymentAppAmountsAndTheirInsetBySystemVersion)
{
    struct Case {
        std::string typed, shown;
    };
    const Case cases[] = {
        { "0.1", "0.10元" }, { "100000", "100000.00元" }, { "88", "88.00元" }, { "1234.5", "1234.50元" },
        { "16777217", "16777216.00元" }, // single precision holds the nearest value
        { "", "0.00元" }, { "abc", "0.00元" },
    };
    auto bubble = ui::View::make<QYTranBubbleView>();
    for (const auto& [version, insets] : { std::pair { "10.3", std::pair { 55.0, 60.0 } }, std::pair { "9.2", std::pair { 52.0, 57.0 } } }) {
        useVersion(version);
        for (const auto& c : cases) {
            for (bool isSend : { true, false }) {
                for (bool isTran : { true, false }) {
                    SCOPED_TRACE(std::string(version) + " " + c.typed + (isSend ? " own" : " other") + (isTran ? "" : " receipt"));
                    bubbleFor(transfer(c.typed, isSend, isTran, !isTran, 2), bubble);
                    EXPECT_TRUE(shows(*bubble->backImageView(), isSend ? "QYPay_TransferIcon_Finish.png" : "QYPay_TransferIcon_Finish_2.png"));
                    EXPECT_FALSE(bubble->tranNum()->isHidden());
                    EXPECT_EQ(bubble->tranNum()->text(), c.shown);
                    EXPECT_EQ(bubble->tranNum()->frame().origin, (ui::Point { isSend ? insets.first : insets.second, 34 }));
                    EXPECT_TRUE(bubble->receView()->isHidden());
                }
            }
        }
    }
    EXPECT_TRUE(shows(*bubbleFor(redPacket("", true, true, 2), bubble)->backImageView(), "QYPay_BriberyMoneyIcon.png"));
    auto packet = bubbleFor(redPacket("恭喜发财，万事如意！", false, false, 2), bubble);
    EXPECT_TRUE(shows(*packet->backImageView(), "QYPay_BriberyMoneyIcon_2.png"));
    EXPECT_TRUE(packet->tranNum()->isHidden());
    EXPECT_EQ(packet->labelContext()->frame().origin, (ui::Point { 62, 16 }));
    EXPECT_EQ(packet->labelContext()->text(), "恭喜发财，万事如意！");
}

// A taken red packet shows, 15 below the card, a 25-high pill: the icon 12 in,
// the line 8 after it, 8 to spare at the end, and "红包" in the style's colour.
// Its centre moves against the card's by the screen's height and the side.
TEST_F(MoneyBubbleTest, TakenRedPacketPillLineColourAndPlace)
{
    struct Style {
        int styleType;
        std::string ownLine, otherLine;
        ui::Color accent;
        std::string icon;
    };
    const Style styles[] = {
        { 1, "小明领取了你的红包", "你领取了阿强的红包", ui::Color::rgb(253, 153, 49), "QYMoneyIcon.png" },
        { 2, "小明领取了你的 红包", "你领取了阿强的 红包", ui::Color::rgb(0, 170, 238), "QYPay_MoneyIcon.png" },
    };
    struct Screen {
        std::string device;
        double ownOffset;
    };
    const Screen screens[] = { { "iphone4", 10 }, { "iphone5", 10 }, { "iphone6", -15 }, { "iphone6plus", -37 } };
    for (const auto& style : styles) {
        for (const auto& screen : screens) {
            useDevice(screen.device);
            for (bool isSend : { true, false }) {
                SCOPED_TRACE(std::to_string(style.styleType) + " " + screen.device + (isSend ? " own" : " other"));
                auto record = redPacket("", isSend, true, style.styleType);
                std::shared_ptr<RIBaseBubbleView> bubble;
                std::shared_ptr<RIMoneyPillView> pill;
                if (style.styleType == 1) {
                    auto messenger = bubbleFor<RIVideoBubbleView>(record);
                    bubble = messenger, pill = messenger->receView();
                } else {
                    auto payment = bubbleFor<QYTranBubbleView>(record);
                    bubble = payment, pill = payment->receView();
                }
                ASSERT_FALSE(pill->isHidden());
                const auto& line = *pill->textMoney()->attributedText();
                EXPECT_EQ(line.utf8(), isSend ? style.ownLine : style.otherLine);
                auto colours = characterColours(*pill->textMoney());
                for (std::size_t i = 0; i < colours.size(); ++i)
                    EXPECT_EQ(colours[i], i + 2 < colours.size() ? ui::Color::whiteColor() : style.accent) << i;

                ui::Rect card = bubble->bounds(), frame = pill->frame();
                EXPECT_DOUBLE_EQ(frame.midX() - card.midX(), isSend ? screen.ownOffset : -screen.ownOffset);
                EXPECT_EQ(frame.y(), card.maxY() + 15);
                EXPECT_EQ(frame.height(), 25);
                ui::Rect icon = pill->moneyIcon()->frame(), text = pill->textMoney()->frame();
                EXPECT_TRUE(shows(*pill->moneyIcon(), style.icon));
                EXPECT_EQ(icon.x(), 12);
                EXPECT_DOUBLE_EQ(icon.midY(), 12.5);
                EXPECT_EQ(text.x(), icon.maxX() + 8);
                EXPECT_DOUBLE_EQ(text.midY(), 12.5);
                EXPECT_DOUBLE_EQ(frame.width() - text.maxX(), 8);
                // Both rows of a taken packet fit its 150-point row.
                EXPECT_LE(13 + frame.maxY(), 150);
            }
        }
    }
}

// Rows of both styles, one after the other in one list (cells of one style
// then serve the other): a taken packet's cell is reused for an
// untaken one, which must not show the pill; a tap on any money bubble sends
// the money event with its own record.
TEST_F(MoneyBubbleTest, ReusedMoneyCellsDropThePillAndTapsReportTheRecord)
{
    for (int styleType : { 1, 2 }) {
        SCOPED_TRACE(styleType);
        std::vector<std::shared_ptr<QYChatModel>> rows;
        for (int i = 0; i < 30; ++i)
            rows.push_back(redPacket("第" + std::to_string(i) + "个", true, i < 5, styleType));
        show(rows);
        list->scrollToRow(ui::IndexPath::forRow(29), ui::TableViewScrollPosition::Bottom, false);
        ui::Application::shared().layoutIfNeeded();
        for (auto& cell : list->visibleCells()) {
            auto ring = std::dynamic_pointer_cast<RIRingTabelViewCell>(cell);
            ASSERT_TRUE(ring);
            auto messenger = std::dynamic_pointer_cast<RIVideoBubbleView>(ring->bubbleView());
            auto payment = std::dynamic_pointer_cast<QYTranBubbleView>(ring->bubbleView());
            ASSERT_TRUE(styleType == 1 ? bool(messenger) : bool(payment));
            auto pill = messenger ? messenger->receView() : payment->receView();
            EXPECT_FALSE(pill->isHidden() && ring->clock()->isGet());
            EXPECT_TRUE(pill->isHidden() || ring->clock()->isGet());
        }
        events.clear();
        auto last = cellAt(29);
        tap(onScreen(*last->bubbleView()));
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].first, "kRIVideoBubbleViewTapVideoEventName");
        EXPECT_EQ(events[0].second, rows[29]);
    }
}

// The cards of each kind, side and state are checked on the bubbles above; a
// missing nickname leaves its place empty.
TEST(MoneyRules, MissingNicknamesLeaveTheirPlaceEmpty)
{
    EXPECT_EQ(RIMoneyRules::pillText(true, std::nullopt, std::nullopt, false), "领取了你的红包");
    EXPECT_EQ(RIMoneyRules::transferCaption(true, false, true, std::nullopt), "转账给");
}
