#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/View.h"

namespace ui {

// The edit menu's picture: a black rounded bar of item titles split by thin
// lines, with an arrow on its top or bottom edge pointing at the target. The
// arrow is part of the view's bounds. It tracks the finger over the items.
class MenuCalloutView : public View {
public:
    static constexpr double kBarHeight = 36;
    static constexpr double kArrowHeight = 10;
    static constexpr double kArrowWidth = 20;
    static constexpr double kCornerRadius = 8;
    static constexpr double kItemPadding = 12;
    static constexpr double kFontSize = 14;

    MenuCalloutView();
    std::string className() const override { return "UICalloutBar"; }

    void setTitles(std::vector<std::string> titles);
    const std::vector<std::string>& titles() const { return m_titles; }
    // Where the arrow sits: on the bottom edge pointing down, or on the top
    // edge pointing up; `arrowX` is its tip in this view's coordinates.
    void setArrow(bool pointsDown, double arrowX);
    bool arrowPointsDown() const { return m_arrowDown; }
    double arrowX() const { return m_arrowX; }

    // The bar without the arrow, and each item's part of it.
    Rect barRect() const;
    std::vector<Rect> itemRects() const;
    int itemAt(Point point) const;

    // Called synchronously when a touch that went down on an item comes up on
    // it. The callee may hide the menu and release this view.
    std::function<void(int index)> itemTapped;

    Size sizeThatFits(Size size) const override;
    void draw(GraphicsContext& context, const Rect& rect) override;
    void touchesBegan(const TouchList& touches) override;
    void touchesMoved(const TouchList& touches) override;
    void touchesEnded(const TouchList& touches) override;
    void touchesCancelled(const TouchList& touches) override;
    std::string debugText() const override;

private:
    std::vector<double> itemWidths() const;
    void setPressed(int index);

    std::vector<std::string> m_titles;
    bool m_arrowDown = true;
    double m_arrowX = 0;
    int m_pressed = -1;
    int m_touchStart = -1;
};

} // namespace ui
