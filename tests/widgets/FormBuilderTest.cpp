// The form builder's layout, checked as relationships: groups stacked with
// gaps, captions on the left, each control ending before its row's arrow and
// centred on its caption, tap areas over exactly one row.
#include "support/PhoneTest.h"

#include "widgets/FormBuilder.h"

using namespace ui;

namespace {

// The views of `group` that are neither captions nor controls: the dividers.
std::vector<ViewPtr> dividersOf(const View& group)
{
    std::vector<ViewPtr> found;
    for (auto& view : group.subviews())
        if (!std::dynamic_pointer_cast<Label>(view) && !std::dynamic_pointer_cast<ImageView>(view)
            && !std::dynamic_pointer_cast<TextField>(view) && !std::dynamic_pointer_cast<Button>(view))
            found.push_back(view);
    return found;
}

} // namespace

TEST(FormBuilderTest, GroupsRowsAndControlsLineUp)
{
    for (double width : { 320.0, 375.0, 414.0 }) {
        SCOPED_TRACE(width);
        auto content = std::make_shared<View>(Rect { 0, 0, width, 0 });
        FormBuilder form(content);

        auto pair = form.addGroup(2);
        auto pictureRow = form.addRow("头像");
        auto picture = form.addPicture(pictureRow);
        auto area = form.addTapArea(0, 7);
        auto fieldRow = form.addRow("昵称");
        auto field = form.addField(fieldRow, "昵称");
        auto single = form.addGroup(1);
        auto valueRow = form.addRow("背景");
        auto value = form.addValueText(valueRow, "默认");
        auto last = form.addGroup(1);
        auto plainRow = form.addRow("x", false);
        auto button = form.addButton("开始", 50);

        // Stacking: one gap above each group and the button, full width.
        EXPECT_EQ(pair->frame(), (Rect { 0, FormBuilder::kGroupGap, width, 2 * FormBuilder::kRowHeight }));
        EXPECT_EQ(single->y(), pair->frame().maxY() + FormBuilder::kGroupGap);
        EXPECT_EQ(single->height(), FormBuilder::kRowHeight);
        EXPECT_EQ(button->y(), last->frame().maxY() + FormBuilder::kGroupGap);
        EXPECT_EQ(form.bottom(), button->frame().maxY());
        EXPECT_EQ(form.groups(), (std::vector<ViewPtr> { pair, single, last }));

        // One divider between the two rows, inset on both sides.
        auto dividers = dividersOf(*pair);
        ASSERT_EQ(dividers.size(), 1u);
        EXPECT_EQ(dividers[0]->frame().center().y, FormBuilder::kRowHeight);
        EXPECT_EQ(dividers[0]->x(), FormBuilder::kDividerInset);
        EXPECT_EQ(dividers[0]->frame().maxX(), width - FormBuilder::kDividerInset);
        EXPECT_TRUE(dividersOf(*single).empty());

        // Captions sit in their own rows; the single row's caption is centred.
        EXPECT_EQ(pictureRow.caption->x(), FormBuilder::kCaptionLeft);
        EXPECT_LT(pictureRow.caption->frame().maxY(), FormBuilder::kRowHeight);
        EXPECT_GT(fieldRow.caption->y(), dividers[0]->frame().maxY());
        EXPECT_DOUBLE_EQ(valueRow.caption->centerY(), FormBuilder::kRowHeight / 2);

        // Controls end a gap before the arrow and share their caption's middle.
        for (auto [row, control] : { std::pair { pictureRow, ViewPtr(picture) }, std::pair { fieldRow, ViewPtr(field) },
                 std::pair { valueRow, ViewPtr(value) } }) {
            EXPECT_DOUBLE_EQ(control->frame().maxX(), row.controlRight);
            EXPECT_DOUBLE_EQ(control->centerY(), row.caption->centerY());
            EXPECT_GT(control->x(), row.caption->frame().maxX()) << "the control leaves the caption readable";
            EXPECT_LT(row.controlRight, width - FormBuilder::kArrowRight - FormBuilder::kControlGap) << "room for the arrow";
        }
        EXPECT_DOUBLE_EQ(plainRow.controlRight, width - FormBuilder::kArrowRight - FormBuilder::kControlGap);
        EXPECT_EQ(field->returnKeyType, ReturnKeyType::Done);

        // The tap area covers the first row and nothing of the second.
        EXPECT_EQ(area->frame(), (Rect { 0, 0, width, FormBuilder::kRowHeight }));
        EXPECT_EQ(area->tag(), 7);
        EXPECT_FALSE(area->frame().contains(fieldRow.caption->frame().center()));
        EXPECT_TRUE(area->frame().contains(pictureRow.caption->frame().center()));
    }
}
