// Shared pieces of the core tests: a loaded game, boards as 49-character
// strings, the mode as one string, a whole-state snapshot and a check of the
// stored solution.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>

#include "ScriptedServices.h"
#include "board/Arithmetic.h"
#include "board/NumberText.h"
#include "game/Form1.h"
#include "game/Texts.h"

namespace quorvex::testing {

// The four corners, top left, top right, bottom left, bottom right.
constexpr int FourCorners[4] = {1, 7, 43, 49};
constexpr Colour Green = Rgb(0, 128, 0), Red = Rgb(128, 0, 0), Black = Rgb(0, 0, 0), White = Rgb(255, 255, 255);

// Rows that always fit and a first column (5, 9, 1) that no operator pair
// fits: every attempt fails at the columns.
inline const std::vector<int> NeverFits = {5, 1, 1, 9, 1, 1, 1, 1, 1};

// The seed of a random test: QUORVEX_SEED replays a run; printed either way.
inline unsigned TestSeed() {
    const char* env = std::getenv("QUORVEX_SEED");
    const unsigned seed = env ? static_cast<unsigned>(std::strtoul(env, nullptr, 10)) : std::random_device{}();
    std::cout << "QUORVEX_SEED=" << seed << '\n';
    return seed;
}

struct Game {
    ScriptedServices svc;
    ScriptedRandom* rnd = new ScriptedRandom;  // owned by f
    Form1 f{svc, std::unique_ptr<RandomSource>(rnd)};
    explicit Game(bool load = true) { if (load) f.Form_Load(); }
};
// A test that starts with a loaded game.
struct GameTest : ::testing::Test, Game {};

// Cells 1..49, one character each from `rule`.
template <class Rule>
std::string CellMap(const Form1& f, Rule rule) {
    std::string s;
    for (int i = 1; i <= 49; ++i) s += rule(f.GridDisp[i]);
    return s;
}

// The captions, '.' for an empty one and '#' for a longer one.
inline std::string Board(const Form1& f) {
    return CellMap(f, [](auto& c) { return c.Caption.size() == 1 ? c.Caption[0] : c.Caption.empty() ? '.' : '#'; });
}

inline void SetBoard(Form1& f, std::string_view b) {
    for (int i = 1; i <= 49; ++i) f.GridDisp[i].Caption = b[i - 1] == '.' ? "" : std::string(1, b[i - 1]);
}

// Only the "=" cells and the four corners (cells 1, 7, 43, 49).
inline std::string EmptyBoard(std::string_view corners) {
    std::string b = ".....=.............=.............=.=.=.=.=.....=.";
    b[0] = corners[0], b[6] = corners[1], b[42] = corners[2], b[48] = corners[3];
    return b;
}

// The stored solution laid out on the board, and its four corner digits.
inline std::string StoredBoard(const Form1& f) {
    std::string b = EmptyBoard("....");
    for (int n = 0; n < 16; ++n) b[14 * (n / 4) + 2 * (n % 4)] = f.SolNum[n + 1].back();
    for (int n = 0; n < 8; ++n) {
        b[14 * (n / 2) + 2 * (n % 2) + 1] = f.SolOp[n + 1][0];
        b[2 * (n / 2) + 7 + 14 * (n % 2)] = f.SolOp[n + 9][0];
    }
    return b;
}
inline std::string Givens(const Form1& f) {
    const std::string b = StoredBoard(f);
    return {b[0], b[6], b[42], b[48]};
}

// The mode flags and the four set-up corner numbers.
inline std::vector<int> Flags(const Form1& f) {
    return {f.SetupMode, f.PuzzleDone, f.CornerVal1, f.CornerVal7, f.CornerVal43, f.CornerVal49};
}

// What the player sees: each corner as caption, face (r, g, k for red, green,
// black), E when enabled, s when its smiley shows and t when its target does;
// the labels, buttons and menu items on view; the set-up item; the board (the
// stored solution, empty but for the corners, or other); the mode flags.
inline std::string State(const Form1& f) {
    std::ostringstream s;
    for (int k = 1; k <= 4; ++k) {
        const Cell& c = f.GridDisp[FourCorners[k - 1]];
        s << c.Caption << (c.BackColor == Red ? 'r' : c.BackColor == Green ? 'g' : c.BackColor == Black ? 'k' : '?')
          << (c.Enabled ? "E" : "") << (f.NPict[k].Visible ? "s" : "") << (f.GridDisp[49 + k].Visible ? "t" : "");
    }
    for (auto [on, name] : {std::pair{f.RightMess.Visible, " RightMess"}, {f.CompMess.Visible, " CompMess"},
                            {f.NewPuz.Visible, " NewPuz"}, {f.Solveit.Visible && f.Solveit.Enabled, " Solveit"},
                            {f.Solveit.Visible && !f.Solveit.Enabled, " Solveit(off)"},
                            {f.StartSolx.Enabled && f.ShowSolx.Enabled, " menus"}})
        if (on) s << name;
    const std::string& item = f.SolveMx.Caption;
    s << (item == "End computer solution mode" ? " end" : item == "Set a Puzzle for computer to Solve" ? " again"
          : item == "Set a Puzzle for computer to solve" ? " first" : " ?");
    const std::string b = Board(f);
    const std::string cleared = EmptyBoard(std::string{b[0], b[6], b[42], b[48]});
    s << (b == StoredBoard(f) ? " stored" : b == cleared ? " empty" : " other");
    for (int v : Flags(f)) s << ' ' << v;
    return s.str();
}

// The stored corner digits, each followed by `marks` as State shows them.
inline std::string GivenCorners(const Form1& f, const std::string& marks) {
    std::string s;
    for (char c : Givens(f)) s += c + marks;
    return s;
}

// Everything a handler could change, as one comparable string.
inline std::string Snapshot(const Form1& f) {
    std::ostringstream s;
    s << State(f) << Board(f) << f.PuzzleNo << ',' << f.GenOk;
    for (const Cell& c : f.GridDisp) s << c.BackColor << c.Enabled << c.Visible;
    for (int k = 1; k <= 16; ++k) s << f.SolNum[k] << f.SolOp[k];
    for (const auto& line : f.SheetLines) s << line;
    return s.str();
}

// Clicks every open cell towards the stored solution until the puzzle ends.
inline void SolveByClicks(Form1& f) {
    const std::string want = StoredBoard(f);
    for (int i = 2; i <= 48 && f.PuzzleDone == 0; ++i)
        for (int n = 0; n < 9 && f.GridDisp[i].TakesInput() && f.PuzzleDone == 0 && f.GridDisp[i].Caption[0] != want[i - 1];
             ++n)
            f.ClickCell(i, 1);
}

// Sixteen " d" numbers, sixteen operators, and all eight equations holding.
inline ::testing::AssertionResult SolutionHolds(const Form1& f) {
    for (int k = 1; k <= 16; ++k) {
        const std::string &n = f.SolNum[k], &op = f.SolOp[k];
        if (n.size() != 2 || n[0] != ' ' || n[1] < '1' || n[1] > '9' || op.size() != 1 || !IsOperator(op))
            return ::testing::AssertionFailure() << "entry " << k << ": '" << n << "' '" << op << "'";
    }
    auto v = [&](int k) { return OperandValue(f.SolNum[k]); };
    for (int r = 1; r <= 4; ++r) {
        const int e = 4 * r - 3;
        if (EvalEquation(v(e), v(e + 1), v(e + 2), f.SolOp[2 * r - 1], f.SolOp[2 * r]) != v(e + 3) ||
            EvalEquation(v(r), v(r + 4), v(r + 8), f.SolOp[7 + 2 * r], f.SolOp[8 + 2 * r]) != v(r + 12))
            return ::testing::AssertionFailure() << "row or column " << r << " does not hold";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace quorvex::testing
