// Undo and redo of the player's steps.
#include "game/History.h"

#include <cmath>

#include "game/Form1.h"

namespace quorvex {

void History::Record(const BoardState& before, const BoardState& after) {
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    steps_.push_back({before, after});
    if (steps_.size() > Limit) steps_.pop_front();
    done_ = steps_.size();
}

BoardState Form1::CaptureState() const {
    return {GridDisp,  NewPuz, Solveit,
            RightMess, CompMess, NPict,
            {Gamex, StartSolx, ShowSolx, SolveMx, PrintX, Helpx, Aboutx, Exitx},
            SetupMode, PuzzleDone};
}

void Form1::RestoreState(const BoardState& state) {
    GridDisp = state.GridDisp;
    NewPuz = state.NewPuz;
    Solveit = state.Solveit;
    RightMess = state.RightMess;
    CompMess = state.CompMess;
    NPict = state.NPict;
    MenuItem* menu[] = {&Gamex, &StartSolx, &ShowSolx, &SolveMx, &PrintX, &Helpx, &Aboutx, &Exitx};
    for (std::size_t i = 0; i < state.Menu.size(); ++i) *menu[i] = state.Menu[i];
    SetupMode = state.SetupMode;
    PuzzleDone = state.PuzzleDone;
}

void Form1::PlayerStep(const std::function<void()>& change) {
    if (inStep_ || Busy()) {
        change();
        return;
    }
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{inStep_};
    inStep_ = true;
    // A step that ends the puzzle stops its clock at the moment of the step,
    // not when the player has closed "You got it !".
    const double at = services_.monotonicSeconds();
    const bool inPlay = SetupMode == FlagOff;
    const BoardState before = CaptureState();
    const std::array<Verdict, 6> lines = LineVerdicts();
    const int said = statusSerial_;
    change();
    if (Busy()) return;
    AnnounceChanges(before, lines);

    // Set-up mode has no steps to undo: its corners are not a board in play.
    if (inPlay && SetupMode == FlagOff) {
        const BoardState after = CaptureState();
        if (!(after == before)) {
            // What the status line said was about the board before, unless
            // this step said it.
            if (statusSerial_ == said) StatusText.Visible = false;
            history_.Record(before, after);
            const bool played = !puzzle_.Played, ended = PuzzleDone == FlagOn && !puzzle_.Ended;
            const std::int64_t ms = std::llround(clock_.Elapsed(at) * 1000);
            puzzle_.Played = true;
            puzzle_.Ended = puzzle_.Ended || ended;
            if (played || ended) {
                Count([&](StatisticsChange& c) {
                    if (played) CountPlayed(c);
                    if (ended && puzzle_.Revealed) CountRevealed(c);
                    else if (ended) CountSolved(c, puzzle_.Helped, ms);
                });
            }
        }
    }
    SyncClock(at);
    RefreshToolsMenu();
}

void Form1::Undox_Click() {
    if (Busy() || inStep_ || SetupMode == FlagOn || !history_.CanUndo()) return;
    RestoreState(history_.Undo());
    StatusText.Visible = false;
    SyncClock(services_.monotonicSeconds());
    RefreshToolsMenu();
}

void Form1::Redox_Click() {
    if (Busy() || inStep_ || SetupMode == FlagOn || !history_.CanRedo()) return;
    RestoreState(history_.Redo());
    StatusText.Visible = false;
    SyncClock(services_.monotonicSeconds());
    RefreshToolsMenu();
}

void Form1::RefreshToolsMenu() {
    Undox.Enabled = SetupMode == FlagOff && history_.CanUndo();
    Redox.Enabled = SetupMode == FlagOff && history_.CanRedo();
    Hintx.Enabled = HintAvailable();
    RefreshGameMenu();
}

}  // namespace quorvex
