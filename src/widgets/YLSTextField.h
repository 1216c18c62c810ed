#pragma once
#include "ui/TextField.h"

// A text field whose left view sits 10 points in from the left edge.
class YLSTextField : public ui::TextField {
public:
    using ui::TextField::TextField;
    std::string className() const override { return "YLSTextField"; }
    ui::Rect leftViewRectForBounds(const ui::Rect& bounds) const override
    {
        ui::Rect rect = ui::TextField::leftViewRectForBounds(bounds);
        return rect.offsetBy(10, 0);
    }
};

// A text field whose text starts 10 points in, shown and edited alike.
class YLSTextFields : public ui::TextField {
public:
    using ui::TextField::TextField;
    std::string className() const override { return "YLSTextFields"; }
    ui::Rect textRectForBounds(const ui::Rect& bounds) const override
    {
        return ui::TextField::textRectForBounds(bounds).offsetBy(10, 0);
    }
    ui::Rect editingRectForBounds(const ui::Rect& bounds) const override
    {
        return ui::TextField::editingRectForBounds(bounds).offsetBy(10, 0);
    }
};
