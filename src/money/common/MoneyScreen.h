#pragma once
#include <string>

// The three screen classes the money pages lay out for, told apart by the main
// screen's height in points compared exactly: 480 small, 568 middle, any other
// height large.
enum class MoneyScreenClass { Small, Middle, Large };

struct MoneyScreen {
    static MoneyScreenClass current();

    template<typename T>
    static T pick(T small, T middle, T large)
    {
        switch (current()) {
        case MoneyScreenClass::Small:
            return small;
        case MoneyScreenClass::Middle:
            return middle;
        case MoneyScreenClass::Large:
            break;
        }
        return large;
    }

    // The picture drawn for this class: "QYOpen_Money.png" becomes
    // "QYOpen_Money_iphone4.png" on small and "QYOpen_Money_iphone5.png" on
    // middle screens. A picture without a middle drawing passes false and the
    // middle class takes the plain one.
    static std::string pictureName(const std::string& name, bool hasMiddlePicture = true);

    // Whether the phone's system is older than `version` ("9.3"): amount texts
    // made there carry one more character in front of the digits.
    static bool systemBelow(const std::string& version);
};
