// The complete solver against a plain enumeration of every complete board,
// on corner sets and player boards drawn from a printed seed (QUORVEX_SEED
// replays a run).
#include <algorithm>
#include <array>
#include <random>

#include "CoreHelpers.h"
#include "solving/Solver.h"

namespace quorvex::testing {
namespace {

constexpr char Ops[] = "+-*";

// Cells 1..49, '.' for an empty cell; only the 24 cells a player sets.
std::string Cells(const BoardValues& b) {
    std::string s(49, '.');
    for (int k = 1; k < 9; ++k)
        if (b.numbers[k]) s[SolverNumberCells[k] - 1] = static_cast<char>('0' + b.numbers[k]);
    for (int k = 0; k < 16; ++k)
        if (b.operators[k]) s[SolverOperatorCells[k] - 1] = b.operators[k];
    return s;
}

// A line's value when it is a digit, else 0.
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
    return r[1] && r[2] && c[1] && c[2] && r[0] == g[1] && c[0] == g[2] &&
           Eval(g[1], at(14), r[1], at(28), r[2]) == g[3] && Eval(g[2], at(44), c[1], at(46), c[2]) == g[3];
}

// Every complete board for the corners, scored against each player board:
// the best board for each and how many cells it keeps. Numbers are
// enumerated in reading order, so among equals the first numbers seen are the
// smallest; operators for those numbers are compared in reading order.
std::vector<std::pair<std::string, int>> BruteForce(const Corners& g, const std::vector<std::string>& players) {
    static int value[10][10][10][9];  // [a][b][c][pair]: 0 when not a digit
    for (int i = 0; i < 6561; ++i)
        value[i / 729 + 1][i / 81 % 9 + 1][i / 9 % 9 + 1][i % 9] = Eval(i / 729 + 1, Ops[i % 9 / 3], i / 81 % 9 + 1,
                                                                         Ops[i % 3], i / 9 % 9 + 1);
    // The pairs that make a line give `want`, or any digit when want is 0.
    using Picks = std::vector<std::pair<int, int>>;  // pair, result
    const auto picks = [&](int a, int b, int c, int want) {
        Picks list;
        for (int p = 0; p < 9; ++p)
            if (value[a][b][c][p] && (!want || value[a][b][c][p] == want)) list.emplace_back(p, value[a][b][c][p]);
        return list;
    };
    // Operator cells of row 1, column 1, rows 3 and 5, the result column,
    // columns 3 and 5, the result row.
    static constexpr int OpCells[8][2] = {{2, 4}, {8, 22}, {16, 18}, {30, 32}, {14, 28}, {10, 24}, {12, 26}, {44, 46}};
    const std::size_t n = players.size();
    std::vector<std::array<std::array<int, 9>, 8>> kept(n);  // [player][line][pair]
    for (std::size_t k = 0; k < n; ++k)
        for (int j = 0; j < 72; ++j)
            kept[k][j / 9][j % 9] = (players[k][OpCells[j / 9][0] - 1] == Ops[j % 9 / 3]) +
                                    (players[k][OpCells[j / 9][1] - 1] == Ops[j % 3]);
    std::vector<std::pair<std::string, int>> best(n, {"", -1});
    const auto rank = [](std::string t) { return std::replace(t.begin(), t.end(), '*', '/'), t; };  // '+' < '-' < '/'
    const int free[8] = {3, 5, 15, 17, 19, 29, 31, 33};
    int d[50] = {};
    const auto score = [&](const Picks& L0, const Picks& K0, const Picks& L1, const Picks& L2, const Picks& K1,
                           const Picks& K2) {
        for (std::size_t k = 0; k < n; ++k) {
            int numbers = 0;
            for (int i : free) numbers += players[k][i - 1] == '0' + d[i];
            const auto most = [&](int j, const Picks& list) {
                int m = 0;
                for (auto [p, r] : list) m = std::max(m, kept[k][j][p]);
                return m;
            };
            const auto any = [&](int j) { return *std::max_element(kept[k][j].begin(), kept[k][j].end()); };
            // No board of this grid keeps more than every line's best pair would, and
            // a later grid has larger numbers, so it must keep more.
            if (numbers + most(0, L0) + most(1, K0) + most(2, L1) + most(3, L2) + any(4) + most(5, K1) + most(6, K2) +
                    any(7) <= best[k].second)
                continue;
            std::pair<std::string, int> here{"", -1};
            for (auto [p0, r0] : L0) for (auto [q0, c0] : K0) for (auto [p1, r1] : L1) for (auto [p2, r2] : L2)
            for (int a = 0; a < 9; ++a) {
                if (value[g[1]][r1][r2][a] != g[3]) continue;
                for (auto [q1, c1] : K1) for (auto [q2, c2] : K2)
                for (int b = 0; b < 9; ++b) {
                    if (value[g[2]][c1][c2][b] != g[3]) continue;
                    const int pairs[8] = {p0, q0, p1, p2, a, q1, q2, b};
                    int s = numbers;
                    for (int j = 0; j < 8; ++j) s += kept[k][j][pairs[j]];
                    if (s < here.second) continue;
                    std::string board(49, '.');
                    for (int i : free) board[i - 1] = static_cast<char>('0' + d[i]);
                    for (int j = 0; j < 16; ++j)
                        board[OpCells[j / 2][j % 2] - 1] = Ops[j % 2 ? pairs[j / 2] % 3 : pairs[j / 2] / 3];
                    if (s > here.second || rank(board) < rank(here.first)) here = {board, s};
                }
            }
            if (here.second > best[k].second) best[k] = here;
        }
    };
    for (d[3] = 1; d[3] <= 9; ++d[3])
        for (d[5] = 1; d[5] <= 9; ++d[5]) {
            const Picks L0 = picks(g[0], d[3], d[5], g[1]);
            for (d[15] = 1; d[15] <= 9 && !L0.empty(); ++d[15])
                for (d[17] = 1; d[17] <= 9; ++d[17])
                    for (d[19] = 1; d[19] <= 9; ++d[19]) {
                        const Picks L1 = picks(d[15], d[17], d[19], 0);
                        for (d[29] = 1; d[29] <= 9 && !L1.empty(); ++d[29]) {
                            const Picks K0 = picks(g[0], d[15], d[29], g[2]);
                            for (d[31] = 1; d[31] <= 9 && !K0.empty(); ++d[31])
                                for (d[33] = 1; d[33] <= 9; ++d[33])
                                    score(L0, K0, L1, picks(d[29], d[31], d[33], 0), picks(d[3], d[17], d[31], 0),
                                          picks(d[5], d[19], d[33], 0));
                        }
                    }
        }
    return best;
}

TEST(Solver, KeepsTheMostCellsAndBreaksTiesAsAPlainEnumerationDoes) {
    for (unsigned seed : TestSeeds({})) {
        SCOPED_TRACE(::testing::Message() << "QUORVEX_SEED=" << seed);
        std::mt19937 rng(seed);
        const auto digit = [&] { return static_cast<std::int8_t>(rng() % 9 + 1); };
        const auto op = [&] { return Ops[rng() % 3]; };
        // The generator's hardest corners, the corners of the two boards
        // below, then corners drawn at random.
        for (const Corners& g : {Corners{7, 8, 7, 1}, {6, 5, 7, 4}, {2, 7, 8, 7}, {digit(), digit(), digit(), digit()},
                                 {digit(), digit(), digit(), digit()}}) {
            SCOPED_TRACE(::testing::Message() << "corners " << g[0] << g[1] << g[2] << g[3]);
            // Every cell drawn at random (almost never consistent); about half of
            // them, several times, since those leave the most ties to break; and
            // a complete board with two cells changed and three emptied.
            BoardValues garbage;
            for (int k = 1; k < 9; ++k) garbage.numbers[k] = digit();
            for (int k = 0; k < 16; ++k) garbage.operators[k] = op();
            BoardValues near = CompleteBoard(g, garbage)->board;
            for (int n = 0; n < 5; ++n)
                if (const unsigned k = rng() % 24; k < 8) near.numbers[k + 1] = n < 2 ? digit() : 0;
                else near.operators[k - 8] = n < 2 ? op() : 0;
            // A board that once took a pruned search a hundred thousand nodes.
            const BoardValues hard = {{0, 0, 9, 1},
                                      {'-', '-', '+', '+', '+', '-', '-', '+', '-', '-', '-', 0, '-', '+', '+', '+'}};
            // A board whose best completions tie on numbers 4 to 8 together.
            const BoardValues ties = {{0, 7, 3, 2, 6, 3, 3, 1, 6},
                                      {'*', '+', '-', '+', '*', '+', '+', '+', '+', '+', '+', '*', '+', '*', '*', '-'}};
            std::vector<BoardValues> players = {{}, garbage, near, hard, ties};
            for (int n = 0; n < 8; ++n) {
                BoardValues half;
                for (int k = 1; k < 9; ++k) half.numbers[k] = rng() % 2 ? digit() : 0;
                for (int k = 0; k < 16; ++k) half.operators[k] = rng() % 2 ? op() : 0;
                players.push_back(half);
            }
            std::vector<std::string> shown;
            for (const BoardValues& b : players) shown.push_back(Cells(b));
            const auto want = BruteForce(g, shown);
            for (std::size_t k = 0; k < players.size(); ++k) {
                SCOPED_TRACE("player " + shown[k]);
                const auto got = CompleteBoard(g, players[k]);
                ASSERT_TRUE(got);
                EXPECT_EQ(got->board.numbers[0], g[0]);
                EXPECT_EQ(Cells(got->board), want[k].first);
                EXPECT_EQ(got->kept, want[k].second);
            }
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
