// Making a puzzle: random rows, then columns and the two result lines that
// must agree in cell 49; and the New Puzzle command that asks for one.
#include <limits>

#include "board/NumberText.h"
#include "game/Form1.h"
#include "game/Texts.h"

namespace quorvex {

namespace {
constexpr int AttemptLimit = 500;

// Clears the flag however the run ends, a thrown error included.
struct RunGuard {
    bool& flag;
    explicit RunGuard(bool& f) : flag(f) { flag = true; }
    ~RunGuard() { flag = false; }
};
}  // namespace

std::int16_t Form1::NextPuzzleNo(std::int16_t current) {
    // A 16-bit count would turn negative; starting again at 1 keeps every shown number sound.
    return current >= std::numeric_limits<std::int16_t>::max() ? 1 : static_cast<std::int16_t>(current + 1);
}

void Form1::GeneratePuzzle() {
    if (Busy()) return;
    RunGuard guard(generating_);

    const std::int16_t previousPuzzleNo = PuzzleNo;
    // Each attempt is built in place, because the line searches read SolNum.
    const SolutionRecord kept{SolNum, SolOp, RightPairResult, BottomPairResult};
    TryCount = 0;
    PuzzleNo = NextPuzzleNo(PuzzleNo);
    GenOk = FlagOn;
    services_.setWindowTitle(text::TitlePrefix + NumberText(PuzzleNo));
    for (int j = 1; j <= 4; ++j) NPict[j].Visible = false;

    for (;;) {  // one whole-board attempt per pass
        services_.processPendingEvents();
        if (ended_) return;
        if (++TryCount > AttemptLimit) {
            GiveUp(previousPuzzleNo, kept);
            return;
        }
        int k = 1;
        for (int r = 1; r <= 3; ++r) {
            const int first = (r - 1) * 4 + 1;
            // A row with no fitting pair is simply drawn again; only the
            // columns and result lines cost an attempt.
            do {
                for (int c = 1; c <= 3; ++c) {
                    int n = DrawDigit();
                    if (r == 1 && c == 1 && CornerVal1 >= 1) n = CornerVal1;
                    SolNum[first + c - 1] = NumberText(n);
                }
                SearchRowPair(first);
            } while (LineResult == "?");
            SolOp[k] = LeftOp;
            SolOp[k + 1] = RightOp;
            k += 2;
            SolNum[first + 3] = LineResult;
        }

        bool columnsFit = true;
        for (int c = 1; c <= 4; ++c) {
            SearchColumnPair(c);
            if (LineResult == "?") {
                columnsFit = false;
                break;
            }
            SolNum[12 + c] = LineResult;
            SolOp[7 + 2 * c] = LeftOp;
            SolOp[8 + 2 * c] = RightOp;
        }
        if (!columnsFit) continue;
        RightPairResult = PairResult;

        SearchRowPair(13);
        if (LineResult == "?") continue;
        SolNum[16] = LineResult;
        BottomPairResult = PairResult;

        MatchCornerPair();
        if (LineResult == "?") continue;
        break;
    }

    PresentCorners();
}

void Form1::PresentCorners() {
    for (int j = 1; j <= 4; ++j) {
        const std::string given = Trim(SolNum[CornerValuePositions[j - 1]]);
        GridDisp[CornerCells[j]].Caption = given;
        GridDisp[TargetCellOfCorner(j)].Caption = given;
    }
    ShowTargets(false);
    Solveit.Enabled = false;
    WriteSheetPuzzle();
}

void Form1::GiveUp(std::int16_t previousPuzzleNo, const SolutionRecord& kept) {
    // Show Solution and Start a Solution read the record after a failed
    // solve: the last attempt's rows over older columns would be no solution.
    SolNum = kept.num;
    SolOp = kept.op;
    RightPairResult = kept.right;
    BottomPairResult = kept.bottom;
    for (int i = 2; i <= 48; ++i)
        if (i != 7 && i != 43) GridDisp[i].Caption = "";
    for (int i : EqualsCells) GridDisp[i].Caption = "=";
    GenOk = FlagOff;
    Ask(text::CannotSolve, MsgButtons::Ok);
    PuzzleNo = previousPuzzleNo;
}

void Form1::NewPuz_Click() {
    if (Busy()) return;
    LeavePuzzle();
    if (SetupMode == FlagOn) SolveMx_Click();
    if (!PresentNextChallenge()) {
        RestoreClassicBoard();
        ClearForNewPuzzle();
        GeneratePuzzle();
    }
    if (!ended_) BeginPlayPuzzle();
}

void Form1::ClearForNewPuzzle() {
    PuzzleDone = FlagOff;
    ColourCorners(ClrGreen);
    for (Cell& cell : GridDisp) cell.Caption = "";
    for (int i : EqualsCells) GridDisp[i].Caption = "=";
    RightMess.Visible = true;
}

}  // namespace quorvex
