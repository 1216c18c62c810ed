#pragma once
#include "ui/View.h"
#include "ui/graphics/Image.h"

// Draws a bitmap stretched the way a layer stretches its contents: the part
// inside the unit-square stretch rectangle fills the remaining room, the
// parts around it keep their size. Used as the alpha mask that cuts a picture
// to the speech-bubble outline.
class RIBubbleMaskView : public ui::View {
public:
    RIBubbleMaskView();

    std::string className() const override { return "RIBubbleMaskView"; }

    // The bitmap is drawn at `contentsScale` pixels per point, whatever the
    // scale the image was made at.
    void setContents(ui::ImagePtr image, double contentsScale);
    const ui::ImagePtr& contents() const { return m_contents; }
    double contentsScale() const { return m_contentsScale; }
    // In fractions of the bitmap's size.
    const ui::Rect& contentsCenter() const { return m_contentsCenter; }
    void setContentsCenter(const ui::Rect& center);

    void draw(ui::GraphicsContext& context, const ui::Rect& rect) override;

    // Where one axis of the bitmap lands: source edges (points of the bitmap)
    // and destination edges (points of the view), three spans each.
    struct Slices {
        double source[4];
        double destination[4];
    };
    static Slices slices(double natural, double stretchStart, double stretchLength, double length);

private:
    ui::ImagePtr m_contents;
    double m_contentsScale = 1;
    ui::Rect m_contentsCenter { 0, 0, 1, 1 };
    // The stretched bitmap at the size and scale it was last drawn at.
    ui::ImagePtr m_rendered;
    ui::Size m_renderedSize;
    double m_renderedScale = 0;
};
