#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "input/more/GXMoreItem.h"

class GXMessageTextView;

// What the input toolbar reports to the chat screen. Every callback is
// optional: an empty one is simply not sent. They are called synchronously on
// the main queue; a callback may change the toolbar's text or frames.
struct GXMessageToolBarDelegate {
    std::function<void(GXMessageTextView&)> inputTextViewWillBeginEditing;
    std::function<void(GXMessageTextView&)> inputTextViewDidBeginEditing;
    std::function<void(const std::u16string& text)> didSendText;
    std::function<void(double toHeight)> didChangeFrameToHeight;
    std::function<void()> didStartRecordingVoiceAction;
    std::function<void()> didFinishRecoingVoiceAction;
    std::function<void()> didCancelRecordingVoiceAction;
    std::function<void()> didDragOutsideAction;
    std::function<void()> didDragInsideAction;
    std::function<void(int index, const GXMoreItemPtr& menuItem)> didSelectItemWithIndex;
    std::function<void(const std::optional<std::u16string>& faceStr, bool isDelete)> didSelectFaceStr;
    std::function<void()> sendFace;
};
