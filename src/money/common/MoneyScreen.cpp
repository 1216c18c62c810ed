#include "money/common/MoneyScreen.h"

#include "ui/Screen.h"

MoneyScreenClass MoneyScreen::current()
{
    double height = ui::Screen::main().size().height;
    if (height == 480)
        return MoneyScreenClass::Small;
    if (height == 568)
        return MoneyScreenClass::Middle;
    return MoneyScreenClass::Large;
}

std::string MoneyScreen::pictureName(const std::string& name, bool hasMiddlePicture)
{
    const char* suffix = pick<const char*>("_iphone4", hasMiddlePicture ? "_iphone5" : "", "");
    std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos)
        return name + suffix;
    return name.substr(0, dot) + suffix + name.substr(dot);
}

bool MoneyScreen::systemBelow(const std::string& version)
{
    return ui::Screen::main().profile().compareSystemVersion(version) < 0;
}
