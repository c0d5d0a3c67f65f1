// Play through cell clicks: the win, and long random sequences of clicks and
// commands with every generator run they start.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

using Play = GameTest;

TEST_F(Play, AnyBoardWithTheFourCornersWinsOnceAndEndsThePuzzle) {
    Game other;
    // Another board under the same four corners, from further generator runs.
    const std::string givens = Givens(f);
    other.f.CornerVal1 = givens[0] - '0', other.f.CornerVal7 = givens[1] - '0';
    other.f.CornerVal43 = givens[2] - '0', other.f.CornerVal49 = givens[3] - '0';
    const auto found = [&] { return other.f.GenOk == 1 && StoredBoard(other.f) != StoredBoard(f); };
    for (int run = 0; run < 20; ++run)
        if (other.f.GeneratePuzzle(), found()) break;
    ASSERT_TRUE(found()) << "no other board under " << givens;
    const std::string want = StoredBoard(other.f);
    const auto clickTo = [&](int i) {
        for (int n = 0; n < 9 && f.GridDisp[i].Caption != want.substr(i - 1, 1); ++n) f.ClickCell(i, 1);
    };

    // The first click re-derives every line: row 1 is complete, column 1 is not.
    for (int i : {2, 3, 4, 5}) clickTo(i);
    ASSERT_TRUE(f.GridDisp[7].BackColor == Green && f.GridDisp[43].Caption == "?");

    for (int i = 2; i <= 48; ++i)
        if (f.GridDisp[i].TakesInput()) clickTo(i);
    EXPECT_TRUE(svc.count("You got it !") == 1 && svc.messages.size() == 1u);
    EXPECT_EQ(State(f), GivenCorners(f, "gs") + " NewPuz menus first other 0 1 -1 -1 -1 -1");

    const std::string done = Snapshot(f);
    for (int i = 0; i < CellCount; ++i) f.ClickCell(i, 1), f.ClickCell(i, 2);
    EXPECT_EQ(Snapshot(f), done);
    EXPECT_EQ(svc.messages.size(), 1u);
    f.NewPuz_Click();
    f.ClickCell(3, 1);
    EXPECT_TRUE(f.PuzzleDone == 0 && f.RightMess.Visible && f.GridDisp[3].Caption == "1");
    // The check turned three corners black; the next puzzle starts green.
    f.NewPuz_Click();
    EXPECT_EQ(State(f), GivenCorners(f, "g") + " RightMess NewPuz menus first empty 0 0 -1 -1 -1 -1");
}

// Digits count up with the left button and down with the right, 9 to 1 and
// 1 to 9, and refuse to pass a 16-bit limit; operators cycle whichever the button.
TEST_F(Play, ClicksStepDigitsAndCycleOperators) {
    struct Case { int cell; const char* before; int button; const char* after; };
    for (const Case& c : {Case{3, "", 1, "1"}, {3, "?", 2, "9"}, {3, "9", 1, "1"}, {3, "1", 2, "9"}, {3, "5", 2, "4"},
                          {3, "32766", 1, "32767"}, {3, "32767", 1, nullptr}, {3, "-32768", 2, nullptr},
                          {2, "", 1, "+"}, {2, "+", 2, "-"}, {2, "-", 1, "*"}, {2, "*", 2, "+"}, {2, "?", 1, "?"}}) {
        f.GridDisp[c.cell].Caption = c.before;
        if (c.after) f.ClickCell(c.cell, c.button);
        else EXPECT_THROW(f.ClickCell(c.cell, c.button), Overflow16);
        EXPECT_EQ(f.GridDisp[c.cell].Caption, c.after ? c.after : c.before) << c.before << ' ' << c.button;
    }
}

// Under a frozen or a moving clock; every generator run (free in play, under
// the player's corners in set-up) must give a consistent board. The seeds
// come from QUORVEX_SEED (one or several, comma-separated) or are 1, 2 and 3.
TEST(RandomPlay, ClicksAndCommandsAlwaysLeaveASoundBoard) {
    std::istringstream in(std::getenv("QUORVEX_SEED") ? std::getenv("QUORVEX_SEED") : "1,2,3");
    std::vector<unsigned> seeds;
    for (unsigned seed = 0; in >> seed; in.ignore(1, ',')) seeds.push_back(seed);
    ASSERT_FALSE(seeds.empty()) << "QUORVEX_SEED holds no number";
    for (unsigned seed : seeds) {
        std::printf("random play with seed %u (replay: QUORVEX_SEED=%u)\n", seed, seed);
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        Game g;
        Form1& f = g.f;
        std::mt19937 rng(seed);
        for (int step = 0; step < 6000; ++step) {
            SCOPED_TRACE(::testing::Message() << "step " << step);
            if (seed % 2 == 0) g.svc.clock = std::fmod(g.svc.clock + rng() % 3000 / 1000.0, 86400.0);
            // In set-up the clicks go to the corners, so that many puzzles are solved under set corners.
            const unsigned pick = rng() % 100, button = rng() % 2 + 1;
            const int index = f.SetupMode ? FourCorners[rng() % 4] : static_cast<int>(rng() % 58) - 2;
            // Clicks in play and Start a Solution judge the corners.
            const bool judged = pick < 80 ? f.SetupMode == 0 && f.PuzzleDone == 0 && index >= 1 && index <= 49 &&
                                                f.GridDisp[index].TakesInput()
                                          : pick < 85 && f.StartSolx.Enabled;
            const int wins = g.svc.count("You got it !"), puzzle = f.PuzzleNo;
            const std::size_t runs = g.svc.titles.size();
            const std::vector<int> flags = Flags(f);
            ASSERT_NO_THROW({
                if (pick < 80) f.ClickCell(index, static_cast<int>(button));
                else if (pick < 85 && f.StartSolx.Enabled) f.StartSolx_Click();
                else if (pick >= 85 && pick < 91 && f.NewPuz.TakesInput()) f.NewPuz_Click();
                else if (pick >= 91 && pick < 93 && f.ShowSolx.Enabled) f.ShowSolx_Click();
                else if (pick >= 93 && pick < 96) f.SolveMx_Click();
                else if (pick >= 96 && f.Solveit.TakesInput()) f.Solveit_Click();
            });
            // Digits step through 1..9 and results outside it show "?": never "0" or two characters.
            ASSERT_EQ(Board(f).find_first_of("#0"), std::string::npos);
            if (g.svc.titles.size() != runs) {  // a generator run
                ASSERT_EQ(g.svc.titles.back(), "Puzzle Number " + NumberText(puzzle + 1));
                ASSERT_EQ(f.PuzzleNo, puzzle + f.GenOk);
                ASSERT_TRUE(f.GenOk == 1 || f.SetupMode == 1);  // free corners never come near the limit
                std::string set;
                for (int j = 2; j < 6; ++j) set += static_cast<char>('0' + flags[j]);
                ASSERT_TRUE(f.GenOk == 0 || SolutionHolds(f));
                ASSERT_TRUE(f.GenOk == 0 || Board(f) == (f.SetupMode ? StoredBoard(f) : EmptyBoard(Givens(f))));
                ASSERT_TRUE(f.GenOk == 0 || f.SetupMode == 0 || Givens(f) == set) << set;
            }
            bool all = true;
            for (int k = 1; k <= 4; ++k) {
                const Cell& corner = f.GridDisp[FourCorners[k - 1]];
                const std::string& c = corner.Caption;
                // In set-up a corner shows its set number or "?"; in play it is right when it shows the given digit.
                const bool shown = c == "?" || (c.size() == 1 && c[0] >= '1');
                ASSERT_TRUE(!f.SetupMode || (shown && Flags(f)[k + 1] == OperandValue(c))) << "corner " << k;
                const bool right = c == Givens(f).substr(k - 1, 1);
                all = all && right;
                if (!judged) continue;
                ASSERT_EQ(corner.BackColor, right ? Green : Black) << "corner " << k;
                ASSERT_TRUE(f.GridDisp[49 + k].Visible != right && f.NPict[k].Visible == right) << "corner " << k;
            }
            ASSERT_TRUE(!judged || (f.PuzzleDone == all && g.svc.count("You got it !") == wins + all));
        }
    }
}

}  // namespace
}  // namespace quorvex::testing
