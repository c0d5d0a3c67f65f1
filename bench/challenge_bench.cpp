// What a challenge costs: one generated puzzle of each level, timed one by
// one over fixed seeds (median, 99th percentile and the worst, and how many
// complete boards each took); the first hint of a hard puzzle; reading a
// code, which counts fits and rates; the fit counter with nothing given.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "challenge/Code.h"
#include "challenge/Generator.h"
#include "challenge/Logic.h"

namespace {
using namespace quorvex::challenge;

std::vector<Challenge> HardPuzzles(int count) {
    std::vector<Challenge> puzzles;
    for (int seed = 1; seed <= count; ++seed) puzzles.push_back(*Generate(Level::Hard, static_cast<std::uint64_t>(seed)));
    return puzzles;
}

// Seeds 1, 2, 3... one per iteration, so every run times the same puzzles.
void GenerateLevel(benchmark::State& state) {
    const auto level = static_cast<Level>(state.range(0));
    std::vector<double> ms;
    long boards = 0;
    std::uint64_t seed = 0;
    for (auto _ : state) {
        GenerationStats stats;
        const auto start = std::chrono::steady_clock::now();
        auto puzzle = Generate(level, ++seed, &stats);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        benchmark::DoNotOptimize(puzzle);
        boards += stats.boards;
    }
    std::sort(ms.begin(), ms.end());
    state.SetLabel(LevelName(level));
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p99_ms"] = ms[ms.size() * 99 / 100];
    state.counters["max_ms"] = ms.back();
    state.counters["boards_per_puzzle"] = static_cast<double>(boards) / static_cast<double>(ms.size());
}
BENCHMARK(GenerateLevel)
    ->Arg(static_cast<int>(Level::Easy))
    ->Arg(static_cast<int>(Level::Medium))
    ->Arg(static_cast<int>(Level::Hard))
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);

void FirstHintOfAHardPuzzle(benchmark::State& state) {
    static const auto puzzles = HardPuzzles(200);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(NextHint(puzzles[i++ % puzzles.size()], {}));
}
BENCHMARK(FirstHintOfAHardPuzzle)->Unit(benchmark::kMicrosecond);

void ReadAHardCode(benchmark::State& state) {
    static const auto codes = [] {
        std::vector<std::string> c;
        for (const Challenge& p : HardPuzzles(200)) c.push_back(ChallengeCode(p.givens, p.level));
        return c;
    }();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(DecodePuzzleCode(codes[i++ % codes.size()]));
}
BENCHMARK(ReadAHardCode)->Unit(benchmark::kMicrosecond);

void CountFitsNothingGiven(benchmark::State& state) {
    static const auto boards = [] {
        std::vector<Givens> b;
        SeededRandom random(5);
        for (int n = 0; n < 200; ++n) b.push_back(RandomBoard(random)), b.back().board.numbers = {};
        return b;
    }();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(CountFits(boards[i++ % boards.size()], static_cast<int>(state.range(0))));
}
BENCHMARK(CountFitsNothingGiven)->Arg(2)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace
