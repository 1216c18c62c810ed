// Row heights of a long conversation: a 40-character Chinese message with two
// inline emoji boxes, measured within a 200-point bubble width.
#include "ui/graphics/TextLayout.h"

#include <benchmark/benchmark.h>

namespace {

ui::AttributedString message()
{
    ui::Font font = ui::Font::system(14);
    ui::TextAttributes plain;
    plain.font = font;
    ui::ParagraphStyle paragraph;
    paragraph.lineBreakMode = ui::LineBreakMode::CharWrap;
    paragraph.lineSpacing = 2;
    plain.paragraph = paragraph;
    auto text = ui::AttributedString::fromUtf8("今天下午三点在公司楼下的咖啡馆见面，记得带上合同和发票，我们再讨论一下细节好吗", plain);
    double L = font.lineHeight();
    ui::TextAttributes box = plain;
    box.inlineBox = ui::InlineBox { 1.1 * L, 0.88 * L, 0.22 * L, "Emotion_1" };
    text.replace({ 12, 0 }, ui::AttributedString(u"\uFFFC", box));
    text.replace({ 30, 0 }, ui::AttributedString(u"\uFFFC", box));
    return text;
}

void measureRows(benchmark::State& state)
{
    const ui::AttributedString text = message();
    for (auto _ : state) {
        for (int row = 0; row < 10000; ++row)
            benchmark::DoNotOptimize(ui::TextLayout::measure(text, 200));
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

} // namespace

BENCHMARK(measureRows)->Unit(benchmark::kMillisecond);
