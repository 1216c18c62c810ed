#pragma once
#include <string>

#include "ui/View.h"

// The banner strip's place holder: the ad library is not part of the program,
// so the strip stays empty, keeping the layout the screens were designed for.
class AdBannerView : public ui::View {
public:
    static constexpr double kHeight = 48;

    using ui::View::View;
    std::string className() const override { return "AdBannerView"; }
};
