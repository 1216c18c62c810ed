#pragma once
#include <memory>

#include "ui/AlertView.h"
#include "ui/ViewController.h"

// What the chat screen does after each phone screenshot: it offers to open
// the newest album picture (normally that very screenshot) on the doodle
// board. "现在就去" opens it a second later on the chat's navigation stack,
// unless the chat screen has gone by then; "以后再说" does nothing.
class ChatScreenshotOffer {
public:
    static constexpr const char* kMessage = "您现在可以继续对截图进行涂鸦";
    static constexpr const char* kGoNow = "现在就去";
    static constexpr const char* kLater = "以后再说";
    static constexpr int kAlertTag = 101;
    static constexpr double kDelay = 1.0;

    // Shows the offer for `chat`, which it holds weakly.
    static std::shared_ptr<ui::AlertView> show(const std::weak_ptr<ui::ViewController>& chat);

private:
    static void openNewestPhoto(const std::weak_ptr<ui::ViewController>& chat);
};
