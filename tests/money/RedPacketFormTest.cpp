#include "money/MoneyPageTest.h"

#include "money/common/MoneyTitleView.h"
#include "money/redpacket/QYRedPacViewController.h"
#include "money/redpacket/RedPacketAmountFilter.h"
#include "money/redpacket/RedPacketAmountText.h"
#include "platform/PhoneValues.h"
#include "ui/NavigationController.h"
#include "ui/Renderer.h"

namespace {

using Style = RedPacketAmountFilter::Style;

// The text a field holds after typing `keys` one by one at the caret, as the
// filter lets them through.
std::u16string typed(Style style, const std::u16string& start, std::size_t caret, const std::u16string& keys)
{
    RedPacketAmountFilter filter(style);
    std::u16string text = start;
    for (char16_t key : keys) {
        std::u16string one(1, key);
        if (filter.shouldChange(text, { caret, 0 }, one)) {
            text.insert(caret, one);
            ++caret;
        }
    }
    return text;
}

} // namespace

TEST(RedPacketAmountFilter, KeystrokesTheAmountFieldTakes)
{
    struct Case {
        Style style;
        std::u16string start;
        std::size_t caret;
        std::u16string keys, result;
    };
    const Case cases[] = {
        // Three whole digits at most, and the whole part at most 200.
        { Style::Messenger, u"", 0, u"2001", u"200" },
        { Style::Messenger, u"", 0, u"201", u"20" },
        { Style::Messenger, u"", 0, u"199", u"199" },
        // Two decimals at most after a ".".
        { Style::Messenger, u"", 0, u"99.123", u"99.12" },
        { Style::Messenger, u"", 0, u"5..5", u"5.5" },
        { Style::Messenger, u"", 0, u".5", u".5" },
        // The check reads the keystroke at the end, wherever it goes: 012.
        { Style::Messenger, u"01", 0, u"2", u"201" },
        // Around the "." of 12.5: in front of the 1 refused, right before the "." taken.
        { Style::Messenger, u"12.5", 0, u"3", u"12.5" },
        { Style::Messenger, u"12.5", 1, u"3", u"12.5" },
        { Style::Messenger, u"12.5", 2, u"3", u"123.5" },
        { Style::Messenger, u"12.5", 4, u"67", u"12.56" },
        // The payment app refuses only a second ".".
        { Style::PaymentApp, u"", 0, u"123456.789.1", u"123456.7891" },
        { Style::PaymentApp, u"12.5", 0, u"9", u"912.5" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(typed(c.style, c.start, c.caret, c.keys), c.result) << ui::toUtf8(c.start) << " + " << ui::toUtf8(c.keys);

    RedPacketAmountFilter messenger(Style::Messenger);
    // Deleting is always allowed; a paste is judged key by key; a range past the end never.
    EXPECT_TRUE(messenger.shouldChange(u"200", { 2, 1 }, u""));
    EXPECT_TRUE(messenger.shouldChange(u"", { 0, 0 }, u"12.5"));
    EXPECT_FALSE(messenger.shouldChange(u"", { 0, 0 }, u"1234"));
    EXPECT_FALSE(messenger.shouldChange(u"1.5", { 0, 0 }, u"2.5"));
    EXPECT_TRUE(messenger.shouldChange(u"199", { 0, 3 }, u"15"));
    EXPECT_FALSE(messenger.shouldChange(u"1", { 5, 0 }, u"2"));
    EXPECT_FALSE(RedPacketAmountFilter(Style::PaymentApp).shouldChange(u"", { 0, 0 }, u"1.2.3"));
}

// The form presented at the root of its own navigation stack over the chat,
// as the chat screen does it.
class RedPacketFormTest : public MoneyPageTest {
protected:
    void open(int style, const char* device = "iphone6")
    {
        MoneyPageTest::open(device);
        form = std::make_shared<QYRedPacViewController>();
        form->setStyle(style);
        receiver = std::make_shared<QYRedPacViewControllerDelegate>();
        receiver->intoRedBackNum = [this](const std::string& amount, const std::string& blessing) { results.push_back({ amount, blessing }); };
        form->setDelegate(receiver);
        stack = ui::NavigationController::make(form);
        chatStandIn->presentViewController(stack, true);
        settle(1);
    }
    // Keys typed one by one into the amount field, which the user tapped first.
    void typeAmount(const std::u16string& keys)
    {
        if (!form->textPr()->isFirstResponder())
            tapView(form->textPr());
        for (char16_t key : keys)
            form->textPr()->insertText(std::u16string(1, key));
        ui::Application::shared().layoutIfNeeded();
    }
    std::string preview() const { return form->redPac()->attributedText()->utf8(); }

    std::shared_ptr<QYRedPacViewController> form;
    std::shared_ptr<ui::NavigationController> stack;
    std::shared_ptr<QYRedPacViewControllerDelegate> receiver;
    std::vector<std::pair<std::string, std::string>> results;
};

// The parts by screen class: the fields' tops, the background picture, and
// the button 20 below the amount, in both styles.
TEST_F(RedPacketFormTest, FormLayoutByScreenClassAndStyle)
{
    struct Case {
        const char* device;
        double amountTop, blessingTop, previewTop;
        std::string background;
    };
    const Case cases[] = {
        { "iphone4", 33, 90, 160, "QYMoney_iphone4.png" },
        { "iphone5", 46, 110, 210, "QYMoney.png" },
        { "iphone6", 58, 135, 210, "QYMoney.png" },
        { "iphone6plus", 58, 135, 210, "QYMoney.png" },
    };
    for (const auto& c : cases) {
        for (int style : { 1, 2 }) {
            SCOPED_TRACE(std::string(c.device) + " style " + std::to_string(style));
            open(style, c.device);
            double width = ui::Screen::main().size().width;
            auto root = form->view();
            EXPECT_EQ(root->frame().y(), 64);
            EXPECT_EQ(form->backgroundView()->frame(), root->bounds());
            EXPECT_EQ(form->backgroundView()->image()->name(), ui::Image::named(c.background)->name());
            ui::Rect amount = form->textPr()->frame(), blessing = form->context()->frame(), preview = form->redPac()->frame();
            EXPECT_EQ(amount.y(), c.amountTop);
            EXPECT_EQ(amount.width(), 150);
            EXPECT_EQ(width - amount.maxX(), 60);
            EXPECT_EQ(form->textPr()->keyboardType, ui::KeyboardType::DecimalPad);
            EXPECT_EQ(form->textPr()->placeholder(), "填写金额");
            EXPECT_EQ(blessing, (ui::Rect { 27, c.blessingTop, width - 54, 30 }));
            EXPECT_EQ(form->context()->placeholder(), style == 1 ? "恭喜发财，大吉大利!" : "恭喜发财，万事如意!");
            EXPECT_EQ(preview.y(), c.previewTop);
            EXPECT_DOUBLE_EQ(preview.midX(), width / 2);
            EXPECT_EQ(form->sendRed()->frame(), (ui::Rect { 17, preview.maxY() + 20, width - 34, 45 }));
            EXPECT_FALSE(form->sendRed()->isEnabled());
            // Everything stays on screen above the foot of the form.
            EXPECT_LT(form->sendRed()->frame().maxY(), root->bounds().height());
            // The background's white boxes lie under the whole height of both fields.
            auto shot = ui::Renderer::snapshotScreen();
            ASSERT_TRUE(shot);
            const auto& px = shot->pixels();
            double scale = ui::Screen::main().scale();
            auto blueAt = [&](ui::Point point) {
                return px.pixels[size_t(point.y * scale) * size_t(px.stride) + size_t(point.x * scale) * 4];
            };
            for (const auto& field : { form->textPr(), form->context() }) {
                ui::Rect onScreen = field->frameInScreen();
                for (double y : { onScreen.y() + 1, onScreen.maxY() - 1 })
                    EXPECT_EQ(blueAt({ onScreen.x() + 2, y }), 255) << y;
            }
            EXPECT_EQ(blueAt({ 3, form->textPr()->frameInScreen().midY() }), 243) << "the form's own colour beside the boxes";

            auto bar = stack->navigationBar();
            EXPECT_EQ(bar->backgroundImage(), ui::Image::named("QYMoney_Navigation_bar_2.png"));
            EXPECT_EQ(bar->tintColor(), ui::Color::rgb(253, 220, 162));
            EXPECT_EQ(form->navigationItem().leftBarButtonItem->title, "关闭");
            auto help = std::dynamic_pointer_cast<ui::Button>(form->navigationItem().rightBarButtonItem->customView);
            ASSERT_TRUE(help);
            EXPECT_EQ(help->frame().size, (ui::Size { 25, 30 }));
            EXPECT_EQ(help->currentImage(), ui::Image::named("QYInterrogation.png"));
            if (style == 1) {
                auto title = std::dynamic_pointer_cast<MoneyTitleView>(form->navigationItem().titleView);
                ASSERT_TRUE(title);
                EXPECT_EQ(title->titleLabel()->text(), "发红包");
                EXPECT_EQ(title->subtitleLabel()->text(), "微信安全支付");
                EXPECT_EQ(title->bounds().width(), 150);
                EXPECT_EQ(form->sendRed()->currentTitle(), "塞钱进钱包");
                EXPECT_EQ(form->sendRed()->currentBackgroundImage(), ui::Image::named("QYMoney_Button_UnSelected.png"));
            } else {
                EXPECT_FALSE(form->navigationItem().titleView);
                EXPECT_EQ(form->navigationItem().title, "个人红包");
                EXPECT_FALSE(form->sendRed()->currentTitle());
                EXPECT_EQ(form->sendRed()->backgroundImageForState(ui::StateNormal), ui::Image::named("QYPay_SendMoney.png"));
            }
        }
    }
}

// Typing into the real field: the filter's rules, the preview in the locale's
// currency form and the button following the amount.
TEST_F(RedPacketFormTest, TypedAmountShowsInThePreviewAndEnablesTheButton)
{
    open(1);
    EXPECT_EQ(preview(), "￥0.00");
    typeAmount(u"2001");
    EXPECT_EQ(form->textPr()->text(), u"200");
    EXPECT_EQ(preview(), "￥200.00");
    EXPECT_TRUE(form->sendRed()->isEnabled());
    EXPECT_EQ(form->sendRed()->currentBackgroundImage(), ui::Image::named("QYMoney_Button_Selected.png"));
    while (!form->textPr()->text().empty())
        form->textPr()->deleteBackward();
    EXPECT_EQ(preview(), "￥0.00");
    EXPECT_FALSE(form->sendRed()->isEnabled());
    typeAmount(u".");
    EXPECT_EQ(preview(), "￥0.00");
    EXPECT_FALSE(form->sendRed()->isEnabled());
    typeAmount(u"05");
    EXPECT_EQ(preview(), "￥0.05");
    EXPECT_TRUE(form->sendRed()->isEnabled());

    // In the middle of 12.5: the caret put before the 1, then before the ".".
    form->textPr()->setText(u"12.5");
    form->textPr()->setCaret(0);
    typeAmount(u"3");
    EXPECT_EQ(form->textPr()->text(), u"12.5");
    form->textPr()->setCaret(2);
    typeAmount(u"3");
    EXPECT_EQ(form->textPr()->text(), u"123.5");
    EXPECT_EQ(preview(), "￥123.50");

    open(2);
    typeAmount(u"1234.5.6");
    EXPECT_EQ(form->textPr()->text(), u"1234.56");
    EXPECT_EQ(preview(), "￥1,234.56");
    form->textPr()->setText(u"");
    typeAmount(u"16777217");
    EXPECT_EQ(preview(), "￥16,777,216.00"); // read in single precision
}

// The sign is drawn close to the digits: its kerning is -10, or -20 before
// 9.3; the untouched form has a hair of spacing on every character.
TEST_F(RedPacketFormTest, SignKerningBySystemVersion)
{
    for (const auto& [version, kern] : { std::pair { "10.3", -10.0 }, std::pair { "9.2", -20.0 } }) {
        SCOPED_TRACE(version);
        auto profile = *platform::DeviceProfile::named("iphone6");
        profile.systemVersion = version;
        ui::Screen::main().setProfile(profile);
        auto initial = RedPacketAmountText::initial();
        EXPECT_EQ(initial.attributesAt(0).kern, -10);
        for (std::size_t i = 1; i < initial.length(); ++i)
            EXPECT_EQ(initial.attributesAt(i).kern, 0.001);
        auto shown = RedPacketAmountText::preview(u"1234.5");
        EXPECT_EQ(shown.utf8(), "￥1,234.50");
        EXPECT_EQ(shown.attributesAt(0).kern, kern);
        for (std::size_t i = 1; i < shown.length(); ++i)
            EXPECT_FALSE(shown.attributesAt(i).kern);
        EXPECT_EQ(shown.attributesAt(3).font, ui::Font::named("Helvetica-Light", 44));
    }
}

// Confirming hands over the label's text (sign, grouping, two decimals) and
// the blessing, or the style's default with the full-width "！", and closes;
// "关闭" closes with nothing.
TEST_F(RedPacketFormTest, ConfirmHandsBackTheShownAmountAndBlessing)
{
    struct Case {
        int style;
        std::u16string amount, blessing;
        std::string handed, blessingHanded;
    };
    const Case cases[] = {
        { 1, u"88", u"", "￥88.00", "恭喜发财，大吉大利！" },
        { 2, u"1234.5", u"", "￥1,234.50", "恭喜发财，万事如意！" },
        { 1, u"0.5", u"早日康复", "￥0.50", "早日康复" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ui::toUtf8(c.amount));
        results.clear();
        open(c.style);
        typeAmount(c.amount);
        if (!c.blessing.empty()) {
            tapView(form->context());
            form->context()->insertText(c.blessing);
        }
        tapView(form->sendRed());
        settle();
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].first, c.handed);
        EXPECT_EQ(results[0].second, c.blessingHanded);
        EXPECT_FALSE(chatStandIn->presentedViewController());
    }

    results.clear();
    open(1);
    typeAmount(u"5");
    stack->navigationBar()->layoutIfNeeded();
    auto close = form->navigationItem().leftBarButtonItem;
    close->action();
    settle();
    EXPECT_TRUE(results.empty());
    EXPECT_FALSE(chatStandIn->presentedViewController());
    // A form whose receiver has gone still closes.
    open(1);
    receiver.reset();
    typeAmount(u"5");
    tapView(form->sendRed());
    settle();
    EXPECT_FALSE(chatStandIn->presentedViewController());
}

// The form slides up while a field is edited and back under the bar after
// return or a touch on the form.
TEST_F(RedPacketFormTest, FormMovesOutOfTheKeyboardsWay)
{
    for (const char* device : { "iphone4", "iphone6" }) {
        SCOPED_TRACE(device);
        open(1, device);
        auto root = form->view();
        tapView(form->textPr());
        settle();
        EXPECT_EQ(root->frame().y(), std::string(device) == "iphone4" ? 35 : 25);
        tapView(form->context());
        settle();
        EXPECT_EQ(root->frame().y(), -20);
        EXPECT_EQ(root->frame().size, form->backgroundView()->frame().size);
        form->context()->insertText(u"\n");
        settle();
        EXPECT_EQ(root->frame().y(), 64);
        EXPECT_FALSE(form->context()->isFirstResponder());
        tapView(form->textPr());
        settle();
        // A touch on the form's empty part, beside the amount field.
        tap(root->toWindow({ 5, form->textPr()->frame().midY() }));
        settle();
        EXPECT_FALSE(form->textPr()->isFirstResponder());
        EXPECT_EQ(root->frame().y(), 64);
    }
}
