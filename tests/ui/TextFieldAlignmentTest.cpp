// A text field's one line keeps its alignment, shown and while typing, and stays one line.
#include "support/PhoneTest.h"

#include "DrawnPixels.h"

#include "ui/Renderer.h"
#include "ui/TextField.h"
#include "ui/Window.h"

using namespace ui;

class TextFieldAlignmentTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>();
        window->makeKeyAndVisible();
        field = std::make_shared<TextField>(Rect { 10, 100, 200, 40 });
        window->addSubview(field);
    }
    // The leftmost and rightmost columns the field's drawing inks, in points (scale 1).
    std::pair<int, int> inkedColumns()
    {
        auto ink = drawn::inkOf(*Renderer::snapshotView(*field, 1));
        return { ink.left, ink.right };
    }
    std::shared_ptr<Window> window;
    std::shared_ptr<TextField> field;
};

TEST_F(TextFieldAlignmentTest, AShortTextSitsWhereItsAlignmentPutsIt)
{
    field->setText(std::string_view("对方"));
    field->setTextAlignment(TextAlignment::Left);
    auto [left, right] = inkedColumns();
    EXPECT_LT(left, 5);
    int width = right - left;

    field->setTextAlignment(TextAlignment::Right);
    std::tie(left, right) = inkedColumns();
    EXPECT_GT(right, 194);
    EXPECT_NEAR(right - left, width, 1);

    field->setTextAlignment(TextAlignment::Center);
    std::tie(left, right) = inkedColumns();
    EXPECT_NEAR((left + right) / 2.0, 100, 3);
}

TEST_F(TextFieldAlignmentTest, TypedTextStaysRightAlignedWithTheCaretAfterIt)
{
    field->setTextAlignment(TextAlignment::Right);
    ASSERT_TRUE(field->becomeFirstResponder());
    auto [left, right] = inkedColumns();
    EXPECT_GT(left, 190) << "the caret of an empty field stands at the right";
    EXPECT_LT(right, 200) << "and inside the field";

    field->insertText(u"对方");
    std::tie(left, right) = inkedColumns();
    EXPECT_GT(left, 150) << "the text is not drawn from the left edge";
    EXPECT_GT(right, 194);

    // A text wider than the field shows its end, where the caret is.
    field->insertText(u"一个很长很长很长很长很长很长的昵称");
    std::tie(left, right) = inkedColumns();
    EXPECT_LT(left, 3);
    EXPECT_GT(right, 194);
}

TEST_F(TextFieldAlignmentTest, ALongTextIsDrawnOnOneLine)
{
    field->setFrame({ 10, 100, 100, 44 });
    field->setFont(Font::boldSystem(18));
    field->setTextAlignment(TextAlignment::Center);
    field->setText(std::string_view("一个很长很长很长的昵称"));
    auto ink = drawn::inkOf(*Renderer::snapshotView(*field, 1));
    ASSERT_GE(ink.bottom, ink.top) << "the text is drawn";
    EXPECT_LE(ink.bottom - ink.top + 1, Font::boldSystem(18).lineHeight()) << "not wrapped onto a second line";
}
