#pragma once
#include <string>

// A chat script of `count` messages: texts with an emoji code, voice clips and
// red packets from both sides, a time stamp now and then. Shared by the long
// picture's tests and its benchmark, so both measure the same conversation.
inline std::string longConversationScript(int count, const std::string& device = "iphone6", const std::string& settings = "")
{
    std::string text = "style: messenger\ndevice: " + device + "\nme: {nick: 小明}\nother: {nick: 小花}\n" + settings + "messages:\n";
    for (int i = 0; i < count; ++i) {
        const std::string side = i % 2 ? "me" : "other";
        switch (i % 10) {
        case 3:
            text += "  - " + side + ": {voice: 7}\n";
            break;
        case 7:
            text += "  - " + side + ": {redPacket: 8.88}\n";
            break;
        default:
            text += "  - " + side + ": 第" + std::to_string(i + 1) + "条消息，看看这一行能有多长[微笑]\n";
        }
        if (i % 15 == 0)
            text += "    at: +2m\n";
    }
    return text;
}
