// Branch and bound over the eight free numbers. Once the numbers are known the
// operators of each line follow from tables, so only numbers are branched on.
#include "solving/Solver.h"

#include <algorithm>
#include <string>
#include <vector>

#include "board/Arithmetic.h"

namespace quorvex {

namespace {

constexpr int None = -1;  // nothing reaches it
constexpr int Digits = 10;
constexpr int Pairs = 9;
constexpr int PairSets = 1 << Pairs;
constexpr int Patterns = 16;

// Operators inside the solver are 0 '+', 1 '-', 2 '*', and a line's pair is
// 3 * first + second, so that pair order is the tie-break's order.
constexpr char OpChar[3] = {'+', '-', '*'};

// The player's operator as 1..3 in the same order, 0 when the cell is empty.
int PlayerOp(char c) {
    switch (c) {
        case '+': return 1;
        case '-': return 2;
        case '*': return 3;
        default: return 0;
    }
}
// What the player has on a line's two operator cells, as one of 16 patterns.
int Pattern(char first, char second) { return 4 * PlayerOp(first) + PlayerOp(second); }
// Operator cells of the line that pair p keeps.
int Kept(int pattern, int p) { return (pattern / 4 == 1 + p / 3) + (pattern % 4 == 1 + p % 3); }

// A line's operands as 100a + 10b + c; 0 stands for an operand not chosen yet.
// Lines are filled first to last, so an open operand is never followed by a chosen one.
constexpr int Key(int a, int b, int c) { return 100 * a + 10 * b + c; }

struct Tables {
    // value[key][p]: the line's result when it is a digit 1..9, else 0.
    std::array<std::array<std::int8_t, Pairs>, 1000> value{};
    // reach[key][r]: the set of pairs that give r.
    std::array<std::array<std::uint16_t, Digits>, 1000> reach{};
    // most[pattern][set]: the most operator cells a pair of the set keeps,
    // None for the empty set.
    std::array<std::array<std::int8_t, PairSets>, Patterns> most{};
};

Tables BuildTables() {
    Tables t;
    // The game's own arithmetic, so that the solver and the board cannot disagree.
    for (int a = 1; a < Digits; ++a)
        for (int b = 1; b < Digits; ++b)
            for (int c = 1; c < Digits; ++c)
                for (int p = 0; p < Pairs; ++p) {
                    const int v = EvalEquation(static_cast<std::int16_t>(a), static_cast<std::int16_t>(b),
                                               static_cast<std::int16_t>(c), std::string(1, OpChar[p / 3]),
                                               std::string(1, OpChar[p % 3]));
                    if (v < 1 || v > 9) continue;
                    t.value[Key(a, b, c)][p] = static_cast<std::int8_t>(v);
                    t.reach[Key(a, b, c)][v] |= static_cast<std::uint16_t>(1u << p);
                }
    for (int pattern = 0; pattern < Patterns; ++pattern)
        for (int set = 0; set < PairSets; ++set) {
            int best = None;
            for (int p = 0; p < Pairs; ++p)
                if (set >> p & 1) best = std::max(best, Kept(pattern, p));
            t.most[pattern][set] = static_cast<std::int8_t>(best);
        }
    return t;
}

const Tables& GetTables() {
    static const Tables tables = BuildTables();
    return tables;
}

// A line result that cannot be had, in the worth tables below: so far below
// any real worth that every sum containing it stays negative, which spares
// the inner loops a test.
constexpr int Out = -64;

// For the result row or column: twice the most operator cells kept for each
// pair of middle and last operands (r1, r2), Out when no pair gives corner 49.
using ResultGrid = std::array<std::array<std::int8_t, Digits>, Digits>;

// The operator cells of each line, as indices into BoardValues::operators.
constexpr int RowOps[3][2] = {{0, 1}, {6, 7}, {12, 13}};
constexpr int ColumnOps[3][2] = {{2, 8}, {3, 9}, {4, 10}};
constexpr int ResultColumnOps[2] = {5, 11};  // cells 14, 28
constexpr int ResultRowOps[2] = {14, 15};    // cells 44, 46

class Search {
public:
    Search(const Corners& corners, const BoardValues& player) : t_(GetTables()), g_(corners), best_(None) {
        num_[0] = g_[0];
        std::array<int, 9> mine{};  // the top-left cell is the given, never counted as kept
        for (int k = 1; k < 9; ++k) mine[k] = player.numbers[k] >= 1 && player.numbers[k] <= 9 ? player.numbers[k] : 0;
        player_ = mine;
        const auto& ops = player.operators;
        for (int i = 0; i < 3; ++i) {
            rowPattern_[i] = Pattern(ops[RowOps[i][0]], ops[RowOps[i][1]]);
            columnPattern_[i] = Pattern(ops[ColumnOps[i][0]], ops[ColumnOps[i][1]]);
            BuildLine(line_[i], rowPattern_[i], {mine[3 * i], mine[3 * i + 1], mine[3 * i + 2]});
            BuildLine(line_[3 + i], columnPattern_[i], {mine[i], mine[3 + i], mine[6 + i]});
        }
        resultColumnPattern_ = Pattern(ops[ResultColumnOps[0]], ops[ResultColumnOps[1]]);
        resultRowPattern_ = Pattern(ops[ResultRowOps[0]], ops[ResultRowOps[1]]);
        for (int r1 = 1; r1 < Digits; ++r1)
            for (int r2 = 1; r2 < Digits; ++r2) {
                resultColumn_[r1][r2] = Twice(t_.most[resultColumnPattern_][t_.reach[Key(g_[1], r1, r2)][g_[3]]]);
                resultRow_[r1][r2] = Twice(t_.most[resultRowPattern_][t_.reach[Key(g_[2], r1, r2)][g_[3]]]);
            }
    }

    std::optional<Completion> Run() {
        // First how many cells the best boards keep, then the smallest
        // numbers among them: the first pass can then prune every tie.
        MostKept(1, None);
        if (best_ == None) return std::nullopt;
        SmallestNumbers(1);
        Completion done;
        done.kept = best_;
        done.nodes = nodes_;
        for (int k = 0; k < 9; ++k) done.board.numbers[k] = static_cast<std::int8_t>(num_[k]);
        ChooseOperators(done.board.operators);
        return done;
    }

private:
    // A line's worth, in half cells: each operator cell it keeps counts 2 and
    // each of its numbers kept counts 1 (every free number lies on one row
    // and one column, so the halves add up to whole cells over the board).
    // worth[key][r]: the most a line can be worth with result r, the open
    // operands taking whatever suits it; Out when r is out of reach.
    using LineWorth = std::array<std::array<std::int8_t, Digits>, 1000>;

    static int Twice(int v) { return v == None ? Out : 2 * v; }

    void BuildLine(LineWorth& worth, int pattern, const std::array<int, 3>& mine) const {
        for (auto& row : worth) row.fill(Out);
        for (int a = 1; a < Digits; ++a)
            for (int b = 1; b < Digits; ++b)
                for (int c = 1; c < Digits; ++c) {
                    const int key = Key(a, b, c);
                    const int numbers = (a == mine[0]) + (b == mine[1]) + (c == mine[2]);
                    for (int r = 1; r < Digits; ++r) {
                        const int ops = t_.most[pattern][t_.reach[key][r]];
                        if (ops != None) worth[key][r] = static_cast<std::int8_t>(2 * ops + numbers);
                    }
                }
        // The search fills a line's operands first to last, so only keys
        // whose open operands come last are ever asked for.
        for (int at : {1, 10, 100})
            for (int key = 0; key < 1000; key += 10 * at)
                for (int x = 1; x < Digits; ++x)
                    for (int r = 1; r < Digits; ++r)
                        worth[key][r] = std::max(worth[key][r], worth[key + x * at][r]);
    }

    int RowKey(int i) const { return Key(num_[3 * i], num_[3 * i + 1], num_[3 * i + 2]); }
    int ColumnKey(int j) const { return Key(num_[j], num_[3 + j], num_[6 + j]); }

    // One side of the board: three parallel lines and the result line across
    // them, worth together at most With(key) half cells (negative when some
    // line cannot be met) once the line through the number being chosen has
    // that key. Only that line changes among a node's children, so the other
    // two are summed up once per node.
    class Side {
    public:
        Side(const LineWorth* lines, const int keys[3], int target, const ResultGrid& result, int changing)
            : changing_(lines[changing]), first_(changing == 0), target_(target) {
            if (first_) {
                for (int r1 = 1; r1 < Digits; ++r1)
                    for (int r2 = 1; r2 < Digits; ++r2)
                        base_ = std::max(base_, lines[1][keys[1]][r1] + lines[2][keys[2]][r2] + result[r1][r2]);
                return;
            }
            base_ = lines[0][keys[0]][target];
            const auto& other = lines[3 - changing][keys[3 - changing]];
            for (int r = 1; r < Digits; ++r) {
                rest_[r] = 4 * Out;
                for (int o = 1; o < Digits; ++o)
                    rest_[r] = std::max(rest_[r], other[o] + (changing == 1 ? result[r][o] : result[o][r]));
            }
        }

        int With(int key) const {
            if (first_) return changing_[key][target_] + base_;
            int m = 4 * Out;
            for (int r = 1; r < Digits; ++r) m = std::max(m, changing_[key][r] + rest_[r]);
            return base_ + m;
        }

    private:
        const LineWorth& changing_;
        bool first_;  // the line that must give the corner
        int target_;
        int base_ = 4 * Out;  // the first line, or when it changes, the other two with the result line
        std::array<int, Digits> rest_{};  // by the changing line's result: the other line with the result line
    };

    // The bound of each child of a node whose numbers 1..k-1 are chosen, by
    // its number k: every line at its best at once, so no board below keeps
    // more. None where some line cannot be met.
    std::array<int, Digits> ChildBounds(int k) {
        ++nodes_;
        const int r = k / 3, c = k % 3;
        const int rowKeys[3] = {RowKey(0), RowKey(1), RowKey(2)};
        const int columnKeys[3] = {ColumnKey(0), ColumnKey(1), ColumnKey(2)};
        const Side rows(&line_[0], rowKeys, g_[1], resultColumn_, r);
        const Side columns(&line_[3], columnKeys, g_[2], resultRow_, c);
        std::array<int, Digits> bounds{};
        for (int d = 1; d < Digits; ++d) {
            num_[k] = d;
            const int x = rows.With(RowKey(r)), y = columns.With(ColumnKey(c));
            bounds[d] = x < 0 || y < 0 ? None : (x + y) / 2;
        }
        num_[k] = 0;
        return bounds;
    }

    // Numbers 1..k-1 are chosen and `bound` is this node's bound.
    void MostKept(int k, int bound) {
        if (k == 9) {
            best_ = std::max(best_, bound);  // exact with every number chosen
            return;
        }
        // The most promising number first, and among equals the player's own:
        // a good board early makes the bound bite.
        const auto bounds = ChildBounds(k);
        std::array<std::pair<int, int>, 9> next;
        int n = 0;
        if (player_[k] != 0 && bounds[player_[k]] > best_) next[n++] = {bounds[player_[k]], player_[k]};
        for (int d = 1; d < Digits; ++d)
            if (d != player_[k] && bounds[d] > best_) next[n++] = {bounds[d], d};
        std::stable_sort(next.begin(), next.begin() + n, [](auto x, auto y) { return x.first > y.first; });
        for (int i = 0; i < n && next[i].first > best_; ++i) {
            num_[k] = next[i].second;
            MostKept(k + 1, next[i].first);
        }
        num_[k] = 0;
    }

    // Leaves in num_ the smallest numbers, in reading order, of a board
    // that keeps best_ cells.
    bool SmallestNumbers(int k) {
        if (k == 9) return true;
        const auto bounds = ChildBounds(k);
        for (int d = 1; d < Digits; ++d) {
            if (bounds[d] == None || bounds[d] < best_) continue;
            num_[k] = d;
            if (SmallestNumbers(k + 1)) return true;
        }
        num_[k] = 0;
        return false;
    }

    // The operators for the chosen numbers: the most kept, then the smallest
    // in reading order. The first row, the first column, the rows with the
    // result column, and the other columns with the result row are
    // independent of one another, so each takes its own smallest best.
    void ChooseOperators(std::array<char, 16>& out) const {
        const auto set = [&out](const int cells[2], int p) {
            out[cells[0]] = OpChar[p / 3];
            out[cells[1]] = OpChar[p % 3];
        };
        const auto single = [&](int key, int pattern, int target) {
            const int pairs = t_.reach[key][target];
            for (int p = 0; p < Pairs; ++p)
                if ((pairs >> p & 1) && Kept(pattern, p) == t_.most[pattern][pairs]) return p;
            return 0;  // unreachable: the search only keeps boards that meet every line
        };
        set(RowOps[0], single(RowKey(0), rowPattern_[0], g_[1]));
        set(ColumnOps[0], single(ColumnKey(0), columnPattern_[0], g_[2]));

        // Reading order here: cell 14, cells 16 and 18, cell 28, cells 30 and 32.
        int most = None, pick[3] = {};
        for (int a1 = 0; a1 < 3; ++a1)
            for (int p1 = 0; p1 < Pairs; ++p1)
                for (int a2 = 0; a2 < 3; ++a2)
                    for (int p2 = 0; p2 < Pairs; ++p2) {
                        const int r1 = t_.value[RowKey(1)][p1], r2 = t_.value[RowKey(2)][p2], a = 3 * a1 + a2;
                        if (r1 == 0 || r2 == 0 || t_.value[Key(g_[1], r1, r2)][a] != g_[3]) continue;
                        const int score = Kept(resultColumnPattern_, a) + Kept(rowPattern_[1], p1) + Kept(rowPattern_[2], p2);
                        if (score > most) most = score, pick[0] = a, pick[1] = p1, pick[2] = p2;
                    }
        set(ResultColumnOps, pick[0]);
        set(RowOps[1], pick[1]);
        set(RowOps[2], pick[2]);

        // Reading order here: the first operators of columns 2 and 3 (cells
        // 10, 12), their second operators (24, 26), then cells 44 and 46.
        most = None;
        for (int x1 = 0; x1 < 3; ++x1)
            for (int y1 = 0; y1 < 3; ++y1)
                for (int x2 = 0; x2 < 3; ++x2)
                    for (int y2 = 0; y2 < 3; ++y2)
                        for (int b = 0; b < Pairs; ++b) {
                            const int p1 = 3 * x1 + x2, p2 = 3 * y1 + y2;
                            const int c1 = t_.value[ColumnKey(1)][p1], c2 = t_.value[ColumnKey(2)][p2];
                            if (c1 == 0 || c2 == 0 || t_.value[Key(g_[2], c1, c2)][b] != g_[3]) continue;
                            const int score =
                                Kept(resultRowPattern_, b) + Kept(columnPattern_[1], p1) + Kept(columnPattern_[2], p2);
                            if (score > most) most = score, pick[0] = b, pick[1] = p1, pick[2] = p2;
                        }
        set(ResultRowOps, pick[0]);
        set(ColumnOps[1], pick[1]);
        set(ColumnOps[2], pick[2]);
    }

    const Tables& t_;
    Corners g_;
    std::array<int, 9> player_{};  // the player's numbers, 0 for empty
    std::array<int, 9> num_{};     // the numbers chosen so far, 0 for open
    int rowPattern_[3] = {}, columnPattern_[3] = {};
    int resultColumnPattern_ = 0, resultRowPattern_ = 0;
    std::vector<LineWorth> line_ = std::vector<LineWorth>(6);  // rows 1..3, then columns 1..3
    ResultGrid resultColumn_{}, resultRow_{};                   // in half cells
    int best_;  // the most cells kept by a board found so far
    int nodes_ = 0;
};

}  // namespace

std::optional<Completion> CompleteBoard(const Corners& corners, const BoardValues& player) {
    for (int g : corners)
        if (g < 1 || g > 9) return std::nullopt;
    return Search(corners, player).Run();
}

}  // namespace quorvex
