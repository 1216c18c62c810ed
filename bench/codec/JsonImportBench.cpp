// Importing JSON with very many members (a store import or a scene written
// by a script): the time must grow with the text, not with its square.
#include <benchmark/benchmark.h>

#include <string>

#include "coding/OrderedJsonParser.h"

static std::string objectWithMembers(int count)
{
    std::string text = "{";
    for (int i = 0; i < count; ++i)
        text += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":" + std::to_string(i);
    return text + "}";
}

static void parseManyMembers(benchmark::State& state)
{
    std::string text = objectWithMembers(int(state.range(0)));
    for (auto _ : state) {
        auto parsed = coding::OrderedJsonParser::parse(text, text.size());
        benchmark::DoNotOptimize(parsed);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(parseManyMembers)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Complexity();
