#pragma once
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

namespace ui {

// A font as the screens name it: the system face, its bold form, or a named face
// ("Helvetica-Light") mapped to an installed family. Sizes are points.
class Font {
public:
    enum class Weight { Light, Regular, Medium, Bold };

    Font() = default;
    static Font system(double size);
    static Font boldSystem(double size);
    static Font named(const std::string& name, double size);

    double pointSize() const { return m_size; }
    const std::string& family() const { return m_family; }
    Weight weight() const { return m_weight; }
    const std::string& name() const { return m_name; }
    Font withSize(double size) const;

    // Metrics in points, as the phone reports them for this face and size.
    double ascender() const;
    double descender() const; // negative, below the baseline
    double lineHeight() const;

    // A new Pango description; the caller frees it with pango_font_description_free.
    PangoFontDescription* makeDescription() const;

    bool operator==(const Font& other) const = default;

private:
    std::string m_name = "system";
    std::string m_family = "Inter,Noto Sans CJK SC";
    Weight m_weight = Weight::Regular;
    double m_size = 17;
};

} // namespace ui
