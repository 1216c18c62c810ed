// The message list's question for every text row: the text bubble's height
// query, asked of real records. The headline asks it for 10,000 different
// messages, as a long conversation would, so nothing measured for one row can
// be handed to the next.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "chat/records/QYChatModel.h"
#include "coding/String.h"
#include "input/label/QYEmojiLabel.h"
#include "messages/RITextBubbleView.h"
#include "ui/graphics/TextLayout.h"

namespace {

const std::u16string kMessage = u"今晚[微笑]一起吃饭吗？打我电话13812345678就行[玫瑰]好的好的好的！";

// A small linear congruential generator: the same messages on every machine.
class Dice {
public:
    std::uint32_t roll(std::uint32_t sides)
    {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return std::uint32_t(m_state >> 33) % sides;
    }

private:
    std::uint64_t m_state = 20161124;
};

// 40 characters as typed: words from everyday chat around two emoji codes,
// with a phone number, a mention, a Latin word or a digit run now and then.
std::u16string chatMessage(Dice& dice)
{
    static const std::u16string characters =
        u"的一是不了人我在有他这中大来上个国到说们为子和你地出道也时年得就那要下以生会自着去之过家学对可她里后小么心多天而能好都然没日于起还发成事只作当想看文无开手十用主行方又如前所本见经头面公同三已老从动两长知民样现分将外但身些与高意进把法此实回二理美点月明其种声全工己话儿者向情部正名定女问力机给等几很业最间新什打便位因重被走电四第门相次东政海口使教西再平真听世气信北少关并内加化由却代军产入先山五太水万市眼体别处总才场师书";
    static const std::u16string codes[] = { u"[微笑]", u"[开心]", u"[呲牙]", u"[偷笑]", u"[玫瑰]", u"[思考]",
        u"[得意]", u"[拥抱]", u"[色]", u"[嘘]", u"[困]", u"[发财]" };
    static const std::u16string extras[] = { u"13812345678", u"@小明", u"OK", u"2017", u"bye", u"#周末#" };

    std::u16string message;
    const std::size_t firstCode = 3 + dice.roll(14);
    const std::size_t secondCode = 22 + dice.roll(12);
    const bool withExtra = dice.roll(3) == 0;
    const std::size_t extraAt = 8 + dice.roll(20);
    while (message.size() < 40) {
        if (message.size() >= firstCode && message.size() < firstCode + 4 && message.find(u'[') == std::u16string::npos)
            message += codes[dice.roll(12)];
        else if (message.size() >= secondCode && std::count(message.begin(), message.end(), u'[') == 1)
            message += codes[dice.roll(12)];
        else if (withExtra && message.size() >= extraAt && message.size() < extraAt + 3)
            message += extras[dice.roll(6)];
        else
            message += characters[dice.roll(std::uint32_t(characters.size()))];
    }
    return message;
}

std::vector<std::shared_ptr<QYChatModel>> conversation(std::size_t rows)
{
    Dice dice;
    std::set<std::u16string> seen;
    std::vector<std::shared_ptr<QYChatModel>> records;
    while (records.size() < rows) {
        std::u16string text = chatMessage(dice);
        if (!seen.insert(text).second)
            continue;
        auto record = QYChatModel::make();
        record->setType(QYChatModel::Text);
        record->setStyleType(1);
        record->setContext(coding::String::fromUtf16(text));
        records.push_back(record);
    }
    return records;
}

void BM_TextRowHeightOneMessage(benchmark::State& state)
{
    auto record = QYChatModel::make();
    record->setType(QYChatModel::Text);
    record->setStyleType(1);
    record->setContext(coding::String::fromUtf16(kMessage));
    for (auto _ : state)
        benchmark::DoNotOptimize(RITextBubbleView::heightForBubbleWithObject(*record));
}
BENCHMARK(BM_TextRowHeightOneMessage);

// The headline: 10,000 distinct messages, each asked once per iteration.
void BM_TextRowHeight10000Rows(benchmark::State& state)
{
    const auto records = conversation(10000);
    for (auto _ : state) {
        double total = 0;
        for (const auto& record : records)
            total += RITextBubbleView::heightForBubbleWithObject(*record) + 5;
        benchmark::DoNotOptimize(total);
    }
    state.counters["rows"] = double(records.size());
}
BENCHMARK(BM_TextRowHeight10000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

namespace {

// The floor under the headline: only the toolkit's measuring of each row's
// prepared text (emoji substituted, label attributes applied), the labels made
// beforehand. Whatever the height query does besides is the rest.
void BM_TextRowLayoutOnly10000Rows(benchmark::State& state)
{
    std::vector<ui::AttributedString> prepared;
    for (const auto& record : conversation(10000)) {
        QYEmojiLabel label;
        RITextBubbleView::configureLabel(label, *record);
        prepared.push_back(label.attributedText().value_or(ui::AttributedString()));
    }
    for (auto _ : state) {
        double total = 0;
        for (const auto& text : prepared)
            total += ui::TextLayout::measure(text, 200).height;
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_TextRowLayoutOnly10000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
