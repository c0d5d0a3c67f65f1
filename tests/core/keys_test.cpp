// Keys typed on cells: each is one click that lands on the value typed, so a
// digit or an operator never passes through the values in between.
#include <random>

#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

using Keys = GameTest;

// The caption one left click turns into `key`'s value: the digit before it,
// or the operator before it in the cycle "+", "-", "*".
std::string OneClickBefore(char key) {
    if (key >= '1' && key <= '9') return std::string(1, key == '1' ? '9' : static_cast<char>(key - 1));
    return key == '+' ? "*" : key == '-' ? "+" : "-";
}

// Two games with the same puzzle (the frozen clock seeds both alike): keys go
// to one, and to the other the single click that must have the same effect.
TEST(KeysAgainstClicks, EveryKeyActsAsOneClickLandingOnItsValue) {
    const std::string keys = "123456789+-*xX \r\n\b0a=/";
    for (unsigned seed : {7u, TestSeed()}) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        Game typed, clicked;
        Form1 &a = typed.f, &b = clicked.f;
        ASSERT_EQ(Snapshot(a), Snapshot(b));
        std::mt19937 rng(seed);
        for (int step = 0; step < 4000; ++step) {
            const int index = static_cast<int>(rng() % 56) - 1;
            const char key = keys[rng() % keys.size()];
            SCOPED_TRACE(::testing::Message() << "step " << step << " cell " << index << " key " << int(key));
            const unsigned pick = rng() % 100;
            if (pick < 2) {
                a.NewPuz_Click(), b.NewPuz_Click();
            } else if (pick < 4) {
                a.SolveMx_Click(), b.SolveMx_Click();
            } else {
                a.TypeKey(index, key);
                const bool onBoard = index >= 1 && index <= 49 && b.GridDisp[index].TakesInput();
                const bool operatorCell = onBoard && b.GridDisp[index].Tag.rfind('X', 0) == 0;
                const bool corner = index == 1 || index == 7 || index == 43 || index == 49;
                const bool digit = key >= '1' && key <= '9';
                const bool op = std::string("+-*xX").find(key) != std::string::npos;
                const bool play = b.SetupMode == 0 && b.PuzzleDone == 0;
                if (onBoard && (key == ' ' || key == '\r' || key == '\n' || key == '\b')) {
                    b.ClickCell(index, key == '\b' ? 2 : 1);
                } else if (onBoard && digit && !operatorCell && (play || (b.SetupMode && corner))) {
                    b.GridDisp[index].Caption = OneClickBefore(key);
                    b.ClickCell(index, 1);
                } else if (onBoard && op && operatorCell && play) {
                    b.GridDisp[index].Caption = OneClickBefore(key == 'x' || key == 'X' ? '*' : key);
                    b.ClickCell(index, 1);
                }
            }
            ASSERT_EQ(Snapshot(a), Snapshot(b));
            ASSERT_EQ(typed.svc.messages.size(), clicked.svc.messages.size());
        }
    }
}

TEST_F(Keys, OnlyTheSolvingDigitFinishesThePuzzle) {
    const std::string solution = StoredBoard(f);
    // Everything but cell 3, whose row result moves with it for every formula.
    for (int i = 2; i <= 48; ++i)
        if (i != 3 && f.GridDisp[i].TakesInput()) f.TypeKey(i, solution[i - 1]);
    ASSERT_TRUE(svc.messages.empty());
    for (char d = '1'; d <= '9'; ++d) {
        if (d == solution[2]) continue;
        f.TypeKey(3, d);
        EXPECT_TRUE(svc.messages.empty() && f.PuzzleDone == 0 && f.GridDisp[3].Caption == std::string(1, d)) << d;
    }
    f.TypeKey(3, solution[2]);
    EXPECT_EQ(State(f), GivenCorners(f, "gs") + " NewPuz menus first stored 0 1 -1 -1 -1 -1");
    EXPECT_EQ(svc.count(text::YouGotIt), 1);
    EXPECT_EQ(svc.messages.size(), 1u);

    // Finished: no key changes anything.
    const std::string done = Snapshot(f);
    for (char key : std::string("15+*x \b\r")) f.TypeKey(3, key), f.TypeKey(2, key);
    EXPECT_EQ(Snapshot(f), done);
}

// Random boards seldom give cell 49 a value, so the cells that leave it alone are checked here.
TEST_F(Keys, OperatorKeysKeepTheFinalCellsOrderRule) {
    SetBoard(f, "3+3+3=9+.+.+.+3+3+3=9+.+.+.+3+3+3=9=.=.=.=9+9-9=.");
    f.TypeKey(28, 'x');
    EXPECT_EQ(f.GridDisp[49].Caption, "9");  // re-derived from the result row: 9 + 9 - 9
    f.TypeKey(14, '-');
    EXPECT_EQ(f.GridDisp[49].Caption, "?");  // the result column alone: 9 - 9 * 9
}

TEST_F(Keys, SetUpCornersTakeDigitsAndRefusalsMatchClicks) {
    f.SolveMx_Click();
    ASSERT_FALSE(f.Solveit.Enabled);
    const std::string untouched = Snapshot(f);
    for (auto [index, key] : {std::pair{3, '4'}, {2, '+'}, {7, '+'}, {7, '0'}}) f.TypeKey(index, key);
    EXPECT_EQ(Snapshot(f), untouched);
    for (auto [index, key] : {std::pair{1, '5'}, {7, '7'}, {43, '3'}, {49, '4'}}) f.TypeKey(index, key);
    EXPECT_EQ(State(f), "5rE7rE3rE4rE CompMess Solveit end empty 1 0 5 7 3 4");
    f.TypeKey(49, ' ');
    EXPECT_EQ(f.CornerVal49, 5);

    // Mid-run and after the end (the other refusals meet the clicks above).
    f.SolveMx_Click();
    f.NewPuz_Click();
    const std::string fresh = Snapshot(f);
    svc.onPendingEvents = [&] {
        const std::string during = Snapshot(f);
        for (char key : std::string("5+ \b")) f.TypeKey(3, key), f.TypeKey(2, key);
        EXPECT_EQ(Snapshot(f), during);
    };
    f.GeneratePuzzle();
    svc.onPendingEvents = nullptr;
    EXPECT_NE(Snapshot(f), fresh);
    f.Exitx_Click();
    const std::string ended = Snapshot(f);
    f.TypeKey(3, '5');
    EXPECT_EQ(Snapshot(f), ended);
}

}  // namespace
}  // namespace quorvex::testing
