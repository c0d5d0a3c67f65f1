// Show Solution, Start a Solution, set-up mode, a generator run that gives up,
// input that arrives while a run is still going, and the end of the program.
#include <functional>
#include <tuple>

#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

using Solving = GameTest;
using Generator = GameTest;

TEST_F(Generator, GivingUpEmptiesTheBoardAndKeepsNumberSheetAndSolutionButNotTheTitle) {
    for (int i : {2, 3, 4, 17, 28}) f.ClickCell(i, 1);
    const std::string b = Board(f);
    const auto sheet = f.SheetLines;
    const auto record = std::tuple(f.SolNum, f.SolOp, f.RightPairResult, f.BottomPairResult);
    int attempts = 0;
    svc.onPendingEvents = [&] { ++attempts; };
    // Rows 1 2 1, 1 1 1, 1 1 1 and all columns fit, the result row can make 2
    // and the result column cannot: every attempt fills the whole record.
    rnd->setScript({1, 2, 1, 1, 1, 1, 1, 1, 1});
    f.CornerVal49 = 2;
    f.GeneratePuzzle();
    // Events run once per attempt and once more before the 501st is refused.
    EXPECT_EQ(attempts, 501);
    EXPECT_TRUE(f.GenOk == 0 && f.PuzzleNo == 1 && f.SheetLines == sheet);
    EXPECT_TRUE(std::tuple(f.SolNum, f.SolOp, f.RightPairResult, f.BottomPairResult) == record);
    EXPECT_EQ(svc.titles.back(), "Puzzle Number  2");
    EXPECT_TRUE(svc.messages.size() == 1 && svc.messages[0].text == "Cannot Solve This Time !" &&
                svc.messages[0].buttons == MsgButtons::Ok);
    EXPECT_EQ(Board(f), EmptyBoard(std::string{b[0], b[6], b[42], b[48]}));
}

// What reached beyond the game: every count of calls out, summed.
std::string Outside(const ScriptedServices& s) {
    return std::to_string(s.messages.size() + s.printed.size() + s.titles.size() + s.helpOpened + s.aboutShown +
                          s.statisticsShown + s.programEnded + s.preferences.ShowTimer + s.saves + s.clockReads);
}

// Input arriving while the game takes none: all of it ignored, and, when
// `svc` is given, nothing reaches beyond the game. `also`: more commands to try.
using Command = std::function<void(Form1&)>;
void Interfere(Form1& f, std::initializer_list<Command> also = {&Form1::GeneratePuzzle},
               const ScriptedServices* svc = nullptr) {
    const auto seen = [&] { return Snapshot(f) + std::to_string(f.HintedCell) + (svc ? Outside(*svc) : ""); };
    const std::string during = seen();
    for (int i : {3, 2, 17, 28, 1, 7, 49}) f.ClickCell(i, 1), f.TypeKey(i, '5'), f.TypeKey(i, '+'), f.TypeKey(i, ' ');
    for (auto command : {&Form1::NewPuz_Click, &Form1::Solveit_Click, &Form1::ShowSolx_Click, &Form1::StartSolx_Click,
                         &Form1::SolveMx_Click, &Form1::Hint_Click, &Form1::Undox_Click, &Form1::Redox_Click})
        (f.*command)();
    for (const Command& command : also) command(f);
    EXPECT_EQ(seen(), during);
}

TEST_F(Solving, ShowAndStartASolution) {
    f.ClickCell(3, 1);
    f.ShowSolx_Click();
    EXPECT_EQ(State(f), GivenCorners(f, "gs") + " NewPuz menus first stored 0 1 -1 -1 -1 -1");
    EXPECT_TRUE(svc.messages.empty());

    f.StartSolx_Click();
    // Every operator "+", every value cell filled ('v': a digit or "?"), cell 1 the given digit.
    std::string shape = Board(f);
    for (char& c : shape) c = c == '.' || c == '+' || c == '=' ? c : 'v';
    EXPECT_EQ(shape, "v+v+v=v+.+.+.+v+v+v=v+.+.+.+v+v+v=v=.=.=.=v+v+v=v");
    EXPECT_EQ(f.GridDisp[1].Caption, std::string(1, Givens(f)[0]));
    EXPECT_EQ(f.PuzzleDone, svc.count("You got it !"));
    const std::string first = Board(f);
    f.StartSolx_Click();  // the same frozen clock, still new digits
    EXPECT_NE(Board(f), first);
    rnd->setScript({2});
    f.StartSolx_Click();
    // Rows 15 and 29 keep the drawn 2, not 2+2+2; cell 49 is re-derived (6+6 alone passes 9).
    EXPECT_EQ(f.GridDisp[21].Caption + f.GridDisp[35].Caption + f.GridDisp[49].Caption, "22?");
    f.ClickCell(3, 1);  // the next click evaluates every line first
    EXPECT_EQ(f.GridDisp[21].Caption + f.GridDisp[35].Caption, "66");
}

TEST_F(Solving, SetUpModeSolvesTheChosenCornersAndGivesBackControl) {
    const auto click = [&](int cell, int button = 1, int times = 1) { while (times--) f.ClickCell(cell, button); };
    const std::pair<std::function<void()>, const char*> steps[] = {
        {[&] { click(3), f.SolveMx_Click(); }, "?rE?rE?rE?rE CompMess Solveit(off) end empty 1 0 0 0 0 0"},
        {[&] { click(1, 1, 5), click(7, 1, 7), click(43, 2, 7); },
         "5rE7rE3rE?rE CompMess Solveit end empty 1 0 5 7 3 0"},
        // Asked to set corner numbers first; nothing else happens.
        {[&] { f.Solveit_Click(); }, "5rE7rE3rE?rE CompMess Solveit end empty 1 0 5 7 3 0"},
        // Keys set a corner at once, and only a corner; a space is a click, a backspace a right click.
        {[&] { f.TypeKey(49, '3'), f.TypeKey(49, ' '), f.TypeKey(49, ' '), f.TypeKey(49, '\b'), f.TypeKey(3, '5'); },
         "5rE7rE3rE4rE CompMess Solveit end empty 1 0 5 7 3 4"},
        {[&] { for (int n = 0; n < 20 && f.Solveit.Enabled; ++n) f.Solveit_Click(); },  // a rare run gives up
         "5rE7rE3rE4rE CompMess Solveit(off) end stored 1 1 5 7 3 4"},
        {[&] { click(17); }, "5rE7rE3rE4rE CompMess Solveit end stored 1 1 5 7 3 4"},
        // Rows fit, column 1 never does: the search gives up.
        {[&] {
             rnd->setScript(NeverFits);
             f.Solveit_Click();
             rnd->setScript({});
         }, "5rE7rE3rE4rE CompMess Solveit end empty 1 1 5 7 3 4"},
        {[&] { f.SolveMx_Click(); }, "5g7g3g4g NewPuz menus again empty 0 1 -1 -1 -1 -1"},
        {[&] { f.SolveMx_Click(); }, "?rE?rE?rE?rE CompMess Solveit end empty 1 0 0 0 0 0"},
    };
    for (const auto& [act, want] : steps) {
        act();
        EXPECT_EQ(State(f), want);
    }
    EXPECT_EQ(svc.count("set corner numbers first"), 1);
    EXPECT_EQ(svc.messages.back().text, "Cannot Solve This Time !");
    f.NewPuz_Click();
    EXPECT_EQ(State(f), GivenCorners(f, "g") + " RightMess NewPuz menus again empty 0 0 -1 -1 -1 -1");
}

// Input in the middle of a run is ignored, except Print, Help and About.
// Exit there, or the close box at any time, ends the program once, and
// afterwards nothing reacts.
TEST(Interruptions, InputDuringARunIsIgnoredAndAfterTheEndNothingRuns) {
    for (bool midRun : {false, true}) {
        Game g;
        std::int16_t cancel = 1;
        g.svc.onPendingEvents = [&] {
            Interfere(g.f);
            for (auto command : {&Form1::PrintX_Click, &Form1::Helpx_Click, &Form1::Aboutx_Click, &Form1::Exitx_Click})
                (g.f.*command)();
        };
        midRun ? g.f.NewPuz_Click() : g.f.Form_Unload(cancel);
        // The run stopped at once: no puzzle was written.
        EXPECT_TRUE(!midRun || (Board(g.f) == EmptyBoard("....") && g.svc.helpOpened == 1 && g.svc.aboutShown == 1 &&
                                g.svc.count("Print Puzzle No(s): 1") == 1));
        g.f.HintedCell = 7;
        Interfere(g.f, {[&](Form1& f) { f.Form_Unload(cancel), f.SetWindowActive(false), f.SetWindowActive(true); },
                        &Form1::Solveit_DragDrop, &Form1::PrintX_Click, &Form1::Helpx_Click, &Form1::Aboutx_Click,
                        &Form1::Exitx_Click, &Form1::Timerx_Click, &Form1::Statx_Click}, &g.svc);
        EXPECT_TRUE(cancel == 0 && g.svc.programEnded == 1) << midRun;
    }
}

// While any modal window is open (a screen reader can still press cells and
// menu items), nothing reaches the game, and the puzzle's clock stands still:
// the window stays open 30 s, and the time neither runs on nor jumps back.
TEST(Interruptions, NothingReachesTheGameWhileAModalWindowIsOpen) {
    for (const auto& [name, open] : std::initializer_list<std::pair<const char*, std::function<void(Form1&)>>>{
             {"You got it !", SolveByClicks}, {"Print", &Form1::PrintX_Click},
             {"About", &Form1::Aboutx_Click}, {"Statistics", &Form1::Statx_Click}}) {
        SCOPED_TRACE(name);
        Game g;
        Form1& f = g.f;
        g.svc.monotonic += 10;
        std::string times;
        g.svc.onModal = [&] {
            if (!times.empty()) return;  // the first modal window only
            g.svc.monotonic += 30;
            times = f.TimerText();
            Interfere(f, {&Form1::PrintX_Click, &Form1::Helpx_Click, &Form1::Aboutx_Click, &Form1::Statx_Click,
                          &Form1::Timerx_Click, &Form1::Solveit_DragDrop, &Form1::Exitx_Click}, &g.svc);
            times += " " + f.TimerText();
        };
        open(f);
        EXPECT_EQ(times + " " + f.TimerText(), "0:10 0:10 0:10");
        EXPECT_EQ(f.Stats.BestMs, f.PuzzleDone ? 10'000 : -1);  // the solve's time stops at the winning step
    }
}

}  // namespace
}  // namespace quorvex::testing
