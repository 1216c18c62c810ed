#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "doodle/DWDrawPoint.h"

// The record of one finished stroke, as observers of the board receive it.
// Its fields map one to one onto a key-value dictionary (the JSON form below),
// so a stroke can be kept and replayed on another board.
struct DWDrawModel {
    static constexpr const char* kAction = "DWDrawAction";

    std::vector<DWDrawPoint> pointList;
    std::string paintColor; // "#RRGGBB"
    float paintSize = 0;
    bool isEraser = false;
    // The screen's size in points when the record was made.
    float width = 0;
    float hight = 0;
    std::string action = kAction;
    std::optional<std::string> background;

    // A record from its dictionary form. Missing or mistyped fields keep
    // their defaults; points that are not two numbers are skipped.
    static std::shared_ptr<DWDrawModel> objectWith(const nlohmann::json& dictionary);
    nlohmann::json dictionary() const;
};

using DWDrawModelPtr = std::shared_ptr<DWDrawModel>;
