// Build tool: renders the emoji pictures from the colour emoji font into the file
// names the emoji tables use.
//
//   qy_emoji_render LIST OUTDIR
//
// LIST has one emoji a line, "<number> <hex code point>...", as written by
// tools/make_emoji_tables.py. For emoji n it writes, all square and 30 points wide
// (the keyboard's key size):
//   Emotion_n@2x.png (60 px)                                messenger style; the
//       table names this file itself, so no other scale of it is ever looked up
//   n.png (30 px), n@2x.png (60 px) and n@3x.png (90 px)    payment-app style
// It fails, writing nothing further, when the font is missing or a line is bad, so a
// build never ships pictures drawn by a fallback font.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kFamily = "Noto Color Emoji";
// The font's bitmaps are drawn at this pixel size, then scaled down once.
constexpr double kSourcePixels = 109;
constexpr int kCanvas = 256;
// Share of the picture's side the emoji's visible pixels fill, leaving room for
// the scaled-down edge pixels.
constexpr double kFill = 0.94;
constexpr double kPoints = 30;

struct Emoji {
    int number = 0;
    std::string utf8;
};

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

void appendUtf8(std::string& out, unsigned long cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

bool readList(const char* path, std::vector<Emoji>& list)
{
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "emoji-render: cannot read %s\n", path);
        return false;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        Emoji emoji;
        std::string hex;
        fields >> emoji.number;
        while (fields >> hex) {
            char* end = nullptr;
            unsigned long cp = std::strtoul(hex.c_str(), &end, 16);
            if (*end != '\0' || cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
                std::fprintf(stderr, "emoji-render: %s:%d: bad code point \"%s\"\n", path, lineNumber, hex.c_str());
                return false;
            }
            appendUtf8(emoji.utf8, cp);
        }
        if (emoji.number <= 0 || emoji.utf8.empty()) {
            std::fprintf(stderr, "emoji-render: %s:%d: expected a number and code points\n", path, lineNumber);
            return false;
        }
        list.push_back(emoji);
    }
    return !list.empty();
}

// Draws the emoji large on a transparent canvas; false when the font cannot show it.
bool drawSource(const Emoji& emoji, cairo_surface_t* canvas)
{
    cairo_t* cr = cairo_create(canvas);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, kFamily);
    pango_font_description_set_absolute_size(font, kSourcePixels * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, emoji.utf8.c_str(), -1);

    bool usable = pango_layout_get_unknown_glyphs_count(layout) == 0;
    // Every run must come from the colour font, not from a fallback face.
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    do {
        PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter);
        if (!run)
            continue;
        PangoFontDescription* used = pango_font_describe(run->item->analysis.font);
        if (g_strcmp0(pango_font_description_get_family(used), kFamily) != 0)
            usable = false;
        pango_font_description_free(used);
    } while (pango_layout_iter_next_run(iter));
    pango_layout_iter_free(iter);

    if (usable) {
        cairo_move_to(cr, (kCanvas - kSourcePixels * 1.25) / 2, (kCanvas - kSourcePixels * 1.25) / 2);
        pango_cairo_show_layout(cr, layout);
    }
    pango_font_description_free(font);
    g_object_unref(layout);
    cairo_destroy(cr);
    return usable;
}

struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // x1, y1 exclusive
    bool empty() const { return x1 <= x0 || y1 <= y0; }
};

Box visiblePixels(cairo_surface_t* canvas)
{
    cairo_surface_flush(canvas);
    const unsigned char* data = cairo_image_surface_get_data(canvas);
    int stride = cairo_image_surface_get_stride(canvas);
    Box box{kCanvas, kCanvas, 0, 0};
    for (int y = 0; y < kCanvas; ++y) {
        auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < kCanvas; ++x) {
            if ((row[x] >> 24) == 0)
                continue;
            box.x0 = std::min(box.x0, x);
            box.y0 = std::min(box.y0, y);
            box.x1 = std::max(box.x1, x + 1);
            box.y1 = std::max(box.y1, y + 1);
        }
    }
    return box;
}

bool writePicture(cairo_surface_t* canvas, const Box& box, int pixels, const std::string& path)
{
    Surface out(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels, pixels));
    cairo_t* cr = cairo_create(out.get());
    double side = std::max(box.x1 - box.x0, box.y1 - box.y0);
    double scale = pixels * kFill / side;
    cairo_translate(cr, pixels / 2.0, pixels / 2.0);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -(box.x0 + box.x1) / 2.0, -(box.y0 + box.y1) / 2.0);
    cairo_set_source_surface(cr, canvas, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    if (cairo_surface_write_to_png(out.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "emoji-render: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s LIST OUTDIR\n", argv[0]);
        return 2;
    }
    std::vector<Emoji> list;
    if (!readList(argv[1], list))
        return 1;
    const std::string folder = argv[2];

    for (const Emoji& emoji : list) {
        Surface canvas(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kCanvas, kCanvas));
        if (!drawSource(emoji, canvas.get())) {
            std::fprintf(stderr, "emoji-render: the font \"%s\" cannot draw emoji %d "
                                 "(is fonts-noto-color-emoji installed?)\n", kFamily, emoji.number);
            return 1;
        }
        Box box = visiblePixels(canvas.get());
        if (box.empty()) {
            std::fprintf(stderr, "emoji-render: emoji %d drew nothing\n", emoji.number);
            return 1;
        }
        const std::string n = std::to_string(emoji.number);
        const int px1 = int(kPoints), px2 = int(kPoints * 2), px3 = int(kPoints * 3);
        bool ok = writePicture(canvas.get(), box, px2, folder + "/Emotion_" + n + "@2x.png")
            && writePicture(canvas.get(), box, px1, folder + "/" + n + ".png")
            && writePicture(canvas.get(), box, px2, folder + "/" + n + "@2x.png")
            && writePicture(canvas.get(), box, px3, folder + "/" + n + "@3x.png");
        if (!ok)
            return 1;
    }
    return 0;
}
