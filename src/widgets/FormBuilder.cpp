#include "widgets/FormBuilder.h"

#include <cassert>

#include "widgets/AppStyle.h"

FormBuilder::FormBuilder(std::shared_ptr<ui::View> content)
    : m_content(std::move(content))
{
    assert(m_content);
}

double FormBuilder::width() const
{
    return m_content->bounds().width();
}

std::shared_ptr<ui::View> FormBuilder::addGroup(int rows)
{
    assert(rows > 0);
    double height = kRowHeight * rows;
    auto group = std::make_shared<ui::View>(ui::Rect { 0, m_bottom + kGroupGap, width(), height });
    group->setBackgroundColor(ui::Color::whiteColor());
    for (int row = 1; row < rows; ++row) {
        auto divider = std::make_shared<ui::View>(ui::Rect { kDividerInset, kRowHeight * row - 0.5, width() - 2 * kDividerInset, 1 });
        divider->setBackgroundColor(appColor(AppColor::FormBackground));
        group->addSubview(divider);
    }
    m_content->addSubview(group);
    m_groups.push_back(group);
    m_bottom = group->frame().maxY();
    m_rowsInGroup = rows;
    m_nextRow = 0;
    return group;
}

std::shared_ptr<ui::Label> FormBuilder::makeCaption(const std::string& text) const
{
    auto label = std::make_shared<ui::Label>();
    label->setFont(appFont(AppFont::FormLabel));
    label->setTextColor(appColor(AppColor::FormLabelText));
    label->setText(text);
    label->sizeToFit();
    return label;
}

FormBuilder::Row FormBuilder::addRow(const std::string& caption, bool withArrow)
{
    assert(!m_groups.empty() && m_nextRow < m_rowsInGroup && "a row needs room in a group");
    ui::View& group = *m_groups.back();
    int index = m_nextRow++;
    Row row { &group, makeCaption(caption), 0 };
    if (m_rowsInGroup == 1) {
        row.caption->setOrigin({ kCaptionLeft, 0 });
        row.caption->setCenterY(kRowHeight / 2);
    } else {
        // Below a divider the caption keeps its distance from the divider's lower edge.
        double top = index == 0 ? 0 : kRowHeight * index + 0.5;
        row.caption->setOrigin({ kCaptionLeft, top + kCaptionTop });
    }
    group.addSubview(row.caption);

    double right = group.bounds().width() - kArrowRight;
    if (withArrow) {
        auto arrow = std::make_shared<ui::ImageView>(ui::Image::named("PubuArrow_2.png"));
        ui::Size size = arrow->bounds().size;
        arrow->setFrame({ right - size.width, row.caption->centerY() - size.height / 2, size.width, size.height });
        group.addSubview(arrow);
        right = arrow->x();
    }
    row.controlRight = right - kControlGap;
    return row;
}

std::shared_ptr<ui::ImageView> FormBuilder::addPicture(const Row& row)
{
    auto picture = std::make_shared<ui::ImageView>(ui::Rect { row.controlRight - kPictureSide,
        row.caption->centerY() - kPictureSide / 2, kPictureSide, kPictureSide });
    picture->setContentMode(ui::ContentMode::ScaleAspectFill);
    picture->setClipsToBounds(true);
    picture->setBackgroundColor(appColor(AppColor::EmptyPicturePreview));
    row.group->addSubview(picture);
    return picture;
}

std::shared_ptr<ui::TextField> FormBuilder::addField(const Row& row, const std::string& placeholder)
{
    auto field = std::make_shared<ui::TextField>(ui::Rect { row.controlRight - kFieldWidth,
        row.caption->centerY() - kFieldHeight / 2, kFieldWidth, kFieldHeight });
    field->setTextAlignment(ui::TextAlignment::Right);
    field->setPlaceholder(placeholder);
    field->returnKeyType = ui::ReturnKeyType::Done;
    row.group->addSubview(field);
    return field;
}

std::shared_ptr<ui::Label> FormBuilder::addValueText(const Row& row, const std::string& text)
{
    auto label = makeCaption(text);
    label->setOrigin({ row.controlRight - label->width(), row.caption->centerY() - label->height() / 2 });
    row.group->addSubview(label);
    return label;
}

std::shared_ptr<ui::Button> FormBuilder::addTapArea(int index, int tag)
{
    assert(!m_groups.empty() && index >= 0 && index < m_rowsInGroup);
    auto area = ui::Button::make(ui::Button::Type::Custom);
    area->setFrame({ 0, kRowHeight * index, width(), kRowHeight });
    area->setTag(tag);
    m_groups.back()->addSubview(area);
    return area;
}

std::shared_ptr<ui::Button> FormBuilder::addButton(const std::string& title, double height)
{
    auto button = ui::Button::make(ui::Button::Type::Custom);
    button->setFrame({ 0, m_bottom + kGroupGap, width(), height });
    button->setTitle(title);
    m_content->addSubview(button);
    m_bottom = button->frame().maxY();
    return button;
}
