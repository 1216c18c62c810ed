#pragma once
#include <memory>
#include <string>

#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/View.h"

// The small grey pill under a taken red packet: a coin icon and one line whose
// last two characters ("红包") stand out in the style's colour. The money
// bubbles own one each and place it below themselves.
class RIMoneyPillView : public ui::View {
public:
    struct Look {
        std::string iconName;
        double cornerRadius = 4;
        double shade = 0.15; // black at this opacity
        double fontSize = 13;
        ui::Color accent;
    };

    explicit RIMoneyPillView(const Look& look);

    std::string className() const override { return "RIMoneyPillView"; }

    const std::shared_ptr<ui::ImageView>& moneyIcon() const { return m_moneyIcon; }
    const std::shared_ptr<ui::Label>& textMoney() const { return m_textMoney; }

    // Shows the line, white but for its last two characters.
    void setLine(const std::string& line);
    // Sizes the pill to its content and puts its centre at `centreX`, `top` down.
    void placeAt(double centreX, double top);

    void layoutSubviews() override;

private:
    Look m_look;
    std::shared_ptr<ui::ImageView> m_moneyIcon;
    std::shared_ptr<ui::Label> m_textMoney;
};
