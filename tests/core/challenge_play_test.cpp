// Challenges in the game: each level played to a win by clicks and by keys,
// only six true lines win, hints that explain, the Puzzle menu's commands,
// codes and today's puzzle, the kind remembered, and statistics kept per kind
// in the file beside the classic ones.
#include <filesystem>
#include <fstream>

#include "CoreHelpers.h"
#include "challenge/Code.h"
#include "challenge/Logic.h"
#include "store/GameStore.h"

namespace quorvex::testing {
namespace {

using challenge::PuzzleKind;
constexpr Colour Grey = Rgb(192, 192, 192);

struct Challenger {
    ScriptedServices svc;
    Form1 f;
    explicit Challenger(std::uint64_t seed, PuzzleKind kind = PuzzleKind::Classic, std::string code = "")
        : f(svc, nullptr, std::make_unique<challenge::SeededRandom>(seed)) {
        svc.preferences.NextKind = kind;
        f.StartCode = std::move(code);
        f.Form_Load();
    }
    char Solution(int cell) const { return StoredBoard(f)[std::size_t(cell - 1)]; }
    char Wrong(int cell) const { return static_cast<char>('1' + (Solution(cell) - '0') % 9); }
    std::vector<int> Open() const {
        std::vector<int> open;
        std::ranges::copy_if(challenge::NumberCells, std::back_inserter(open), [&](int cell) { return !f.GridDisp[cell].Given; });
        return open;
    }
};

// Each cell: G a fixed given, o an open number (empty, taking input), . a
// blank or "=", ! anything else.
std::string Roles(const Form1& f) {
    return CellMap(f, [](const Cell& c) {
        return c.Given ? (c.Enabled ? '!' : 'G') : !c.Enabled ? '.' : c.Caption.empty() ? 'o' : '!';
    });
}

TEST(ChallengePlay, EveryLevelPlaysToAWinByClicksAndByKeys) {
    struct Choice { PuzzleKind kind; void (Form1::*choose)(); const char* label; };
    for (unsigned seed : TestSeeds({7}))
        for (auto [kind, choose, label] : {Choice{PuzzleKind::Easy, &Form1::Easyx_Click, "Easy: every line true"},
                                           {PuzzleKind::Medium, &Form1::Mediumx_Click, "Medium: every line true"},
                                           {PuzzleKind::Hard, &Form1::Hardx_Click, "Hard: every line true"}})
            for (bool keys : {false, true}) {
                SCOPED_TRACE(::testing::Message() << challenge::KindName(kind) << (keys ? " by keys" : " by clicks"));
                Challenger g(seed + static_cast<unsigned>(kind));
                Form1& f = g.f;
                (f.*choose)();
                EXPECT_TRUE(g.svc.preferences.NextKind == kind && f.Kind == PuzzleKind::Classic);  // only the next puzzle
                f.NewPuz_Click();
                ASSERT_TRUE(f.Kind == kind && f.RightMess.Caption == label) << f.RightMess.Caption;
                std::string roles = Roles(f);
                for (int cell : g.Open()) roles[cell - 1] = roles[cell - 1] == 'o' ? 'G' : '!';
                EXPECT_EQ(roles, "GGGGG.G" "G.G.G.G" "GGGGG.G" "G.G.G.G" "GGGGG.G" "......." "GGGGG.G");

                for (int cell : g.Open()) {
                    if (keys) f.TypeKey(cell, g.Solution(cell));
                    for (int n = 0; n < 9 && f.GridDisp[cell].Caption[0] != g.Solution(cell); ++n) f.ClickCell(cell, 2);
                }
                EXPECT_EQ(g.svc.count("You got it !"), 1);
                EXPECT_TRUE(Board(f) == StoredBoard(f) && BoardHolds(Board(f)));  // the stored solution is the board played
                // Counted for the level alone, and saved at once.
                const Statistics& level = f.LevelStats[std::size_t(kind) - 1];
                EXPECT_TRUE(level.Played == 1 && level.SolvedUnaided == 1 && f.Stats.Played == 0);
                EXPECT_EQ(g.svc.levels[std::size_t(kind) - 1], level);
            }
}

TEST(ChallengePlay, OnlySixTrueLinesWinAndEachFinishedLineShowsHowItStands) {
    // The one board that fits the givens (.46.....8), then full boards with
    // exactly one false line: rows 1, 3, 5, columns 1, 3, 5.
    struct Case { const char* numbers; int result; const char* told; };
    for (const Case& c : {Case{"146765938", 0, ""}, {"346875848", 7, "given result, row 1 false"},
                          {"146675848", 21, "given result, row 3 false"}, {"146545718", 35, "given result, row 5 false"},
                          {"146875848", 43, "given result, column 1 false"}, {"146655848", 45, "given result, column 3 false"},
                          {"146677848", 47, "given result, column 5 false"}}) {
        SCOPED_TRACE(c.numbers);
        Challenger g(1, PuzzleKind::Classic, "M683-8PF3-E1N4-N40");
        Form1& f = g.f;
        for (int p = 0; p < 9; ++p) f.TypeKey(challenge::NumberCells[std::size_t(p)], c.numbers[p]);
        const bool solved = c.result == 0;
        EXPECT_TRUE(g.svc.count("You got it !") == solved && f.NPict[1].Visible == solved && f.RightMess.Visible == !solved);
        EXPECT_EQ(f.GridDisp[49].BackColor, solved ? Green : Grey);
        for (int result : {7, 21, 35, 43, 45, 47})
            EXPECT_TRUE(f.GridDisp[result].BackColor == (result == c.result ? Red : Green) &&
                        f.GridDisp[result].ForeColor == White) << result;
        for (int i : g.Open()) {  // the player's numbers in a false line are red
            const bool inFalse = c.result && (c.result < 43 ? RowOf(i) == RowOf(c.result) : ColumnOf(i) == ColumnOf(c.result));
            EXPECT_EQ(f.GridDisp[i].ForeColor, inFalse ? Red : Cell{}.ForeColor) << i;
        }
        // A screen reader is told what each cell is and how its line stands.
        EXPECT_EQ(solved ? "" : f.CellDescription(c.result), c.told);
        if (c.result != 7) continue;
        EXPECT_TRUE(f.CellDescription(1) == "number to fill in" && f.CellDescription(3) == "given number");
        f.ReadTargets();
        EXPECT_EQ(f.Announcement.Text, "Row 1 false, row 3 true, row 5 true, column 1 true, column 3 true, column 5 true.");
        // Givens take nothing, however they are reached.
        const std::string before = Snapshot(f);
        for (int i : {3, 2, 7, 14, 49}) {
            f.ClickCell(i, 1), f.TypeKey(i, '5'), f.TypeKey(i, '+'), f.TypeKey(i, Form1::DeleteKey);
            f.GridDisp_MouseClick(static_cast<std::int16_t>(i), 1, 0, 0, 0);
        }
        EXPECT_EQ(Snapshot(f), before);
    }
}

TEST(ChallengePlay, HintsExplainWrongNumbersFirstAndCountAsHelp) {
    Challenger g(5, PuzzleKind::Hard);
    Form1& f = g.f;
    const std::vector<int> open = g.Open();
    f.TypeKey(open.back(), g.Wrong(open.back())), f.Hint_Click();
    EXPECT_TRUE(f.HintedCell == open.back() && f.GridDisp[open.back()].Caption.empty() && f.StatusText.Visible);
    const std::string said = f.StatusText.Caption;
    EXPECT_TRUE(said.find(std::string(": ") + g.Wrong(open.back()) + " cannot be right: ") != std::string::npos &&
                said.ends_with(" It has been taken out.")) << said;

    // Hint after hint: each fills the next number a person could find, and says why
    // (the last one already while "You got it !" waits for the player).
    std::string shownAtWin;
    g.svc.onModal = [&] { shownAtWin = f.StatusText.Visible ? f.StatusText.Caption : ""; };
    for (std::size_t n = 0; n < open.size(); ++n) {
        f.Hint_Click();
        ASSERT_NE(f.HintedCell, 0);
        EXPECT_EQ(f.GridDisp[f.HintedCell].Caption[0], g.Solution(f.HintedCell));
    }
    EXPECT_EQ(shownAtWin, f.StatusText.Caption);
    // A screen reader hears the operators as words.
    EXPECT_EQ(f.Announcement.Text, challenge::Spoken(f.StatusText.Caption));
    EXPECT_EQ(challenge::Spoken("Row 3: 4 * ? - 2 = 6, so ? is 2."), "Row 3: 4 times blank minus 2 equals 6, so blank is 2.");
    EXPECT_TRUE(g.svc.count("You got it !") == 1 && f.LevelStats[2].SolvedHelped == 1 && !f.Hintx.Enabled);
}

TEST(ChallengePlay, PuzzleMenuCommandsAndPrintingInAChallenge) {
    Challenger g(3, PuzzleKind::Easy);
    Form1& f = g.f;
    const std::vector<int> open = g.Open();
    // Start a Solution: the givens and the first half of the open numbers (r right, w wrong, . empty).
    f.TypeKey(open[0], g.Wrong(open[0])), f.StartSolx_Click();
    std::string filled;
    for (int cell : open)
        filled += f.GridDisp[cell].Caption.empty() ? '.' : f.GridDisp[cell].Caption[0] == g.Solution(cell) ? 'r' : 'w';
    EXPECT_EQ(filled, "r.r..");  // the two a person finds first, not the first two in reading order
    EXPECT_EQ(f.StatusText.Caption, "Started from the givens: 2 of the 5 open numbers filled in, the first a person would find.");
    // Show Solution: the whole board, counted as revealed.
    f.ShowSolx_Click();
    EXPECT_TRUE(Board(f) == StoredBoard(f) && f.LevelStats[0].Revealed == 1);

    // A page of its own: givens in the puzzle grid, the solution at the foot;
    // the sheet's classic slots untouched.
    const auto sheet = f.SheetLines;
    g.svc.answers = {MsgAnswer::Yes}, f.PrintX_Click();
    ASSERT_EQ(g.svc.printed.size(), 1u);
    const std::vector<std::string>& page = g.svc.printed[0].Lines;  // 4 empty lines, then 5 blanks before each
    EXPECT_EQ(page[4], "     Puzzle No 1" + std::string(28, ' ') + "Easy challenge");
    for (int i = 1; i <= 49; ++i) {
        if (RoleOf(i) == CellRole::Blank || RoleOf(i) == CellRole::Equals) continue;
        const std::size_t row = std::size_t(2 * RowOf(i)), column = std::size_t(4 * ColumnOf(i));
        EXPECT_EQ(page[4 + row][3 + column], f.GridDisp[i].Given ? f.GridDisp[i].Caption[0] : ' ') << i;
        EXPECT_EQ(page[42 + row][42 + column], f.GridDisp[i].Caption[0]) << i;
    }
    EXPECT_EQ(f.SheetLines, sheet);

    // A classic puzzle after a challenge is laid out as a fresh game's.
    f.Classicx_Click(), f.NewPuzx_Click();
    Game fresh;
    fresh.f.NewPuz_Click();
    const auto look = [](const Cell& c) {
        return std::to_string(c.BackColor) + ',' + std::to_string(c.ForeColor) + "-e"[c.Enabled] + "-g"[c.Given]; };
    EXPECT_EQ(CellMap(f, look, 53), CellMap(fresh.f, look, 53));
    EXPECT_EQ(f.RightMess.Caption, "Get corner numbers right");

    // Set-up mode makes a classic puzzle too, and offers no other puzzle meanwhile.
    f.Easyx_Click(), f.NewPuzx_Click(), f.SolveMx_Click(), f.RefreshToolsMenu();  // the window refreshes after every command
    EXPECT_EQ(State(f), "?rE?rE?rE?rE CompMess Solveit(off) end empty 1 0 0 0 0 0");
    EXPECT_TRUE(f.Kind == PuzzleKind::Classic && Roles(f).find('G') == std::string::npos);
    EXPECT_FALSE(f.Todayx.Enabled || f.OpenCodex.Enabled || f.CopyCodex.Enabled || f.NewPuzx.Enabled);
}

TEST(ChallengePlay, CodesOpenCopyAndAreRefusedInOneSentence) {
    Challenger g(21, PuzzleKind::Hard);
    Form1& f = g.f;
    f.CopyCodex_Click();
    const std::string code = g.svc.copied.at(0);
    EXPECT_EQ(f.StatusText.Caption, "Puzzle code " + code + " copied.");
    // The code typed, or given on the command line, is the same puzzle.
    Challenger typed(99), started(98, PuzzleKind::Classic, code);
    typed.svc.codes = {code}, typed.f.OpenCodex_Click();
    EXPECT_TRUE(Roles(typed.f) == Roles(f) && Board(typed.f) == Board(f) && Board(started.f) == Board(f) &&
                typed.f.StatusText.Caption == "Opened puzzle code " + code + ".");

    // A classic code always has its puzzle, even the corners the generator finds hardest.
    for (const std::string corners : {"7281", "7281", "7871", "7871", "8717", "8717"})
        EXPECT_TRUE(f.OpenCode(challenge::ClassicCode({corners[0] - '0', corners[1] - '0', corners[2] - '0', corners[3] - '0'}))
                    && Givens(f) == corners && SolutionHolds(f) && State(f).substr(0, 8) == GivenCorners(f, "g")) << corners;
    EXPECT_EQ(f.PrintList(), "5, 6, 7");  // classic puzzles take the sheet's slots

    // Bad input: one sentence, and the game goes on with the puzzle it had.
    const std::string before = Snapshot(f);
    g.svc.codes = {std::string(""), std::string(code).replace(3, 1, code[3] == '7' ? "8" : "7"), std::nullopt};
    for (int n = 0; n < 3; ++n) f.OpenCodex_Click();
    EXPECT_TRUE(g.svc.messages.size() == 2 && g.svc.messages[0].text == "That code is not a Quorvex puzzle: it is empty.");
    EXPECT_EQ(Snapshot(f), before);

    // Today's puzzle: hard, and the same all day.
    f.Todayx_Click(), typed.f.Todayx_Click();
    EXPECT_TRUE(typed.f.Current.givens == f.Current.givens && f.Kind == PuzzleKind::Hard &&
                f.RightMess.Caption == "Today: every line true");
    EXPECT_EQ(f.StatusText.Caption, "Today's puzzle for 2025-03-14, a hard one: everyone has the same one today.");
}

TEST(ChallengePlay, KindAndStatisticsAreKeptPerKindBesideOldFiles) {
    // The kind is remembered: the next run's first puzzle is of it, and
    // saving another setting keeps it.
    Challenger g(8, PuzzleKind::Medium);
    EXPECT_TRUE(g.f.Kind == PuzzleKind::Medium && g.f.Mediumx.Checked && !g.f.Classicx.Checked);
    g.f.Timerx_Click();
    EXPECT_EQ(g.svc.preferences.NextKind, PuzzleKind::Medium);
    // Reset clears every kind's record.
    g.f.TypeKey(g.Open()[0], '1');
    g.svc.stored.Played = 3, g.svc.answers = {MsgAnswer::Yes}, g.f.ResetStatistics();
    EXPECT_TRUE(g.svc.levels[1] == Statistics{} && g.svc.stored == Statistics{});
    g.f.TypeKey(g.Open()[0], '2');
    EXPECT_EQ(g.f.StatisticsTable()[0], (std::vector<std::string>{"", "Classic", "Easy", "Medium", "Hard"}));
    EXPECT_EQ(g.f.StatisticsTable()[1], (std::vector<std::string>{"Puzzles played", "0", "0", "1", "0"}));

    std::string folder = (std::filesystem::temp_directory_path() / "quorvex-kinds-XXXXXX").string();
    store::GameStore store(mkdtemp(folder.data()));
    // A file from before challenges: its counts stay, the levels start at zero.
    std::ofstream(store.StatisticsFile()) << "[statistics]\nversion=1\nplayed=5\nsolvedUnaided=2\nsolvedWithHelp=1\n"
                                             "currentStreak=1\nbestStreak=2\nbestMs=9000\nunaidedMs=9000 12000\n";
    StatisticsBook book, again;
    StatisticsBookChange change;
    CountSolved(change.Kinds[3], false, 61'000);
    ASSERT_EQ(store.SaveStatistics(change, book).Status, StoreStatus::Ok);
    ASSERT_EQ(store.LoadStatistics(again).Status, StoreStatus::Ok);
    EXPECT_TRUE(again == book && again.Kinds[0].Played == 5 && again.Kinds[3].BestMs == 61'000);
    // A damaged level's record is damage like any other: kept aside, never read as zero.
    std::ofstream(store.StatisticsFile(), std::ios::app) << "[statistics-easy]\nplayed=x\n";
    EXPECT_EQ(store.LoadStatistics(book).Status, StoreStatus::Damaged);

    // The kind in the settings.
    ASSERT_EQ(store.SavePreferences({false, PuzzleKind::Hard}).Status, StoreStatus::Ok);
    EXPECT_TRUE(store.LoadPreferences().NextKind == PuzzleKind::Hard && !store.LoadPreferences().ShowTimer);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quorvex::testing
