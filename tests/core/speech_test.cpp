// What a screen reader is told: each step's changes in the words a reader
// uses, the targets on request, and where the keyboard's cursor may stop.
#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

using Speech = GameTest;

// Corners 1 3 3 3 on a board of ones; the result column's 3 * 3 - 3 keeps the
// bottom right corner wrong. The first step reveals the targets and judges
// all four corners; later ones tell only what they changed.
TEST_F(Speech, EachStepSaysWhatChangedAndTheTargetsOnRequest) {
    for (int p : {1, 4, 13, 16}) f.SolNum[p] = p == 1 ? " 1" : " 3";
    SetBoard(f, "1+1+1=3+.+.+.*1+1+1=3+.+.+.-1+1+9=3=.=.=.=3+3-3=?");
    const auto step = [&](int cell, char key) {
        const int serial = f.Announcement.Serial;
        f.TypeKey(cell, key);
        return f.Announcement.Serial == serial + 1 ? f.Announcement.Text : "(nothing said)";
    };
    EXPECT_EQ(step(33, '1'), "Row 5, column 5: 1. Top left corner right: 1. Top right corner right: 3. "
                             "Bottom left corner right: 3. Bottom right corner wrong: 3");
    EXPECT_EQ(step(33, '2'), "Row 5, column 5: 2. Row 5, column 7: 4. Row 7, column 5: 4. Bottom right corner wrong: 2");
    EXPECT_EQ(step(33, '2'), "(nothing said)");
    EXPECT_EQ(step(32, '*'), "Row 5, column 4: times. Row 5, column 7: 3");
    EXPECT_EQ(step(35, '5'), "(nothing said)");  // a result: read-only
    f.ReadTargets();
    EXPECT_EQ(f.Announcement.Text, "Targets: top left 1, top right 3, bottom left 3, bottom right 3. "
                                   "Right: top left, top right, bottom left.");
    std::string names;
    for (int i : {2, 6, 9, 28, 51}) names += f.CellName(i) + " / ";
    EXPECT_EQ(names, "Row 1, column 2: plus / Row 1, column 6: equals / Row 2, column 2: blank / Row 4, column 7: minus / "
                     "Target, top right corner: " + f.GridDisp[51].Caption + " / ");
}

// In play the cursor stops on every number, operator and result; in set-up
// mode on the four corners only, which are then the corners to set.
TEST_F(Speech, CursorStopsAndCellPurposeFollowTheMode) {
    const auto stops = [&] { return CellMap(f, [&](const Cell& c) { return f.CursorStop(int(&c - &f.GridDisp[0])) ? 'o' : '.'; }); };
    EXPECT_EQ(stops(), "ooooo.o" "o.o.o.o" "ooooo.o" "o.o.o.o" "ooooo.o" "......." "ooooo.o");
    EXPECT_EQ(f.CellDescription(1) + ", " + f.CellDescription(7) + ", " + f.CellDescription(21) + ", " + f.CellDescription(2),
              "given corner, given corner, result, operator");
    f.SolveMx_Click();
    EXPECT_EQ(stops(), "o.....o" "......." "......." "......." "......." "......." "o.....o");
    EXPECT_EQ(f.CellDescription(49), "corner to set");
    f.TypeKey(7, '5');
    EXPECT_EQ(f.Announcement.Text, "Row 1, column 7: 5");
    f.ReadTargets();
    EXPECT_EQ(f.Announcement.Text, "Corners set: top left not set, top right 5, bottom left not set, bottom right not set.");
}

}  // namespace
}  // namespace quorvex::testing
