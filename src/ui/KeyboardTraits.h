#pragma once

namespace ui {

enum class KeyboardType { Default, NumberPad, DecimalPad };
enum class ReturnKeyType { Default, Done, Send };

// What the on-screen keyboard needs of the input it types into.
struct KeyboardTraits {
    KeyboardType type = KeyboardType::Default;
    ReturnKeyType returnKey = ReturnKeyType::Default;
    bool returnKeyEnabled = true;
};

// Text inputs that the on-screen keyboard serves answer this.
class KeyboardInput {
public:
    virtual ~KeyboardInput() = default;
    virtual KeyboardTraits keyboardTraits() const = 0;
};

} // namespace ui
