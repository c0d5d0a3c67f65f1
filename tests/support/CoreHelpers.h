// Shared pieces of the core tests: a loaded game, boards as 49-character
// strings, the mode as one string, a whole-state snapshot and a check of the
// stored solution.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
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

// The seeds of a random test, each printed: those in QUORVEX_SEED (comma-separated)
// to try others or replay a run, otherwise `seeds` (or seed 1), the same every run.
inline std::vector<unsigned> TestSeeds(std::vector<unsigned> seeds) {
    std::istringstream in(std::getenv("QUORVEX_SEED") ? std::getenv("QUORVEX_SEED") : "");
    if (!in.str().empty()) seeds.clear();
    for (unsigned seed = 0; in >> seed; in.ignore(1, ',')) seeds.push_back(seed);
    if (seeds.empty()) seeds.push_back(1);
    for (unsigned seed : seeds) std::cout << "QUORVEX_SEED=" << seed << '\n';
    return seeds;
}

struct Game {
    ScriptedServices svc;
    ScriptedRandom* rnd = new ScriptedRandom;  // owned by f
    Form1 f{svc, std::unique_ptr<RandomSource>(rnd)};
    explicit Game(bool load = true) { if (load) f.Form_Load(); }
};
// A test that starts with a loaded game.
struct GameTest : ::testing::Test, Game {};

// Cells 1..last, one character each from `rule`.
template <class Rule>
std::string CellMap(const Form1& f, Rule rule, int last = 49) {
    std::string s;
    for (int i = 1; i <= last; ++i) s += rule(f.GridDisp[i]);
    return s;
}
// The captions, '.' for an empty one and '#' for a longer one.
inline std::string Board(const Form1& f, int last = 49) {
    const auto shown = [](auto& c) { return c.Caption.size() == 1 ? c.Caption[0] : c.Caption.empty() ? '.' : '#'; };
    return CellMap(f, shown, last);
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

// What the player sees: each corner as caption, face (r, g, k for red, green,
// black), E when enabled, s when its smiley shows and t when its target does;
// the labels, buttons and menu items on view; the set-up item; the board (the
// stored solution, empty but for the corners, or other); the mode flags and
// the four set-up corner numbers.
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
    const std::string b = Board(f), empty = EmptyBoard(std::string{b[0], b[6], b[42], b[48]});
    s << (b == StoredBoard(f) ? " stored" : b == empty ? " empty" : " other");
    for (int v : {f.SetupMode, f.PuzzleDone, f.CornerVal1, f.CornerVal7, f.CornerVal43, f.CornerVal49}) s << ' ' << v;
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
    for (int i = 2; i <= 48; ++i) {
        const Cell& c = f.GridDisp[i];
        for (int n = 0; n < 9 && !f.PuzzleDone && c.TakesInput() && c.Caption[0] != want[i - 1]; ++n) f.ClickCell(i, 1);
    }
}

// A full board as the game lays it out: its three rows, three columns, result
// row and result column (each from cell `first`, step 1 for a row, 7 for a
// column) each give the digit 1..9 the board shows for it.
inline ::testing::AssertionResult BoardHolds(std::string_view b) {
    for (auto [first, step] : {std::pair{1, 1}, {15, 1}, {29, 1}, {43, 1}, {1, 7}, {3, 7}, {5, 7}, {7, 7}}) {
        const auto at = [&](int j) { return b[first - 1 + j * step]; };
        const auto n = [&](int j) { return static_cast<std::int16_t>(at(j) >= '1' && at(j) <= '9' ? at(j) - '0' : 0); };
        if (n(6) == 0 || EvalEquation(n(0), n(2), n(4), std::string(1, at(1)), std::string(1, at(3))) != n(6))
            return ::testing::AssertionFailure() << "the line from cell " << first << " fails in " << b;
    }
    return ::testing::AssertionSuccess();
}
// The stored solution holds, as sixteen " d" numbers and sixteen operators.
inline ::testing::AssertionResult SolutionHolds(const Form1& f) {
    for (int k = 1; k <= 16; ++k)
        if (f.SolNum[k].size() != 2 || f.SolNum[k][0] != ' ' || f.SolOp[k].size() != 1)
            return ::testing::AssertionFailure() << "entry " << k << ": '" << f.SolNum[k] << "' '" << f.SolOp[k] << "'";
    return BoardHolds(StoredBoard(f));
}

}  // namespace quorvex::testing
