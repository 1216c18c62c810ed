#pragma once

// One colour swatch of the pen panel: which colour (an index into the panel's
// colours) and whether it is the chosen one.
struct DWBallColorModel {
    int ballColor = 0;
    bool isBallColor = false;
};
