// The puzzle clock and the statistics: what counts as played, solved alone or
// with help, streaks and times under a frozen clock, the stored form, and what
// happens when the stored statistics cannot be used.
#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

using Stats = GameTest;

TEST(StatsRules, CountingStreaksTimesAndReset) {
    Statistics earlier;  // from an earlier run
    earlier.Played = 4, earlier.SolvedUnaided = 3, earlier.CurrentStreak = 2, earlier.BestStreak = 3;
    earlier.BestMs = 10'000, earlier.UnaidedMs = {10'000, 50'000, 90'000};
    ScriptedServices* svc = nullptr;  // the current case's
    const auto wait = [&](double s) { svc->monotonic += s; };
    const auto reset = [&](Form1& f, MsgAnswer a) { svc->answers = {a}, f.ResetStatistics(); };
    // `after`: played, unaided, helped, revealed, streak, best streak, best time, median time.
    struct Case { const char* name; Statistics stored; std::function<void(Form1&)> play; const char* after; };
    for (const Case& c : std::initializer_list<Case>{
             // Not played: neither counted nor the end of a streak.
             {"reset refused, then a new puzzle", earlier, [&](Form1& f) { reset(f, MsgAnswer::No), f.NewPuz_Click(); },
              "4 3 0 0 2 3 0:10 0:50"},
             {"two alone, then one left unsolved", {},
              [&](Form1& f) {
                  wait(40), SolveByClicks(f), f.NewPuz_Click();
                  wait(20), SolveByClicks(f), f.NewPuz_Click();
                  f.ClickCell(3, 1), f.NewPuz_Click();
              },
              "3 2 0 0 0 2 0:20 0:30"},
             {"after an earlier run", earlier, [&](Form1& f) { wait(61), SolveByClicks(f); }, "5 4 0 0 3 3 0:10 0:55"},
             // Shown, not solved: played and revealed, and the streak ends.
             {"Show Solution", earlier, [](Form1& f) { f.ShowSolx_Click(); }, "5 3 0 1 0 3 0:10 0:50"},
             {"Start a Solution undone, then solved", {},
              [](Form1& f) { f.StartSolx_Click(), f.Undox_Click(), SolveByClicks(f); }, "1 0 1 0 0 0 - -"},
             {"a hint, then solved", {}, [](Form1& f) { f.Hint_Click(), f.Undox_Click(), SolveByClicks(f); },
              "1 0 1 0 0 0 - -"},
             {"solved, undone, solved again: once", {},
              [&](Form1& f) { wait(9), SolveByClicks(f), f.Undox_Click(), wait(9), SolveByClicks(f); },
              "1 1 0 0 1 1 0:09 0:09"},
             {"solved, then Show Solution: still alone", {}, [](Form1& f) { SolveByClicks(f), f.ShowSolx_Click(); },
              "1 1 0 0 1 1 0:00 0:00"},
             // The puzzle in progress counts as played again, so nothing is solved unplayed.
             {"reset mid-puzzle", earlier,
              [&](Form1& f) { f.ClickCell(3, 1), reset(f, MsgAnswer::Yes), SolveByClicks(f); },
              "1 1 0 0 1 1 0:00 0:00"}}) {
        SCOPED_TRACE(c.name);
        Game g(false);
        svc = &g.svc, g.svc.stored = c.stored;
        g.f.Form_Load();
        c.play(g.f);
        std::string summary;
        for (const auto& [caption, value] : g.f.StatisticsLines()) summary += (summary.empty() ? "" : " ") + value;
        EXPECT_EQ(summary, c.after);
        EXPECT_EQ(g.svc.stored, g.f.Stats);  // every change saved at once
        EXPECT_EQ(g.svc.count("Reset all statistics? This cannot be undone."), std::string(c.name).rfind("reset", 0) == 0);
    }
}

TEST_F(Stats, ClockRunsOnlyWhileAPuzzleIsOpenAndTheWindowActive) {
    std::string seen;
    for (const auto& [act, wait] : std::initializer_list<std::pair<std::function<void()>, double>>{
             {[] {}, 0}, {[] {}, 65.9},
             {[&] { f.SetWindowActive(false); }, 600},  // minimised or behind another window
             {[&] { f.SetWindowActive(true); }, 2},
             {[&] { SolveByClicks(f); }, 100},  // stopped when solved
             {[&] { f.Undox_Click(); }, 3},     // open again: the clock goes on from there
             {[&] { f.ShowSolx_Click(); }, 50},
             {[&] { f.SolveMx_Click(); }, 5},  // no puzzle of the player's in set-up mode
             {[&] { f.SolveMx_Click(); }, 5},
             {[&] { f.NewPuz_Click(); }, 3599}, {[] {}, 3600}})
        act(), svc.monotonic += wait, seen += f.TimerText() + '|';
    EXPECT_EQ(seen, "0:00|1:05|1:05|1:07|1:07|1:10|1:10|||59:59|119:59|");
}

TEST(StatsStore, ProblemsGiveEmptyStatisticsAndOneWarning) {
    // The one line on screen, "" for none; `saves` that went through.
    struct Case { StoreStatus load, save; const char* note; int saves; };
    for (const Case& c : {
             Case{StoreStatus::Ok, StoreStatus::Ok, "", 2}, {StoreStatus::Missing, StoreStatus::Ok, "", 2},
             {StoreStatus::Damaged, StoreStatus::Ok, "Statistics file damaged: counting starts again from zero.", 2},
             {StoreStatus::Unreadable, StoreStatus::Ok,
              "Statistics file cannot be read: this session's statistics will not be saved.", 0},
             {StoreStatus::Later, StoreStatus::Ok,
              "Statistics file from a later Quorvex: this session's statistics will not be saved.", 0},
             {StoreStatus::NoFolder, StoreStatus::Ok,
              "No folder for statistics: this session's statistics will not be saved.", 0},
             {StoreStatus::Ok, StoreStatus::Unwritable, "Statistics cannot be saved: they are kept until Quorvex closes.", 0},
             {StoreStatus::Damaged, StoreStatus::Busy, "Statistics are busy in another program: they are kept and saved later.", 0}}) {
        SCOPED_TRACE(::testing::Message() << int(c.load) << ' ' << int(c.save));
        Game g(false);
        g.svc.stored.Played = 7;
        g.svc.loadStatus = c.load, g.svc.saveStatus = c.save;
        g.f.Form_Load();
        EXPECT_EQ(g.f.Stats.Played, c.load == StoreStatus::Ok ? 7 : 0);
        g.f.ClickCell(3, 1);  // played: saved
        SolveByClicks(g.f);   // solved: saved
        EXPECT_TRUE(g.f.Stats.SolvedUnaided == 1 && g.svc.saves == c.saves);  // the game goes on
        EXPECT_EQ(g.f.StatusNote.Visible ? g.f.StatusNote.Caption : "", c.note);
        // Said once each.
        EXPECT_EQ(g.svc.warnings.size(), std::size_t{c.load != StoreStatus::Ok} + (c.save != StoreStatus::Ok));
        if (c.save == StoreStatus::Ok) continue;
        // Once saving works again nothing counted meanwhile is lost, and the line goes.
        g.svc.saveStatus = StoreStatus::Ok;
        g.f.NewPuz_Click(), g.f.ClickCell(3, 1);
        EXPECT_TRUE(g.svc.stored.Played == 9 && g.svc.stored.SolvedUnaided == 1 && !g.f.StatusNote.Visible);
    }
}

// Counts kept while the file is busy are saved whole at the latest on exit,
// the longest streak among them included.
TEST(StatsStore, CountsKeptWhileTheFileIsBusyAreSavedOnExit) {
    Game g;
    g.svc.saveStatus = StoreStatus::Busy;
    for (int n = 0; n < 6; ++n) n % 4 == 0 ? g.f.ShowSolx_Click() : SolveByClicks(g.f), g.f.NewPuz_Click();
    g.svc.saveStatus = StoreStatus::Ok;
    g.f.Exitx_Click();
    const Statistics& s = g.svc.stored;
    EXPECT_EQ((std::vector<int>{s.Played, s.SolvedUnaided, s.Revealed, s.CurrentStreak, s.BestStreak}),
              (std::vector<int>{6, 4, 2, 1, 3}));
}

// Two copies of the game on one file, each saving what it counted since its
// last save: every count adds up, a streak goes on across copies until either
// breaks it, and a reset in one leaves the other's later counts from zero.
TEST(StatsStore, TwoCopiesOnOneFileLoseNothing) {
    Game a(false), b(false);
    b.svc.file = &a.svc.stored;
    a.f.Form_Load(), b.f.Form_Load();
    const auto solve = [](Game& g, double s) { g.svc.monotonic += s, SolveByClicks(g.f), g.f.NewPuz_Click(); };
    const auto counts = [&f = a.svc.stored] {
        return std::vector<int>{f.Played, f.SolvedUnaided, f.SolvedHelped, f.Revealed, f.CurrentStreak, f.BestStreak};
    };
    solve(a, 20), solve(b, 10), solve(a, 30);
    b.f.ShowSolx_Click(), b.f.NewPuz_Click();  // revealed: the streak of three ends
    solve(b, 40);
    a.f.StartSolx_Click(), solve(a, 0);  // with help
    b.f.ClickCell(3, 1);
    EXPECT_EQ(counts(), (std::vector<int>{7, 4, 1, 1, 0, 3}));
    EXPECT_EQ(a.svc.stored.UnaidedMs, (std::vector<std::int64_t>{20'000, 10'000, 30'000, 40'000}));
    EXPECT_EQ(b.f.Stats, a.svc.stored);  // what b shows is the file as its last save left it
    a.svc.answers = {MsgAnswer::Yes};
    a.f.ResetStatistics(), solve(b, 5);
    EXPECT_EQ(counts(), (std::vector<int>{1, 1, 0, 0, 1, 1}));
    EXPECT_TRUE(FromFields(ToFields(a.svc.stored)));  // a sound file
}

TEST(StatsStore, StoredFormRoundTripsAndRefusesAnythingElse) {
    Statistics s;
    s.Played = 9, s.SolvedUnaided = 3, s.SolvedHelped = 2, s.Revealed = 1, s.CurrentStreak = 1, s.BestStreak = 2;
    s.BestMs = 4'000, s.UnaidedMs = {9'000, 4'000, 70'500};
    const StatisticsFields good = ToFields(s);
    EXPECT_EQ(FromFields(good), s);
    EXPECT_EQ(FromFields(ToFields(Statistics{})), Statistics{});
    for (const auto& [key, value] : std::initializer_list<std::pair<const char*, const char*>>{
             {"version", "2"}, {"played", "-1"}, {"played", "9x"}, {"played", ""}, {"played", "1000000000"},
             {"solvedWithHelp", "7"}, {"revealed", "5"}, {"revealed", "x"},
             {"currentStreak", "3"}, {"bestStreak", "4"}, {"bestMs", "5000"},
             {"bestMs", "none"}, {"unaidedMs", "9000 4000"}, {"unaidedMs", "9000  4000 1"},
             {"unaidedMs", "9000 4000 x"}, {"bestStreak", " 2"}}) {
        StatisticsFields bad = good;
        bad[key] = value;
        EXPECT_EQ(FromFields(bad), std::nullopt) << key << "=" << value;
        EXPECT_EQ(FromLaterVersion(bad), key == std::string("version")) << key << "=" << value;
        bad.erase(key);
        // Files from before revealed puzzles were counted have none.
        EXPECT_EQ(FromFields(bad).has_value(), key == std::string("revealed")) << "no " << key;
    }
    StatisticsFields extra = good;
    extra["fromANewerVersion"] = "x";
    EXPECT_EQ(FromFields(extra), s);

    // Only the latest 1,000 times are kept, but the best time stays.
    StatisticsChange more;
    for (int n = 0; n < 1001; ++n) CountPlayed(more), CountSolved(more, false, 5'000 + n);
    s = Apply(s, more);
    EXPECT_TRUE(s.UnaidedMs.size() == 1000 && s.UnaidedMs.front() == 5'001 && s.BestMs == 4'000);
    EXPECT_EQ(FromFields(ToFields(s)), s);
}

}  // namespace
}  // namespace quorvex::testing
