// Shared pieces of the core tests: a loaded game, boards as 49-character
// strings, whole-state snapshots and a check of the stored solution.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ScriptedServices.h"
#include "board/Arithmetic.h"
#include "board/Layout.h"
#include "board/NumberText.h"
#include "game/Form1.h"
#include "game/Texts.h"

namespace quorvex::testing {

// The game's own generator until a script is set; counts every draw so a test
// can tell how many attempts a run made.
class SteerableRandom : public RandomSource {
public:
    long draws = 0;
    void setScript(std::vector<int> digits) {
        script_ = std::move(digits);
        pos_ = 0;
    }
    void reseed(double seed) override { real_.reseed(seed); }
    double next() override {
        ++draws;
        if (script_.empty()) return real_.next();
        return (script_[pos_++ % script_.size()] - 1) / 9.0;
    }

private:
    GameRandom real_;
    std::vector<int> script_;
    std::size_t pos_ = 0;
};

// Rows that always fit and a first column (5, 9, 1) that no operator pair
// fits: every attempt fails at the columns, nine draws each.
inline const std::vector<int> NeverFits = {5, 1, 1, 9, 1, 1, 1, 1, 1};

struct Game {
    ScriptedServices svc;
    SteerableRandom* rnd = nullptr;
    Form1 f;
    explicit Game(bool load = true) : f(svc, own(rnd)) {
        if (load) f.Form_Load();
    }
    static std::unique_ptr<RandomSource> own(SteerableRandom*& out) {
        auto r = std::make_unique<SteerableRandom>();
        out = r.get();
        return r;
    }
};

// Cells 1..49 as one character each, from any per-cell rule.
template <class Rule>
std::string CellMap(const Form1& f, Rule rule) {
    std::string s;
    for (int i = 1; i <= 49; ++i) s += rule(f.GridDisp[i]);
    return s;
}

// The captions, '.' for an empty one.
inline std::string Board(const Form1& f) {
    return CellMap(f, [](const Cell& c) { return c.Caption.empty() ? '.' : c.Caption.size() == 1 ? c.Caption[0] : '#'; });
}

// An otherwise empty board: the "=" cells and four corner characters.
inline std::string EmptyBoard(std::string_view corners) {
    std::string b(49, '.');
    for (int e : EqualsCells) b[e - 1] = '=';
    for (int j = 0; j < 4; ++j) b[CornerCellList[j] - 1] = corners[j];
    return b;
}

// The stored solution's four corner digits.
inline std::string Givens(const Form1& f) {
    std::string s;
    for (int p : CornerValuePositions) s += f.SolNum[p].back();
    return s;
}

inline void SetBoard(Form1& f, std::string_view b) {
    for (int i = 1; i <= 49; ++i)
        f.GridDisp[i].Caption = b[i - 1] == '.' ? std::string() : std::string(1, b[i - 1]);
}

// Everything a handler could change, as one comparable string.
inline std::string Snapshot(const Form1& f) {
    std::string s;
    auto cell = [&](const Cell& c) {
        s += c.Caption + '/' + std::to_string(c.BackColor) + '/' + std::to_string(c.ForeColor) +
             (c.Enabled ? "E" : "e") + (c.Visible ? "V" : "v") + '|';
    };
    for (const auto& c : f.GridDisp) cell(c);
    cell(f.NewPuz);
    cell(f.Solveit);
    for (const Control* c : {&f.RightMess, &f.CompMess, &f.NPict[1], &f.NPict[2], &f.NPict[3], &f.NPict[4]})
        s += c->Visible ? 'V' : 'v';
    for (const MenuItem* m : {&f.StartSolx, &f.ShowSolx, &f.SolveMx})
        s += m->Caption + (m->Enabled ? "E" : "e");
    for (int v : {f.SetupMode, f.PuzzleDone, f.CornerVal1, f.CornerVal7, f.CornerVal43, f.CornerVal49,
                  f.PuzzleNo, f.GenOk})
        s += std::to_string(v) + ',';
    for (int k = 1; k <= 16; ++k) s += f.SolNum[k] + f.SolOp[k];
    for (const auto& line : f.SheetLines) s += line;
    return s;
}

// The stored solution: sixteen " d" numbers, sixteen operators, and all
// eight equations of the 4 by 4 matrix holding.
inline ::testing::AssertionResult SolutionHolds(const Form1& f) {
    for (int k = 1; k <= 16; ++k) {
        const std::string& n = f.SolNum[k];
        if (n.size() != 2 || n[0] != ' ' || n[1] < '1' || n[1] > '9')
            return ::testing::AssertionFailure() << "SolNum " << k << " is '" << n << "'";
        if (!IsOperator(f.SolOp[k]))
            return ::testing::AssertionFailure() << "SolOp " << k << " is '" << f.SolOp[k] << "'";
    }
    auto v = [&](int k) { return OperandValue(f.SolNum[k]); };
    for (int r = 1; r <= 4; ++r) {
        int e = (r - 1) * 4;
        if (EvalEquation(v(e + 1), v(e + 2), v(e + 3), f.SolOp[2 * r - 1], f.SolOp[2 * r]) != v(e + 4))
            return ::testing::AssertionFailure() << "row " << r << " does not hold";
        if (EvalEquation(v(r), v(r + 4), v(r + 8), f.SolOp[7 + 2 * r], f.SolOp[8 + 2 * r]) != v(r + 12))
            return ::testing::AssertionFailure() << "column " << r << " does not hold";
    }
    return ::testing::AssertionSuccess();
}

// The stored solution as ShowSolution lays it out, "=" cells included.
inline std::string StoredBoard(const Form1& f) {
    std::string b(49, '.');
    for (int n = 1; n <= 16; ++n)
        b[14 * ((n - 1) / 4) + 2 * ((n - 1) % 4)] = Trim(f.SolNum[n]).back();
    for (int n = 1; n <= 8; ++n) b[14 * ((n - 1) / 2) + 2 * ((n - 1) % 2) + 1] = f.SolOp[n][0];
    for (int c = 1; c <= 4; ++c) {
        b[2 * c + 5] = f.SolOp[7 + 2 * c][0];
        b[2 * c + 19] = f.SolOp[8 + 2 * c][0];
    }
    for (int e : EqualsCells) b[e - 1] = '=';
    return b;
}

// Clicks a cell with the left button until it shows the wanted text.
inline void ClickTo(Form1& f, int cell, char want) {
    for (int n = 0; n < 9 && f.GridDisp[cell].Caption != std::string(1, want); ++n) f.ClickCell(cell, 1);
}

// Buttons and menu items act only while the window lets them be used.
inline void PressSolveit(Form1& f) {
    if (f.Solveit.TakesInput()) f.Solveit_Click();
}

}  // namespace quorvex::testing
