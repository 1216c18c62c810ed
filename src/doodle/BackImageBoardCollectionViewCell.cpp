#include "doodle/BackImageBoardCollectionViewCell.h"

#include "doodle/DWPanelStyle.h"

BackImageBoardCollectionViewCell::BackImageBoardCollectionViewCell()
    : m_backImage(std::make_shared<ui::ImageView>())
    , m_selectImage(std::make_shared<ui::ImageView>(ui::Image::named("DWBoardCheck.png")))
{
    m_backImage->setContentMode(ui::ContentMode::ScaleAspectFill);
    contentView()->addSubview(m_backImage);
    contentView()->addSubview(m_selectImage);
    setCornerRadius(3);
    setClipsToBounds(true);
    setChosen(false);
}

void BackImageBoardCollectionViewCell::setImageName(const std::string& name)
{
    m_imageName = name;
    m_backImage->setImage(ui::Image::named(name));
}

void BackImageBoardCollectionViewCell::setChosen(bool chosen)
{
    m_selectImage->setHidden(!chosen);
    setBorderWidth(2);
    setBorderColor(chosen ? DWPanelStyle::selectionColor() : ui::Color::whiteColor());
}

void BackImageBoardCollectionViewCell::prepareForReuse()
{
    ui::CollectionViewCell::prepareForReuse();
    setChosen(false);
}

void BackImageBoardCollectionViewCell::layoutSubviews()
{
    ui::CollectionViewCell::layoutSubviews();
    ui::Rect box = contentView()->bounds();
    m_backImage->setFrame(box);
    m_selectImage->sizeToFit();
    ui::Size mark = m_selectImage->bounds().size;
    m_selectImage->setFrame({ box.maxX() - mark.width - 3, box.maxY() - mark.height - 3, mark.width, mark.height });
}
