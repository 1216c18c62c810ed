#pragma once
#include <cstdint>

namespace ui {

// An RGBA colour with components from 0 to 1 in the device RGB space.
struct Color {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 0;

    bool operator==(const Color&) const = default;

    static Color rgb(int r, int g, int b, double alpha = 1.0) { return { r / 255.0, g / 255.0, b / 255.0, alpha }; }
    static Color fromWhite(double white, double alpha = 1.0) { return { white, white, white, alpha }; }
    static Color clearColor() { return { 0, 0, 0, 0 }; }
    static Color blackColor() { return { 0, 0, 0, 1 }; }
    static Color whiteColor() { return { 1, 1, 1, 1 }; }
    static Color redColor() { return { 1, 0, 0, 1 }; }
    static Color grayColor() { return { 0.5, 0.5, 0.5, 1 }; }
    static Color lightGrayColor() { return { 2.0 / 3, 2.0 / 3, 2.0 / 3, 1 }; }
    static Color darkGrayColor() { return { 1.0 / 3, 1.0 / 3, 1.0 / 3, 1 }; }

    Color withAlpha(double a) const { return { red, green, blue, a }; }
    bool isClear() const { return alpha <= 0; }
};

} // namespace ui
