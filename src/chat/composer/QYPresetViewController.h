#pragma once
#include <memory>
#include <string>

#include "ui/ViewController.h"

// The form filled before composing: both participants' avatars and nicknames,
// the chat background and the unread count, saved per chat type.
class QYPresetViewController : public ui::ViewController {
public:
    std::string className() const override { return "QYPresetViewController"; }

    // 1 messenger style, anything else payment-app style.
    int type() const { return m_type; }
    void setType(int type) { m_type = type; }

private:
    int m_type = 1;
};
