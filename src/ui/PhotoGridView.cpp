#include "ui/PhotoGridView.h"

#include <cmath>
#include <cstdio>

#include "platform/DecodedImageCache.h"
#include "ui/GestureRecognizer.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Renderer.h"
#include "ui/Screen.h"

namespace ui {

// Thumbnails outlive the grid (a picker is made anew each time it is shown),
// so each one is made once while its file is unchanged. About a hundred of
// @2x size, a few screens of the grid.
static platform::DecodedImageCache& thumbnails()
{
    static platform::DecodedImageCache cache(16u * 1024 * 1024);
    return cache;
}

// A small picture of the file, cropped to a square of `side` points at the
// screen's scale, so the grid never keeps whole photos in memory.
static ImagePtr makeThumbnail(const std::string& path, double side)
{
    double scale = Screen::main().scale();
    char size[32];
    std::snprintf(size, sizeof size, "thumbnail %.3f@%g", side, scale);
    auto pixels = thumbnails().derived(path, size, [side, scale](const std::string& file) -> std::shared_ptr<const platform::PixelBuffer> {
        auto image = Image::fromPhotoFile(file);
        if (!image)
            return nullptr;
        auto view = std::make_shared<ImageView>(Rect { 0, 0, side, side });
        view->setContentMode(ContentMode::ScaleAspectFill);
        view->setClipsToBounds(true);
        view->setImage(image);
        auto thumbnail = Renderer::snapshotView(*view, scale);
        return thumbnail ? std::make_shared<const platform::PixelBuffer>(thumbnail->pixels()) : nullptr;
    });
    return Image::fromPixels(pixels, scale);
}

PhotoGridView::PhotoGridView(const Rect& frame)
    : ScrollView(frame)
    , m_footer(std::make_shared<Label>())
    , m_emptyLabel(std::make_shared<Label>())
{
    setBackgroundColor(Color::whiteColor());
    alwaysBounceVertical = true;
    m_footer->setFont(Font::system(17));
    m_footer->setTextColor(Color::rgb(143, 143, 148));
    m_footer->setTextAlignment(TextAlignment::Center);
    addSubview(m_footer);
    m_emptyLabel->setFont(Font::system(24));
    m_emptyLabel->setTextColor(Color::rgb(143, 143, 148));
    m_emptyLabel->setTextAlignment(TextAlignment::Center);
    m_emptyLabel->setText("没有照片或视频");
    m_emptyLabel->setHidden(true);
    addSubview(m_emptyLabel);
    auto tap = std::make_shared<TapGestureRecognizer>([this](GestureRecognizer& recognizer) {
        if (recognizer.state() != GestureRecognizer::State::Ended)
            return;
        auto index = indexAt(recognizer.locationIn(this));
        if (!index || !didSelectPhoto)
            return;
        auto keep = sharedView();
        auto callback = didSelectPhoto;
        callback(*index);
    });
    addGestureRecognizer(tap);
}

PhotoGridView::~PhotoGridView() = default;

void PhotoGridView::setPhotos(std::vector<platform::AlbumPhoto> photos)
{
    for (auto& cell : m_cells)
        cell->removeFromSuperview();
    m_cells.clear();
    m_photos = std::move(photos);
    for (size_t i = 0; i < m_photos.size(); ++i) {
        auto cell = std::make_shared<ImageView>(cellRect(i));
        cell->setBackgroundColor(Color::rgb(235, 235, 235));
        cell->setUserInteractionEnabled(false);
        insertSubview(cell, i);
        m_cells.push_back(cell);
    }
    if (m_photos.empty())
        m_footer->setText(std::nullopt);
    else
        m_footer->setText(std::to_string(m_photos.size()) + " 张照片");
    m_emptyLabel->setHidden(!m_photos.empty());
    updateContentSize();
    setNeedsLayout();
    loadVisibleThumbnails();
}

double PhotoGridView::cellSide() const
{
    return (bounds().width() - (kColumns - 1) * kSpacing) / kColumns;
}

Rect PhotoGridView::cellRect(size_t index) const
{
    double side = cellSide();
    size_t row = index / kColumns, column = index % kColumns;
    return { double(column) * (side + kSpacing), double(row) * (side + kSpacing), side, side };
}

std::optional<size_t> PhotoGridView::indexAt(Point point) const
{
    double side = cellSide();
    if (point.x < 0 || point.y < 0 || side <= 0)
        return std::nullopt;
    size_t column = size_t(point.x / (side + kSpacing));
    size_t row = size_t(point.y / (side + kSpacing));
    if (column >= size_t(kColumns))
        return std::nullopt;
    size_t index = row * kColumns + column;
    if (index >= m_photos.size() || !cellRect(index).contains(point))
        return std::nullopt;
    return index;
}

std::shared_ptr<ImageView> PhotoGridView::cellView(size_t index) const
{
    return index < m_cells.size() ? m_cells[index] : nullptr;
}

void PhotoGridView::updateContentSize()
{
    size_t rows = (m_photos.size() + kColumns - 1) / kColumns;
    double side = cellSide();
    double gridHeight = rows == 0 ? 0 : double(rows) * side + double(rows - 1) * kSpacing;
    setContentSize({ bounds().width(), gridHeight + (m_photos.empty() ? 0 : kFooterHeight) });
}

void PhotoGridView::scrollToNewest()
{
    setContentOffset(maximumOffset(), false);
    loadVisibleThumbnails();
}

void PhotoGridView::setBounds(const Rect& newBounds)
{
    Size old = bounds().size;
    ScrollView::setBounds(newBounds);
    if (old != newBounds.size) {
        updateContentSize();
        for (size_t i = 0; i < m_cells.size(); ++i)
            m_cells[i]->setFrame(cellRect(i));
    }
    loadVisibleThumbnails();
}

void PhotoGridView::layoutSubviews()
{
    size_t rows = (m_photos.size() + kColumns - 1) / kColumns;
    double gridBottom = rows == 0 ? 0 : cellRect((rows - 1) * kColumns).maxY();
    m_footer->setFrame({ 0, gridBottom, bounds().width(), kFooterHeight });
    m_emptyLabel->setFrame({ 0, bounds().height() / 2 - 40, bounds().width(), 40 });
}

void PhotoGridView::loadVisibleThumbnails()
{
    if (m_cells.empty())
        return;
    Rect visible = bounds();
    Rect keep = { visible.x(), visible.y() - visible.height(), visible.width(), visible.height() * 3 };
    double side = cellSide();
    for (size_t i = 0; i < m_cells.size(); ++i) {
        Rect cell = cellRect(i);
        auto& view = m_cells[i];
        if (cell.intersects(visible)) {
            if (!view->image())
                view->setImage(makeThumbnail(m_photos[i].path, side));
        } else if (!cell.intersects(keep) && view->image()) {
            view->setImage(nullptr);
        }
    }
}

} // namespace ui
