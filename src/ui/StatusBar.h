#pragma once
#include <optional>
#include <string>

namespace ui {

class GraphicsContext;
struct Size;

// The phone's status bar, drawn by the toolkit over every window: carrier on
// the left, time in the middle, battery on the right. Light content (white) on
// the app's dark bars by default.
class StatusBar {
public:
    static constexpr double kHeight = 20;
    enum class Style { Default, LightContent };

    static StatusBar& shared();

    std::string carrier = "中国移动";
    // A fixed time text; when absent the clock's local time is shown ("HH:mm").
    std::optional<std::string> time;
    int batteryPercent = 100;
    bool charging = false;
    bool showsBatteryPercent = true;
    Style style = Style::LightContent;
    bool hidden = false;

    std::string timeText() const;
    void draw(GraphicsContext& context, double screenWidth) const;
};

} // namespace ui
