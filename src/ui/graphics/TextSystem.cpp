#include "ui/graphics/TextSystem.h"

#include <pango/pangocairo.h>

namespace ui {

PangoContext* TextSystem::context()
{
    static PangoContext* shared = [] {
        PangoFontMap* fontMap = pango_cairo_font_map_new();
        pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(fontMap), 72);
        PangoContext* context = pango_font_map_create_context(fontMap);
        g_object_unref(fontMap); // the context keeps it alive
        pango_cairo_context_set_resolution(context, 72);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(context, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(context, FALSE);
        // Han characters take the simplified Chinese forms, as the phone's do.
        pango_context_set_language(context, pango_language_from_string("zh-cn"));
        return context;
    }();
    return shared;
}

} // namespace ui
