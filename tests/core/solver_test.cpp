// The complete solver against a plain enumeration of every complete board,
// on corner sets and player boards drawn from a printed seed (QUORVEX_SEED
// replays a run).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "CoreHelpers.h"
#include "solving/Solver.h"

namespace quorvex::testing {
namespace {

constexpr char Ops[] = "+-*";

// A board as cells 1..49, '.' for an empty cell, only the 24 cells a player sets.
std::string Cells(const BoardValues& b) {
    std::string s(49, '.');
    for (int k = 1; k < 9; ++k)
        if (b.numbers[k]) s[SolverNumberCells[k] - 1] = static_cast<char>('0' + b.numbers[k]);
    for (int k = 0; k < 16; ++k)
        if (b.operators[k]) s[SolverOperatorCells[k] - 1] = b.operators[k];
    return s;
}
BoardValues Values(const std::string& s) {
    BoardValues b;
    for (int k = 1; k < 9; ++k) {
        const char c = s[SolverNumberCells[k] - 1];
        b.numbers[k] = static_cast<std::int8_t>(c == '.' ? 0 : c - '0');
    }
    for (int k = 0; k < 16; ++k) b.operators[k] = s[SolverOperatorCells[k] - 1] == '.' ? 0 : s[SolverOperatorCells[k] - 1];
    return b;
}

int Eval(int a, char op1, int b, char op2, int c) {
    const int v = EvalEquation(static_cast<std::int16_t>(a), static_cast<std::int16_t>(b), static_cast<std::int16_t>(c),
                               std::string(1, op1), std::string(1, op2));
    return v >= 1 && v <= 9 ? v : 0;
}

// Every line of a full board gives a digit, and the four corners come out.
bool Meets(const Corners& g, const std::string& s) {
    const auto at = [&](int i) { return s[i - 1]; };
    const auto num = [&](int i) { return i == 1 ? g[0] : at(i) - '0'; };
    const auto row = [&](int f) { return Eval(num(f), at(f + 1), num(f + 2), at(f + 3), num(f + 4)); };
    const auto column = [&](int c) { return Eval(num(c), at(c + 7), num(c + 14), at(c + 21), num(c + 28)); };
    const int r[3] = {row(1), row(15), row(29)}, c[3] = {column(1), column(3), column(5)};
    for (int v : {r[1], r[2], c[1], c[2]})
        if (v == 0) return false;
    return r[0] == g[1] && c[0] == g[2] && Eval(g[1], at(14), r[1], at(28), r[2]) == g[3] &&
           Eval(g[2], at(44), c[1], at(46), c[2]) == g[3];
}

// Every complete board for the corners, each scored against each player
// board. Numbers are enumerated in reading order, so among boards that keep
// equally many cells the first numbers seen are the smallest; operator
// choices for those numbers are compared cell by cell in reading order.
std::vector<std::string> BruteForce(const Corners& g, const std::vector<std::string>& players) {
    static int value[10][10][10][9];  // 0 when not a digit
    for (int a = 1; a <= 9; ++a)
        for (int b = 1; b <= 9; ++b)
            for (int c = 1; c <= 9; ++c)
                for (int p = 0; p < 9; ++p) value[a][b][c][p] = Eval(a, Ops[p / 3], b, Ops[p % 3], c);
    struct Pick { int pair, result; };
    struct Picks {
        Pick at[9];
        int size = 0;
        const Pick* begin() const { return at; }
        const Pick* end() const { return at + size; }
    };
    // The pairs that make a line give `want`, or any digit when want is 0.
    const auto picks = [&](int a, int b, int c, int want) {
        Picks list;
        for (int p = 0; p < 9; ++p)
            if (value[a][b][c][p] && (want == 0 || value[a][b][c][p] == want)) list.at[list.size++] = {p, value[a][b][c][p]};
        return list;
    };
    const std::size_t n = players.size();
    std::vector<int> best(n, -1);
    std::vector<long> bestGrid(n, -1);
    std::vector<std::string> answer(n);
    const auto rank = [](const std::string& t) {
        std::string r;
        for (char c : t) r += c == '+' ? 'a' : c == '-' ? 'b' : c == '*' ? 'c' : c;
        return r;
    };
    const int free[8] = {3, 5, 15, 17, 19, 29, 31, 33};
    // The operator cells of rows 1, column 1, rows 2 and 3, the result
    // column, columns 2 and 3, the result row.
    static constexpr int OpCells[8][2] = {{2, 4}, {8, 22}, {16, 18}, {30, 32}, {14, 28}, {10, 24}, {12, 26}, {44, 46}};
    // keptBy[k][j][p]: player k's operator cells that pair p keeps on line j.
    std::vector<std::array<std::array<int, 9>, 8>> keptBy(n);
    for (std::size_t k = 0; k < n; ++k)
        for (int j = 0; j < 8; ++j)
            for (int p = 0; p < 9; ++p)
                keptBy[k][j][p] =
                    (players[k][OpCells[j][0] - 1] == Ops[p / 3]) + (players[k][OpCells[j][1] - 1] == Ops[p % 3]);
    int d[50] = {};
    long grid = 0;
    const auto score = [&](const Picks& L0, const Picks& K0, const Picks& L1, const Picks& L2, const Picks& K1,
                           const Picks& K2) {
        ++grid;
        for (std::size_t k = 0; k < n; ++k) {
            const auto& kept = keptBy[k];
            int numbers = 0;
            for (int i : free) numbers += players[k][i - 1] == '0' + d[i];
            // No board of this grid keeps more than every line's best pair would.
            const auto most = [&](int j, const Picks& list) {
                int m = 0;
                for (Pick p : list) m = std::max(m, kept[j][p.pair]);
                return m;
            };
            const int bound = numbers + most(0, L0) + most(1, K0) + most(2, L1) + most(3, L2) +
                              *std::max_element(kept[4].begin(), kept[4].end()) + most(5, K1) + most(6, K2) +
                              *std::max_element(kept[7].begin(), kept[7].end());
            if (bound < best[k] || (bound == best[k] && grid != bestGrid[k])) continue;
            for (Pick p0 : L0)
                for (Pick q0 : K0)
                    for (Pick p1 : L1)
                        for (Pick p2 : L2)
                            for (int a = 0; a < 9; ++a) {
                                if (value[g[1]][p1.result][p2.result][a] != g[3]) continue;
                                const int rows = numbers + kept[0][p0.pair] + kept[1][q0.pair] + kept[2][p1.pair] +
                                                 kept[3][p2.pair] + kept[4][a];
                                for (Pick q1 : K1)
                                    for (Pick q2 : K2)
                                        for (int b = 0; b < 9; ++b) {
                                            if (value[g[2]][q1.result][q2.result][b] != g[3]) continue;
                                            const int s = rows + kept[5][q1.pair] + kept[6][q2.pair] + kept[7][b];
                                            if (s < best[k] || (s == best[k] && grid != bestGrid[k])) continue;
                                            const int pairs[8] = {p0.pair, q0.pair, p1.pair, p2.pair,
                                                                  a,       q1.pair, q2.pair, b};
                                            std::string board(49, '.');
                                            for (int i : free) board[i - 1] = static_cast<char>('0' + d[i]);
                                            for (int j = 0; j < 8; ++j) {
                                                board[OpCells[j][0] - 1] = Ops[pairs[j] / 3];
                                                board[OpCells[j][1] - 1] = Ops[pairs[j] % 3];
                                            }
                                            if (s == best[k] && rank(board) >= rank(answer[k])) continue;
                                            best[k] = s, bestGrid[k] = grid, answer[k] = board;
                                        }
                            }
        }
    };
    for (d[3] = 1; d[3] <= 9; ++d[3])
        for (d[5] = 1; d[5] <= 9; ++d[5]) {
            const Picks L0 = picks(g[0], d[3], d[5], g[1]);
            if (L0.size == 0) continue;
            for (d[15] = 1; d[15] <= 9; ++d[15])
                for (d[17] = 1; d[17] <= 9; ++d[17])
                    for (d[19] = 1; d[19] <= 9; ++d[19]) {
                        const Picks L1 = picks(d[15], d[17], d[19], 0);
                        if (L1.size == 0) continue;
                        for (d[29] = 1; d[29] <= 9; ++d[29]) {
                            const Picks K0 = picks(g[0], d[15], d[29], g[2]);
                            if (K0.size == 0) continue;
                            for (d[31] = 1; d[31] <= 9; ++d[31])
                                for (d[33] = 1; d[33] <= 9; ++d[33])
                                    score(L0, K0, L1, picks(d[29], d[31], d[33], 0), picks(d[3], d[17], d[31], 0),
                                          picks(d[5], d[19], d[33], 0));
                        }
                    }
        }
    return answer;
}

bool IsNumberCell(int cell) {
    for (int i : SolverNumberCells)
        if (i == cell) return true;
    return false;
}

int Kept(const std::string& player, const std::string& board) {
    int kept = 0;
    for (int i = 1; i < 49; ++i) kept += player[i] != '.' && player[i] == board[i];
    return kept;
}

TEST(Solver, KeepsTheMostCellsAndBreaksTiesAsAPlainEnumerationDoes) {
    const unsigned seed = TestSeed();
    SCOPED_TRACE(::testing::Message() << "QUORVEX_SEED=" << seed);
    std::mt19937 rng(seed);
    const auto digit = [&] { return static_cast<char>('1' + rng() % 9); };
    const auto op = [&] { return Ops[rng() % 3]; };
    // The generator's hardest corners, then two drawn at random.
    std::vector<Corners> corners = {{7, 8, 7, 1}};
    for (int n = 0; n < 2; ++n)
        corners.push_back({static_cast<int>(rng() % 9 + 1), static_cast<int>(rng() % 9 + 1),
                           static_cast<int>(rng() % 9 + 1), static_cast<int>(rng() % 9 + 1)});
    const std::string empty(49, '.');
    for (const Corners& g : corners) {
        SCOPED_TRACE(::testing::Message() << "corners " << g[0] << g[1] << g[2] << g[3]);
        // Every cell drawn at random (almost never consistent), half of
        // them, and a complete board with two cells changed and three emptied.
        std::string garbage = empty, half = empty;
        for (int i : SolverNumberCells) garbage[i - 1] = digit(), half[i - 1] = rng() % 2 ? digit() : '.';
        for (int i : SolverOperatorCells) garbage[i - 1] = op(), half[i - 1] = rng() % 2 ? op() : '.';
        garbage[0] = half[0] = '.';
        const auto some = CompleteBoard(g, Values(garbage));
        ASSERT_TRUE(some);
        std::string near = Cells(some->board);
        for (int n = 0; n < 5; ++n) {
            const int cell = rng() % 2 ? SolverNumberCells[1 + rng() % 8] : SolverOperatorCells[rng() % 16];
            near[cell - 1] = n >= 2 ? '.' : IsNumberCell(cell) ? digit() : op();
        }
        const std::vector<std::string> players = {empty, garbage, half, near};
        const auto want = BruteForce(g, players);
        for (std::size_t k = 0; k < players.size(); ++k) {
            SCOPED_TRACE("player " + players[k]);
            const auto got = CompleteBoard(g, Values(players[k]));
            ASSERT_TRUE(got);
            EXPECT_EQ(got->board.numbers[0], g[0]);
            EXPECT_EQ(Cells(got->board), want[k]);
            EXPECT_EQ(got->kept, Kept(players[k], want[k]));
        }
    }
}

TEST(Solver, EveryFourDigitsHaveABoardAndOtherCornersNone) {
    int met = 0;
    for (int code = 0; code < 6561; ++code) {
        const Corners g = {code / 729 + 1, code / 81 % 9 + 1, code / 9 % 9 + 1, code % 9 + 1};
        const auto got = CompleteBoard(g, {});
        met += got && Meets(g, Cells(got->board)) && got->kept == 0;
    }
    EXPECT_EQ(met, 6561);
    for (const Corners& g : {Corners{0, 1, 1, 1}, Corners{1, 10, 1, 1}, Corners{1, 1, -1, 1}, Corners{1, 1, 1, 0}})
        EXPECT_FALSE(CompleteBoard(g, {}));
}

}  // namespace
}  // namespace quorvex::testing
