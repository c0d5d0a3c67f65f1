// The current puzzle's clock and the statistics kept between runs: when a
// puzzle starts, counts, ends or is left, and what is said when the stored
// statistics cannot be used.
#include <cmath>

#include "game/Form1.h"
#include "game/Texts.h"

namespace quorvex {

void Form1::SyncClock(double now) {
    clock_.Run(puzzle_.Timed && SetupMode == FlagOff && PuzzleDone == FlagOff && windowActive_ && !Busy(), now);
}

void Form1::SetWindowActive(bool active) {
    if (ended_) return;
    windowActive_ = active;
    // Mid-step the step itself settles the clock when it is over.
    if (!inStep_) SyncClock(services_.monotonicSeconds());
}

std::string Form1::TimerText() const {
    if (!puzzle_.Timed || SetupMode == FlagOn) return "";
    return ClockText(std::llround(clock_.Elapsed(services_.monotonicSeconds()) * 1000));
}

void Form1::MarkHelped() { puzzle_.Helped = true; }

// A puzzle made for play: a fresh history and a clock from zero. A run that
// gave up made no puzzle to time, and whatever is played on its board is helped.
void Form1::BeginPlayPuzzle() {
    const bool made = GenOk == FlagOn;
    puzzle_ = PuzzleRecord{};
    puzzle_.Timed = made;
    puzzle_.Helped = !made;
    history_.Clear();
    clock_.Reset();
    SyncClock(services_.monotonicSeconds());
    RefreshToolsMenu();
}

// The current puzzle is left for another one (New Puzzle) or for set-up mode.
void Form1::LeavePuzzle() {
    if (puzzle_.Played && !puzzle_.Ended && Stats.CurrentStreak != 0) {
        CountAbandoned(Stats);
        SaveStatistics();
    }
    puzzle_ = PuzzleRecord{};
    history_.Clear();
    clock_.Reset();
    RefreshToolsMenu();
}

void Form1::Statx_Click() {
    if (!Blocked()) Modal([this] { services_.showStatistics(); });
}

void Form1::Timerx_Click() {
    if (Blocked()) return;
    Timerx.Checked = !Timerx.Checked;
    Preferences preferences;
    preferences.ShowTimer = Timerx.Checked;
    services_.savePreferences(preferences);
}

void Form1::ResetStatistics() {
    if (ended_ || Ask(text::ResetStatsQuestion, MsgButtons::YesNoSafe) != MsgAnswer::Yes) return;
    Stats = Statistics{};
    // A puzzle in progress counts as played again at its next step, so that
    // nothing can be solved without having been played.
    if (!puzzle_.Ended) puzzle_.Played = false;
    SaveStatistics();
}

std::vector<std::pair<std::string, std::string>> Form1::StatisticsLines() const {
    const auto time = [](std::optional<std::int64_t> ms) { return ms ? ClockText(*ms) : std::string(text::NoneYet); };
    return {
        {"Puzzles played", std::to_string(Stats.Played)},
        {"Solved unaided", std::to_string(Stats.SolvedUnaided)},
        {"Solved with help", std::to_string(Stats.SolvedHelped)},
        {"Current streak", std::to_string(Stats.CurrentStreak)},
        {"Best streak", std::to_string(Stats.BestStreak)},
        {"Best time", time(Stats.BestMs < 0 ? std::nullopt : std::optional(Stats.BestMs))},
        {"Median time", time(MedianMs(Stats))},
    };
}

void Form1::LoadStored() {
    Timerx.Checked = services_.loadPreferences().ShowTimer;
    Statistics loaded;
    const StoreResult result = services_.loadStatistics(loaded);
    Stats = result.Status == StoreStatus::Ok ? loaded : Statistics{};
    if (result.Status == StoreStatus::Ok) return;
    saveBlocked_ = result.Status == StoreStatus::Unreadable;
    ReportStore(result);
}

void Form1::SaveStatistics() {
    if (saveBlocked_) return;
    const StoreResult result = services_.saveStatistics(Stats);
    if (result.Status != StoreStatus::Ok) ReportStore(result);
}

// The log line names the files; the status line only says what it means.
void Form1::ReportStore(const StoreResult& result) {
    const std::string& where = result.Where;
    std::string line, note;
    switch (result.Status) {
        case StoreStatus::Ok:
            return;
        case StoreStatus::Missing:
            // The first run of every player: worth a line in the log, not on screen.
            services_.logWarning("No statistics yet in " + where + "; counting starts now.");
            return;
        case StoreStatus::Damaged:
            line = "Statistics file " + where + " is damaged; counting starts again from zero" +
                   (result.KeptAs.empty() ? "." : " (the old file is kept as " + result.KeptAs + ").");
            note = "Statistics file damaged: counting starts again from zero.";
            break;
        case StoreStatus::Unreadable:
            line = "Statistics file " + where + " cannot be read; this session's statistics will not be saved.";
            note = "Statistics file cannot be read: this session's statistics will not be saved.";
            break;
        case StoreStatus::Unwritable:
            line = "Statistics cannot be saved to " + where + "; they are kept until Quorvex closes.";
            note = "Statistics cannot be saved: they are kept until Quorvex closes.";
            break;
    }
    if (storeWarned_) return;
    storeWarned_ = true;
    services_.logWarning(line);
    StatusNote.Caption = note;
    StatusNote.Visible = true;
}

}  // namespace quorvex
