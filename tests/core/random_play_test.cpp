// Long random sequences of clicks and commands, checked after every step.
#include <functional>
#include <random>

#include "CoreHelpers.h"

namespace quorvex {
namespace {
using testing::Game;

bool DigitOr(const std::string& c, const char* other) { return (c.size() == 1 && c[0] >= '1' && c[0] <= '9') || c == other || c == "?"; }

TEST(RandomPlay, EveryStepLeavesASoundBoard) {
    for (unsigned seed : {1u, 2u, 3u, std::random_device{}()}) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        Game g;
        Form1& f = g.f;
        std::mt19937 rng(seed);
        for (int step = 0; step < 6000; ++step) {
            const unsigned pick = rng() % 100;
            const int index = static_cast<int>(rng() % 58) - 2, button = static_cast<int>(rng() % 2) + 1;
            const bool play = f.SetupMode == 0 && f.PuzzleDone == 0;
            bool checks = false;
            std::function<void()> act;
            if (pick < 85) {
                checks = play && index >= 0 && index <= 49 && f.GridDisp[index].TakesInput();
                act = [&] { f.ClickCell(index, button); };
            } else if (pick < 88) {
                if (f.NewPuz.TakesInput()) act = [&] { f.NewPuz_Click(); };
            } else if (pick < 91) {
                checks = f.StartSolx.Enabled;
                if (checks) act = [&] { f.StartSolx_Click(); };
            } else if (pick < 93) {
                if (f.ShowSolx.Enabled) act = [&] { f.ShowSolx_Click(); };
            } else if (pick < 96) {
                act = [&] { f.SolveMx_Click(); };
            } else {
                act = [&] { testing::PressSolveit(f); };
            }
            if (!act) continue;
            const int wins = g.svc.count(text::YouGotIt);
            ASSERT_NO_THROW(act()) << "step " << step;

            if (f.SetupMode == 0) {
                for (int r : {7, 21, 35, 43, 45, 47, 49})
                    ASSERT_TRUE(DigitOr(f.GridDisp[r].Caption, "")) << "step " << step << " cell " << r;
            } else {
                const int values[] = {f.CornerVal1, f.CornerVal7, f.CornerVal43, f.CornerVal49};
                for (int j = 0; j < 4; ++j) {
                    const std::string& c = f.GridDisp[CornerCellList[j]].Caption;
                    ASSERT_TRUE(DigitOr(c, "?")) << "step " << step;
                    ASSERT_EQ(values[j], OperandValue(c)) << "step " << step;
                }
            }
            if (!checks) continue;
            bool all = true;
            for (int k = 1; k <= 4; ++k) {
                const Cell& corner = f.GridDisp[CornerCellList[k - 1]];
                const bool right = NumericValue(corner.Caption) == NumericValue(f.SolNum[CornerValuePositions[k - 1]]);
                all = all && right;
                ASSERT_EQ(corner.BackColor == f.ClrGreen, right) << "step " << step << " corner " << k;
                ASSERT_EQ(corner.BackColor == f.ClrBlack, !right) << "step " << step << " corner " << k;
                ASSERT_EQ(f.GridDisp[TargetCellOfCorner(k)].Visible, !right) << "step " << step;
                ASSERT_EQ(f.NPict[k].Visible, right) << "step " << step;
            }
            ASSERT_EQ(f.PuzzleDone, all ? 1 : 0) << "step " << step;
            ASSERT_EQ(g.svc.count(text::YouGotIt), wins + (all ? 1 : 0)) << "step " << step;
        }
    }
}

}  // namespace
}  // namespace quorvex
