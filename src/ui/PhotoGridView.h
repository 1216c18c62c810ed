#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/PhotoAlbum.h"
#include "ui/ScrollView.h"

namespace ui {

class ImageView;
class Label;

// The picker's grid of album pictures: four square thumbnails a row, oldest
// first, with the count under the last row. Thumbnails are made only for the
// rows on screen (and a screen's worth around them) and dropped further away.
class PhotoGridView : public ScrollView {
public:
    static constexpr int kColumns = 4;
    static constexpr double kSpacing = 1;
    static constexpr double kFooterHeight = 50;

    explicit PhotoGridView(const Rect& frame);
    ~PhotoGridView() override;

    std::string className() const override { return "PUPhotosGridView"; }

    void setPhotos(std::vector<platform::AlbumPhoto> photos);
    const std::vector<platform::AlbumPhoto>& photos() const { return m_photos; }

    double cellSide() const;
    // A cell's frame in content coordinates.
    Rect cellRect(size_t index) const;
    // The cell under a point in content coordinates.
    std::optional<size_t> indexAt(Point point) const;
    // Shows the last row (the newest pictures), as the phone opens its album.
    void scrollToNewest();
    // The thumbnail view of a cell (its image is null while off screen).
    std::shared_ptr<ImageView> cellView(size_t index) const;

    // Called synchronously when a cell is tapped. The callee may dismiss the
    // picker and release this view.
    std::function<void(size_t index)> didSelectPhoto;

    void setBounds(const Rect& bounds) override;
    void layoutSubviews() override;

private:
    void loadVisibleThumbnails();
    void updateContentSize();

    std::vector<platform::AlbumPhoto> m_photos;
    std::vector<std::shared_ptr<ImageView>> m_cells;
    std::shared_ptr<Label> m_footer;
    std::shared_ptr<Label> m_emptyLabel;
};

} // namespace ui
