// The game's random digits.
#include "generator/RandomSource.h"

#include <cstring>

#include "board/NumberText.h"
#include "game/Form1.h"

namespace quorvex {

namespace {
// SplitMix64's finaliser: a bijection, so distinct states stay distinct.
std::uint64_t Mix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
}  // namespace

GameRandom::GameRandom(std::uint64_t initialState) : state_(initialState) {}

void GameRandom::reseed(double seed) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    // Mixed in, not assigned: the clock ticks far slower than the generator
    // draws, and replacing the state would repeat the last draw.
    state_ = Mix(state_ ^ Mix(bits));
}

double GameRandom::next() {
    state_ = Mix(state_);
    return static_cast<double>(state_ >> 11) * 0x1.0p-53;
}

int Form1::DrawDigit() {
    random_->reseed(static_cast<float>(services_.secondsSinceMidnight()));
    // Rounding u * 9 + 1 makes 1 half as likely as 2..8 and 9 half again as likely.
    int n = static_cast<int>(RoundHalfEven(random_->next() * 9 + 1));
    return n == 10 ? 9 : n;
}

}  // namespace quorvex
