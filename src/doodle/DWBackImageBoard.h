#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/CollectionView.h"
#include "ui/ImageView.h"

// The background-board picker of the pen panel: a row of board pictures, one
// of them chosen. Choosing one posts "ImageBoardNotification" with its name.
// The first board is chosen as soon as the grid shows it.
class DWBackImageBoard : public ui::View {
public:
    static constexpr const char* kNotification = "ImageBoardNotification";
    static constexpr const char* kNameKey = "imageBoardName";
    static constexpr const char* kCellIdentifier = "CollectionImageBoardViewID";

    explicit DWBackImageBoard(const ui::Rect& frame);
    std::string className() const override { return "DWBackImageBoard"; }

    const std::vector<std::string>& array() const { return m_array; }
    const std::shared_ptr<ui::CollectionView>& collectionView() const { return m_collectionView; }
    // Takes the grid the panel made for it and becomes its data source.
    void setCollectionView(std::shared_ptr<ui::CollectionView> grid);
    const std::shared_ptr<ui::ImageView>& imageView() const { return m_imageView; }
    std::optional<int> selectedItem() const { return m_lastIndex; }

    void layoutSubviews() override;

private:
    ui::CollectionViewCellPtr cellFor(ui::CollectionView& grid, const ui::IndexPath& indexPath);
    void choose(ui::CollectionView& grid, int item);

    std::vector<std::string> m_array { "huaban_1", "huaban_2", "huaban_3" };
    std::shared_ptr<ui::CollectionView> m_collectionView;
    std::shared_ptr<ui::ImageView> m_imageView;
    std::optional<int> m_lastIndex;
};
