// How numbers travel through captions: written with a sign position, read back
// by their leading decimal number.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvex {

// Raised when a value does not fit the game's 16-bit integers.
class Overflow16 : public std::overflow_error {
public:
    Overflow16() : std::overflow_error("Overflow") {}
};

// Decimal text with a leading blank in the sign position: 7 -> " 7", -7 -> "-7".
std::string NumberText(int value);

// Leading blanks skipped, then the longest leading decimal number (optional
// sign, digits, optional point and digits); 0 when there is none.
double NumericValue(std::string_view text);

// NumericValue rounded half to even into a 16-bit integer; throws Overflow16
// when it does not fit.
std::int16_t OperandValue(std::string_view text);

// What a computed cell shows: the digit for 1..9, "?" for anything else.
std::string ResultText(int value);

// Blanks removed from both ends.
std::string Trim(std::string_view text);

// Round half to even, as the game's number conversions do.
double RoundHalfEven(double value);

}  // namespace quorvex
