#pragma once
#include <memory>
#include <string>

#include "ui/Label.h"
#include "ui/View.h"

// The money pages' two-line title: the page's name in bold 16 over the payment
// service's name in system 10, both centred, as tall as the navigation bar.
class MoneyTitleView : public ui::View {
public:
    MoneyTitleView(double width, const std::string& title, const std::string& subtitle, const ui::Color& color);

    std::string className() const override { return "MoneyTitleView"; }
    const std::shared_ptr<ui::Label>& titleLabel() const { return m_title; }
    const std::shared_ptr<ui::Label>& subtitleLabel() const { return m_subtitle; }

    // The width most money pages use: `narrow` on the 480 and 568 screens, 150 on the others.
    static double widthForScreen(double narrow);

private:
    std::shared_ptr<ui::Label> m_title;
    std::shared_ptr<ui::Label> m_subtitle;
};
