#pragma once
#include <memory>
#include <string>

#include "ui/CollectionViewCell.h"
#include "ui/ImageView.h"

// One background board of the picker: the board's picture, rounded, with a
// check mark that shows while it is the chosen one.
class BackImageBoardCollectionViewCell : public ui::CollectionViewCell {
public:
    BackImageBoardCollectionViewCell();
    std::string className() const override { return "BackImageBoardCollectionViewCell"; }

    const std::string& imageName() const { return m_imageName; }
    void setImageName(const std::string& name);
    const std::shared_ptr<ui::ImageView>& backImage() const { return m_backImage; }
    const std::shared_ptr<ui::ImageView>& selectImage() const { return m_selectImage; }

    // Check mark and border of the chosen board, or the plain white border.
    void setChosen(bool chosen);
    void prepareForReuse() override;
    void layoutSubviews() override;

private:
    std::string m_imageName;
    std::shared_ptr<ui::ImageView> m_backImage;
    std::shared_ptr<ui::ImageView> m_selectImage;
};
