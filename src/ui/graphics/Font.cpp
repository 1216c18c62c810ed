#include "ui/graphics/Font.h"

#include "ui/graphics/TextSystem.h"

#include <pango/pango.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

namespace ui {

namespace {

// The phone's system face draws Latin letters, digits and punctuation in its
// own Latin design and Han characters in a Chinese face. Pango takes each
// character from the first family that has it: Inter for the Latin part, Noto
// Sans CJK SC for the rest; emoji fall back through fontconfig to Noto Color Emoji.
constexpr const char* kSystemFamily = "Inter,Noto Sans CJK SC";
constexpr const char* kLatinFamily = "Roboto";

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The weight a face name's style suffix asks for ("-Light", "-Semibold", ...).
Font::Weight weightFromStyle(const std::string& style)
{
    if (style.find("ultralight") != std::string::npos || style.find("thin") != std::string::npos
        || style.find("light") != std::string::npos)
        return Font::Weight::Light;
    if (style.find("semibold") != std::string::npos || style.find("bold") != std::string::npos
        || style.find("heavy") != std::string::npos || style.find("black") != std::string::npos)
        return Font::Weight::Bold;
    if (style.find("medium") != std::string::npos)
        return Font::Weight::Medium;
    return Font::Weight::Regular;
}

PangoWeight pangoWeight(Font::Weight weight)
{
    switch (weight) {
    case Font::Weight::Light: return PANGO_WEIGHT_LIGHT;
    case Font::Weight::Regular: return PANGO_WEIGHT_NORMAL;
    case Font::Weight::Medium: return PANGO_WEIGHT_MEDIUM;
    case Font::Weight::Bold: return PANGO_WEIGHT_BOLD;
    }
    return PANGO_WEIGHT_NORMAL;
}

struct Metrics {
    double ascender = 0;
    double descender = 0;
    double lineHeight = 0;
};

const Metrics& metricsFor(const Font& font)
{
    static std::map<std::tuple<std::string, int, double>, Metrics> cache;
    // Text is measured in one font after another of the same: the last one
    // answers without building a key.
    static std::optional<std::tuple<std::string, int, double>> lastKey;
    static const Metrics* last = nullptr;
    if (last && std::get<0>(*lastKey) == font.family() && std::get<1>(*lastKey) == static_cast<int>(font.weight())
        && std::get<2>(*lastKey) == font.pointSize())
        return *last;
    auto key = std::make_tuple(font.family(), static_cast<int>(font.weight()), font.pointSize());
    if (auto found = cache.find(key); found != cache.end()) {
        lastKey = key;
        last = &found->second;
        return found->second;
    }
    PangoFontDescription* description = font.makeDescription();
    // Pango reads metrics from the fonts that draw the language's sample text;
    // a Latin sample gives a Latin face its own metrics rather than those of
    // the Han fallback font.
    PangoFontMetrics* pangoMetrics
        = pango_context_get_metrics(TextSystem::context(), description, pango_language_from_string("en"));
    Metrics metrics;
    metrics.ascender = pango_font_metrics_get_ascent(pangoMetrics) / double(PANGO_SCALE);
    metrics.descender = -pango_font_metrics_get_descent(pangoMetrics) / double(PANGO_SCALE);
    double height = pango_font_metrics_get_height(pangoMetrics) / double(PANGO_SCALE);
    metrics.lineHeight = height > 0 ? height : metrics.ascender - metrics.descender;
    pango_font_metrics_unref(pangoMetrics);
    pango_font_description_free(description);
    last = &cache.emplace(key, metrics).first->second;
    lastKey = key;
    return *last;
}

} // namespace

Font Font::system(double size)
{
    Font font;
    font.m_size = size;
    return font;
}

Font Font::boldSystem(double size)
{
    Font font;
    font.m_name = "boldSystem";
    font.m_weight = Weight::Bold;
    font.m_size = size;
    return font;
}

Font Font::named(const std::string& name, double size)
{
    Font font;
    font.m_name = name;
    font.m_size = size;
    std::string key = lower(name);
    std::size_t dash = key.find('-');
    std::string face = key.substr(0, dash);
    std::string style = dash == std::string::npos ? "" : key.substr(dash + 1);
    font.m_weight = weightFromStyle(style);
    // The phone's older Latin faces become Roboto; its own system faces (the
    // SF UI and PingFang names), and anything unknown, the system face.
    // Characters a face lacks fall back through fontconfig (Han to Noto Sans
    // CJK SC, emoji to Noto Color Emoji).
    if (face.starts_with("helvetica") || face.starts_with("arial") || face.starts_with("avenir"))
        font.m_family = kLatinFamily;
    else
        font.m_family = kSystemFamily;
    if (face.find("bold") != std::string::npos)
        font.m_weight = Weight::Bold;
    return font;
}

Font Font::withSize(double size) const
{
    Font font = *this;
    font.m_size = size;
    return font;
}

double Font::ascender() const { return metricsFor(*this).ascender; }
double Font::descender() const { return metricsFor(*this).descender; }
double Font::lineHeight() const { return metricsFor(*this).lineHeight; }

PangoFontDescription* Font::makeDescription() const
{
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, m_family.c_str());
    pango_font_description_set_weight(description, pangoWeight(m_weight));
    // Absolute size: user-space units, which are points on every surface we draw.
    double size = std::isfinite(m_size) && m_size > 0 ? m_size : 1;
    pango_font_description_set_absolute_size(description, size * PANGO_SCALE);
    return description;
}

} // namespace ui
