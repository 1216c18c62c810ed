#pragma once

// One recorded touch position of a stroke, in the drawing surface's points.
struct DWDrawPoint {
    float x = 0;
    float y = 0;
    bool operator==(const DWDrawPoint&) const = default;
};
