#pragma once
#include "ui/Control.h"
#include "ui/graphics/Image.h"

namespace ui {

// A value between a minimum and a maximum chosen by dragging a round thumb
// along a track. The finger must start on the thumb; the thumb then follows
// the finger's movement. ValueChanged is sent synchronously during the drag
// for every change when `continuous` (else once, when the finger lifts, if the
// value changed); the action may release the slider. setValue sends nothing.
class Slider : public Control {
public:
    Slider();
    explicit Slider(const Rect& frame);

    std::string className() const override { return "UISlider"; }

    float value() const { return m_value; }
    void setValue(float value);
    float minimumValue() const { return m_minimumValue; }
    void setMinimumValue(float value);
    float maximumValue() const { return m_maximumValue; }
    void setMaximumValue(float value);
    bool isContinuous() const { return m_continuous; }
    void setContinuous(bool continuous) { m_continuous = continuous; }

    Color minimumTrackTintColor() const { return m_minimumTrackTintColor; }
    void setMinimumTrackTintColor(const Color& color);
    Color maximumTrackTintColor() const { return m_maximumTrackTintColor; }
    void setMaximumTrackTintColor(const Color& color);
    Color thumbTintColor() const { return m_thumbTintColor; }
    void setThumbTintColor(const Color& color);
    // A picture drawn instead of the round thumb, at its natural size.
    const ImagePtr& thumbImage() const { return m_thumbImage; }
    void setThumbImage(ImagePtr image);

    Rect trackRect() const;
    Rect thumbRect() const;

    Size sizeThatFits(Size size) const override;
    void draw(GraphicsContext& context, const Rect& rect) override;
    void touchesBegan(const TouchList& touches) override;
    void touchesMoved(const TouchList& touches) override;
    void touchesEnded(const TouchList& touches) override;
    void touchesCancelled(const TouchList& touches) override;

private:
    Size thumbSize() const;
    float clamped(float value) const;
    float valueForThumbCenter(double x) const;
    void setValueFromTouch(double x);

    float m_value = 0;
    float m_minimumValue = 0;
    float m_maximumValue = 1;
    bool m_continuous = true;
    Color m_minimumTrackTintColor = Color::rgb(0, 122, 255);
    Color m_maximumTrackTintColor = Color::rgb(183, 183, 183);
    Color m_thumbTintColor = Color::whiteColor();
    ImagePtr m_thumbImage;
    // Where on the thumb the finger went down, so the thumb does not jump.
    double m_grabOffset = 0;
    float m_valueAtTouchDown = 0;
    bool m_draggingThumb = false;
};

} // namespace ui
