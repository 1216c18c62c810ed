#include "messages/RIImageBubbleView.h"

#include "chat/records/QYChatModel.h"
#include "messages/RIBubbleRules.h"
#include "ui/Screen.h"

namespace {

// The part of the bubble bitmap that stretches, in fractions of its size: it
// keeps the tail and the rounded corners at their size.
const ui::Rect kMaskStretch { 0.4, 0.6, 0.1, 0.2 };

} // namespace

RIImageBubbleView::RIImageBubbleView()
{
    build();
}

RIImageBubbleView::RIImageBubbleView(const ui::Rect& frame)
    : RIBaseBubbleView(frame)
{
    build();
}

void RIImageBubbleView::build()
{
    backImageView()->setClipsToBounds(true);
    m_imageView = View::make<ui::ImageView>(bounds());
    m_imageView->setContentMode(ui::ContentMode::ScaleAspectFill);
    addSubview(m_imageView);
}

void RIImageBubbleView::setClock(std::shared_ptr<QYChatModel> clock)
{
    RIBaseBubbleView::setClock(clock);
    if (!clock)
        return;
    const auto& data = clock->image();
    if (!data || data != m_decodedData.lock()) {
        m_decodedData = data;
        m_imageView->setImage(data ? ui::Image::fromData(data->bytes()) : nullptr);
    }
    std::optional<ui::Size> picture;
    if (auto image = m_imageView->image())
        picture = ui::Size { double(image->pixelWidth()), double(image->pixelHeight()) };
    m_pictureSize = RIBubbleRules::imageBubbleSize(picture);

    // The mask is made from this frame; a landscape picture's is half a point
    // taller than the picture, as the phone's rounding left it.
    ui::Size maskSize = m_pictureSize;
    if (picture && picture->height < picture->width)
        maskSize.height += 0.5;
    m_imageView->setBounds({ 0, 0, maskSize.width, maskSize.height });
    m_imageView->setFrame({ 0, 0, maskSize.width, maskSize.height });
    setImageViewLayerWithImage(backImageView()->image());
    setNeedsLayout();
}

void RIImageBubbleView::setImageViewLayerWithImage(const ui::ImagePtr& image)
{
    if (!m_mask)
        m_mask = View::make<RIBubbleMaskView>();
    m_mask->setFrame(m_imageView->frame());
    m_mask->setContents(image, ui::Screen::main().scale());
    m_mask->setContentsCenter(kMaskStretch);
    m_imageView->setMaskView(m_mask);
    m_imageView->setBorderWidth(0.5);
    // The picture is shifted against its mask by a fraction of a point, which
    // leaves a sliver of the bubble's own rim showing along its edges.
    bool isSend = clock() && clock()->isSend();
    if (isSend)
        m_imageView->setBounds({ 0.3, 0.1, -0.5, -0.2 });
    else
        m_imageView->setBounds({ -0.6, 0.7, -0.1, -0.2 });
    m_imageView->setClipsToBounds(true);
    m_imageView->setBorderColor(ui::Color::fromWhite(0, 0.15));
}

ui::Size RIImageBubbleView::sizeThatFits(ui::Size) const
{
    return m_pictureSize;
}

void RIImageBubbleView::layoutSubviews()
{
    RIBaseBubbleView::layoutSubviews();
    // The constraints give the picture view the bubble's size and keep its
    // bounds origin, so the mask stays shifted.
    ui::Rect b = bounds();
    ui::Rect pictureBounds = m_imageView->bounds();
    m_imageView->setBounds({ pictureBounds.x(), pictureBounds.y(), b.width(), b.height() });
    m_imageView->setCenter({ b.midX(), b.midY() });
}
