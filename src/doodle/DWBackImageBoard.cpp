#include "doodle/DWBackImageBoard.h"

#include "doodle/BackImageBoardCollectionViewCell.h"
#include "ui/NotificationCenter.h"

DWBackImageBoard::DWBackImageBoard(const ui::Rect& frame)
    : ui::View(frame)
    , m_imageView(std::make_shared<ui::ImageView>())
{
    addSubview(m_imageView);
}

void DWBackImageBoard::setCollectionView(std::shared_ptr<ui::CollectionView> grid)
{
    if (m_collectionView)
        m_collectionView->removeFromSuperview();
    m_collectionView = std::move(grid);
    if (!m_collectionView)
        return;
    std::weak_ptr<ui::View> weak = sharedView();
    m_collectionView->registerCell(kCellIdentifier, [] { return std::make_shared<BackImageBoardCollectionViewCell>(); });
    m_collectionView->numberOfItemsInSection = [weak](ui::CollectionView&, int) {
        auto self = std::static_pointer_cast<DWBackImageBoard>(weak.lock());
        return self ? int(self->m_array.size()) : 0;
    };
    m_collectionView->cellForItemAtIndexPath = [weak](ui::CollectionView& grid, const ui::IndexPath& indexPath) {
        auto self = std::static_pointer_cast<DWBackImageBoard>(weak.lock());
        return self ? self->cellFor(grid, indexPath) : grid.dequeueReusableCell(kCellIdentifier, indexPath);
    };
    m_collectionView->didSelectItemAtIndexPath = [weak](ui::CollectionView& grid, const ui::IndexPath& indexPath) {
        if (auto self = std::static_pointer_cast<DWBackImageBoard>(weak.lock()))
            self->choose(grid, indexPath.item());
    };
    addSubview(m_collectionView);
    setNeedsLayout();
}

ui::CollectionViewCellPtr DWBackImageBoard::cellFor(ui::CollectionView& grid, const ui::IndexPath& indexPath)
{
    auto cell = std::static_pointer_cast<BackImageBoardCollectionViewCell>(grid.dequeueReusableCell(kCellIdentifier, indexPath));
    int item = indexPath.item();
    if (item >= 0 && item < int(m_array.size()))
        cell->setImageName(m_array[size_t(item)]);
    bool firstShowing = item == 0 && !m_lastIndex;
    if (firstShowing) {
        m_lastIndex = 0;
        ui::NotificationCenter::shared().post(kNotification, { { kNameKey, cell->imageName() } });
    }
    cell->setChosen(m_lastIndex == item);
    return cell;
}

void DWBackImageBoard::choose(ui::CollectionView& grid, int item)
{
    if (item < 0 || item >= int(m_array.size()))
        return;
    if (m_lastIndex) {
        if (auto old = std::dynamic_pointer_cast<BackImageBoardCollectionViewCell>(grid.cellForItem(ui::IndexPath::forItem(*m_lastIndex))))
            old->setChosen(false);
    }
    m_lastIndex = item;
    if (auto cell = std::dynamic_pointer_cast<BackImageBoardCollectionViewCell>(grid.cellForItem(ui::IndexPath::forItem(item))))
        cell->setChosen(true);
    ui::NotificationCenter::shared().post(kNotification, { { kNameKey, m_array[size_t(item)] } });
}

void DWBackImageBoard::layoutSubviews()
{
    m_imageView->setFrame(bounds());
    if (m_collectionView)
        m_collectionView->setFrame(bounds().insetBy(10, 8));
}
