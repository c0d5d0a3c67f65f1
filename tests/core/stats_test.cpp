// The puzzle clock and the statistics: what counts as played, solved alone or
// with help, streaks and times under a frozen clock, the stored form, and what
// happens when the stored statistics cannot be used.
#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

using Stats = GameTest;

std::string Summary(const Form1& f) {
    std::string s;
    for (const auto& [caption, value] : f.StatisticsLines()) s += (s.empty() ? "" : " ") + value;
    return s;
}

TEST(StatsRules, CountingStreaksTimesAndReset) {
    Statistics earlier;  // from an earlier run
    earlier.Played = 4, earlier.SolvedUnaided = 3, earlier.CurrentStreak = 2, earlier.BestStreak = 3;
    earlier.BestMs = 10'000, earlier.UnaidedMs = {10'000, 50'000, 90'000};
    const auto wait = [](Game& g, double s) { g.svc.monotonic += s; };
    const auto reset = [](Game& g, MsgAnswer a) { g.svc.answers = {a}, g.f.ResetStatistics(); };
    const struct {
        const char* name;
        Statistics stored;
        std::function<void(Game&)> play;
        const char* after;  // played, unaided, helped, streak, best streak, best time, median time
    } cases[] = {
        {"untouched, then a new puzzle", {}, [](Game& g) { g.f.NewPuz_Click(); }, "0 0 0 0 0 - -"},
        {"solved alone in 75 s", {},
         [&](Game& g) { wait(g, 75), SolveByClicks(g.f), wait(g, 30), g.f.NewPuz_Click(); }, "1 1 0 1 1 1:15 1:15"},
        {"two alone, then one left unsolved", {},
         [&](Game& g) {
             wait(g, 40), SolveByClicks(g.f), g.f.NewPuz_Click();
             wait(g, 20), SolveByClicks(g.f), g.f.NewPuz_Click();
             g.f.ClickCell(3, 1), g.f.NewPuz_Click();
         },
         "3 2 0 0 2 0:20 0:30"},
        {"after an earlier run", earlier, [&](Game& g) { wait(g, 61), SolveByClicks(g.f); }, "5 4 0 3 3 0:10 0:55"},
        {"Show Solution", earlier, [](Game& g) { g.f.ShowSolx_Click(); }, "5 3 1 0 3 0:10 0:50"},
        {"Start a Solution, then solved", {}, [](Game& g) { g.f.StartSolx_Click(), SolveByClicks(g.f); }, "1 0 1 0 0 - -"},
        {"a hint, then solved", {}, [](Game& g) { g.f.Hint_Click(), g.f.Undox_Click(), SolveByClicks(g.f); }, "1 0 1 0 0 - -"},
        {"solved, undone, solved again: once", {},
         [&](Game& g) { wait(g, 9), SolveByClicks(g.f), g.f.Undox_Click(), wait(g, 9), SolveByClicks(g.f); },
         "1 1 0 1 1 0:09 0:09"},
        {"solved, then Show Solution: still alone", {},
         [](Game& g) { SolveByClicks(g.f), g.f.ShowSolx_Click(); }, "1 1 0 1 1 0:00 0:00"},
        {"Start a Solution undone: still helped", {},
         [](Game& g) { g.f.StartSolx_Click(), g.f.Undox_Click(), SolveByClicks(g.f); }, "1 0 1 0 0 - -"},
        {"a board made in set-up mode, played", {},
         [](Game& g) {
             g.f.SolveMx_Click();
             for (int c : FourCorners) g.f.ClickCell(c, 1);
             for (int n = 0; n < 20 && g.f.Solveit.Enabled; ++n) g.f.Solveit_Click();
             g.f.SolveMx_Click(), g.f.StartSolx_Click(), SolveByClicks(g.f);
         },
         "1 0 1 0 0 - -"},
        {"reset refused", earlier, [&](Game& g) { reset(g, MsgAnswer::No); }, "4 3 0 2 3 0:10 0:50"},
        // The puzzle in progress counts as played again, so nothing is solved unplayed.
        {"reset mid-puzzle", earlier,
         [&](Game& g) { g.f.ClickCell(3, 1), reset(g, MsgAnswer::Yes), SolveByClicks(g.f); }, "1 1 0 1 1 0:00 0:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Game g(false);
        g.svc.stored = c.stored;
        g.f.Form_Load();
        c.play(g);
        EXPECT_EQ(Summary(g.f), c.after);
        EXPECT_EQ(g.svc.stored, g.f.Stats);  // every change saved at once
        EXPECT_EQ(g.svc.count(text::ResetStatsQuestion), std::string(c.name).rfind("reset", 0) == 0);
    }
}

TEST_F(Stats, ClockRunsOnlyWhileAPuzzleIsOpenAndTheWindowActive) {
    const auto at = [&](double s) { svc.monotonic += s; return f.TimerText(); };
    EXPECT_EQ(at(0), "0:00");
    EXPECT_EQ(at(65.9), "1:05");
    f.SetWindowActive(false);  // minimised or behind another window
    EXPECT_EQ(at(600), "1:05");
    f.SetWindowActive(true);
    EXPECT_EQ(at(2), "1:07");
    SolveByClicks(f);
    EXPECT_EQ(at(100), "1:07");  // stopped when solved
    f.Undox_Click();             // open again: the clock goes on from there
    EXPECT_EQ(at(3), "1:10");
    f.ShowSolx_Click();
    EXPECT_EQ(at(50), "1:10");
    f.SolveMx_Click();  // no puzzle of the player's in set-up mode
    EXPECT_EQ(at(5), "");
    f.SolveMx_Click();
    EXPECT_EQ(at(5), "");
    f.NewPuz_Click();
    EXPECT_EQ(at(3599), "59:59");
    EXPECT_EQ(at(3600), "119:59");

    // Hiding it is remembered for the next run.
    EXPECT_TRUE(f.Timerx.Checkable && f.Timerx.Checked);
    f.Timerx_Click();
    Game next(false);
    next.svc.preferences = svc.preferences;
    next.f.Form_Load();
    EXPECT_FALSE(f.Timerx.Checked || next.f.Timerx.Checked);
}

TEST(StatsStore, ProblemsGiveEmptyStatisticsAndOneWarning) {
    struct Case {
        StoreStatus load, save;
        const char* warning;  // the start of the one line, "" for none on screen
        int saves;
    };
    const Case cases[] = {
        {StoreStatus::Ok, StoreStatus::Ok, "", 2},
        {StoreStatus::Missing, StoreStatus::Ok, "", 2},
        {StoreStatus::Damaged, StoreStatus::Ok, "Statistics file damaged: ", 2},
        {StoreStatus::Unreadable, StoreStatus::Ok, "Statistics file cannot be read: ", 0},
        {StoreStatus::Ok, StoreStatus::Unwritable, "Statistics cannot be saved: ", 0},
        {StoreStatus::Damaged, StoreStatus::Unwritable, "Statistics file damaged: ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.load) << ' ' << int(c.save));
        Game g(false);
        g.svc.stored.Played = 7;
        g.svc.loadStatus = c.load, g.svc.saveStatus = c.save;
        g.f.Form_Load();
        EXPECT_EQ(g.f.Stats.Played, c.load == StoreStatus::Ok ? 7 : 0);
        g.f.ClickCell(3, 1);  // played: saved
        SolveByClicks(g.f);   // solved: saved
        EXPECT_EQ(g.f.Stats.SolvedUnaided, 1);  // the game goes on
        EXPECT_EQ(g.svc.saves, c.saves);
        EXPECT_EQ(g.f.StatusNote.Visible, *c.warning != '\0');
        EXPECT_EQ(g.f.StatusNote.Caption.rfind(c.warning, 0), 0u) << g.f.StatusNote.Caption;
        EXPECT_EQ(g.svc.warnings.size(), c.load == StoreStatus::Ok && c.save == StoreStatus::Ok ? 0u : 1u);
    }
}

TEST(StatsStore, StoredFormRoundTripsAndRefusesAnythingElse) {
    Statistics s;
    s.Played = 9, s.SolvedUnaided = 3, s.SolvedHelped = 2, s.CurrentStreak = 1, s.BestStreak = 2;
    s.BestMs = 4'000, s.UnaidedMs = {9'000, 4'000, 70'500};
    const StatisticsFields good = ToFields(s);
    EXPECT_EQ(FromFields(good), s);
    EXPECT_EQ(FromFields(ToFields(Statistics{})), Statistics{});

    const std::pair<const char*, const char*> damage[] = {
        {"version", "2"},         {"played", "-1"},          {"played", "1e3"},          {"played", ""},
        {"played", "1000000000"}, {"solvedWithHelp", "7"},   {"currentStreak", "3"},     {"bestStreak", "4"},
        {"bestMs", "5000"},       {"bestMs", "none"},        {"unaidedMs", "9000 4000"}, {"unaidedMs", "9000  4000 1"},
        {"unaidedMs", "9000 4000 x"}, {"bestStreak", " 2"},
    };
    for (const auto& [key, value] : damage) {
        StatisticsFields bad = good;
        bad[key] = value;
        EXPECT_EQ(FromFields(bad), std::nullopt) << key << "=" << value;
        bad.erase(key);
        EXPECT_EQ(FromFields(bad), std::nullopt) << "no " << key;
    }
    StatisticsFields extra = good;
    extra["fromANewerVersion"] = "x";
    EXPECT_EQ(FromFields(extra), s);

    // Only the latest times are kept, but the best time stays.
    s.Played = 2000;
    for (std::size_t n = 0; n < Statistics::TimeLimit; ++n) CountSolved(s, false, 5'000);
    EXPECT_TRUE(s.UnaidedMs.size() == Statistics::TimeLimit && s.BestMs == 4'000 && MedianMs(s) == 5'000);
    EXPECT_EQ(FromFields(ToFields(s)), s);
}

}  // namespace
}  // namespace quorvex::testing
