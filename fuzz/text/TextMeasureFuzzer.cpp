// Measures random paragraphs with the measuring shortcut and lays the same
// paragraphs out with Pango: wherever the shortcut answers, every line must
// have Pango's width and height. The first bytes choose the font, size, wrap
// mode and width; the rest is the text, with U+FFFC standing for inline boxes
// as the app's emoji use them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <pango/pangocairo.h>

#include "ui/graphics/TextMeasure.h"
#include "ui/graphics/TextSystem.h"

namespace {

struct Setup {
    const char* family;
    int weight;
    int size;
    int width;
    PangoWrapMode wrap;
    std::string text;
};

// The app's faces: its system font (Han and Latin) and its light Latin face.
Setup readSetup(const std::uint8_t* data, std::size_t size)
{
    static const char* const families[] = { "Noto Sans CJK SC", "Roboto" };
    Setup setup { families[data[0] & 1], (data[0] & 2) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL, 10 + data[1] % 14,
        1 + (data[2] | (data[3] << 8)) % 400, (data[0] & 4) ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR, {} };
    // Bytes that are not UTF-8 (and controls, which are refused at once)
    // stand for characters chat texts are made of, so that most inputs reach
    // the line breaking.
    static const char* const pool[] = { "的", "一", "是", "，", "。", "！", "“", "”", "《", "（", "…", "\uFFFC", "A", "V",
        "W", "e\u0301", "T", "y", "1", "@", "#", "-", "/", "あ", "가" };
    const char* p = reinterpret_cast<const char*>(data) + 4;
    const char* end = reinterpret_cast<const char*>(data) + size;
    while (p < end) {
        gunichar c = g_utf8_get_char_validated(p, end - p);
        if (c < 0x110000 && c > 0x20 && c != 0x7F) {
            const char* next = g_utf8_next_char(p);
            setup.text.append(p, next);
            p = next;
        } else {
            setup.text += pool[std::uint8_t(*p) % (sizeof pool / sizeof pool[0])];
            ++p;
        }
    }
    return setup;
}

PangoAttrList* attributesFor(const Setup& setup)
{
    PangoAttrList* list = pango_attr_list_new();
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, setup.family);
    pango_font_description_set_weight(description, PangoWeight(setup.weight));
    pango_font_description_set_absolute_size(description, setup.size * PANGO_SCALE);
    pango_attr_list_insert(list, pango_attr_font_desc_new(description));
    pango_font_description_free(description);
    const int line = setup.size * PANGO_SCALE * 6 / 5;
    PangoRectangle box { 0, -line * 22 / 25, line * 11 / 10, line * 11 / 10 };
    for (std::size_t byte = setup.text.find("\uFFFC"); byte != std::string::npos;
         byte = setup.text.find("\uFFFC", byte + 1)) {
        PangoAttribute* shape = pango_attr_shape_new(&box, &box);
        shape->start_index = unsigned(byte);
        shape->end_index = unsigned(byte + 3);
        pango_attr_list_insert(list, shape);
    }
    return list;
}

std::vector<ui::MeasuredLine> pangoLines(const Setup& setup)
{
    PangoLayout* layout = pango_layout_new(ui::TextSystem::context());
    pango_layout_set_text(layout, setup.text.data(), int(setup.text.size()));
    PangoAttrList* list = attributesFor(setup);
    pango_layout_set_attributes(layout, list);
    pango_attr_list_unref(list);
    pango_layout_set_width(layout, setup.width * PANGO_SCALE);
    pango_layout_set_wrap(layout, setup.wrap);
    std::vector<ui::MeasuredLine> lines;
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    do {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        lines.push_back({ logical.width, logical.height });
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    g_object_unref(layout);
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5 || size > 600)
        return 0;
    const Setup setup = readSetup(data, size);
    // Measuring takes the attributes it follows out of the list it is given.
    PangoAttrList* list = attributesFor(setup);
    auto measured = ui::measureWrappedParagraph(ui::TextSystem::context(), setup.text, list, setup.width * PANGO_SCALE,
        setup.wrap);
    pango_attr_list_unref(list);
    if (measured) {
        auto pango = pangoLines(setup);
        bool same = measured->size() == pango.size();
        for (std::size_t i = 0; same && i < pango.size(); ++i)
            same = (*measured)[i].width == pango[i].width && (*measured)[i].height == pango[i].height;
        if (!same) {
            std::fprintf(stderr, "measured %zu lines, Pango %zu, for \"%s\" (%s %d, width %d, %s wrap)\n",
                measured->size(), pango.size(), setup.text.c_str(), setup.family, setup.size, setup.width,
                setup.wrap == PANGO_WRAP_CHAR ? "char" : "word");
            std::abort();
        }
    }
    return 0;
}
