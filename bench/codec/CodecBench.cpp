// Encoding and decoding whole conversations as the chat screen saves and loads
// them: text messages from two speakers who share one 3 KB avatar each, and a
// 40 KB photo every tenth message.
#include <benchmark/benchmark.h>

#include <random>

#include "chat/records/QYChatModel.h"
#include "chat/records/RecordClasses.h"
#include "coding/Collection.h"
#include "coding/CycleCollector.h"
#include "coding/QYCoder.h"

namespace {

std::vector<std::uint8_t> noise(std::size_t size, std::mt19937& random)
{
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes)
        byte = std::uint8_t(random());
    return bytes;
}

std::shared_ptr<coding::Collection> conversation(int messages)
{
    registerRecordClasses();
    std::mt19937 random(7);
    auto me = coding::String::make("我");
    auto other = coding::String::make("对方");
    auto myAvatar = coding::Data::make(noise(3072, random));
    auto otherAvatar = coding::Data::make(noise(3072, random));
    auto list = coding::Collection::mutableArray();
    list->reserve(std::size_t(messages));
    for (int i = 0; i < messages; ++i) {
        bool isSend = i % 3 != 0;
        auto record = QYChatModel::make();
        record->setStyleType(1);
        record->setIsSend(isSend);
        record->setCreatDate(coding::Date::make(1480000000.0 + i * 30));
        record->setIsShowDateTime(i % 5 == 0);
        record->setAvatar(isSend ? myAvatar : otherAvatar);
        if (i % 10 == 9) {
            record->setType(QYChatModel::Image);
            record->setImage(coding::Data::make(noise(40 * 1024, random)));
        } else {
            record->setType(QYChatModel::Text);
            record->setNickName(isSend ? me : other);
            record->setContext(coding::String::make("第" + std::to_string(i) + "条消息 [微笑] the quick brown fox"));
        }
        list->append(record);
    }
    return list;
}

void encodeConversation(benchmark::State& state)
{
    auto list = conversation(int(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        auto data = coding::QYCoder::dataWithRootObject(list);
        size = data->size();
        benchmark::DoNotOptimize(data);
    }
    state.counters["bytes"] = double(size);
    state.SetBytesProcessed(std::int64_t(state.iterations() * size));
}

void decodeConversation(benchmark::State& state)
{
    auto data = *coding::QYCoder::dataWithRootObject(conversation(int(state.range(0))));
    for (auto _ : state) {
        auto object = coding::QYCoder::objectWithData(data);
        benchmark::DoNotOptimize(object);
    }
    state.counters["bytes"] = double(data.size());
    state.SetBytesProcessed(std::int64_t(state.iterations() * data.size()));
}

} // namespace

BENCHMARK(encodeConversation)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(decodeConversation)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
