// Line tables, candidate rounds and the fit counter of a challenge.
#include "challenge/Lines.h"

#include <bit>
#include <string>

#include "board/Arithmetic.h"

namespace quorvex::challenge::detail {

int CountOf(Mask m) { return std::popcount(m); }
int LowestOf(Mask m) { return std::countr_zero(m); }

int OperatorIndex(char op) {
    switch (op) {
        case '+': return 0;
        case '-': return 1;
        case '*': return 2;
        default: return -1;
    }
}

namespace {

// value[op1][op2][a][b][c], 0 where the line gives no digit.
using ValueTable = std::array<std::array<std::array<std::array<std::array<std::int8_t, 10>, 10>, 10>, 3>, 3>;

ValueTable BuildValues() {
    ValueTable t{};
    // The game's own arithmetic, so that a challenge and the board cannot disagree.
    for (int o1 = 0; o1 < 3; ++o1)
        for (int o2 = 0; o2 < 3; ++o2)
            for (int a = 1; a <= 9; ++a)
                for (int b = 1; b <= 9; ++b)
                    for (int c = 1; c <= 9; ++c) {
                        const int v = EvalEquation(static_cast<std::int16_t>(a), static_cast<std::int16_t>(b),
                                                   static_cast<std::int16_t>(c), std::string(1, OperatorChars[o1]),
                                                   std::string(1, OperatorChars[o2]));
                        t[o1][o2][a][b][c] = static_cast<std::int8_t>(v >= 1 && v <= 9 ? v : 0);
                    }
    return t;
}

const ValueTable& Values() {
    static const ValueTable table = BuildValues();
    return table;
}

bool IsDigit(int v) { return v >= 1 && v <= 9; }

}  // namespace

int Value(int a, int b, int c, int op1, int op2) {
    if (!IsDigit(a) || !IsDigit(b) || !IsDigit(c) || op1 < 0 || op1 > 2 || op2 < 0 || op2 > 2) return 0;
    return Values()[op1][op2][a][b][c];
}

Tables::Tables(const Givens& givens) : givens_(givens) {
    const auto& ops = givens.board.operators;
    const auto& r = givens.results;
    for (char op : ops)
        if (OperatorIndex(op) < 0) return;
    for (auto v : r)
        if (!IsDigit(v)) return;
    const auto op = [&](int k) { return OperatorIndex(ops[k]); };
    // The result lines hold no open cell: they either agree on cell 49 or no board fits.
    if (Value(r[0], r[1], r[2], op(ResultColumnOperators[0]), op(ResultColumnOperators[1])) != r[6] ||
        Value(r[3], r[4], r[5], op(ResultRowOperators[0]), op(ResultRowOperators[1])) != r[6])
        return;
    const auto& values = Values();
    for (int line = 0; line < 6; ++line) {
        const auto& l = Lines[line];
        const auto& table = values[op(l.operators[0])][op(l.operators[1])];
        for (int a = 1; a <= 9; ++a)
            for (int b = 1; b <= 9; ++b)
                for (int c = 1; c <= 9; ++c)
                    if (table[a][b][c] == r[l.result])
                        triples_[line].push_back({{static_cast<std::int8_t>(a), static_cast<std::int8_t>(b),
                                                   static_cast<std::int8_t>(c)}});
    }
    consistent_ = true;
}

LineSupport Supports(const Tables& tables, const Domains& domains) {
    LineSupport s{};
    for (int line = 0; line < 6; ++line) {
        const auto& cells = Lines[line].cells;
        const Mask d0 = domains[cells[0]], d1 = domains[cells[1]], d2 = domains[cells[2]];
        for (const Triple& t : tables.triples(line))
            if ((d0 & Bit(t.v[0])) && (d1 & Bit(t.v[1])) && (d2 & Bit(t.v[2]))) {
                s[line][0] |= Bit(t.v[0]);
                s[line][1] |= Bit(t.v[1]);
                s[line][2] |= Bit(t.v[2]);
            }
    }
    return s;
}

namespace {
Domains Crossed(const LineSupport& s) {
    Domains d{};
    for (int p = 0; p < 9; ++p) {
        const int row = RowLineOf(p), column = ColumnLineOf(p);
        d[p] = s[row][PlaceIn(row, p)] & s[column][PlaceIn(column, p)];
    }
    return d;
}
}  // namespace

Rounds Analyse(const Tables& tables, const Numbers& known) {
    Rounds r;
    for (int p = 0; p < 9; ++p) r.d0[p] = IsDigit(known[p]) ? Bit(known[p]) : AllDigits;
    r.s0 = Supports(tables, r.d0);
    r.d1 = Crossed(r.s0);
    r.s1 = Supports(tables, r.d1);
    r.d2 = Crossed(r.s1);
    return r;
}

int CountFits(const Tables& tables, const Numbers& given, int limit, Numbers* first) {
    if (!tables.consistent() || limit <= 0) return 0;
    const auto allowed = [&](int p) { return IsDigit(given[p]) ? Bit(given[p]) : AllDigits; };
    // Rows as triples that agree with the givens; columns as, for the top two
    // numbers, the bottom numbers that complete them.
    std::array<std::vector<Triple>, 3> rows;
    for (int i = 0; i < 3; ++i)
        for (const Triple& t : tables.triples(i))
            if ((allowed(3 * i) & Bit(t.v[0])) && (allowed(3 * i + 1) & Bit(t.v[1])) && (allowed(3 * i + 2) & Bit(t.v[2])))
                rows[i].push_back(t);
    std::array<std::array<std::array<Mask, 10>, 10>, 3> bottoms{};
    std::array<std::array<Mask, 10>, 3> middles{};
    for (int j = 0; j < 3; ++j)
        for (const Triple& t : tables.triples(3 + j))
            if ((allowed(j) & Bit(t.v[0])) && (allowed(3 + j) & Bit(t.v[1])) && (allowed(6 + j) & Bit(t.v[2]))) {
                bottoms[j][t.v[0]][t.v[1]] |= Bit(t.v[2]);
                middles[j][t.v[0]] |= Bit(t.v[1]);
            }
    int count = 0;
    for (const Triple& top : rows[0]) {
        if (!middles[0][top.v[0]] || !middles[1][top.v[1]] || !middles[2][top.v[2]]) continue;
        for (const Triple& mid : rows[1]) {
            const Mask m0 = bottoms[0][top.v[0]][mid.v[0]], m1 = bottoms[1][top.v[1]][mid.v[1]],
                       m2 = bottoms[2][top.v[2]][mid.v[2]];
            if (!m0 || !m1 || !m2) continue;
            for (const Triple& low : rows[2]) {
                if (!(m0 & Bit(low.v[0])) || !(m1 & Bit(low.v[1])) || !(m2 & Bit(low.v[2]))) continue;
                if (count == 0 && first)
                    for (int k = 0; k < 3; ++k) (*first)[k] = top.v[k], (*first)[3 + k] = mid.v[k], (*first)[6 + k] = low.v[k];
                if (++count >= limit) return count;
            }
        }
    }
    return count;
}

}  // namespace quorvex::challenge::detail

namespace quorvex::challenge {

const char* LevelName(Level level) {
    switch (level) {
        case Level::Easy: return "Easy";
        case Level::Medium: return "Medium";
        case Level::Hard: return "Hard";
        case Level::Unrated: break;
    }
    return "Unrated";
}

const char* KindName(PuzzleKind kind) {
    switch (kind) {
        case PuzzleKind::Easy: return "easy";
        case PuzzleKind::Medium: return "medium";
        case PuzzleKind::Hard: return "hard";
        case PuzzleKind::Classic: break;
    }
    return "classic";
}

std::optional<PuzzleKind> KindNamed(std::string_view name) {
    for (PuzzleKind kind : {PuzzleKind::Classic, PuzzleKind::Easy, PuzzleKind::Medium, PuzzleKind::Hard})
        if (name == KindName(kind)) return kind;
    return std::nullopt;
}

Level LevelOf(PuzzleKind kind) {
    return kind == PuzzleKind::Classic ? Level::Unrated : static_cast<Level>(static_cast<int>(kind));
}

PuzzleKind KindOf(Level level) {
    return level == Level::Unrated ? PuzzleKind::Hard : static_cast<PuzzleKind>(static_cast<int>(level));
}

FitCount CountFits(const Givens& givens, int limit) {
    FitCount fit;
    for (auto n : givens.board.numbers)
        if (n < 0 || n > 9) return fit;
    fit.count = detail::CountFits(detail::Tables(givens), givens.board.numbers, limit, &fit.first);
    return fit;
}

bool IsComplete(const Givens& board) {
    for (auto n : board.board.numbers)
        if (n < 1 || n > 9) return false;
    return CountFits(board, 1).count == 1;
}

std::string CellName(int position) {
    return "row " + std::to_string(2 * (position / 3) + 1) + ", column " + std::to_string(2 * (position % 3) + 1);
}

}  // namespace quorvex::challenge
