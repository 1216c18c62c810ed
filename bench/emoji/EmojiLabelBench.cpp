#include <benchmark/benchmark.h>

#include <limits>
#include <string>
#include <vector>

#include "input/label/QYEmojiLabel.h"

namespace {

const std::u16string kMessage = u"今晚[微笑]一起吃饭吗？打我电话13812345678就行[玫瑰]好的好的好的！";

std::shared_ptr<QYEmojiLabel> bubbleLabel(const std::u16string& text)
{
    auto label = std::make_shared<QYEmojiLabel>();
    label->setCustomEmojiRegex(u"\\[[a-zA-Z0-9\\u4e00-\\u9fa5]+\\]");
    label->setCustomEmojiPlistName("Emotion");
    label->setIsNeedAtAndPoundSign(true);
    label->setFont(ui::Font::system(16));
    label->setLineBreakMode(ui::LineBreakMode::WordWrap);
    label->setNumberOfLines(0);
    label->setText(text);
    return label;
}

// The text bubble's height query: a fresh label set up as the bubble sets up
// its own, measured within the bubble's wrapping width.
double bubbleHeight(const std::u16string& text)
{
    auto label = bubbleLabel(text);
    double h = label->preferredSizeWithMaxWidth(200).height;
    return h < 60 ? 60 : h + 25;
}

void BM_BubbleHeightOneMessage(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bubbleHeight(kMessage));
}
BENCHMARK(BM_BubbleHeightOneMessage);

// The same label without the measurement: its setup, substitution and links.
void BM_BubbleLabelSetupOneMessage(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bubbleLabel(kMessage));
}
BENCHMARK(BM_BubbleLabelSetupOneMessage);

// Row heights for 10,000 different messages of that kind: nothing can be reused
// from one row to the next.
void BM_BubbleHeight10000Rows(benchmark::State& state)
{
    std::vector<std::u16string> messages;
    for (int i = 0; i < 10000; ++i) {
        std::u16string number;
        for (char c : std::to_string(10000 + i))
            number += char16_t(c);
        messages.push_back(kMessage.substr(0, 35) + number);
    }
    for (auto _ : state) {
        double total = 0;
        for (const auto& message : messages)
            total += bubbleHeight(message) + 5;
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_BubbleHeight10000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BubbleHeightLongText(benchmark::State& state)
{
    std::u16string text;
    while (text.size() < std::size_t(state.range(0)))
        text += u"今天天气不错[微笑]打我电话13812345678或者ab@qq.com ";
    for (auto _ : state)
        benchmark::DoNotOptimize(bubbleHeight(text));
}
BENCHMARK(BM_BubbleHeightLongText)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// One unbreakable run of digits: every line is cut inside the same word.
void BM_BubbleHeightLongWord(benchmark::State& state)
{
    std::u16string text(std::size_t(state.range(0)), u'1');
    for (auto _ : state)
        benchmark::DoNotOptimize(bubbleHeight(text));
}
BENCHMARK(BM_BubbleHeightLongWord)->Arg(3000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
