#include "doodle/DWDrawModel.h"

#include <cmath>

#include <nlohmann/json.hpp>

namespace {

template <typename T>
void readNumber(const nlohmann::json& dictionary, const char* key, T& field)
{
    auto it = dictionary.find(key);
    if (it != dictionary.end() && it->is_number() && std::isfinite(it->get<double>()))
        field = it->get<T>();
}

void readString(const nlohmann::json& dictionary, const char* key, std::string& field)
{
    auto it = dictionary.find(key);
    if (it != dictionary.end() && it->is_string())
        field = it->get<std::string>();
}

} // namespace

std::shared_ptr<DWDrawModel> DWDrawModel::objectWith(const nlohmann::json& dictionary)
{
    auto model = std::make_shared<DWDrawModel>();
    if (!dictionary.is_object())
        return model;
    if (auto points = dictionary.find("pointList"); points != dictionary.end() && points->is_array()) {
        for (const auto& entry : *points) {
            if (!entry.is_object())
                continue;
            auto x = entry.find("x"), y = entry.find("y");
            if (x == entry.end() || y == entry.end() || !x->is_number() || !y->is_number())
                continue;
            float px = x->get<float>(), py = y->get<float>();
            if (std::isfinite(px) && std::isfinite(py))
                model->pointList.push_back({ px, py });
        }
    }
    readString(dictionary, "paintColor", model->paintColor);
    readNumber(dictionary, "paintSize", model->paintSize);
    if (auto eraser = dictionary.find("isEraser"); eraser != dictionary.end()) {
        if (eraser->is_boolean())
            model->isEraser = eraser->get<bool>();
        else if (eraser->is_number())
            model->isEraser = eraser->get<double>() != 0;
    }
    readNumber(dictionary, "width", model->width);
    readNumber(dictionary, "hight", model->hight);
    readString(dictionary, "action", model->action);
    if (auto background = dictionary.find("background"); background != dictionary.end() && background->is_string())
        model->background = background->get<std::string>();
    return model;
}

nlohmann::json DWDrawModel::dictionary() const
{
    nlohmann::json points = nlohmann::json::array();
    for (const auto& point : pointList)
        points.push_back({ { "x", point.x }, { "y", point.y } });
    nlohmann::json dictionary = {
        { "pointList", std::move(points) },
        { "paintColor", paintColor },
        { "paintSize", paintSize },
        { "isEraser", isEraser },
        { "width", width },
        { "hight", hight },
        { "action", action },
    };
    if (background)
        dictionary["background"] = *background;
    return dictionary;
}
