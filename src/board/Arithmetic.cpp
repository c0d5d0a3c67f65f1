// One equation's value and the re-derivation of result cells from captions.
#include "board/Arithmetic.h"

#include <limits>

#include "board/NumberText.h"
#include "game/Form1.h"

namespace quorvex {

namespace {
// Every step of the game's arithmetic is 16-bit; a step that leaves the range
// is an error rather than a silently wrapped value.
std::int16_t Checked(int value) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw Overflow16();
    return static_cast<std::int16_t>(value);
}
std::int16_t Add(std::int16_t x, std::int16_t y) { return Checked(x + y); }
std::int16_t Sub(std::int16_t x, std::int16_t y) { return Checked(x - y); }
std::int16_t Mul(std::int16_t x, std::int16_t y) { return Checked(x * y); }
}  // namespace

bool IsOperator(std::string_view op) { return op == "+" || op == "-" || op == "*"; }

std::int16_t EvalEquation(std::int16_t a, std::int16_t b, std::int16_t c, std::string_view op1,
                          std::string_view op2) {
    if (a == 0 || b == 0 || c == 0) return NoValue;
    if (!IsOperator(op1) || !IsOperator(op2)) return NoValue;
    // Multiplication binds first; otherwise left to right.
    if (op1 == "*" && op2 == "*") return Mul(Mul(a, b), c);
    if (op1 == "*") return op2 == "+" ? Add(Mul(a, b), c) : Sub(Mul(a, b), c);
    if (op2 == "*") return op1 == "+" ? Add(a, Mul(b, c)) : Sub(a, Mul(b, c));
    const std::int16_t ab = op1 == "+" ? Add(a, b) : Sub(a, b);
    return op2 == "+" ? Add(ab, c) : Sub(ab, c);
}

std::string Form1::EvalLineText(const Line& line) const {
    // at(): a line code is taken as it comes, so a bad one must not read past the board.
    const auto value = [&](int cell) { return OperandValue(GridDisp.at(cell).Caption); };
    return ResultText(EvalEquation(value(line.operands[0]), value(line.operands[1]), value(line.operands[2]),
                                   GridDisp.at(line.operators[0]).Caption, GridDisp.at(line.operators[1]).Caption));
}

void Form1::EvalLines(std::string_view code) {
    // Each half of the code is read as a number; a short or empty code names no line.
    const auto half = [&](std::size_t from) -> int {
        return from < code.size() ? OperandValue(code.substr(from, 2)) : 0;
    };
    if (const int rr = half(0); rr != 0) GridDisp.at(RowLine(rr).result).Caption = EvalLineText(RowLine(rr));
    if (const int cc = half(2); cc != 0) GridDisp.at(ColumnLine(cc).result).Caption = EvalLineText(ColumnLine(cc));
}

void Form1::EvalCorner49() {
    // Any unknown result makes the final cell unknown without evaluating.
    for (int cell : {7, 21, 35, 43, 45, 47}) {
        if (GridDisp[cell].Caption == "?") {
            GridDisp[49].Caption = "?";
            return;
        }
    }
    // The result column is written first and the result row last: the row wins.
    GridDisp[49].Caption = EvalLineText(ColumnLine(7));
    GridDisp[49].Caption = EvalLineText(RowLine(43));
}

}  // namespace quorvex
