// Challenges on the board: one laid out (and the classic board back), a
// click or key on an open number, the check that colours each line, the
// explained hint, Start a Solution's head start, and the Game menu.
#include <algorithm>

#include "board/Arithmetic.h"
#include "board/NumberText.h"
#include "challenge/Code.h"
#include "challenge/Logic.h"
#include "game/Form1.h"
#include "game/Texts.h"

namespace quorvex {

using challenge::PuzzleKind;

namespace {

// The six lines of numbers, as LineVerdicts reports them.
constexpr std::array<Line, 6> NumberLines = {RowLine(1),    RowLine(15),   RowLine(29),
                                             ColumnLine(1), ColumnLine(3), ColumnLine(5)};

using BoardCells = std::array<std::string, GridCells + 1>;  // captions by cell, 1..49

// A given's face: the palette's light grey, a shade below the open cells' so
// that what is fixed stands apart from what the player fills in.
constexpr Colour GivenFace = QBColor(7);

// The number a line gives on `cells`, -1 when a number is missing.
template <class Caption>
int LineValue(const Line& l, Caption caption) {
    const auto n = [&](int i) { return OperandValue(caption(i)); };
    return EvalEquation(n(l.operands[0]), n(l.operands[1]), n(l.operands[2]), caption(l.operators[0]),
                        caption(l.operators[1]));
}

BoardCells ChallengeCells(const challenge::Givens& g, const challenge::Numbers& numbers) {
    BoardCells cells;
    for (std::size_t p = 0; p < numbers.size(); ++p) cells[challenge::NumberCells[p]] = std::to_string(numbers[p]);
    for (std::size_t k = 0; k < SolverOperatorCells.size(); ++k)
        cells[SolverOperatorCells[k]] = std::string(1, g.board.operators[k]);
    for (std::size_t k = 0; k < g.results.size(); ++k) cells[challenge::ResultCells[k]] = std::to_string(g.results[k]);
    return cells;
}

// A complete board of the classic game with its results worked out, the
// result row last (the complete solver made the result column agree).
BoardCells CompletedCells(const BoardValues& b) {
    BoardCells cells;
    for (std::size_t p = 0; p < b.numbers.size(); ++p) cells[SolverNumberCells[p]] = std::to_string(b.numbers[p]);
    for (std::size_t k = 0; k < SolverOperatorCells.size(); ++k)
        cells[SolverOperatorCells[k]] = std::string(1, b.operators[k]);
    for (const Line& l : {RowLine(1), RowLine(15), RowLine(29), ColumnLine(1), ColumnLine(3), ColumnLine(5), RowLine(43)})
        cells[l.result] = ResultText(LineValue(l, [&](int i) { return cells[i]; }));
    return cells;
}

int PositionOf(int cell) {
    const auto& cells = challenge::NumberCells;
    return static_cast<int>(std::find(cells.begin(), cells.end(), cell) - cells.begin());
}

std::string RightMessFor(challenge::Level level, bool daily) {
    if (daily) return std::string(text::TodayLabel) + text::EveryLineTrue;
    if (level == challenge::Level::Unrated) return text::UnratedLabel;
    return challenge::LevelName(level) + std::string(text::EveryLineTrue);
}

std::string DateText(const LocalDate& d) {
    const auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return std::to_string(d.Year) + "-" + two(d.Month) + "-" + two(d.Day);
}

}  // namespace

bool Form1::IsOpenNumber(int index) const {
    return index >= 1 && index <= GridCells && RoleOf(index) == CellRole::Number && !GridDisp[index].Given;
}

void Form1::FirstPuzzle() {
    preferences_ = services_.loadPreferences();
    NextKind = preferences_.NextKind;
    if (!StartCode.empty()) {
        const challenge::DecodedCode code = challenge::DecodePuzzleCode(StartCode);
        if (code.puzzle && code.puzzle->classic) return PresentClassic(code.puzzle->corners);
        if (code.puzzle) return PresentChallenge(code.puzzle->challenge, "");
        // The command line checks its code first; whatever gets here is told.
        Ask(code.error, MsgButtons::Ok);
    }
    if (!PresentNextChallenge()) GeneratePuzzle();
}

bool Form1::PresentNextChallenge() {
    if (NextKind == PuzzleKind::Classic) return false;
    const std::optional<challenge::Challenge> made = challenge::Generate(challenge::LevelOf(NextKind), *challengeRandom_);
    if (!made) {
        // Only a source that never delivers gets here; a classic puzzle is better than none.
        Say("No challenge could be made this time: here is a classic puzzle.");
        return false;
    }
    PresentChallenge(*made, "");
    return true;
}

void Form1::RecordSolution(const BoardCells& cells) {
    for (int p = 1; p <= ValuePositions; ++p) SolNum[p] = NumberText(OperandValue(cells[ValuePositionCell(p)]));
    int n = 1;
    for (int r = 1; r <= 7; r += 2)
        for (int c = 2; c <= 4; c += 2) SolOp[n++] = cells[(r - 1) * 7 + c];
    for (int c = 8; c <= 14; c += 2, n += 2) {
        SolOp[n] = cells[c];
        SolOp[n + 1] = cells[c + 14];
    }
}

void Form1::PresentChallenge(const challenge::Challenge& c, std::string daily) {
    Kind = challenge::KindOf(c.level);
    Current = c;
    Daily = std::move(daily);
    PuzzleDone = FlagOff;
    PuzzleNo = NextPuzzleNo(PuzzleNo);
    GenOk = FlagOn;
    services_.setWindowTitle(text::TitlePrefix + NumberText(PuzzleNo));
    const BoardCells cells = ChallengeCells(c.givens, c.solution);
    RecordSolution(cells);
    const Cell plain;
    for (int i = 1; i <= GridCells; ++i) {
        const CellRole role = RoleOf(i);
        if (role == CellRole::Blank || role == CellRole::Equals) continue;
        Cell& cell = GridDisp[i];
        const bool open = role == CellRole::Number && c.givens.board.numbers[std::size_t(PositionOf(i))] == 0;
        cell.Caption = open ? "" : cells[i];
        cell.Given = !open;
        cell.Enabled = open;
        cell.BackColor = open ? plain.BackColor : GivenFace;
        cell.ForeColor = plain.ForeColor;
    }
    for (int i : EqualsCells) GridDisp[i].Caption = "=";
    ShowTargets(false);
    for (int j = 1; j <= 4; ++j) NPict[j].Visible = false;
    RightMess.Caption = RightMessFor(c.level, !Daily.empty());
    RightMess.Visible = true;
    Solveit.Enabled = false;
}

void Form1::PresentClassic(const Corners& corners) {
    RestoreClassicBoard();
    ClearForNewPuzzle();
    // The complete solver never gives up, so a code always has its puzzle;
    // random wishes for it to keep vary the stored solution from run to run.
    BoardValues wish;
    wish.numbers[0] = static_cast<std::int8_t>(corners[0]);
    for (std::size_t k = 1; k < wish.numbers.size(); ++k) wish.numbers[k] = static_cast<std::int8_t>(DrawDigit());
    for (char& op : wish.operators) op = "+-*"[DrawDigit() % 3];
    const std::optional<Completion> board = CompleteBoard(corners, wish);
    PuzzleNo = NextPuzzleNo(PuzzleNo);
    GenOk = FlagOn;
    services_.setWindowTitle(text::TitlePrefix + NumberText(PuzzleNo));
    for (int j = 1; j <= 4; ++j) NPict[j].Visible = false;
    if (board) RecordSolution(CompletedCells(board->board));
    PresentCorners();
}

void Form1::RestoreClassicBoard() {
    if (!InChallenge()) return;
    Kind = PuzzleKind::Classic;
    Current = {};
    Daily.clear();
    RightMess.Caption = text::RightMess;
    const Cell plain;
    for (int i = 1; i <= GridCells; ++i) {
        const CellRole role = RoleOf(i);
        if (role == CellRole::Blank || role == CellRole::Equals) continue;
        Cell& cell = GridDisp[i];
        cell.Given = false;
        cell.BackColor = plain.BackColor;
        cell.ForeColor = plain.ForeColor;
        cell.Enabled = role == CellRole::Number || role == CellRole::RowOperator || role == CellRole::ColumnOperator;
    }
    // As the board was prepared: the given corner and the computed cells take no clicks.
    for (int i : {1, 7, 21, 35, 43, 45, 47, 49}) GridDisp[i].Enabled = false;
    for (int j = 1; j <= 4; ++j) GridDisp[CornerCells[j]].ForeColor = ClrWhite;
    ColourCorners(ClrGreen);
}

void Form1::ChallengeClick(int index, std::int16_t button) {
    if (!IsOpenNumber(index)) return;
    DigitStep(index, button);
    CheckSolution();
}

std::array<Form1::Verdict, 6> Form1::LineVerdicts() const {
    std::array<Verdict, 6> verdicts{};
    const auto caption = [this](int i) { return GridDisp[i].Caption; };
    for (std::size_t k = 0; k < NumberLines.size(); ++k) {
        const Line& l = NumberLines[k];
        const bool filled = std::all_of(l.operands.begin(), l.operands.end(),
                                        [&](int i) { return OperandValue(GridDisp[i].Caption) >= 1; });
        if (!filled) continue;
        verdicts[k] = LineValue(l, caption) == OperandValue(GridDisp[l.result].Caption) ? Verdict::Right : Verdict::Wrong;
    }
    return verdicts;
}

// A finished line's result turns green when the line is true and red when it
// is false, and the player's numbers in a false line turn red; the final
// cell turns green with the last line.
void Form1::ColourChallengeLines(bool solved) {
    const Cell plain;
    for (int i = 1; i <= GridCells; ++i) {
        const CellRole role = RoleOf(i);
        if (role == CellRole::Blank || role == CellRole::Equals) continue;
        GridDisp[i].BackColor = GridDisp[i].Given ? GivenFace : plain.BackColor;
        GridDisp[i].ForeColor = plain.ForeColor;
    }
    const std::array<Verdict, 6> verdicts = LineVerdicts();
    for (std::size_t k = 0; k < NumberLines.size(); ++k) {
        if (verdicts[k] == Verdict::Open) continue;
        const bool right = verdicts[k] == Verdict::Right;
        Cell& result = GridDisp[NumberLines[k].result];
        result.BackColor = right ? ClrGreen : ClrRed;
        result.ForeColor = ClrWhite;
        if (!right)
            for (int i : NumberLines[k].operands)
                if (!GridDisp[i].Given) GridDisp[i].ForeColor = ClrRed;
    }
    if (solved) {
        GridDisp[49].BackColor = ClrGreen;
        GridDisp[49].ForeColor = ClrWhite;
    }
}

void Form1::ChallengeCheck() {
    PuzzleDone = FlagOff;
    const std::array<Verdict, 6> verdicts = LineVerdicts();
    // Every number lies in a row, so six true lines mean a full board that
    // fits the givens: the one solution.
    const bool solved = std::all_of(verdicts.begin(), verdicts.end(), [](Verdict v) { return v == Verdict::Right; });
    ColourChallengeLines(solved);
    for (int j = 1; j <= 4; ++j) NPict[j].Visible = solved;
    RightMess.Visible = !solved;
    if (!solved) return;
    PuzzleDone = FlagOn;
    Ask(text::YouGotIt, MsgButtons::Ok);
}

challenge::Numbers Form1::PlayerNumbers() const {
    challenge::Numbers numbers{};
    for (std::size_t p = 0; p < numbers.size(); ++p) {
        const int v = OperandValue(GridDisp[challenge::NumberCells[p]].Caption);
        numbers[p] = static_cast<std::int8_t>(v >= 1 && v <= 9 ? v : 0);
    }
    return numbers;
}

void Form1::ChallengeHint() {
    const challenge::Hint hint = challenge::NextHint(Current, PlayerNumbers());
    if (hint.kind == challenge::Hint::Kind::Solved) return Say(hint.sentence);
    // Help counts even when the hint is undone afterwards.
    MarkHelped();
    const int cell = challenge::NumberCells[std::size_t(hint.position)];
    const bool wrong = hint.kind == challenge::Hint::Kind::Wrong;
    HintedCell = cell;
    const std::string why = wrong ? hint.sentence + " It has been taken out." : hint.sentence;
    // Shown before the check, which may end the puzzle with a message that
    // waits for the player; said after what the step changed.
    PlayerStep([&] {
        ShowStatus(why);
        SetCaptionAndEvaluate(cell, wrong ? std::string() : std::to_string(hint.value));
    });
    Announce(challenge::Spoken(why));
}

void Form1::ChallengeStart() {
    // A head start, not a random board: the givens and the first half of the
    // open numbers, in the order a person would find them.
    MarkHelped();
    std::vector<int> order;
    for (const challenge::Step& step : challenge::SolveLogically(Current.givens).steps) order.push_back(step.position);
    const challenge::Numbers& given = Current.givens.board.numbers;
    int open = 0;
    for (int p = 0; p < 9; ++p) {
        if (given[std::size_t(p)]) continue;
        ++open;
        // A hand-made code beyond every technique: the rest in reading order.
        if (std::find(order.begin(), order.end(), p) == order.end()) order.push_back(p);
    }
    const int fill = std::max(1, open / 2);
    const std::string started = "Started from the givens: " + std::to_string(fill) + " of the " +
                                std::to_string(open) + " open numbers filled in, the first a person would find.";
    PlayerStep([&] {
        ShowStatus(started);
        SetupMode = FlagOff;
        for (int p = 0; p < 9; ++p)
            if (!given[std::size_t(p)]) GridDisp[challenge::NumberCells[std::size_t(p)]].Caption = "";
        for (int n = 0; n < fill; ++n) {
            const std::size_t p = std::size_t(order[std::size_t(n)]);
            GridDisp[challenge::NumberCells[p]].Caption = std::to_string(Current.solution[p]);
        }
        CheckSolution();
    });
    Announce(challenge::Spoken(started));
}

std::string Form1::PuzzleCode() const {
    if (SetupMode == FlagOn || GenOk != FlagOn) return "";
    if (InChallenge()) return challenge::ChallengeCode(Current.givens, Current.level);
    Corners corners{};
    for (std::size_t k = 0; k < corners.size(); ++k) {
        corners[k] = static_cast<int>(NumericValue(SolNum[CornerValuePositions[k]]));
        if (corners[k] < 1 || corners[k] > 9) return "";
    }
    return challenge::ClassicCode(corners);
}

bool Form1::OpenCode(std::string_view code) {
    if (Busy()) return false;
    const challenge::DecodedCode decoded = challenge::DecodePuzzleCode(code);
    if (!decoded.puzzle) {
        Ask(decoded.error, MsgButtons::Ok);
        return false;
    }
    LeavePuzzle();
    if (SetupMode == FlagOn) SolveMx_Click();
    if (decoded.puzzle->classic) PresentClassic(decoded.puzzle->corners);
    else PresentChallenge(decoded.puzzle->challenge, "");
    if (ended_) return false;
    BeginPlayPuzzle();
    Say("Opened puzzle code " + PuzzleCode() + ".");
    return true;
}

void Form1::ChooseKind(PuzzleKind kind) {
    if (Blocked()) return;
    NextKind = preferences_.NextKind = kind;
    // A failed save only means classic next time; a replaced link is worth a line.
    ReportLink(services_.savePreferences(preferences_));
    RefreshGameMenu();
    static constexpr const char* Next[] = {"a classic one", "an easy challenge", "a medium challenge",
                                           "a hard challenge"};
    Say(std::string("The next new puzzle will be ") + Next[static_cast<int>(kind)] + ".");
}

void Form1::Classicx_Click() { ChooseKind(PuzzleKind::Classic); }
void Form1::Easyx_Click() { ChooseKind(PuzzleKind::Easy); }
void Form1::Mediumx_Click() { ChooseKind(PuzzleKind::Medium); }
void Form1::Hardx_Click() { ChooseKind(PuzzleKind::Hard); }

void Form1::NewPuzx_Click() {
    if (NewPuz.TakesInput()) NewPuz_Click();
}

void Form1::Todayx_Click() {
    if (Busy() || SetupMode == FlagOn) return;
    const LocalDate today = services_.today();
    const std::optional<challenge::Challenge> daily = challenge::DailyChallenge(today.Year, today.Month, today.Day);
    if (!daily) return;
    LeavePuzzle();
    PresentChallenge(*daily, DateText(today));
    BeginPlayPuzzle();
    Say("Today's puzzle for " + Daily + ", a hard one: everyone has the same one today.");
}

void Form1::CopyCodex_Click() {
    const std::string code = PuzzleCode();
    if (Blocked() || code.empty()) return;
    services_.copyText(code);
    Say("Puzzle code " + code + " copied.");
}

void Form1::OpenCodex_Click() {
    if (Busy() || SetupMode == FlagOn) return;
    std::optional<std::string> code;
    Modal([&] { code = services_.askPuzzleCode(); });
    if (code && !ended_) OpenCode(*code);
}

void Form1::RefreshGameMenu() {
    Classicx.Checked = NextKind == PuzzleKind::Classic;
    Easyx.Checked = NextKind == PuzzleKind::Easy;
    Mediumx.Checked = NextKind == PuzzleKind::Medium;
    Hardx.Checked = NextKind == PuzzleKind::Hard;
    // Set-up mode offers no new puzzle, as it hides the New Puzzle button.
    NewPuzx.Enabled = NewPuz.Visible && NewPuz.Enabled;
    Todayx.Enabled = OpenCodex.Enabled = SetupMode == FlagOff;
    CopyCodex.Enabled = !PuzzleCode().empty();
}

void Form1::ShowStatus(std::string sentence) {
    ++statusSerial_;
    StatusText.Visible = !sentence.empty();
    StatusText.Caption = std::move(sentence);
}

void Form1::Say(std::string sentence) {
    // Said as well as shown: it replaces what the step's changes would have said.
    Announce(challenge::Spoken(sentence));
    ShowStatus(std::move(sentence));
}

}  // namespace quorvex
