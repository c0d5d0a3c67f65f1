// Random complete boards, taking givens away, and the daily puzzle.
#include "challenge/Generator.h"

#include <vector>

#include "challenge/Code.h"
#include "challenge/Lines.h"
#include "challenge/Logic.h"

namespace quorvex::challenge {

using detail::Lines;
using detail::OperatorChars;
using detail::Value;

std::uint64_t SeededRandom::Next() {
    std::uint64_t z = state_ += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Below(ChallengeRandom& random, int n) {
    return static_cast<int>(((random.Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
}

namespace {

// One of the nine operator pairs as 3 * first + second.
void SetPair(Givens& g, const std::array<int, 2>& cells, int pair) {
    g.board.operators[cells[0]] = OperatorChars[pair / 3];
    g.board.operators[cells[1]] = OperatorChars[pair % 3];
}

// Tries once; a board whose numbers leave a line without a digit fails.
std::optional<Givens> TryBoard(ChallengeRandom& random) {
    Givens g;
    for (auto& n : g.board.numbers) n = static_cast<std::int8_t>(1 + Below(random, 9));
    const auto& n = g.board.numbers;
    for (int line = 0; line < 6; ++line) {
        const auto& c = Lines[line].cells;
        int pairs[9], count = 0;
        for (int pair = 0; pair < 9; ++pair)
            if (Value(n[c[0]], n[c[1]], n[c[2]], pair / 3, pair % 3)) pairs[count++] = pair;
        if (count == 0) return std::nullopt;
        const int pair = pairs[Below(random, count)];
        SetPair(g, Lines[line].operators, pair);
        g.results[Lines[line].result] =
            static_cast<std::int8_t>(Value(n[c[0]], n[c[1]], n[c[2]], pair / 3, pair % 3));
    }
    // The result column and the result row must give the same final number.
    const auto& r = g.results;
    int choices[81], count = 0;
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row) {
            const int v = Value(r[0], r[1], r[2], column / 3, column % 3);
            if (v && v == Value(r[3], r[4], r[5], row / 3, row % 3)) choices[count++] = 9 * column + row;
        }
    if (count == 0) return std::nullopt;
    const int choice = choices[Below(random, count)];
    SetPair(g, detail::ResultColumnOperators, choice / 9);
    SetPair(g, detail::ResultRowOperators, choice % 9);
    g.results[6] = static_cast<std::int8_t>(Value(r[0], r[1], r[2], choice / 27, choice / 9 % 3));
    return g;
}

}  // namespace

Givens RandomBoard(ChallengeRandom& random) {
    // Most draws succeed; the bound only matters for a source that never varies.
    for (int attempt = 0; attempt < 1000; ++attempt)
        if (auto g = TryBoard(random)) return *g;
    // 1 + 1 + 1 = 3 everywhere, and 3 + 3 + 3 = 9 in the result lines.
    Givens g;
    g.board.numbers.fill(1);
    g.board.operators.fill('+');
    g.results = {3, 3, 3, 3, 3, 3, 9};
    return g;
}

std::optional<Challenge> Generate(Level level, ChallengeRandom& random, GenerationStats* stats) {
    if (level == Level::Unrated) return std::nullopt;
    const Technique allowed = HardestTechnique(level);
    for (int board = 1; board <= MaxBoards; ++board) {
        if (stats) stats->boards = board;
        const Givens full = RandomBoard(random);
        const detail::Tables tables(full);
        // Givens are tried for removal in a random order (Fisher-Yates with
        // this file's own draws).
        std::array<int, 9> order = {0, 1, 2, 3, 4, 5, 6, 7, 8};
        for (int i = 8; i > 0; --i) std::swap(order[i], order[Below(random, i + 1)]);
        // A hard puzzle keeps only the givens it needs to stay unique, and must
        // then need a trial; the easier levels keep every given whose removal
        // would take them past their own techniques.
        Numbers given = full.board.numbers;
        for (int p : order) {
            Numbers fewer = given;
            fewer[p] = 0;
            if (detail::CountFits(tables, fewer, 2, nullptr) == 1 &&
                (level == Level::Hard || detail::HardestNeeded(tables, fewer, allowed)))
                given = fewer;
        }
        if (given == full.board.numbers) continue;
        const auto hardest = detail::HardestNeeded(tables, given, Technique::Trial);
        if (!hardest || LevelFor(*hardest) != level) continue;
        Challenge c{full, full.board.numbers, level};
        c.givens.board.numbers = given;
        return c;
    }
    return std::nullopt;
}

std::optional<Challenge> Generate(Level level, std::uint64_t seed, GenerationStats* stats) {
    SeededRandom random(seed);
    return Generate(level, random, stats);
}

std::uint64_t DailySeed(int year, int month, int day) {
    // The date as one number, then one SplitMix64 step: every day its own stream.
    SeededRandom mix(static_cast<std::uint64_t>(year) * 10000 + static_cast<std::uint64_t>(month) * 100 +
                     static_cast<std::uint64_t>(day));
    return mix.Next();
}

std::optional<Challenge> DailyChallenge(int year, int month, int day) {
    return Generate(Level::Hard, DailySeed(year, month, day));
}

std::string GenerateCode(PuzzleKind kind, ChallengeRandom& random) {
    if (kind == PuzzleKind::Classic) {
        const Givens b = RandomBoard(random);
        return ClassicCode({b.board.numbers[0], b.results[0], b.results[3], b.results[6]});
    }
    const std::optional<Challenge> c = Generate(LevelOf(kind), random);
    return c ? ChallengeCode(c->givens, c->level) : std::string();
}

}  // namespace quorvex::challenge
