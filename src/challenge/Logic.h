// The logical solver of a challenge: step by step, as a person would, with
// named techniques. It is the single source of a puzzle's level and of the
// explained hint, so what the hint says is what the rating assumed.
//
// Every step fills one number and says why in one sentence. A step reasons
// only from the numbers on the board, never from pencil marks, so a hint can
// be given from any position the player reaches.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "challenge/Challenge.h"

namespace quorvex::challenge {

// In order of difficulty; the solver always takes the easiest step there is.
enum class Technique : std::uint8_t {
    // A row or column with one open number gives it at once.
    //   "Row 3: 4 * ? - 2 = 6, so ? is 2."
    LastNumber = 1,
    // What the cell's row allows on its own, crossed with what its column
    // allows, leaves one number.
    //   "Row 1, column 3: only 5 fits both row 1 (? + ? * 2 = 9) and column 3
    //    (? - ? - 1 = 3): the row allows 1, 3, 5 or 7 there, the column 5, 6 or 8."
    //   "Row 1, column 3: only 1 fits row 1 (? + ? + ? = 3)."
    SingleCandidate,
    // The same, with the other open numbers of each line held to what their
    // own crossing lines allow.
    //   "Row 1, column 3: only 5 fits row 1 (? + ? * ? = 9) with row 1,
    //    column 1 held to 1 or 3 by column 1."
    //   "Row 1, column 3: only 5 fits both lines: row 1 (...) allows 5 or 7
    //    there with ...; column 3 (...) allows 5, 6 or 8."
    CrossedCombinations,
    // The other candidate, tried, runs into a contradiction within a few
    // steps of the techniques above.
    // Only a cell with two candidates left is tried, so one trial settles it.
    //   "Row 1, column 3 must be 5: its lines leave 5 or 7, and if it were 7,
    //    row 3, column 3 would be 2, and then row 3 (? + 2 * ? = 9) could not
    //    be made."
    Trial,
    // Not a technique: a hint that shows a number no reasoning above reaches
    // (only a hand-made puzzle can need it).
    //   "Row 1, column 3 is 5: the givens allow no other number there."
    Reveal,
};
const char* TechniqueName(Technique technique);  // "Last number", "Single candidate", ...

// The longest chain a trial follows before it gives up on a candidate.
inline constexpr int TrialDepth = 3;

// A level asks for the techniques up to its hardest: easy the last number
// only, medium single candidates and crossed combinations, hard trials.
Technique HardestTechnique(Level level);
// The level of a puzzle whose hardest needed step is `hardest`.
Level LevelFor(Technique hardest);

struct Step {
    Technique technique = Technique::LastNumber;
    int position = 0;  // 0..8, reading order
    int value = 0;     // 1..9
    std::string reason;
};

// The easiest step from the numbers known so far (givens included), using
// techniques up to `hardest`. None when stuck, when everything is known, or
// when the known numbers contradict the givens.
std::optional<Step> NextStep(const Givens& puzzle, const Numbers& known,
                             Technique hardest = Technique::Trial);

struct LogicalSolution {
    bool solved = false;
    Technique hardest = Technique::LastNumber;  // the hardest step taken
    std::vector<Step> steps;
    Numbers numbers{};  // as far as it got
};
LogicalSolution SolveLogically(const Givens& puzzle, Technique hardest = Technique::Trial);

// The level by the hardest technique the solver needs, Unrated when it
// cannot finish (then the puzzle has no single solution, or it is beyond a
// person's reasoning as the techniques define it).
Level Rate(const Givens& puzzle);

struct Hint {
    enum class Kind : std::uint8_t {
        Wrong,   // a number of the player's differs from the solution
        Fill,    // the next number a person could deduce
        Solved,  // every number is in place
    };
    Kind kind = Kind::Solved;
    int position = -1;  // 0..8
    int value = 0;      // Wrong: the player's number; Fill: the number to write
    Technique technique = Technique::Reveal;  // Fill only
    std::string sentence;
};
// A wrong number comes first (the one with the shortest reason), then the
// easiest deduction from the givens and the player's right numbers. Numbers
// at given positions and anything outside 1..9 are ignored. The challenge is
// one that Generate or DecodePuzzleCode made: its solution is the one fit.
Hint NextHint(const Challenge& challenge, const Numbers& player);

// A sentence as a screen reader should say it: each operator and "=" as a
// word, each "?" as "blank".
//   "Row 3: 4 times blank minus 2 equals 6, so blank is 2."
std::string Spoken(std::string_view sentence);

namespace detail {
class Tables;
// For the generator: the hardest technique a greedy solve needs with
// techniques up to `hardest`, or nothing when it gets stuck. No sentences.
std::optional<Technique> HardestNeeded(const Tables& tables, const Numbers& known, Technique hardest);
}  // namespace detail

}  // namespace quorvex::challenge
