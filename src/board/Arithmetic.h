// The value of one equation a op1 b op2 c, multiplication first, in 16-bit
// signed arithmetic with every intermediate checked.
#pragma once

#include <cstdint>
#include <string_view>

namespace quorvex {

constexpr std::int16_t NoValue = -1;

bool IsOperator(std::string_view op);

// -1 when an operand is 0 or an operator is missing; throws Overflow16 when an
// intermediate leaves the 16-bit range (board operands 0..9 never do).
std::int16_t EvalEquation(std::int16_t a, std::int16_t b, std::int16_t c, std::string_view op1,
                          std::string_view op2);

}  // namespace quorvex
