#pragma once
#include <optional>

#include "ui/View.h"
#include "ui/graphics/Image.h"

namespace ui {

// Shows an image scaled by the content mode (scale-to-fill by default).
class ImageView : public View {
public:
    ImageView();
    explicit ImageView(const Rect& frame);
    // A view as large as the image's natural size.
    explicit ImageView(ImagePtr image);

    std::string className() const override { return "UIImageView"; }

    const ImagePtr& image() const { return m_image; }
    void setImage(ImagePtr image);
    const ImagePtr& highlightedImage() const { return m_highlightedImage; }
    void setHighlightedImage(ImagePtr image);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    // Draws the image darkened, as a pressed button's image is.
    void setDimmed(bool dimmed);
    // Draws only the image's shape, filled with this colour (the phone's
    // template images, as system buttons show theirs); nullopt draws the picture.
    const std::optional<Color>& templateColor() const { return m_templateColor; }
    void setTemplateColor(std::optional<Color> color);

    // Where the image lands in `bounds` for the content mode.
    static Rect imageRect(const Size& imageSize, const Rect& bounds, ContentMode mode);

    void draw(GraphicsContext& context, const Rect& rect) override;
    Size sizeThatFits(Size size) const override;
    std::string debugImageName() const override;

private:
    ImagePtr m_image;
    ImagePtr m_highlightedImage;
    bool m_highlighted = false;
    bool m_dimmed = false;
    std::optional<Color> m_templateColor;
};

} // namespace ui
