#pragma once
#include "ui/View.h"

namespace ui {

// A thin bar that fills from the left with the progress, 0 to 1.
class ProgressView : public View {
public:
    ProgressView();
    explicit ProgressView(const Rect& frame);

    std::string className() const override { return "UIProgressView"; }

    float progress() const { return m_progress; }
    // Clamped to [0, 1]; animated, the filled part grows or shrinks over 0.25 s.
    void setProgress(float progress, bool animated = false);
    Color progressTintColor() const { return m_progressTintColor; }
    void setProgressTintColor(const Color& color);
    Color trackTintColor() const { return m_trackTintColor; }
    void setTrackTintColor(const Color& color);

    // The filled part, in the view's bounds.
    Rect progressRect() const;

    Size sizeThatFits(Size size) const override;
    void layoutSubviews() override;
    void draw(GraphicsContext& context, const Rect& rect) override;

private:
    float m_progress = 0;
    Color m_progressTintColor = Color::rgb(0, 122, 255);
    Color m_trackTintColor = Color::rgb(183, 183, 183);
    // The filled part is a subview so that its width animates like any frame.
    std::shared_ptr<View> m_bar;
};

} // namespace ui
