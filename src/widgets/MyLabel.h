#pragma once
#include "ui/Label.h"

// A label whose text sits at the top, middle or bottom of its bounds.
class MyLabel : public ui::Label {
public:
    enum VerticalAlignment { Top = 0, Middle = 1, Bottom = 2 };

    explicit MyLabel(const ui::Rect& frame = {});
    std::string className() const override { return "MyLabel"; }

    int verticalAlignment() const { return m_verticalAlignment; }
    void setVerticalAlignment(int alignment);

    ui::Rect textRectForBounds(const ui::Rect& bounds, int numberOfLines) const override;
    void drawTextInRect(ui::GraphicsContext& context, const ui::Rect& rect) override;

private:
    int m_verticalAlignment = Middle;
};
