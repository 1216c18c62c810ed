#include "input/face/EMFaceSectionBar.h"

EMFaceSectionBar::EMFaceSectionBar(const ui::Rect& frame, int style)
    : ui::View(frame)
{
    setBackgroundColor(ui::Color::whiteColor());
    m_barImage = std::make_shared<ui::ImageView>(bounds());
    m_barImage->setImage(ui::Image::named(style == 1 ? "QYEmotion_bar.png" : "QYPay_Emotion_bar.png"));
    addSubview(m_barImage);
    m_sendButton = ui::Button::make(ui::Button::Type::Custom);
    m_sendButton->addAction(ui::TouchUpInside, [this](ui::Control&) {
        auto keep = sharedView();
        if (auto delegate = m_delegate.lock())
            delegate->sendFaceDelegate();
    });
    addSubview(m_sendButton);
    layoutSubviews();
}

void EMFaceSectionBar::layoutSubviews()
{
    // Pinned to the edges: the picture fills the bar, the button its right end.
    ui::Rect b = bounds();
    m_barImage->setFrame(b);
    m_sendButton->setFrame({ b.maxX() - 35, b.y(), 35, b.height() });
}
