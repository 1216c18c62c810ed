// Encoding and decoding whole conversations as the chat screen saves and loads
// them: text messages from two speakers who share one 3 KB avatar each, and a
// 40 KB photo every tenth message. Each run also copies the same bytes into a
// fresh buffer (the floor nothing returning new bytes can beat) and prints the
// ratio as "vs_memcpy"; the goal is at most 2 for both directions. Where page
// faults are dear, a fresh buffer costs far more than the copy itself, so the
// ratio to a copy into an already used buffer is printed too
// ("vs_memcpy_reused").
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
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

// CPU time of one call, so that the work and its floor are measured alike.
double cpuSeconds(const auto& work)
{
    timespec start {}, end {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) * 1e-9;
}

// The floor: the same bytes copied into a buffer of their own, as a result of
// either direction must be.
double copySeconds(const std::vector<std::uint8_t>& bytes)
{
    return cpuSeconds([&] {
        std::vector<std::uint8_t> copy;
        copy.reserve(bytes.size());
        copy.insert(copy.end(), bytes.begin(), bytes.end());
        benchmark::DoNotOptimize(copy.data());
    });
}

// The copy alone, into a buffer whose pages are already in place.
double reusedCopySeconds(const std::vector<std::uint8_t>& bytes)
{
    static std::vector<std::uint8_t> target;
    target.resize(bytes.size());
    return cpuSeconds([&] {
        std::memcpy(target.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(target.data());
    });
}

// Times `work` each iteration, and apart from it the floor of the same bytes,
// then reports both and their ratio.
void runAgainstFloor(benchmark::State& state, const std::vector<std::uint8_t>& bytes, const auto& work)
{
    double workSeconds = 0, floorSeconds = 0, reusedSeconds = 0;
    for (auto _ : state) {
        workSeconds += cpuSeconds(work);
        state.PauseTiming();
        floorSeconds += copySeconds(bytes);
        reusedSeconds += reusedCopySeconds(bytes);
        state.ResumeTiming();
    }
    state.counters["bytes"] = double(bytes.size());
    state.counters["memcpy_ms"] = floorSeconds * 1e3 / double(state.iterations());
    state.counters["vs_memcpy"] = floorSeconds > 0 ? workSeconds / floorSeconds : 0;
    state.counters["vs_memcpy_reused"] = reusedSeconds > 0 ? workSeconds / reusedSeconds : 0;
    state.SetBytesProcessed(std::int64_t(state.iterations() * bytes.size()));
}

void encodeConversation(benchmark::State& state)
{
    auto list = conversation(int(state.range(0)));
    runAgainstFloor(state, *coding::QYCoder::dataWithRootObject(list), [&] {
        auto data = coding::QYCoder::dataWithRootObject(list);
        benchmark::DoNotOptimize(data);
    });
}

void decodeConversation(benchmark::State& state)
{
    auto data = *coding::QYCoder::dataWithRootObject(conversation(int(state.range(0))));
    runAgainstFloor(state, data, [&] {
        auto object = coding::QYCoder::objectWithData(data);
        benchmark::DoNotOptimize(object);
    });
}

} // namespace

BENCHMARK(encodeConversation)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(decodeConversation)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
