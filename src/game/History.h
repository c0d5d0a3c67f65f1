// Undo and redo: the state a player can see, taken before and after each of
// the player's steps, and the clock of the current puzzle.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "board/Cell.h"
#include "board/Layout.h"

namespace quorvex {

// Everything on the window that a step of play can change. The solution
// record, the print sheet and the puzzle number are not here: no step of play
// changes them.
struct BoardState {
    std::array<Cell, CellCount> GridDisp;
    Cell NewPuz, Solveit;
    Control RightMess, CompMess;
    std::array<Control, 5> NPict;
    std::array<MenuItem, 8> Menu;  // the Puzzle menu, title first
    std::int16_t SetupMode = 0;
    std::int16_t PuzzleDone = 0;

    bool operator==(const BoardState&) const = default;
};

class History {
public:
    // A step keeps two states of about 5 KB each; beyond this the oldest go.
    static constexpr std::size_t Limit = 500;

    void Clear() { steps_.clear(), done_ = 0; }
    // A new step drops whatever could have been redone.
    void Record(const BoardState& before, const BoardState& after);
    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The state to restore; call only when the matching Can... is true.
    const BoardState& Undo() { return steps_[--done_].before; }
    const BoardState& Redo() { return steps_[done_++].after; }

private:
    // Both ends of a step are kept, so a change made outside any step (none
    // today) cannot make undo restore the wrong state.
    struct Step {
        BoardState before, after;
    };
    std::deque<Step> steps_;
    std::size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
};

// Elapsed time of one puzzle: runs only while told to, from a clock that
// never goes back.
class PuzzleClock {
public:
    void Reset() { banked_ = 0, running_ = false; }
    void Run(bool on, double now) {
        if (on == running_) return;
        if (on) since_ = now;
        else banked_ += std::max(0.0, now - since_);
        running_ = on;
    }
    bool Running() const { return running_; }
    double Elapsed(double now) const { return banked_ + (running_ ? std::max(0.0, now - since_) : 0.0); }

private:
    double banked_ = 0, since_ = 0;
    bool running_ = false;
};

}  // namespace quorvex
