// Dynamic programming over line tables. The board splits at its lower-right
// block of four numbers: given those, the rows (with the first column and the
// result column) and the columns (with the first row and the result row)
// share nothing, so each side is maximised on its own, a table per block, and
// the two tables are added. No board makes it do much more work than
// another, which keeps a hint instant however the player's cells are set.
#include "solving/Solver.h"

#include <algorithm>
#include <memory>
#include <string_view>

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
                                               static_cast<std::int16_t>(c), std::string_view(&OpChar[p / 3], 1),
                                               std::string_view(&OpChar[p % 3], 1));
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

// Worth is counted in cells kept, in a byte so that a row of a table is a
// few vector registers. A line or combination that cannot be met is worth
// Out. Only worths of 0 or more are ever added into a table, so none drops
// below Out, and Out plus all the cells a board has is still negative:
// "negative" means "cannot be met" after any sum.
constexpr int Out = -40;
constexpr int Cells = 24;
static_assert(Out + Cells < 0 && 2 * Out >= -128, "two tables' worths must add up in a signed byte");

using Worth = std::int8_t;

// Digits 1..9 stored at 0..8, and two of them as one index 0..80.
constexpr int D = 9;
constexpr int DD = D * D;
constexpr int Two(int a, int b) { return D * (a - 1) + (b - 1); }
// Rows of st padded to a multiple of the vector width; the padding is Out.
constexpr int Row = 96;
constexpr int Bit(int d) { return 1 << (d - 1); }
constexpr int All = (1 << D) - 1;

// The operator cells of each line, as indices into BoardValues::operators.
constexpr int RowOps[3][2] = {{0, 1}, {6, 7}, {12, 13}};
constexpr int ColumnOps[3][2] = {{2, 8}, {3, 9}, {4, 10}};
constexpr int ResultColumnOps[2] = {5, 11};  // cells 14, 28
constexpr int ResultRowOps[2] = {14, 15};    // cells 44, 46

// One side of the board, the rows or the columns. Its corner line runs
// through the top-left given and x, y; its first line through x, u, v; its
// second through y, s, t; its result line through the side's target and the
// two lines' results. For the rows x, y are numbers 3 and 6, (u, v) numbers
// 4, 5 and (s, t) numbers 7, 8; for the columns x, y are numbers 1 and 2,
// (u, v) numbers 4, 7 and (s, t) numbers 5, 8.
struct Side {
    Worth corner[D][D];       // [x][y]: the corner line and the player's x and y
    Worth first[D][DD][D];    // [x][uv][r]: the first line giving r
    Worth second[D][D][Row];  // [y][r][st]: the second line giving r
    Worth result[D][D];       // [r1][r2]: the result line
};

// [uv][st]: the most a side keeps once u, v, s, t are those, for some choice
// of x and y.
using Block = Worth[DD][Row];

// to = max(to, w + from) along a row: the one inner loop of the search.
// The rows never overlap; saying so lets the compiler vectorise it.
void MaxPlus(Worth* __restrict to, const Worth* __restrict from, int w) {
    for (int st = 0; st < Row; ++st) to[st] = std::max(to[st], static_cast<Worth>(w + from[st]));
}

class Search {
public:
    Search(const Corners& corners, const BoardValues& player) : t_(GetTables()), g_(corners) {
        num_[0] = g_[0];
        for (int k = 1; k < 9; ++k) mine_[k] = player.numbers[k] >= 1 && player.numbers[k] <= 9 ? player.numbers[k] : 0;
        const auto& ops = player.operators;
        for (int i = 0; i < 3; ++i) {
            rowPattern_[i] = Pattern(ops[RowOps[i][0]], ops[RowOps[i][1]]);
            columnPattern_[i] = Pattern(ops[ColumnOps[i][0]], ops[ColumnOps[i][1]]);
        }
        resultColumnPattern_ = Pattern(ops[ResultColumnOps[0]], ops[ResultColumnOps[1]]);
        resultRowPattern_ = Pattern(ops[ResultRowOps[0]], ops[ResultRowOps[1]]);

        // Rows: corner line column 1 (top-left, 3, 6), lines rows 2 and 3.
        // They count the player's numbers 3 to 8, the columns numbers 1 and 2.
        Fill(rows_, columnPattern_[0], g_[2], {3, 6, 4, 5, 7, 8}, rowPattern_[1], rowPattern_[2],
             resultColumnPattern_, g_[1]);
        // Columns: corner line row 1 (top-left, 1, 2), lines columns 2 and 3.
        Fill(columns_, rowPattern_[0], g_[1], {1, 2, 0, 0, 0, 0}, columnPattern_[1], columnPattern_[2],
             resultRowPattern_, g_[2]);
    }

    std::optional<Completion> Run() {
        ByDigit(rows_, 0, rowBy_);
        ByDigit(columns_, 0, columnBy_);
        Copy(rowBest_, rowBy_[0]);
        Copy(columnBest_, columnBy_[0]);
        for (int x = 1; x < D; ++x) {
            Merge(rowBest_, rowBy_[x]);
            Merge(columnBest_, columnBy_[x]);
        }
        most_ = Most();
        if (most_ < 0) return std::nullopt;

        // The smallest numbers in reading order among the boards that keep
        // the most: each number in turn takes the smallest digit that still
        // lets a board keep that much. The tables of the two sides then stand
        // for the numbers chosen so far.
        num_[1] = Smallest(columnBy_, false);
        Copy(columnBest_, columnBy_[num_[1] - 1]);
        ByDigit(columns_, num_[1], columnBy_);
        num_[2] = Smallest(columnBy_, false);
        Copy(columnBest_, columnBy_[num_[2] - 1]);
        num_[3] = Smallest(rowBy_, true);
        Copy(rowBest_, rowBy_[num_[3] - 1]);
        // Number 6 comes after 4 and 5 in reading order: a table for each
        // digit of it, then the block and number 6 together.
        ByDigit(rows_, num_[3], rowBy_);
        [&] {
            for (int n4 = 1; n4 < Digits; ++n4)
                for (int n5 = 1; n5 < Digits; ++n5)
                    for (int n6 = 1; n6 < Digits; ++n6)
                        for (int n7 = 1; n7 < Digits; ++n7)
                            for (int n8 = 1; n8 < Digits; ++n8)
                                if (rowBy_[n6 - 1][Two(n4, n5)][Two(n7, n8)] + columnBest_[Two(n4, n7)][Two(n5, n8)] ==
                                    most_) {
                                    num_[4] = n4, num_[5] = n5, num_[6] = n6, num_[7] = n7, num_[8] = n8;
                                    return;
                                }
        }();

        Completion done;
        done.kept = most_;
        done.work = work_;
        done.board.numbers[0] = static_cast<std::int8_t>(g_[0]);
        for (int k = 1; k < 9; ++k) done.board.numbers[k] = static_cast<std::int8_t>(num_[k]);
        ChooseOperators(done.board.operators);
        return done;
    }

private:
    int Mine(int k, int d) const { return k != 0 && mine_[k] == d; }

    // The most operator cells of a line (a, b, c) giving r, Out when none does.
    int LineWorth(int pattern, int a, int b, int c, int r) const {
        const int ops = t_.most[pattern][t_.reach[Key(a, b, c)][r]];
        return ops == None ? Out : ops;
    }

    // counted: the numbers x, y, u, v, s, t whose matches with the
    // player's own the side counts (0 for none).
    void Fill(Side& side, int cornerPattern, int cornerTarget, std::array<int, 6> counted, int firstPattern,
              int secondPattern, int resultPattern, int resultFirst) const {
        const auto [x, y, u, v, s, t] = counted;
        for (int a = 1; a < Digits; ++a)
            for (int b = 1; b < Digits; ++b) {
                const int line = LineWorth(cornerPattern, g_[0], a, b, cornerTarget);
                side.corner[a - 1][b - 1] = static_cast<Worth>(line + Mine(x, a) + Mine(y, b));
                side.result[a - 1][b - 1] = static_cast<Worth>(LineWorth(resultPattern, resultFirst, a, b, g_[3]));
            }
        for (auto& rows : side.second)
            for (auto& row : rows) std::fill(row, row + Row, static_cast<Worth>(Out));
        const auto& mostFirst = t_.most[firstPattern];
        const auto& mostSecond = t_.most[secondPattern];
        const auto worth = [](int ops) { return ops == None ? Out : ops; };
        for (int a = 1; a < Digits; ++a)
            for (int b = 1; b < Digits; ++b)
                for (int c = 1; c < Digits; ++c) {
                    const auto& reach = t_.reach[Key(a, b, c)];
                    const int firstMine = Mine(u, b) + Mine(v, c), secondMine = Mine(s, b) + Mine(t, c);
                    for (int r = 1; r < Digits; ++r) {
                        side.first[a - 1][Two(b, c)][r - 1] = static_cast<Worth>(worth(mostFirst[reach[r]]) + firstMine);
                        side.second[a - 1][r - 1][Two(b, c)] =
                            static_cast<Worth>(worth(mostSecond[reach[r]]) + secondMine);
                    }
                }
    }

    // out[uv][st] = the most over y in ys, r1, r2 of
    //   corner[x][y] + first[x][uv][r1] + second[y][st][r2] + result[r1][r2],
    // taken one variable at a time: y, then r2, then r1.
    void Best(const Side& side, int x, int ys, Block& out) {
        // Most (x, y) miss the corner line and most lines reach only a few
        // results: skipping those is most of the speed. The inner loops run
        // along whole rows of st so that they vectorise. Only worths of 0 or
        // more are ever added, so no sum drops below Out.
        Worth withY[D][Row];  // [r2][st]: the corner and second lines
        for (auto& row : withY) std::fill(row, row + Row, static_cast<Worth>(Out));
        for (int y = 0; y < D; ++y) {
            const int c = side.corner[x - 1][y];
            if (!(ys >> y & 1) || c < 0) continue;
            for (int r2 = 0; r2 < D; ++r2) MaxPlus(withY[r2], side.second[y][r2], c);
        }
        Worth withR[D][Row];  // [r1][st]: and the result line
        bool open[D] = {};    // [r1]: some st is not Out
        for (int r1 = 0; r1 < D; ++r1) {
            std::fill(withR[r1], withR[r1] + Row, static_cast<Worth>(Out));
            for (int r2 = 0; r2 < D; ++r2)
                if (const int w = side.result[r1][r2]; w >= 0) MaxPlus(withR[r1], withY[r2], w);
            Worth top = Out;
            for (int st = 0; st < Row; ++st) top = std::max(top, withR[r1][st]);
            open[r1] = top >= 0;
        }
        for (int uv = 0; uv < DD; ++uv) {
            Worth* row = out[uv];
            std::fill(row, row + Row, static_cast<Worth>(Out));
            for (int r1 = 0; r1 < D; ++r1) {
                const int w = side.first[x - 1][uv][r1];
                if (w < 0 || !open[r1]) continue;
                ++work_;
                MaxPlus(row, withR[r1], w);
            }
        }
    }

    // A table for each digit of a side's x (x == 0), or of its y once x is known.
    void ByDigit(const Side& side, int x, Block (&out)[D]) {
        for (int d = 1; d < Digits; ++d) {
            if (x == 0) Best(side, d, All, out[d - 1]);
            else Best(side, x, Bit(d), out[d - 1]);
        }
    }
    static void Merge(Block& to, const Block& from) {
        for (int uv = 0; uv < DD; ++uv) MaxPlus(to[uv], from[uv], 0);
    }
    static void Copy(Block& to, const Block& from) { std::copy(&from[0][0], &from[0][0] + DD * Row, &to[0][0]); }

    // f(rows, columns) for each block (n4, n5, n7, n8), with the cells of the
    // rows' and the columns' tables for it: rows[n4 n5][n7 n8] and
    // columns[n4 n7][n5 n8].
    template <class F>
    void EachBlock(F f) const {
        for (int n4 = 0; n4 < D; ++n4)
            for (int n5 = 0; n5 < D; ++n5)
                for (int n7 = 0; n7 < D; ++n7) {
                    const int rows = D * n4 + n5, rowAt = D * n7;
                    const int columns = D * n4 + n7, columnAt = D * n5;
                    for (int n8 = 0; n8 < D; ++n8) f(rows, rowAt + n8, columns, columnAt + n8);
                }
    }

    // The most the whole board keeps.
    int Most() const {
        int most = Out;
        EachBlock([&](int r, int ra, int c, int ca) { most = std::max(most, rowBest_[r][ra] + columnBest_[c][ca]); });
        return most;
    }

    // The smallest digit whose table (one for each digit, of the rows or of
    // the columns) still lets a board keep the most. Only the blocks on a best
    // board of the tables as they stand can be on one.
    int Smallest(const Block (&by)[D], bool rows) const {
        int smallest = D;
        EachBlock([&](int r, int ra, int c, int ca) {
            if (rowBest_[r][ra] + columnBest_[c][ca] != most_) return;
            for (int d = 0; d < smallest; ++d)
                if ((rows ? by[d][r][ra] + columnBest_[c][ca] : rowBest_[r][ra] + by[d][c][ca]) == most_) {
                    smallest = d;
                    break;
                }
        });
        return smallest + 1;
    }

    int RowKey(int i) const { return Key(num_[3 * i], num_[3 * i + 1], num_[3 * i + 2]); }
    int ColumnKey(int j) const { return Key(num_[j], num_[3 + j], num_[6 + j]); }

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
    std::array<int, 9> mine_{};  // the player's numbers, 0 for empty; mine_[0] is never counted
    std::array<int, 9> num_{};   // the chosen numbers
    int rowPattern_[3] = {}, columnPattern_[3] = {};
    int resultColumnPattern_ = 0, resultRowPattern_ = 0;
    Side rows_{}, columns_{};
    Block rowBest_{}, columnBest_{};     // for every x and y, then for the numbers chosen
    Block rowBy_[D] = {}, columnBy_[D] = {};  // for each digit of a side's x or y
    int most_ = Out;                          // the most cells a board keeps
    int work_ = 0;
};

}  // namespace

std::optional<Completion> CompleteBoard(const Corners& corners, const BoardValues& player) {
    for (int g : corners)
        if (g < 1 || g > 9) return std::nullopt;
    // Its tables are too big for a small thread's stack.
    return std::make_unique<Search>(corners, player)->Run();
}

}  // namespace quorvex
