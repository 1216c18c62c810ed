#include <benchmark/benchmark.h>

#include "input/emoji/QYEmojiLinkDetector.h"
#include "input/emoji/QYEmojiRegexPlistManager.h"
#include "input/emoji/QYEmojiSubstitution.h"

namespace {

// A 40-character message with two emoji codes and a phone number, as typed.
const std::u16string kMessage = u"今晚[微笑]一起吃饭吗？打我电话13812345678就行[玫瑰]好的好的好的！";

// What a text bubble does with a message before laying it out: substitute the
// codes, then find the links (with mentions and tags) in the displayed text.
std::size_t prepare(const std::u16string& typed)
{
    auto& manager = QYEmojiRegexPlistManager::sharedInstance();
    QYEmojiSubstitution substitution(manager.regularExpressionForRegex(u"\\[[a-zA-Z0-9\\u4e00-\\u9fa5]+\\]"),
                                     manager.emojiDictForKey("Emotion.plist"), false);
    std::u16string shown = QYEmojiSubstitution::displayedText(typed, substitution.pieces(typed));
    return shown.size() + QYEmojiLinkDetector::detect(shown, {false, true}).size();
}

void BM_PrepareOneMessage(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(prepare(kMessage));
}
BENCHMARK(BM_PrepareOneMessage);

void BM_Prepare10000Messages(benchmark::State& state)
{
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i)
            benchmark::DoNotOptimize(prepare(kMessage));
    }
}
BENCHMARK(BM_Prepare10000Messages)->Unit(benchmark::kMillisecond);

} // namespace
