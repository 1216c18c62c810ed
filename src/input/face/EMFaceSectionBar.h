#pragma once
#include <memory>

#include "ui/Button.h"
#include "ui/ImageView.h"

// Hears the emoji keyboard's send button.
class EMFaceSectionBarDelegate {
public:
    virtual ~EMFaceSectionBarDelegate() = default;
    virtual void sendFaceDelegate() = 0;
};

// The bar under the emoji pages: the bar picture, with an invisible 35-point
// send button over its right end.
class EMFaceSectionBar : public ui::View {
public:
    EMFaceSectionBar(const ui::Rect& frame, int style);
    std::string className() const override { return "EMFaceSectionBar"; }

    void setDelegate(std::weak_ptr<EMFaceSectionBarDelegate> delegate) { m_delegate = std::move(delegate); }
    const std::shared_ptr<ui::Button>& sendButton() const { return m_sendButton; }
    void layoutSubviews() override;

private:
    std::weak_ptr<EMFaceSectionBarDelegate> m_delegate;
    std::shared_ptr<ui::ImageView> m_barImage;
    std::shared_ptr<ui::Button> m_sendButton;
};
