// The window as start-up leaves it, and how the program ends.
#include "CoreHelpers.h"
#include "board/Layout.h"

namespace quorvex {
namespace {
using testing::Game;
using testing::Snapshot;

TEST(Startup, OnlyFreeNumbersAndOperatorsTakeClicksAndTheCornersHoldThePuzzle) {
    Game g;
    const Form1& f = g.f;
    const Colour face = SystemColour(SysButtonFace), text = SystemColour(SysWindowText);
    EXPECT_EQ(f.ClrBlack, QBColor(0));
    EXPECT_EQ(f.ClrRed, QBColor(4));
    EXPECT_EQ(f.ClrGreen, QBColor(2));
    EXPECT_EQ(f.ClrWhite, QBColor(15));
    for (int i = 0; i < CellCount; ++i) {
        SCOPED_TRACE(i);
        const Cell& c = f.GridDisp[i];
        CellRole role = RoleOf(i);
        bool corner = i == 1 || i == 7 || i == 43 || i == 49;
        bool free = (role == CellRole::Number && i != 1) || IsOperatorCell(i);
        if (i > 0) {  // the template cell is never on screen
            EXPECT_EQ(c.Enabled, free);
            EXPECT_EQ(c.Visible, i < FirstTargetCell);
        }
        EXPECT_EQ(c.Tag, i >= 1 && i <= 49 ? TagOf(i) : "");
        if (corner || role == CellRole::Target) {
            int p = corner ? ValuePositionOf(i) : CornerValuePositions[i - FirstTargetCell];
            EXPECT_EQ(c.Caption, Trim(f.SolNum[p]));
            EXPECT_EQ(c.BackColor, f.ClrGreen);
            EXPECT_EQ(c.ForeColor, f.ClrWhite);
        } else {
            EXPECT_EQ(c.Caption, role == CellRole::Equals ? "=" : "");
            EXPECT_EQ(c.BackColor, role == CellRole::Blank ? f.ClrBlack : face);
            EXPECT_EQ(c.ForeColor, text);
        }
    }
    EXPECT_TRUE(testing::SolutionHolds(f));
    EXPECT_TRUE(f.RightMess.Visible && f.NewPuz.Visible && f.Frame1.Visible);
    EXPECT_FALSE(f.CompMess.Visible || f.Solveit.Visible || f.Solveit.Enabled);
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(f.NPict[k].Visible) << k;
    EXPECT_EQ(f.SolveMx.Caption, text::SolveMxFirst);
    EXPECT_TRUE(f.StartSolx.Enabled && f.ShowSolx.Enabled && f.PrintX.Enabled);
    EXPECT_EQ(std::vector<int>({f.SetupMode, f.PuzzleDone, f.CornerVal1, f.CornerVal7, f.CornerVal43,
                                f.CornerVal49, f.PuzzleNo, f.GenOk, f.PairCount}),
              std::vector<int>({0, 0, -1, -1, -1, -1, 1, 1, 9}));
    EXPECT_EQ(f.OpPairs[1] + f.OpPairs[2] + f.OpPairs[3] + f.OpPairs[4] + f.OpPairs[5] + f.OpPairs[6] +
                  f.OpPairs[7] + f.OpPairs[8] + f.OpPairs[9],
              "+++----++**+-**-**");
    EXPECT_EQ(g.svc.titles, std::vector<std::string>{std::string(text::TitlePrefix) + " 1"});
    EXPECT_TRUE(g.svc.messages.empty());
}

// Exit and the close box end the program once; afterwards nothing reacts.
TEST(Startup, AfterTheEndNoHandlerDoesAnything) {
    for (bool viaMenu : {true, false}) {
        SCOPED_TRACE(viaMenu ? "Exit" : "close box");
        Game g;
        std::int16_t cancel = 0;
        if (viaMenu) g.f.Exitx_Click();
        else g.f.Form_Unload(cancel);
        EXPECT_EQ(cancel, 0);
        EXPECT_TRUE(g.f.Ended());
        EXPECT_EQ(g.svc.programEnded, 1);
        std::string before = Snapshot(g.f);
        g.f.ClickCell(3, 1);
        g.f.GridDisp_MouseClick(2, 1, 0, 0, 0);
        g.f.NewPuz_Click();
        g.f.StartSolx_Click();
        g.f.ShowSolx_Click();
        g.f.SolveMx_Click();
        g.f.Solveit_Click();
        g.f.Solveit_DragDrop();
        g.f.PrintX_Click();
        g.f.Helpx_Click();
        g.f.Aboutx_Click();
        g.f.Exitx_Click();
        g.f.Form_Unload(cancel);
        EXPECT_EQ(Snapshot(g.f), before);
        EXPECT_EQ(cancel, 0);
        EXPECT_EQ(g.svc.programEnded, 1);
        EXPECT_TRUE(g.svc.messages.empty() && g.svc.printed.empty());
        EXPECT_EQ(g.svc.helpOpened + g.svc.aboutShown, 0);
    }
}

TEST(Startup, HelpAboutAndDragDropReachTheServices) {
    Game g;
    std::string before = Snapshot(g.f);
    g.f.Helpx_Click();
    g.f.Aboutx_Click();
    g.f.Solveit_DragDrop();
    EXPECT_EQ(g.svc.helpOpened, 1);
    EXPECT_EQ(g.svc.aboutShown, 1);
    EXPECT_EQ(g.svc.count(text::HelpHere), 1);
    EXPECT_EQ(Snapshot(g.f), before);
}

}  // namespace
}  // namespace quorvex
