#pragma once
#include <optional>
#include <string>

#include "ui/graphics/Geometry.h"

class QYChatModel;

// The plain size and text rules of the message rows, apart from the views
// that apply them, so that they can be checked without drawing anything.
namespace RIBubbleRules {

// Extra height of a row whose time label is shown.
constexpr double kTimeLabelHeight = 32;
// The voice bubble's answer to the height query, whatever the clip.
constexpr double kVoiceBubbleHeight = 41;
// Every picture is scaled so that its longer side is this long.
constexpr double kImageSide = 141;
// The text bubble's label wraps at this width.
constexpr double kTextWrapWidth = 200;

// The text bubble's height from its label's measured height h: 60 below 60,
// else h + 25.
double textBubbleHeight(double labelHeight);

// Row height by kind. `textBubbleHeight` is asked only for text rows.
// Unknown kinds are 0 high, recall notices always 38.
double rowHeight(int type, bool showTime, bool isGet, double textBubbleHeight);

// Voice bubble width steps by clip length in seconds.
double voiceBubbleWidth(double duration);
// The clip length in whole seconds (halves to even) followed by two
// apostrophes: 2.5 → 2'', 3.5 → 4''.
std::string voiceLengthText(double duration);

// The picture's shown size from its pixel size; no picture gives a square.
ui::Size imageBubbleSize(std::optional<ui::Size> picture);

// The recall notice's text.
std::string noticeText(bool isMeRevoke, const std::optional<std::string>& heNickName);

// Reuse identifier of a message row: "MessageCell", the side, the kind suffix.
std::string cellIdentifier(bool isSend, int type);

} // namespace RIBubbleRules
