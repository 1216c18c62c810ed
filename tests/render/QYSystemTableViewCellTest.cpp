#include "RenderFixtures.h"

#include "render/QYSystemTableViewCell.h"

using namespace fixtures;

class SystemCellTest : public PhoneTest {
protected:
    // A cell sized to its row in a 375-wide list and bound to the notice.
    std::shared_ptr<QYSystemTableViewCell> bound(const std::shared_ptr<QYChatModel>& notice,
        std::shared_ptr<QYSystemTableViewCell> cell = nullptr)
    {
        if (!cell) {
            cell = ui::View::make<QYSystemTableViewCell>();
            cell->setFrame({ 0, 0, 375, 38 });
        }
        cell->bindWithModel(*notice);
        cell->layoutIfNeeded();
        return cell;
    }
};

TEST_F(SystemCellTest, OwnRecallReadsAsYoursCentredAndTwentyWiderThanItsText)
{
    auto cell = bound(notice(true, "小明"));
    auto label = cell->systemMessage();
    EXPECT_EQ(label->text(), "你撤回了一条消息");
    double text = QYSystemTableViewCell::measuredTextWidth("你撤回了一条消息", ui::Font::system(14));
    EXPECT_GT(text, 100);
    EXPECT_DOUBLE_EQ(label->frame().width(), text + 20);
    EXPECT_DOUBLE_EQ(label->frame().midX(), 375.0 / 2);
    EXPECT_EQ(label->frame().y(), 7);
    EXPECT_EQ(label->frame().height(), 24);
}

TEST_F(SystemCellTest, OtherSidesRecallQuotesTheNicknameWhenThereIsOne)
{
    EXPECT_EQ(bound(notice(false, "小明"))->systemMessage()->text(), "\"小明\" 撤回了一条消息");
    EXPECT_EQ(bound(notice(false, std::nullopt))->systemMessage()->text(), "撤回了一条消息");
}

TEST_F(SystemCellTest, ReusedCellFollowsTheNewTextsWidth)
{
    auto cell = bound(notice(false, "一个很长很长的昵称"));
    double wide = cell->systemMessage()->frame().width();
    bound(notice(false, std::nullopt), cell);
    double narrow = cell->systemMessage()->frame().width();
    EXPECT_LT(narrow, wide);
    EXPECT_DOUBLE_EQ(narrow, QYSystemTableViewCell::measuredTextWidth("撤回了一条消息", ui::Font::system(14)) + 20);
}

TEST_F(SystemCellTest, VeryLongTextIsMeasuredAtMost320)
{
    auto cell = bound(notice(false, std::string(60, 'W')));
    EXPECT_LE(cell->systemMessage()->frame().width(), 340);
    EXPECT_GT(cell->systemMessage()->frame().width(), 300);
}

TEST_F(SystemCellTest, LookFollowsTheChatType)
{
    auto cell = bound(notice(true, std::nullopt, 2));
    EXPECT_EQ(cell->systemMessage()->font(), ui::Font::system(15));
    EXPECT_EQ(cell->systemMessage()->cornerRadius(), 3);
    EXPECT_DOUBLE_EQ(cell->systemMessage()->frame().width(),
        QYSystemTableViewCell::measuredTextWidth("你撤回了一条消息", ui::Font::system(15)) + 20);
    bound(notice(true, std::nullopt, 1), cell);
    EXPECT_EQ(cell->systemMessage()->font(), ui::Font::system(14));
    EXPECT_EQ(cell->systemMessage()->cornerRadius(), 5);
    EXPECT_EQ(cell->systemMessage()->insets(), (ui::EdgeInsets { 2, 8, 2, 8 }));
    EXPECT_EQ(cell->systemMessage()->textColor(), ui::Color::whiteColor());
    EXPECT_EQ(cell->systemMessage()->backgroundColor(), ui::Color::fromWhite(0, 0.12));
}
