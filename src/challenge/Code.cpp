// Writing and reading puzzle codes; the format is described in Code.h.
#include "challenge/Code.h"

#include <vector>

#include "challenge/Lines.h"
#include "challenge/Logic.h"

namespace quorvex::challenge {

namespace {

constexpr std::string_view Alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::string_view Kinds = "CEMHP";
constexpr std::size_t MaxBody = 17;    // 16 operators, 6 results, a mask and nine givens fit in 82 bits
constexpr std::size_t MaxTyped = 100;  // anything longer is no code, whatever it holds
constexpr const char* NotACode = "That code is not a Quorvex puzzle: ";

// 2c in the field of 32 elements built on x^5 + x^2 + 1.
int Twice(int c) {
    c <<= 1;
    return c & 32 ? c ^ 37 : c;
}
int CheckOf(const std::vector<int>& values) {
    int c = 0;
    for (int d : values) c = Twice(c) ^ d;
    return Twice(c);
}

// A whole number as base-32 digits, least significant first.
using Big = std::vector<int>;
void MultiplyAdd(Big& n, int radix, int add) {
    int carry = add;
    for (int& d : n) {
        const int v = d * radix + carry;
        d = v % 32;
        carry = v / 32;
    }
    for (; carry; carry /= 32) n.push_back(carry % 32);
}
int DivideOut(Big& n, int radix) {
    int rest = 0;
    for (auto d = n.rbegin(); d != n.rend(); ++d) {
        const int v = rest * 32 + *d;
        *d = v / radix;
        rest = v % radix;
    }
    while (!n.empty() && n.back() == 0) n.pop_back();
    return rest;
}

struct Field {
    int radix;
    int value;
};

std::string Written(std::vector<int> values) {
    values.push_back(CheckOf(values));
    std::string s;
    for (int v : values) s += Alphabet[static_cast<std::size_t>(v)];
    return s;
}

char KindLetter(Level label) {
    switch (label) {
        case Level::Easy: return 'E';
        case Level::Medium: return 'M';
        case Level::Hard: return 'H';
        case Level::Unrated: break;
    }
    return 'P';
}

DecodedCode Refused(const std::string& reason) { return {std::nullopt, NotACode + reason}; }

// The character's value, or -1.
int ValueOf(char ch) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    if (ch == 'I' || ch == 'L') ch = '1';
    if (ch == 'O') ch = '0';
    const auto at = Alphabet.find(ch);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

DecodedCode DecodeChallenge(const std::vector<int>& values) {
    Big n;  // the body, most significant first in `values`
    for (std::size_t i = values.size() - 2; i >= 1; --i) n.push_back(values[i]);
    while (!n.empty() && n.back() == 0) n.pop_back();
    Givens g;
    for (char& op : g.board.operators) op = detail::OperatorChars[DivideOut(n, 3)];
    for (int k = 0; k < 6; ++k) g.results[k] = static_cast<std::int8_t>(1 + DivideOut(n, 9));
    const int mask = DivideOut(n, 512);
    for (int k = 0; k < 9; ++k)
        if (mask >> k & 1) g.board.numbers[k] = static_cast<std::int8_t>(1 + DivideOut(n, 9));
    if (!n.empty()) return Refused("its numbers do not make a board.");
    const auto op = [&](int k) { return detail::OperatorIndex(g.board.operators[k]); };
    const auto& column = detail::ResultColumnOperators;
    g.results[6] = static_cast<std::int8_t>(
        detail::Value(g.results[0], g.results[1], g.results[2], op(column[0]), op(column[1])));

    const FitCount fit = CountFits(g, 2);
    if (fit.count == 0) return {std::nullopt, "This code's givens have no solution."};
    if (fit.count > 1) return {std::nullopt, "This code's givens have more than one solution."};
    PuzzleCode code;
    code.challenge = {g, fit.first, Rate(g)};
    code.label = values[0] == ValueOf('E')   ? Level::Easy
                 : values[0] == ValueOf('M') ? Level::Medium
                 : values[0] == ValueOf('H') ? Level::Hard
                                             : Level::Unrated;
    return {code, {}};
}

}  // namespace

std::string ClassicCode(const Corners& corners) {
    std::vector<int> values = {ValueOf('C')};
    for (int corner : corners) values.push_back(corner);
    return Written(values);
}

std::string ChallengeCode(const Givens& givens, Level label) {
    std::vector<Field> fields;
    for (char op : givens.board.operators) fields.push_back({3, std::max(0, detail::OperatorIndex(op))});
    for (int k = 0; k < 6; ++k) fields.push_back({9, givens.results[k] - 1});
    int mask = 0;
    for (int k = 0; k < 9; ++k) mask |= (givens.board.numbers[k] ? 1 : 0) << k;
    fields.push_back({512, mask});
    for (int k = 0; k < 9; ++k)
        if (givens.board.numbers[k]) fields.push_back({9, givens.board.numbers[k] - 1});
    Big n;
    for (auto f = fields.rbegin(); f != fields.rend(); ++f) MultiplyAdd(n, f->radix, f->value);
    if (n.empty()) n.push_back(0);
    std::vector<int> values = {ValueOf(KindLetter(label))};
    values.insert(values.end(), n.rbegin(), n.rend());
    const std::string plain = Written(values);
    std::string grouped;
    for (std::size_t i = 0; i < plain.size(); ++i) grouped += (i && i % 4 == 0 ? "-" : "") + std::string(1, plain[i]);
    return grouped;
}

DecodedCode DecodePuzzleCode(std::string_view text) {
    if (text.size() > MaxTyped) return Refused("it is too long.");
    std::vector<int> values;
    for (char ch : text) {
        if (ch == ' ' || ch == '-' || ch == '\t') continue;
        const int v = ValueOf(ch);
        if (v < 0) {
            const bool shown = ch > ' ' && ch < 127;
            return Refused(shown ? "it holds \"" + std::string(1, ch) + "\", which no code uses."
                                 : "it holds a character that no code uses.");
        }
        values.push_back(v);
    }
    if (values.empty()) return Refused("it is empty.");
    const char kind = Alphabet[static_cast<std::size_t>(values[0])];
    if (Kinds.find(kind) == std::string_view::npos) return Refused("it must begin with C, E, M, H or P.");
    if (values.size() < 3) return Refused("it is too short.");
    if (values.size() > MaxBody + 2) return Refused("it is too long.");
    const std::vector<int> body(values.begin(), values.end() - 1);
    if (CheckOf(body) != values.back())
        return Refused("a character is mistyped or missing (its check character does not match).");
    if (kind == 'C') {
        if (values.size() != 6) return Refused("a classic code holds four digits from 1 to 9.");
        PuzzleCode code;
        code.classic = true;
        for (int k = 0; k < 4; ++k) {
            if (values[k + 1] < 1 || values[k + 1] > 9) return Refused("a classic code holds four digits from 1 to 9.");
            code.corners[k] = values[k + 1];
        }
        return {code, {}};
    }
    return DecodeChallenge(values);
}

}  // namespace quorvex::challenge
