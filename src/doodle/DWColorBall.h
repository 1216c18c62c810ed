#pragma once
#include "ui/View.h"

// The preview of the pen: a filled circle in the pen's colour whose size
// follows the width slider. It is where the panel's colour and width live;
// every change posts "SendColorAndWidthNotification".
class DWColorBall : public ui::View {
public:
    static constexpr const char* kNotification = "SendColorAndWidthNotification";
    // The ball at its smallest shows at this share of its full size.
    static constexpr double kSmallestScale = 0.3;
    // The pen is wider than the ball shows it by 1 / 0.7.
    static constexpr double kWidthFactor = 0.7;

    explicit DWColorBall(const ui::Rect& frame);
    std::string className() const override { return "DWColorBall"; }

    const ui::Color& ballColor() const { return m_ballColor; }
    void setBallColor(const ui::Color& color);
    float ballSize() const { return m_ballSize; }
    // 0 shows the ball at 30 %, 1 at full size; the pen width follows.
    void setBallSize(float size);
    double lineWidth() const { return m_lineWidth; }

    void draw(ui::GraphicsContext& context, const ui::Rect& rect) override;

private:
    ui::Color m_ballColor = ui::Color::clearColor();
    float m_ballSize = 0;
    double m_lineWidth = 0;
};
