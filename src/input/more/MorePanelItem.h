#pragma once

// The items of the chat screen's more panel, by their place in the panel.
// The delegate reports the place as an index; these names say what it is.
enum class MorePanelItem : int {
    SpeakAsMe = 0,
    SpeakAsOther = 1,
    Photo = 2,
    Camera = 3,
    RedPacket = 4,
    Transfer = 5,
    ClearScreen = 6,
};
