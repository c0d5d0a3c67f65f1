// The window as start-up leaves it, and how the program ends.
#include <cstdio>

#include "CoreHelpers.h"

namespace quorvex {
namespace {
using namespace testing;

TEST(Startup, OnlyFreeNumbersAndOperatorsTakeClicksAndTheCornersHoldThePuzzle) {
    Game g;
    const Form1& f = g.f;
    EXPECT_EQ(Board(f), EmptyBoard(Givens(f)));
    EXPECT_EQ(CellMap(f, [](const Cell& c) { return c.Enabled ? 'E' : '.'; }),
              ".EEEE..E.E.E.EEEEEE..E.E.E.EEEEEE..........E.E...");
    EXPECT_EQ(CellMap(f, [](const Cell& c) {
                  return c.BackColor == Rgb(0, 128, 0) ? 'g' : c.BackColor == Rgb(0, 0, 0) ? 'k' : '.';
              }),
              "g.....g.k.k.k.........k.k.k.........k.k.k.g.....g");
    for (int j = 0; j < 4; ++j) {
        const Cell& corner = f.GridDisp[CornerCellList[j]];
        const Cell& target = f.GridDisp[TargetCellOfCorner(j + 1)];
        EXPECT_TRUE(corner.ForeColor == f.ClrWhite && target.BackColor == f.ClrGreen) << j;
        EXPECT_TRUE(target.Caption == corner.Caption && !target.Visible && !target.Enabled) << j;
        EXPECT_FALSE(f.NPict[j + 1].Visible) << j;
    }
    // A number cell names both its lines, an operator cell its one line.
    auto code = [](int rr, int cc) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%02d%02d", rr, cc);
        return std::string(buf);
    };
    for (int i = 0; i < CellCount; ++i) {
        const int col = (i - 1) % 7 + 1;
        const CellRole role = RoleOf(i);
        EXPECT_EQ(f.GridDisp[i].Tag, role == CellRole::Number           ? code(14 * ((i - 1) / 14) + 1, col)
                                     : role == CellRole::RowOperator    ? "X" + code(i - col + 1, 0)
                                     : role == CellRole::ColumnOperator ? "X" + code(0, col)
                                                                        : "")
            << i;
    }
    EXPECT_TRUE(SolutionHolds(f));
    EXPECT_TRUE(f.RightMess.Visible && f.NewPuz.Visible && !f.CompMess.Visible && !f.Solveit.Visible);
    EXPECT_EQ(f.SolveMx.Caption, text::SolveMxFirst);
    EXPECT_EQ(std::vector<int>({f.SetupMode, f.PuzzleDone, f.CornerVal1, f.CornerVal7, f.CornerVal43,
                                f.CornerVal49, f.PuzzleNo, f.GenOk, f.Solveit.Enabled}),
              std::vector<int>({0, 0, -1, -1, -1, -1, 1, 1, 0}));
    EXPECT_EQ(g.svc.titles, std::vector<std::string>{std::string(text::TitlePrefix) + " 1"});
}

// Exit and the close box end the program once; afterwards nothing reacts.
TEST(Startup, AfterTheEndNoHandlerDoesAnything) {
    for (bool viaMenu : {true, false}) {
        Game g;
        std::int16_t cancel = 0;
        if (viaMenu) g.f.Exitx_Click();
        else g.f.Form_Unload(cancel);
        EXPECT_TRUE(g.f.Ended());
        const std::string before = Snapshot(g.f);
        g.f.ClickCell(3, 1);
        g.f.Form_Unload(cancel);
        for (auto handler : {&Form1::NewPuz_Click, &Form1::StartSolx_Click, &Form1::ShowSolx_Click,
                             &Form1::SolveMx_Click, &Form1::Solveit_Click, &Form1::Solveit_DragDrop,
                             &Form1::PrintX_Click, &Form1::Helpx_Click, &Form1::Aboutx_Click, &Form1::Exitx_Click})
            (g.f.*handler)();
        EXPECT_EQ(Snapshot(g.f), before) << viaMenu;
        EXPECT_EQ(cancel, 0);
        EXPECT_EQ(g.svc.programEnded, 1);
        EXPECT_EQ(g.svc.messages.size() + g.svc.printed.size() + g.svc.helpOpened + g.svc.aboutShown, 0u);
    }
}

}  // namespace
}  // namespace quorvex
