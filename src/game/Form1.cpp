// Form1's start-up, its ending, and the commands that only reach outside.
#include "game/Form1.h"

#include <random>

#include "board/Colour.h"
#include "game/Texts.h"

namespace quorvex {

Form1::Form1(Services& services, std::unique_ptr<RandomSource> random,
             std::unique_ptr<challenge::ChallengeRandom> challengeRandom)
    : services_(services),
      random_(random ? std::move(random) : std::make_unique<GameRandom>()),
      challengeRandom_(challengeRandom ? std::move(challengeRandom)
                                       : std::make_unique<challenge::SeededRandom>(
                                             (std::uint64_t{std::random_device{}()} << 32) ^ std::random_device{}())) {
    NewPuz.Caption = text::NewPuz;
    Solveit.Caption = text::Solveit;
    RightMess.Caption = text::RightMess;
    CompMess.Caption = text::CompMess;
    Gamex.Caption = text::MenuPuzzle;
    StartSolx.Caption = text::StartSolx;
    ShowSolx.Caption = text::ShowSolx;
    SolveMx.Caption = text::SolveMxFirst;
    PrintX.Caption = text::PrintX;
    Helpx.Caption = text::Helpx;
    Aboutx.Caption = text::Aboutx;
    Exitx.Caption = text::Exitx;
    Toolsx.Caption = text::MenuTools;
    Undox.Caption = text::Undox;
    Redox.Caption = text::Redox;
    Hintx.Caption = text::Hintx;
    Statx.Caption = text::Statx;
    Timerx.Caption = text::Timerx;
    Undox.Enabled = Redox.Enabled = Hintx.Enabled = false;
    Timerx.Checkable = Timerx.Checked = true;
    GameKindx.Caption = text::MenuGame;
    Classicx.Caption = text::Classicx;
    Easyx.Caption = text::Easyx;
    Mediumx.Caption = text::Mediumx;
    Hardx.Caption = text::Hardx;
    for (MenuItem* kind : {&Classicx, &Easyx, &Mediumx, &Hardx}) kind->Checkable = true;
    Classicx.Checked = true;
    NewPuzx.Caption = text::NewPuzx;
    Todayx.Caption = text::Todayx;
    CopyCodex.Caption = text::CopyCodex;
    OpenCodex.Caption = text::OpenCodex;
    StatusText.Visible = false;
    StatusNote.Visible = false;
    // The design-time caption of every cell, cleared by start-up.
    for (Cell& cell : GridDisp) cell.Caption = "9";
}

void Form1::Form_Load() {
    OpPlus = "+";
    OpMinus = "-";
    OpTimes = "*";
    LineResult = "";
    FlagOff = 0;
    FlagOn = 1;
    PuzzleNo = 0;
    OpPairs = {"", "++", "+-", "--", "-+", "+*", "*+", "-*", "*-", "**"};
    PairCount = 9;
    SetupMode = FlagOff;
    CornerVal1 = CornerVal7 = CornerVal43 = CornerVal49 = -1;
    ClrBlack = QBColor(0);
    ClrRed = QBColor(4);
    ClrGreen = QBColor(2);
    ClrWhite = QBColor(15);
    CornerCells = {0, 1, 7, 43, 49};
    CompMess.Visible = false;
    // The sheet must exist before the first puzzle is recorded in it.
    BuildSheetTemplate();
    Solveit.Visible = false;
    // Tags and colours must exist before the generator writes the corners.
    PrepareBoard();
    FirstPuzzle();
    if (ended_) return;
    LoadStored();
    BeginPlayPuzzle();
}

void Form1::EndProgram() {
    if (ended_) return;
    // What a busy or failing store left unsaved gets one more try.
    SaveStatistics();
    ended_ = true;
    services_.endProgram();
}

void Form1::Form_Unload(std::int16_t& Cancel) {
    Cancel = 0;
    EndProgram();
}

void Form1::Exitx_Click() {
    if (!Blocked()) EndProgram();
}

void Form1::Modal(const std::function<void()>& show) {
    // While it is open nothing else may reach the game (a screen reader can
    // still press cells and menu items), and the puzzle's clock stands still.
    ++modal_;
    SyncClock(services_.monotonicSeconds());
    struct Close {
        Form1& f;
        ~Close() {
            --f.modal_;
            if (!f.ended_) f.SyncClock(f.services_.monotonicSeconds());
        }
    } close{*this};
    show();
}

MsgAnswer Form1::Ask(std::string_view text, MsgButtons buttons) {
    MsgAnswer answer = MsgAnswer::Ok;
    Modal([&] { answer = services_.showMessage(text, buttons); });
    return answer;
}

void Form1::Helpx_Click() {
    if (!Blocked()) services_.openHelp();
}

void Form1::Aboutx_Click() {
    if (!Blocked()) Modal([this] { services_.showAbout(); });
}

void Form1::ShowTargets(bool visible) {
    for (int i = 50; i <= 53; ++i) GridDisp[i].Visible = visible;
}

void Form1::ColourCorners(Colour back) {
    for (int k = 1; k <= 4; ++k) GridDisp[CornerCells[k]].BackColor = back;
}

void Form1::ClickCell(int index, int button) {
    // Cell 0 is the design's template: it lies outside the window and is never played.
    if (index < 1 || index >= CellCount || !GridDisp[index].TakesInput()) return;
    PlayerStep([&] { GridDisp_MouseClick(static_cast<std::int16_t>(index), static_cast<std::int16_t>(button), 0, 0, 0); });
}

}  // namespace quorvex
