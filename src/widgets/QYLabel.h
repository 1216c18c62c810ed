#pragma once
#include "ui/Label.h"

// A label that draws its text inside its bounds shrunk by fixed insets (the
// message time stamps and the notice rows).
class QYLabel : public ui::Label {
public:
    explicit QYLabel(const ui::EdgeInsets& insets = {});
    std::string className() const override { return "QYLabel"; }

    const ui::EdgeInsets& insets() const { return m_insets; }
    void setInsets(const ui::EdgeInsets& insets);
    void drawTextInRect(ui::GraphicsContext& context, const ui::Rect& rect) override;

private:
    ui::EdgeInsets m_insets;
};
