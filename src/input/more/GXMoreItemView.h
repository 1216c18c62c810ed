#pragma once
#include <memory>

#include "ui/Button.h"
#include "ui/Label.h"

// A 60 × 72 cell of the more panel: the item's picture button, with its title
// in a 12-point line just below the cell's own bounds.
class GXMoreItemView : public ui::View {
public:
    static constexpr double kWidth = 60;
    static constexpr double kHeight = 72;

    explicit GXMoreItemView(const ui::Rect& frame);
    std::string className() const override { return "GXMoreItemView"; }

    std::shared_ptr<ui::Button> itemButton() const { return m_itemButton.lock(); }
    std::shared_ptr<ui::Label> itemTitleLabel() const { return m_itemTitleLabel.lock(); }

private:
    void setupUI();
    // The subview list owns both; the cell only points at them.
    std::weak_ptr<ui::Button> m_itemButton;
    std::weak_ptr<ui::Label> m_itemTitleLabel;
};
