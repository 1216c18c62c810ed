#pragma once
#include "messages/RIBaseBubbleView.h"
#include "messages/RIBubbleMaskView.h"

namespace coding {
class Data;
}

// The bubble of a picture message: the picture scaled so that its longer side
// is 141 points and cut to the side's speech-bubble outline, tail included,
// with a thin grey rim. A tap sends the base bubble's event.
class RIImageBubbleView : public RIBaseBubbleView {
public:
    RIImageBubbleView();
    explicit RIImageBubbleView(const ui::Rect& frame);

    std::string className() const override { return "RIImageBubbleView"; }

    const std::shared_ptr<ui::ImageView>& imageView() const { return m_imageView; }
    // The mask installed on the picture view by the last setClock.
    const std::shared_ptr<RIBubbleMaskView>& maskLayer() const { return m_mask; }

    void setClock(std::shared_ptr<QYChatModel> clock) override;
    // Builds the bubble-shaped mask from the side's background and installs it.
    void setImageViewLayerWithImage(const ui::ImagePtr& image);

    ui::Size sizeThatFits(ui::Size size) const override;
    void layoutSubviews() override;

private:
    void build();

    std::shared_ptr<ui::ImageView> m_imageView;
    std::shared_ptr<RIBubbleMaskView> m_mask;
    ui::Size m_pictureSize;
    // The data the shown picture was decoded from, so that binding the same
    // message again does not decode it again. Weak, so that its address is
    // not reused by other data while it is remembered.
    std::weak_ptr<coding::Data> m_decodedData;
};
