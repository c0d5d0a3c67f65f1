// Number texts: the one place that decides how captions turn into numbers.
#include "board/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace quorvex {

std::string NumberText(int value) {
    std::string text(value < 0 ? "" : " ");
    text += std::to_string(value);
    return text;
}

namespace {
bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
}  // namespace

double NumericValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    bool anyDigit = i > digitsStart;
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && IsDigit(text[j])) ++j;
        if (j > i + 1 || anyDigit) {
            anyDigit = anyDigit || j > i + 1;
            i = j;
        }
    }
    if (!anyDigit) return 0.0;
    // strtod needs a terminated copy; the prefix is already validated.
    const std::string number(text.substr(start, i - start));
    return std::strtod(number.c_str(), nullptr);
}

double RoundHalfEven(double value) { return std::nearbyint(value); }

std::int16_t OperandValue(std::string_view text) {
    const double rounded = RoundHalfEven(NumericValue(text));
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        throw Overflow16();
    return static_cast<std::int16_t>(rounded);
}

std::string ResultText(int value) {
    if (value >= 1 && value <= 9) return std::string(1, static_cast<char>('0' + value));
    return "?";
}

std::string Trim(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return std::string(text.substr(b, e - b));
}

}  // namespace quorvex
