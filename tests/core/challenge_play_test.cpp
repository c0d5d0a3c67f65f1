// Challenges in the game: each level played to a win by clicks and by keys,
// lines coloured as they are finished, hints that explain, the Puzzle menu's
// commands, codes and today's puzzle, the kind remembered, and statistics kept
// per kind in the file beside the classic ones.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "CoreHelpers.h"
#include "challenge/Code.h"
#include "challenge/Generator.h"
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
    char Solution(int cell) const {
        const auto p = std::find(challenge::NumberCells.begin(), challenge::NumberCells.end(), cell);
        return static_cast<char>('0' + f.Current.solution[std::size_t(p - challenge::NumberCells.begin())]);
    }
    char Wrong(int cell) const { return static_cast<char>('1' + (Solution(cell) - '0') % 9); }
    std::vector<int> Open() const {
        std::vector<int> open;
        for (int cell : challenge::NumberCells)
            if (!f.GridDisp[cell].Given) open.push_back(cell);
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
// The six lines: o open, r right, w wrong.
std::string Verdicts(const Form1& f) {
    std::string s;
    for (Form1::Verdict v : f.LineVerdicts()) s += "orw"[static_cast<int>(v)];
    return s;
}

TEST(ChallengePlay, EveryLevelPlaysToAWinByClicksAndByKeys) {
    for (unsigned seed : TestSeeds({7})) {
        for (auto [kind, choose] : {std::pair{PuzzleKind::Easy, &Form1::Easyx_Click},
                                    {PuzzleKind::Medium, &Form1::Mediumx_Click}, {PuzzleKind::Hard, &Form1::Hardx_Click}}) {
            for (bool keys : {false, true}) {
                SCOPED_TRACE(::testing::Message() << challenge::KindName(kind) << (keys ? " by keys" : " by clicks"));
                Challenger g(seed + static_cast<unsigned>(kind));
                Form1& f = g.f;
                (f.*choose)();
                EXPECT_EQ(g.svc.preferences.NextKind, kind);
                EXPECT_TRUE(!f.Classicx.Checked && f.Easyx.Checked == (kind == PuzzleKind::Easy));
                EXPECT_EQ(f.Kind, PuzzleKind::Classic);  // only the next puzzle changes
                f.NewPuz_Click();

                ASSERT_EQ(f.Kind, kind);
                EXPECT_EQ(g.svc.titles.back(), "Puzzle Number  2");
                EXPECT_EQ(f.RightMess.Caption, std::string(challenge::LevelName(f.Current.level)) + ": every line true");
                std::string roles = Roles(f);
                for (int cell : g.Open()) roles[cell - 1] = roles[cell - 1] == 'o' ? 'G' : '!';
                EXPECT_EQ(roles, "GGGGG.G" "G.G.G.G" "GGGGG.G" "G.G.G.G" "GGGGG.G" "......." "GGGGG.G");
                for (int j = 1; j <= 4; ++j) EXPECT_FALSE(f.NPict[j].Visible || f.GridDisp[49 + j].Visible);

                for (int cell : g.Open()) {
                    if (keys) f.TypeKey(cell, g.Solution(cell));
                    for (int n = 0; n < 9 && f.GridDisp[cell].Caption[0] != g.Solution(cell); ++n) f.ClickCell(cell, 2);
                }
                EXPECT_EQ(g.svc.count("You got it !"), 1);
                EXPECT_EQ(Board(f), StoredBoard(f));  // the stored solution is the board played
                EXPECT_TRUE(BoardHolds(Board(f)));
                for (int cell : {7, 21, 35, 43, 45, 47, 49}) EXPECT_EQ(f.GridDisp[cell].BackColor, Green) << cell;
                EXPECT_FALSE(f.RightMess.Visible);
                for (int j = 1; j <= 4; ++j) EXPECT_TRUE(f.NPict[j].Visible);

                // Counted for the level alone, and saved at once.
                const Statistics& level = f.LevelStats[static_cast<std::size_t>(kind) - 1];
                EXPECT_TRUE(level.Played == 1 && level.SolvedUnaided == 1 && f.Stats.Played == 0);
                EXPECT_EQ(g.svc.levels[static_cast<std::size_t>(kind) - 1], level);
            }
        }
    }
}

TEST(ChallengePlay, FinishedLinesAreColouredAndGivensTakeNothing) {
    Challenger g(11, PuzzleKind::Medium);
    Form1& f = g.f;
    // Every number right but one: its row and its column are false.
    const std::vector<int> open = g.Open();
    const int cell = open[0], row = RowOf(cell) / 2, column = 3 + ColumnOf(cell) / 2;
    for (int i : open)
        if (i != cell) f.TypeKey(i, g.Solution(i));
    f.TypeKey(cell, g.Wrong(cell));
    std::string wrong = "rrrrrr";
    wrong[std::size_t(row)] = wrong[std::size_t(column)] = 'w';
    EXPECT_EQ(Verdicts(f), wrong);
    for (std::size_t k = 0; k < 6; ++k) {
        const Cell& result = f.GridDisp[k < 3 ? 7 + 14 * k : 43 + 2 * (k - 3)];
        EXPECT_EQ(result.BackColor, wrong[k] == 'w' ? Red : Green) << k;
        EXPECT_EQ(result.ForeColor, White);
    }
    for (int i : open)  // the player's numbers in a false line are red
        EXPECT_EQ(f.GridDisp[i].ForeColor,
                  RowOf(i) == RowOf(cell) || ColumnOf(i) == ColumnOf(cell) ? Red : Cell{}.ForeColor);
    EXPECT_EQ(f.GridDisp[49].BackColor, Grey);
    // A screen reader hears which lines turned, what each cell is, and on T how the lines stand.
    const std::string rowSaid = "Row " + std::to_string(RowOf(cell)) + " false",
                      columnSaid = "Column " + std::to_string(ColumnOf(cell)) + " false";
    const std::string& said = f.Announcement.Text;
    EXPECT_NE(said.find(rowSaid + ". " + columnSaid), std::string::npos) << said;
    EXPECT_EQ(f.CellDescription(cell), "number to fill in");
    EXPECT_EQ(f.CellDescription(2), "given operator");
    EXPECT_EQ(f.CellDescription(7 + 14 * row), "given result, row " + std::to_string(RowOf(cell)) + " false");
    f.ReadTargets();
    EXPECT_EQ(said.substr(0, rowSaid.size() + 6), (row == 0 ? "Row 1 false" : "Row 1 true") + std::string(", row "));

    f.TypeKey(cell, Form1::DeleteKey);
    std::string cleared = wrong;
    std::replace(cleared.begin(), cleared.end(), 'w', 'o');
    EXPECT_EQ(Verdicts(f), cleared);
    EXPECT_EQ(f.GridDisp[7 + 14 * row].BackColor, Grey);
    EXPECT_EQ(f.GridDisp[2].BackColor, Grey);  // every given on the palette's light grey
    EXPECT_EQ(f.GridDisp[cell].BackColor, Cell{}.BackColor);
    EXPECT_EQ(f.GridDisp[cell].ForeColor, Cell{}.ForeColor);
    f.Undox_Click();
    EXPECT_EQ(Verdicts(f), wrong);
    EXPECT_EQ(f.GridDisp[cell].ForeColor, Red);

    // Givens take nothing, however they are reached.
    const std::string before = Snapshot(f);
    const int given = *std::find_if(challenge::NumberCells.begin(), challenge::NumberCells.end(),
                                    [&](int i) { return f.GridDisp[i].Given; });
    for (int i : {given, 2, 7, 14, 49}) {
        f.ClickCell(i, 1), f.TypeKey(i, '5'), f.TypeKey(i, '+'), f.TypeKey(i, Form1::DeleteKey);
        f.GridDisp_MouseClick(static_cast<std::int16_t>(i), 1, 0, 0, 0);
    }
    EXPECT_EQ(Snapshot(f), before);
    EXPECT_EQ(g.svc.count("You got it !"), 0);
}

TEST(ChallengePlay, HintsExplainWrongNumbersFirstAndCountAsHelp) {
    Challenger g(5, PuzzleKind::Hard);
    Form1& f = g.f;
    const std::vector<int> open = g.Open();
    f.TypeKey(open.back(), g.Wrong(open.back()));
    f.Hint_Click();
    EXPECT_EQ(f.HintedCell, open.back());
    EXPECT_EQ(f.GridDisp[open.back()].Caption, "");
    EXPECT_TRUE(f.StatusText.Visible);
    const std::string said = f.StatusText.Caption;
    EXPECT_NE(said.find(std::string(": ") + g.Wrong(open.back()) + " cannot be right: "), std::string::npos) << said;
    EXPECT_EQ(said.substr(said.size() - 22), "It has been taken out.");
    f.Undox_Click();  // the sentence was about the board undone
    EXPECT_FALSE(f.StatusText.Visible);
    f.Redox_Click();

    // Hint after hint: each fills the next number a person could find, and says why
    // (the last one already while "You got it !" waits for the player).
    std::set<std::string> sentences;
    std::string shownAtWin;
    g.svc.onModal = [&] { shownAtWin = f.StatusText.Visible ? f.StatusText.Caption : ""; };
    for (std::size_t n = 0; n < open.size(); ++n) {
        f.Hint_Click();
        ASSERT_NE(f.HintedCell, 0);
        EXPECT_EQ(f.GridDisp[f.HintedCell].Caption[0], g.Solution(f.HintedCell));
        sentences.insert(f.StatusText.Caption);
    }
    EXPECT_EQ(sentences.size(), open.size());
    EXPECT_EQ(f.Announcement.Text, challenge::Spoken(f.StatusText.Caption));
    EXPECT_EQ(shownAtWin, f.StatusText.Caption);
    // A screen reader hears the operators as words.
    EXPECT_EQ(challenge::Spoken("Row 3: 4 * ? - 2 = 6, so ? is 2."),
              "Row 3: 4 times blank minus 2 equals 6, so blank is 2.");
    for (const std::string& sentence : sentences)
        EXPECT_EQ(challenge::Spoken(sentence).find_first_of("*?="), std::string::npos) << sentence;
    EXPECT_EQ(g.svc.count("You got it !"), 1);
    EXPECT_FALSE(f.Hintx.Enabled);
    EXPECT_TRUE(f.LevelStats[2].SolvedHelped == 1 && f.LevelStats[2].SolvedUnaided == 0);
}

TEST(ChallengePlay, PuzzleMenuCommandsAndPrintingInAChallenge) {
    Challenger g(3, PuzzleKind::Easy);
    Form1& f = g.f;
    const std::vector<int> open = g.Open();
    ASSERT_EQ(open.size(), 5u);  // easy keeps four givens

    // Start a Solution: the givens and the first half of the open numbers, as a person finds them.
    f.TypeKey(open[0], g.Wrong(open[0]));
    f.StartSolx_Click();
    int filled = 0;
    for (int cell : open) {
        const std::string& c = f.GridDisp[cell].Caption;
        EXPECT_TRUE(c.empty() || c[0] == g.Solution(cell)) << cell;
        filled += !c.empty();
    }
    EXPECT_EQ(filled, 2);
    EXPECT_EQ(f.StatusText.Caption,
              "Started from the givens: 2 of the 5 open numbers filled in, the first a person would find.");

    // Show Solution: the whole board, every line right, counted as revealed.
    f.ShowSolx_Click();
    EXPECT_EQ(Board(f), StoredBoard(f));
    EXPECT_EQ(Verdicts(f), "rrrrrr");
    EXPECT_EQ(f.LevelStats[0].Revealed, 1);

    // A page of its own: givens in the puzzle grid, the solution at the foot;
    // the sheet's classic slots untouched.
    const std::array<std::string, 81> sheet = f.SheetLines;
    g.svc.answers = {MsgAnswer::Yes};
    f.PrintX_Click();
    EXPECT_EQ(g.svc.messages.back().text, "Print Puzzle No(s): 1");
    ASSERT_EQ(g.svc.printed.size(), 1u);
    const std::vector<std::string>& page = g.svc.printed[0].Lines;  // 4 empty lines, then 5 blanks before each
    const auto at = [&](int line, int column) { return page[std::size_t(3 + line)][std::size_t(4 + column)]; };
    EXPECT_EQ(page[4], "     Puzzle No 1" + std::string(28, ' ') + "Easy challenge");
    EXPECT_EQ(page[6].substr(44, 5 + f.PuzzleCode().size()), "Code " + f.PuzzleCode());
    EXPECT_EQ(page[42].substr(44, 23), "Solution to Puzzle No 1");
    for (int i = 1; i <= 49; ++i) {
        if (RoleOf(i) == CellRole::Blank || RoleOf(i) == CellRole::Equals) continue;
        EXPECT_EQ(at(1 + 2 * RowOf(i), 4 * ColumnOf(i) - 1), f.GridDisp[i].Given ? f.GridDisp[i].Caption[0] : ' ') << i;
        EXPECT_EQ(at(39 + 2 * RowOf(i), 4 * ColumnOf(i) + 38), f.GridDisp[i].Caption[0]) << i;
    }
    EXPECT_EQ(f.SheetLines, sheet);

    // A classic puzzle after a challenge is laid out as a fresh game's.
    f.Classicx_Click();
    f.NewPuzx_Click();
    Game fresh;
    fresh.f.NewPuz_Click();
    const auto look = [](const Form1& game) {
        const auto one = [](const Cell& c) {
            return std::to_string(c.BackColor) + char('0' + c.Enabled + 2 * c.Given) + std::to_string(c.ForeColor);
        };
        return CellMap(game, one, 53);
    };
    EXPECT_EQ(look(f), look(fresh.f));
    EXPECT_EQ(f.RightMess.Caption, "Get corner numbers right");

    // Set-up mode makes a classic puzzle too, and offers no other puzzle meanwhile.
    f.Easyx_Click();
    f.NewPuzx_Click();
    ASSERT_EQ(f.Kind, PuzzleKind::Easy);
    f.SolveMx_Click();
    f.RefreshToolsMenu();  // as the window does after every command
    EXPECT_EQ(f.Kind, PuzzleKind::Classic);
    EXPECT_EQ(State(f), "?rE?rE?rE?rE CompMess Solveit(off) end empty 1 0 0 0 0 0");
    EXPECT_EQ(Roles(f).find('G'), std::string::npos);
    EXPECT_FALSE(f.Todayx.Enabled || f.OpenCodex.Enabled || f.CopyCodex.Enabled || f.NewPuzx.Enabled);
}

TEST(ChallengePlay, CodesOpenCopyAndAreRefusedInOneSentence) {
    Challenger g(21, PuzzleKind::Hard);
    Form1& f = g.f;
    f.CopyCodex_Click();
    ASSERT_EQ(g.svc.copied.size(), 1u);
    const std::string code = g.svc.copied[0];
    EXPECT_EQ(code[0], 'H');
    EXPECT_EQ(f.StatusText.Caption, "Puzzle code " + code + " copied.");

    // The code typed, or given on the command line, is the same puzzle.
    Challenger typed(99), started(98, PuzzleKind::Classic, code);
    typed.svc.codes = {code};
    typed.f.OpenCodex_Click();
    EXPECT_TRUE(Roles(typed.f) == Roles(f) && Board(typed.f) == Board(f) && Board(started.f) == Board(f));
    EXPECT_EQ(typed.f.StatusText.Caption, "Opened puzzle code " + code + ".");

    // A classic code always has its puzzle, even the corners the generator finds hardest.
    for (const std::string corners : {"7281", "7871", "8717"}) {
        for (int n = 0; n < 5; ++n) {
            const Corners digits = {corners[0] - '0', corners[1] - '0', corners[2] - '0', corners[3] - '0'};
            ASSERT_TRUE(f.OpenCode(challenge::ClassicCode(digits)));
            EXPECT_EQ(Givens(f), corners);
            EXPECT_TRUE(SolutionHolds(f));
            EXPECT_EQ(State(f).substr(0, 8), GivenCorners(f, "g"));
        }
    }
    EXPECT_EQ(f.Kind, PuzzleKind::Classic);
    EXPECT_EQ(g.svc.count(text::CannotSolve), 0);
    EXPECT_EQ(f.PrintList(), "14, 15, 16");  // classic puzzles take the sheet's slots

    // Bad input: one sentence, and the game goes on with the puzzle it had.
    const std::string before = Snapshot(f);
    const std::string tampered = std::string(code).replace(3, 1, code[3] == '7' ? "8" : "7");
    g.svc.codes = {std::string(""), tampered, std::nullopt};
    for (int n = 0; n < 3; ++n) f.OpenCodex_Click();
    ASSERT_EQ(g.svc.messages.size(), 2u);
    EXPECT_EQ(g.svc.messages[0].text, "That code is not a Quorvex puzzle: it is empty.");
    EXPECT_EQ(g.svc.messages[1].text,
              "That code is not a Quorvex puzzle: a character is mistyped or missing (its check character does not match).");
    EXPECT_EQ(Snapshot(f), before);

    // Today's puzzle: hard, and the same all day.
    f.Todayx_Click();
    typed.f.Todayx_Click();
    EXPECT_TRUE(typed.f.Current.givens == f.Current.givens && f.Kind == PuzzleKind::Hard);
    EXPECT_EQ(f.RightMess.Caption, "Today: every line true");
    EXPECT_EQ(f.StatusText.Caption, "Today's puzzle for 2025-03-14, a hard one: everyone has the same one today.");

    // The command line's codes: each kind's own, read back as that kind.
    challenge::SeededRandom random(4);
    for (PuzzleKind kind : {PuzzleKind::Classic, PuzzleKind::Easy, PuzzleKind::Medium, PuzzleKind::Hard}) {
        const challenge::DecodedCode d = challenge::DecodePuzzleCode(challenge::GenerateCode(kind, random));
        ASSERT_TRUE(d.puzzle) << d.error;
        EXPECT_EQ(d.puzzle->classic ? PuzzleKind::Classic : challenge::KindOf(d.puzzle->challenge.level), kind);
    }
}

TEST(ChallengePlay, KindAndStatisticsAreKeptPerKindBesideOldFiles) {
    // The kind is remembered: the next run's first puzzle is of it, and
    // saving another setting keeps it.
    Challenger g(8, PuzzleKind::Medium);
    EXPECT_EQ(g.f.Kind, PuzzleKind::Medium);
    EXPECT_TRUE(g.f.Mediumx.Checked && !g.f.Classicx.Checked);
    g.f.Timerx_Click();
    EXPECT_EQ(g.svc.preferences.NextKind, PuzzleKind::Medium);

    // Reset clears every kind's record.
    g.f.TypeKey(g.Open()[0], '1');
    g.svc.stored.Played = 3;
    g.svc.answers = {MsgAnswer::Yes};
    g.f.ResetStatistics();
    EXPECT_TRUE(g.svc.levels[1] == Statistics{} && g.svc.stored == Statistics{});
    g.f.TypeKey(g.Open()[0], '2');
    const auto table = g.f.StatisticsTable();
    ASSERT_EQ(table.size(), g.f.StatisticsLines().size() + 1);
    EXPECT_EQ(table[0], (std::vector<std::string>{"", "Classic", "Easy", "Medium", "Hard"}));
    EXPECT_EQ(table[1], (std::vector<std::string>{"Puzzles played", "0", "0", "1", "0"}));

    namespace fs = std::filesystem;
    std::string name = (fs::temp_directory_path() / "quorvex-kinds-XXXXXX").string();
    const fs::path folder = mkdtemp(name.data());
    store::GameStore store(folder.string());
    // A file from before challenges: its counts stay, the levels start at zero.
    std::ofstream(store.StatisticsFile()) << "[statistics]\nversion=1\nplayed=5\nsolvedUnaided=2\nsolvedWithHelp=1\n"
                                             "currentStreak=1\nbestStreak=2\nbestMs=9000\nunaidedMs=9000 12000\n";
    StatisticsBook book, again;
    StatisticsBookChange change;
    CountSolved(change.Kinds[3], false, 61'000);
    ASSERT_EQ(store.SaveStatistics(change, book).Status, StoreStatus::Ok);
    ASSERT_EQ(store.LoadStatistics(again).Status, StoreStatus::Ok);
    EXPECT_EQ(again, book);
    EXPECT_TRUE(again.Kinds[0].Played == 5 && again.Kinds[3].SolvedUnaided == 1 && again.Kinds[3].BestMs == 61'000);
    // A damaged level's record is damage like any other: kept aside, never read as zero.
    std::ofstream(store.StatisticsFile(), std::ios::app) << "[statistics-easy]\nplayed=x\n";
    EXPECT_EQ(store.LoadStatistics(book).Status, StoreStatus::Damaged);

    // The kind in the settings; a name it does not know means classic.
    ASSERT_EQ(store.SavePreferences({false, PuzzleKind::Hard}).Status, StoreStatus::Ok);
    EXPECT_EQ(store.LoadPreferences().NextKind, PuzzleKind::Hard);
    EXPECT_FALSE(store.LoadPreferences().ShowTimer);
    std::ofstream(store.SettingsFile()) << "[game]\nkind=expert\n";
    EXPECT_EQ(store.LoadPreferences().NextKind, PuzzleKind::Classic);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace quorvex::testing
