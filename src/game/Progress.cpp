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
    puzzle_.Kind = Kind;
    history_.Clear();
    clock_.Reset();
    SyncClock(services_.monotonicSeconds());
    RefreshToolsMenu();
}

// The current puzzle is left for another one (New Puzzle) or for set-up mode.
void Form1::LeavePuzzle() {
    if (puzzle_.Played && !puzzle_.Ended) Count(CountAbandoned);
    puzzle_ = PuzzleRecord{};
    StatusText.Visible = false;
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
    preferences_.ShowTimer = Timerx.Checked;
    // A failed save only means the default next time; a replaced link is worth a line.
    ReportLink(services_.savePreferences(preferences_));
}

void Form1::ResetStatistics() {
    if (ended_ || Ask(text::ResetStatsQuestion, MsgButtons::YesNoSafe) != MsgAnswer::Yes) return;
    // A puzzle in progress counts as played again at its next step, so that
    // nothing can be solved without having been played.
    if (!puzzle_.Ended) puzzle_.Played = false;
    // Every kind's record goes back to zero, whichever is being played.
    for (StatisticsChange& kind : pending_.Kinds) CountReset(kind);
    ShowStored();
    SaveStatistics();
}

namespace {

std::vector<std::pair<std::string, std::string>> LinesOf(const Statistics& s) {
    const auto time = [](std::optional<std::int64_t> ms) { return ms ? ClockText(*ms) : std::string(text::NoneYet); };
    return {
        {"Puzzles played", std::to_string(s.Played)},
        {"Solved unaided", std::to_string(s.SolvedUnaided)},
        {"Solved with help", std::to_string(s.SolvedHelped)},
        {"Solutions revealed", std::to_string(s.Revealed)},
        {"Current streak", std::to_string(s.CurrentStreak)},
        {"Best streak", std::to_string(s.BestStreak)},
        {"Best time", time(s.BestMs < 0 ? std::nullopt : std::optional(s.BestMs))},
        {"Median time", time(MedianMs(s))},
    };
}

}  // namespace

std::vector<std::pair<std::string, std::string>> Form1::StatisticsLines() const { return LinesOf(Stats); }

std::vector<std::vector<std::string>> Form1::StatisticsTable() const {
    std::vector<std::vector<std::string>> table = {{"", "Classic", "Easy", "Medium", "Hard"}};
    for (const auto& [caption, value] : LinesOf(Stats)) table.push_back({caption, value});
    for (const Statistics& level : LevelStats) {
        const auto lines = LinesOf(level);
        for (std::size_t row = 0; row < lines.size(); ++row) table[row + 1].push_back(lines[row].second);
    }
    return table;
}

void Form1::ShowStored() {
    const StatisticsBook now = Apply(stored_, pending_);
    Stats = now.Kinds[0];
    std::copy(now.Kinds.begin() + 1, now.Kinds.end(), LevelStats.begin());
}

void Form1::LoadStored() {
    Timerx.Checked = preferences_.ShowTimer;
    StatisticsBook loaded;
    const StoreResult result = services_.loadStatistics(loaded);
    stored_ = result.Status == StoreStatus::Ok ? loaded : StatisticsBook{};
    pending_ = {};
    ShowStored();
    saveBlocked_ = result.Status == StoreStatus::Unreadable || result.Status == StoreStatus::Later ||
                   result.Status == StoreStatus::NoFolder;
    ReportStore(result);
}

void Form1::Count(const std::function<void(StatisticsChange&)>& change) {
    change(pending_.Kinds[static_cast<std::size_t>(puzzle_.Kind)]);
    ShowStored();
    SaveStatistics();
}

void Form1::SaveStatistics() {
    if (saveBlocked_ || pending_.Empty()) return;
    StatisticsBook merged;
    const StoreResult result = services_.saveStatistics(pending_, merged);
    const StoreStatus status = result.Status;
    if (status == StoreStatus::Ok || status == StoreStatus::Damaged) {
        // The file now holds this run's counts and any other copy's.
        stored_ = merged;
        pending_ = {};
        ShowStored();
    }
    // Kept for the next save unless the file must not be written at all.
    saveBlocked_ = status == StoreStatus::Unreadable || status == StoreStatus::Later || status == StoreStatus::NoFolder;
    ReportStore(result);
}

// The log line names the files; the status line only says what it means, once
// for each thing it has to say. A save that goes through again takes back
// what a failed one said.
void Form1::ReportLink(const StoreResult& result) {
    if (!result.Replaced.empty())
        services_.logWarning(result.Where + " was a symbolic link to " + result.Replaced +
                             "; Quorvex now keeps a file of its own there and has left " + result.Replaced +
                             " as it was.");
}

void Form1::ReportStore(const StoreResult& result) {
    const std::string& where = result.Where;
    ReportLink(result);
    std::string line, note;
    switch (result.Status) {
        case StoreStatus::Ok:
            if (saveTrouble_) StatusNote.Visible = saveTrouble_ = false;
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
        case StoreStatus::Later:
            line = "Statistics file " + where +
                   " was written by a later version of Quorvex; it is left as it is, and this session's "
                   "statistics will not be saved.";
            note = "Statistics file from a later Quorvex: this session's statistics will not be saved.";
            break;
        case StoreStatus::NoFolder:
            line = "No folder for the statistics: neither XDG_CONFIG_HOME nor HOME names an absolute folder; "
                   "this session's statistics will not be saved.";
            note = "No folder for statistics: this session's statistics will not be saved.";
            break;
        case StoreStatus::Unwritable:
            line = "Statistics cannot be saved to " + where + "; they are kept until Quorvex closes.";
            note = "Statistics cannot be saved: they are kept until Quorvex closes.";
            saveTrouble_ = true;
            break;
        case StoreStatus::Busy:
            line = "Statistics in " + where + " are locked by another program; they are kept and saved later.";
            note = "Statistics are busy in another program: they are kept and saved later.";
            saveTrouble_ = true;
            break;
    }
    if (StatusNote.Visible && StatusNote.Caption == note) return;
    services_.logWarning(line);
    StatusNote.Caption = note;
    StatusNote.Visible = true;
}

}  // namespace quorvex
