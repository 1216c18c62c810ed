#pragma once
#include <memory>

#include "ui/TextField.h"
#include "ui/View.h"

// The chat screen's title: a clear strip as high as the navigation bar whose
// width follows the phone (narrow phones leave room for the back button),
// holding the editable nickname of the other side in bold white.
class ChatTitleView : public ui::View {
public:
    static constexpr double kFieldHeight = 35;
    static constexpr const char* kInitialText = "点我修改";

    ChatTitleView();
    std::string className() const override { return "ChatTitleView"; }

    // 106 for 480- and 568-point-high screens, 153 for 667, 180 for any other.
    static double widthForScreenHeight(double height);

    const std::shared_ptr<ui::TextField>& nickText() const { return m_nickText; }

private:
    std::shared_ptr<ui::TextField> m_nickText;
};
