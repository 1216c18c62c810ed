#pragma once
#include <map>
#include <optional>
#include <string>

#include "ui/Control.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

namespace ui {

// The phone's button: per-state title, title colour, image and background
// image; title, image and content insets; and the two looks of the system
// (tinted title that fades when pressed) and custom (pictures that darken when
// pressed) types.
class Button : public Control {
public:
    enum class Type { Custom, System };

    explicit Button(Type type = Type::Custom);
    static std::shared_ptr<Button> make(Type type = Type::Custom) { return std::make_shared<Button>(type); }

    std::string className() const override { return "UIButton"; }
    Type buttonType() const { return m_type; }

    void setTitle(std::optional<std::string> title, unsigned state = StateNormal);
    void setTitleColor(std::optional<Color> color, unsigned state = StateNormal);
    void setImage(ImagePtr image, unsigned state = StateNormal);
    void setBackgroundImage(ImagePtr image, unsigned state = StateNormal);
    std::optional<std::string> titleForState(unsigned state) const;
    std::optional<Color> titleColorForState(unsigned state) const;
    ImagePtr imageForState(unsigned state) const;
    ImagePtr backgroundImageForState(unsigned state) const;
    std::optional<std::string> currentTitle() const { return titleForState(state()); }
    ImagePtr currentImage() const { return imageForState(state()); }
    ImagePtr currentBackgroundImage() const { return backgroundImageForState(state()); }

    const std::shared_ptr<Label>& titleLabel() const { return m_titleLabel; }
    const std::shared_ptr<ImageView>& imageView() const { return m_imageView; }

    EdgeInsets contentEdgeInsets() const { return m_contentInsets; }
    void setContentEdgeInsets(const EdgeInsets& insets);
    EdgeInsets titleEdgeInsets() const { return m_titleInsets; }
    void setTitleEdgeInsets(const EdgeInsets& insets);
    EdgeInsets imageEdgeInsets() const { return m_imageInsets; }
    void setImageEdgeInsets(const EdgeInsets& insets);
    bool adjustsImageWhenHighlighted() const { return m_adjustsImageWhenHighlighted; }
    void setAdjustsImageWhenHighlighted(bool value);
    void setTintColor(const Color& color);
    const Color& tintColor() const { return m_tintColor; }

    Rect backgroundRectForBounds(const Rect& bounds) const { return bounds; }
    Rect contentRectForBounds(const Rect& bounds) const { return bounds.inset(m_contentInsets); }
    Rect titleRectForContentRect(const Rect& contentRect) const;
    Rect imageRectForContentRect(const Rect& contentRect) const;

    void layoutSubviews() override;
    void draw(GraphicsContext& context, const Rect& rect) override;
    Size sizeThatFits(Size size) const override;
    std::string debugText() const override;
    std::string debugImageName() const override;

protected:
    void stateDidChange() override;

private:
    void refreshContent();
    Size titleSize() const;
    Size imageSize() const;

    template<typename T>
    std::optional<T> lookup(const std::map<unsigned, T>& table, unsigned state) const;

    Type m_type;
    std::map<unsigned, std::string> m_titles;
    std::map<unsigned, Color> m_titleColors;
    std::map<unsigned, ImagePtr> m_images;
    std::map<unsigned, ImagePtr> m_backgroundImages;
    std::shared_ptr<Label> m_titleLabel;
    std::shared_ptr<ImageView> m_imageView;
    EdgeInsets m_contentInsets;
    EdgeInsets m_titleInsets;
    EdgeInsets m_imageInsets;
    bool m_adjustsImageWhenHighlighted = true;
    Color m_tintColor = Color::rgb(0, 122, 255);
};

} // namespace ui
