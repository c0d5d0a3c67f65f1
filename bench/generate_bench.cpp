// What a puzzle costs: a free generator run, a run that gives up after its
// 500 attempts, and one line search on its own.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "ScriptedServices.h"
#include "game/Form1.h"

namespace {
using quorvex::Form1;
using quorvex::testing::ScriptedRandom;
using quorvex::testing::ScriptedServices;

// The fake keeps every title and message; drop them now and then so the
// benchmark measures the game, not a growing vector.
void Trim(ScriptedServices& svc) {
    svc.titles.clear();
    svc.messages.clear();
}

// The real time of day: every reseed then mixes in a moving clock, as in play.
struct RealClockServices : ScriptedServices {
    double secondsSinceMidnight() override {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        return std::fmod(std::chrono::duration<double>(now).count(), 86400.0);
    }
};

void FreePuzzle(benchmark::State& state) {
    RealClockServices svc;
    Form1 form(svc);
    form.Form_Load();
    std::int64_t n = 0;
    for (auto _ : state) {
        form.GeneratePuzzle();
        benchmark::DoNotOptimize(form.SolNum[16]);
        if ((++n & 1023) == 0) Trim(svc);
    }
}
BENCHMARK(FreePuzzle);

void GiveUpAfter500Attempts(benchmark::State& state) {
    ScriptedServices svc;
    // Rows that fit and a first column (5, 9, 1) that never does.
    auto random = std::make_unique<ScriptedRandom>();
    random->setScript({5, 1, 1, 9, 1, 1, 1, 1, 1});
    Form1 form(svc, std::move(random));
    form.Form_Load();
    for (auto _ : state) {
        form.GeneratePuzzle();
        benchmark::DoNotOptimize(form.GenOk);
        Trim(svc);
    }
}
BENCHMARK(GiveUpAfter500Attempts)->Unit(benchmark::kMillisecond);

void LineSearch(benchmark::State& state) {
    ScriptedServices svc;
    Form1 form(svc);
    form.Form_Load();
    form.SolNum[1] = " 7";
    form.SolNum[2] = " 3";
    form.SolNum[3] = " 2";
    form.CornerVal7 = 1;  // only pair 7 fits: 7 - 3 * 2 = 1
    for (auto _ : state) {
        form.SearchRowPair(1);
        benchmark::DoNotOptimize(form.LineResult);
    }
}
BENCHMARK(LineSearch);

}  // namespace
