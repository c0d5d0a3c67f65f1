// The game's random numbers: reseeded from the time of day before every draw.
#pragma once

#include <cstdint>

namespace quorvex {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed(double seed) = 0;
    // Uniform in [0, 1).
    virtual double next() = 0;
};

// The seed is mixed into the running state instead of replacing it, so two
// reseeds within one tick of the clock still give different draws.
class GameRandom final : public RandomSource {
public:
    explicit GameRandom(std::uint64_t initialState = 0x5DEECE66DULL);
    void reseed(double seed) override;
    double next() override;

private:
    std::uint64_t state_;
};

}  // namespace quorvex
