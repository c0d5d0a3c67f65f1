// Making challenge puzzles: a random complete board, its numbers taken away
// one by one in random order while exactly one board still fits (and, for
// easy and medium, while the logical solver still finishes within the level's
// techniques), then rated; a board whose puzzle is not of the level asked for
// is replaced by a new one.
//
// Everything random comes from one injectable source, and every mapping from
// its raw numbers is this file's own arithmetic, so a seed gives the same
// puzzle on every machine and with every standard library.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "challenge/Challenge.h"

namespace quorvex::challenge {

class ChallengeRandom {
public:
    virtual ~ChallengeRandom() = default;
    virtual std::uint64_t Next() = 0;  // 64 uniformly random bits
};

// SplitMix64: small, fast, and fully defined by its seed.
class SeededRandom final : public ChallengeRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() override;

private:
    std::uint64_t state_;
};

// 0..n-1 from the source's top 32 bits (a bias below one in 2^32 / n).
int Below(ChallengeRandom& random, int n);

// Boards drawn before giving up: far beyond what any level needs (hard, the
// rarest, takes nine on average), but a bound all the same, for a source that
// never delivers.
inline constexpr int MaxBoards = 2000;

struct GenerationStats {
    int boards = 0;  // complete boards drawn
};

// A puzzle of the level, or none after MaxBoards boards (or for Unrated).
std::optional<Challenge> Generate(Level level, ChallengeRandom& random, GenerationStats* stats = nullptr);
std::optional<Challenge> Generate(Level level, std::uint64_t seed, GenerationStats* stats = nullptr);

// Today's Puzzle: one hard puzzle per calendar date, the same wherever it is
// made. The seed is the date's own, mixed so that neighbouring days differ.
std::uint64_t DailySeed(int year, int month, int day);
std::optional<Challenge> DailyChallenge(int year, int month, int day);

// A puzzle of the kind as its code: a challenge labelled with its level, or a
// classic puzzle whose corners are those of a random complete board (every
// corner set has boards, so any four corners would do; these come as often
// as the boards that give them). "" only when Generate gives up.
std::string GenerateCode(PuzzleKind kind, ChallengeRandom& random);

// A complete board drawn at random: nine numbers 1..9, then for each line one
// of the operator pairs that give a digit, then a result row and a result
// column that agree. For the generator and its tests.
Givens RandomBoard(ChallengeRandom& random);

}  // namespace quorvex::challenge
