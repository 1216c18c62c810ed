#pragma once
#include <memory>
#include <optional>
#include <vector>

#include "ui/BarButtonItem.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/View.h"

namespace ui {

// The look every navigation bar starts with; set once at start-up, it applies
// to bars made afterwards (the phone's appearance proxy).
struct NavigationBarAppearance {
    ImagePtr backgroundImage;
    std::optional<Color> tintColor;
    std::optional<Color> barTintColor;
    std::optional<Color> titleColor;
    std::optional<Font> titleFont;
    std::optional<bool> translucent;
    ImagePtr shadowImage;

    static NavigationBarAppearance& defaults();
};

// The 44-point bar under the status bar. Its background (image, or bar tint)
// also fills the 20 points of the status bar above it. It shows the top item's
// title or title view, its bar button items, and a back button naming the
// item below.
class NavigationBar : public View {
public:
    static constexpr double kHeight = 44;

    NavigationBar();
    std::string className() const override { return "UINavigationBar"; }

    void setBackgroundImage(ImagePtr image);
    const ImagePtr& backgroundImage() const { return m_backgroundImage; }
    void setShadowImage(ImagePtr image);
    void setTintColor(const Color& color);
    const Color& tintColor() const { return m_tintColor; }
    void setBarTintColor(std::optional<Color> color);
    void setTitleColor(const Color& color);
    void setTitleFont(const Font& font);
    bool isTranslucent() const { return m_translucent; }
    void setTranslucent(bool translucent);

    // Shows `item` on top, with `backTitle` for the back button (none at the root).
    void showItem(NavigationItem* item, std::optional<std::string> backTitle, std::function<void()> backAction);
    const std::shared_ptr<Button>& backButton() const { return m_backButton; }
    const std::shared_ptr<Label>& titleLabel() const { return m_titleLabel; }

    void layoutSubviews() override;
    void draw(GraphicsContext& context, const Rect& rect) override;
    std::shared_ptr<View> hitTest(Point point) override;

private:
    std::shared_ptr<View> viewForItem(const BarButtonItemPtr& item);
    void refresh();

    ImagePtr m_backgroundImage;
    ImagePtr m_shadowImage;
    Color m_tintColor = Color::rgb(0, 122, 255);
    std::optional<Color> m_barTintColor;
    Color m_titleColor = Color::blackColor();
    Font m_titleFont = Font::boldSystem(17);
    bool m_translucent = true;

    NavigationItem* m_item = nullptr;
    std::optional<std::string> m_backTitle;
    std::function<void()> m_backAction;
    std::shared_ptr<Label> m_titleLabel;
    std::shared_ptr<View> m_titleView;
    std::shared_ptr<View> m_leftView;
    std::shared_ptr<View> m_rightView;
    std::shared_ptr<Button> m_backButton;
};

} // namespace ui
