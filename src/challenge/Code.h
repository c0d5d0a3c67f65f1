// Puzzle codes: a whole puzzle as a short text to share, type or read aloud.
//
// The format, exactly:
//
// Characters. The 32 characters 0-9 A-Z without I, L, O and U, worth 0..31
// in that order (0-9 are 0..9, A is 10, H 17, J 18, Z 31). A code is read
// without regard to case, with I and L read as 1 and O as 0; spaces and
// hyphens are ignored anywhere; a text of more than 100 characters is
// refused whatever it holds. Written codes are upper case; a challenge code
// is written in groups of four joined by hyphens.
//
// Shape: one kind letter, a body, one check character.
//   C       a classic puzzle
//   E M H   a challenge labelled easy, medium or hard
//   P       a challenge without a label
// The label is what the code's maker rated; a reader rates the givens itself.
//
// Classic body: four digits 1-9, the top-left number (cell 1), the first
// row's result (cell 7), the first column's result (cell 43) and the final
// result (cell 49). Example: corners 7 2 8 1 are "C7281" and a check character.
//
// Challenge body: one whole number N in base 32, most significant character
// first, 1 to 17 characters. Its fields are taken from the least significant
// end, each as N mod radix followed by N = N div radix:
//   1. the 16 operators, radix 3 each (+ 0, - 1, * 2), of cells 2, 4, 8, 10,
//      12, 14, 16, 18, 22, 24, 26, 28, 30, 32, 44, 46 in this order;
//   2. the results of cells 7, 21, 35, 43, 45, 47, radix 9 each (result - 1);
//   3. which numbers are given, radix 512: bit k (value 2^k) for the k-th
//      number cell of 1, 3, 5, 15, 17, 19, 29, 31, 33;
//   4. each given number in that cell order, radix 9 each (number - 1);
//   5. what remains of N must be 0.
// The final result (cell 49) is not stored: it is the value of the result
// column (7, 21, 35 with the operators of cells 14 and 28), and the result
// row (43, 45, 47 with 44 and 46) must give the same.
//
// Check character: start with c = 0 and, for every character of the code
// before it (the kind letter included) with value d, set c = 2c XOR d, where
// 2c means: shift c left one bit and, if that sets bit 5 (value 32), XOR it
// with 37 (binary 100101). The check character is the one whose value is 2c
// for the final c, so that running the same steps over the whole code,
// check character included, ends at 0. (This is a weighted sum over the
// field of 32 elements: it catches every single wrong character and every
// swap of two neighbouring different characters.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "challenge/Challenge.h"

namespace quorvex::challenge {

std::string ClassicCode(const Corners& corners);  // corners 1..9 each
// Givens as a challenge code with the level's label (P for Unrated). The
// final result is taken from the givens' result column, as a reader will.
std::string ChallengeCode(const Givens& givens, Level label);

struct PuzzleCode {
    bool classic = false;
    Corners corners{};             // a classic code's four corners
    Challenge challenge;           // a challenge: its givens, its one solution, its level as rated here
    Level label = Level::Unrated;  // a challenge code's letter
};

// A puzzle, or one sentence that says why the text is not one:
//   "That code is not a Quorvex puzzle: <reason>." when it is not a code, and
//   "This code's givens have no solution." or
//   "This code's givens have more than one solution." when it is one but
//   does not make a challenge.
struct DecodedCode {
    std::optional<PuzzleCode> puzzle;
    std::string error;
};
DecodedCode DecodePuzzleCode(std::string_view text);

}  // namespace quorvex::challenge
