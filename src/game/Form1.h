// Form1: the main window's state and every handler of the game. The Qt front
// end only paints this state and forwards input; tests drive it directly.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "board/Cell.h"
#include "board/Colour.h"
#include "board/Layout.h"
#include "challenge/Challenge.h"
#include "challenge/Generator.h"
#include "game/History.h"
#include "game/Services.h"
#include "game/Statistics.h"
#include "generator/RandomSource.h"

namespace quorvex {

// A caption as it is spoken: "plus", "minus", "times", "equals", "empty".
std::string SpokenValue(const std::string& caption);
// Corner j (1..4) in words: "top left", "top right", "bottom left", "bottom right".
std::string CornerName(int j);

class Form1 {
public:
    // The game's own random generator is used unless another is given (tests
    // script the draws to reach rare paths); challenges draw from a source
    // seeded at random unless one is given.
    explicit Form1(Services& services, std::unique_ptr<RandomSource> random = nullptr,
                   std::unique_ptr<challenge::ChallengeRandom> challengeRandom = nullptr);

    // ---- Controls: what the window shows --------------------------------
    std::array<Cell, CellCount> GridDisp;  // the board, 0..53
    Cell NewPuz;                           // "New Puzzle" button
    Cell Solveit;                          // "Solve Puzzle" button, same place as NewPuz
    Control Frame1;
    Control RightMess;                     // play-mode label
    Control CompMess;                      // set-up-mode label, same place as RightMess
    std::array<Control, 5> NPict;          // smileys 1..4 over the target cells; 0 unused
    MenuItem Gamex, StartSolx, ShowSolx, SolveMx, PrintX, Helpx, Aboutx, Exitx;

    // ---- Shared state set at start-up ------------------------------------
    std::string OpPlus, OpMinus, OpTimes;
    std::int16_t FlagOn = 1, FlagOff = 0;
    std::array<std::string, 10> OpPairs;  // 1..9: "++", "+-", "--", "-+", "+*", "*+", "-*", "*-", "**"
    std::int16_t PairCount = 0;
    Colour ClrBlack = 0, ClrRed = 0, ClrGreen = 0, ClrWhite = 0;
    std::array<std::int16_t, 5> CornerCells{};  // 1..4: 1, 7, 43, 49

    // ---- Mode flags and set-up corners -----------------------------------
    std::int16_t SetupMode = 0;
    std::int16_t PuzzleDone = 0;
    std::int16_t CornerVal1 = -1, CornerVal7 = -1, CornerVal43 = -1, CornerVal49 = -1;

    // ---- Solution record and generator work areas -----------------------
    std::array<std::string, 17> SolNum;  // 1..16 by value position, " 7" form
    std::array<std::string, 17> SolOp;   // 1..8 row operators, 9..16 column operators
    std::int16_t PuzzleNo = 0;
    std::int16_t TryCount = 0;
    std::int16_t GenOk = 0;
    std::array<std::int16_t, 10> PairResult{}, RightPairResult{}, BottomPairResult{};  // 1..9
    std::string LineResult, LeftOp, RightOp;

    // ---- Print sheet ------------------------------------------------------
    std::array<std::string, 81> SheetLines;  // page is lines 1..55
    int NextSheetSlot = 0;                   // where the next puzzle goes: 0, 1, 2 for lines 1, 20, 39

    // ---- Undo, timer and statistics: the Tools menu and the status line ---
    MenuItem Toolsx, Undox, Redox, Hintx, Statx, Timerx;
    Control StatusNote;  // one line saying the statistics could not be read or saved
    Statistics Stats;    // as last loaded or saved, and what this run has counted since

    // ---- Hint ---------------------------------------------------------------
    int HintedCell = 0;  // the cell the last Hint_Click changed, 0 for none

    // ---- Challenges: the Game menu, the kind on the board and the next one --
    MenuItem GameKindx, Classicx, Easyx, Mediumx, Hardx, NewPuzx, Todayx, CopyCodex, OpenCodex;
    challenge::PuzzleKind Kind = challenge::PuzzleKind::Classic;      // of the puzzle on the board
    challenge::PuzzleKind NextKind = challenge::PuzzleKind::Classic;  // of the next new puzzle, kept between runs
    challenge::Challenge Current;  // the challenge on the board while Kind is not Classic
    std::string Daily;             // the date of the challenge on the board when it is today's puzzle
    // A puzzle code to start with instead of a new puzzle; "" for none.
    std::string StartCode;
    // One sentence for the status line: why a hint's number is right or
    // wrong, where a code went, what the next puzzle will be.
    Control StatusText;
    std::array<Statistics, 3> LevelStats;  // easy, medium and hard challenges, as Stats is for the classic game

    // ---- Event handlers ---------------------------------------------------
    void Form_Load();
    void Form_Unload(std::int16_t& Cancel);
    void Exitx_Click();
    void GridDisp_MouseClick(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    static constexpr std::int16_t LeftButton = 1, RightButton = 2;  // its Button values
    void NewPuz_Click();
    void ShowSolx_Click();
    void StartSolx_Click();
    void SolveMx_Click();
    void Solveit_Click();
    void Solveit_DragDrop();
    void PrintX_Click();
    void Helpx_Click();
    void Aboutx_Click();
    void Undox_Click();
    void Redox_Click();
    void Statx_Click();
    void Timerx_Click();
    void Classicx_Click();
    void Easyx_Click();
    void Mediumx_Click();
    void Hardx_Click();
    void NewPuzx_Click();
    void Todayx_Click();
    void CopyCodex_Click();
    void OpenCodex_Click();
    // Leaves the current puzzle for the one a code holds. A text that holds
    // no puzzle is refused with one sentence in a message box, and the game
    // goes on with the puzzle it had.
    bool OpenCode(std::string_view code);
    // The code of the puzzle on the board; "" in set-up mode or without one.
    std::string PuzzleCode() const;
    // Asks first; on Yes every count goes back to zero and is saved.
    void ResetStatistics();
    // The window was activated, deactivated, minimised or restored: the
    // clock runs only while the player can see and use the board.
    void SetWindowActive(bool active);

    // One step of the player: runs `change` and, when it altered what the
    // window shows in play, keeps it for undo and counts the puzzle as played
    // (and as solved when the step ended it). Nested steps count as one.
    void PlayerStep(const std::function<void()>& change);
    // The current puzzle had help; it can no longer count as solved unaided.
    // Called before the step that gives the help, so that a step which ends
    // the puzzle already counts it as helped.
    void MarkHelped();

    // The current puzzle's time as "m:ss", or "" when no puzzle is being timed.
    std::string TimerText() const;
    bool ClockRunning() const { return clock_.Running(); }
    // The Statistics window's rows: caption and value.
    std::vector<std::pair<std::string, std::string>> StatisticsLines() const;
    // The same for every kind: a heading row ("", "Classic", "Easy",
    // "Medium", "Hard"), then each caption with one value per kind.
    std::vector<std::vector<std::string>> StatisticsTable() const;
    // Why the final cell is not right although it may show the final number:
    // the result row and the result column give different values. "" when
    // they agree. Shown beside cell 49, never on it.
    std::string FinalCellNote() const;
    // Moves the player's board one cell toward the nearest complete board.
    void Hint_Click();
    // True while a hint can be given: a puzzle open for play.
    bool HintAvailable() const;
    // Brings the Tools menu's enabled states up to date with the board.
    void RefreshToolsMenu();

    // Raise a cell's MouseClick the way the control does: nothing for an index
    // outside 1..53 or a disabled or hidden cell. Button 2 is the right button.
    void ClickCell(int index, int button);
    // A key typed on a cell, refused wherever ClickCell refuses a click.
    // ' ', '\r' and '\n' are a left click and '\b' a right click. A digit
    // '1'..'9' on a number cell, or '+', '-', '*' ('x', 'X') on an operator
    // cell, sets that value in one step with one evaluation and one check, as
    // one click does; in set-up mode a digit sets a corner. Any other key, or
    // a key that does not fit the cell, changes nothing. In a challenge
    // DeleteKey empties an open number.
    void TypeKey(int index, char key);
    static constexpr char DeleteKey = '\x7f';

    // What a challenge's row or column of numbers is: not all filled yet,
    // true (Right) or false (Wrong). Rows 1, 3, 5 then columns 1, 3, 5.
    enum class Verdict { Open, Right, Wrong };
    std::array<Verdict, 6> LineVerdicts() const;

    // ---- What a screen reader says -------------------------------------------
    // "Row 3, column 5: 7", "Target, top left corner: 4": a cell as it is read.
    std::string CellName(int index) const;
    // What a cell is for: "number to fill in", "operator", "result", "given
    // corner" ("corner to set" in set-up mode), ...; for cell 49 also why it
    // is not right when the result row and the result column disagree.
    std::string CellDescription(int index) const;
    // Where the board's cursor stops: in play every number, operator and
    // result (read-only ones too), in set-up mode the four corners only.
    bool CursorStop(int index) const;
    // Corner j (1..4) of a cell, 0 when it is no corner.
    int CornerOf(int index) const;
    // The last thing to be said, numbered so that it is said once.
    struct Spoken {
        std::string Text;
        int Serial = 0;
    } Announcement;
    // The four targets, and which corners are right (in set-up mode the
    // corners set so far), as one announcement.
    void ReadTargets();

    // ---- Procedures -------------------------------------------------------
    void PrepareBoard();
    void AssignCellTags();
    void EvalLines(std::string_view code);
    void EvalCorner49();
    void CheckSolution();
    void GeneratePuzzle();
    void SearchRowPair(int i);
    void SearchColumnPair(int i);
    void MatchCornerPair();
    void ShowSolution();
    void BuildSheetTemplate();
    void WriteSheetPuzzle();
    // One random digit 1..9, the generator reseeded from the clock first.
    int DrawDigit();
    // The puzzle numbers the print command lists, in slot order.
    std::string PrintList() const;
    // Puzzle numbers restart at 1 after the largest 16-bit number.
    static std::int16_t NextPuzzleNo(std::int16_t current);

    // True while a generator run is in progress; commands that would change
    // the board or start another run are ignored meanwhile.
    bool Generating() const { return generating_; }
    // True once the program has been told to end; no handler runs after it.
    bool Ended() const { return ended_; }

private:
    // Ended, or a modal window is open: no command may run.
    bool Blocked() const { return ended_ || modal_ > 0; }
    bool Busy() const { return generating_ || Blocked(); }
    // Shows a modal window through the services; see Form1::Modal.
    void Modal(const std::function<void()>& show);
    MsgAnswer Ask(std::string_view text, MsgButtons buttons);
    std::string EvalLineText(const Line& line) const;
    std::int16_t DigitStep(int index, std::int16_t button);
    void OperatorStep(int index);
    bool IsOperatorCell(int index) const;
    bool IsCornerCell(int index) const;
    void StoreCornerValue(int index, std::int16_t v);
    void RevealTargets();
    void EvalNumberLines(int index);
    void EvalOperatorLine(int index);
    void ApplyKey(int index, char key);
    bool CornerIsRight(int k, const std::array<std::string, 5>& captions) const;
    void Announce(std::string text);
    // What a step changed, as one announcement; `lines` are a challenge's
    // line verdicts before it.
    void AnnounceChanges(const BoardState& before, const std::array<Verdict, 6>& lines);
    void LineSearch(int i, int step, std::int16_t target);
    // The solution record as a run found it: a run that gives up puts it back.
    struct SolutionRecord {
        std::array<std::string, 17> num, op;
        std::array<std::int16_t, 10> right, bottom;
    };
    void GiveUp(std::int16_t previousPuzzleNo, const SolutionRecord& kept);
    void ShowTargets(bool visible);   // target cells 50..53
    void ColourCorners(Colour back);  // corner cells 1, 7, 43, 49
    void EndProgram();
    // What a click does around its own step, with the caption set at once
    // instead of stepped: one evaluation and one check. Index 0 sets nothing
    // and only re-derives and checks.
    void SetCaptionAndEvaluate(int index, const std::string& caption);
    // The cell a hint changes (0 when the board is already complete), whether
    // it is a wrong one, and the value it takes.
    struct HintMove {
        int cell = 0;
        bool wrong = false;
        std::string value;
    };
    HintMove NextHint() const;

    // Challenges: the board laid out for one and back, its check and hint.
    bool InChallenge() const { return Kind != challenge::PuzzleKind::Classic; }
    bool IsOpenNumber(int index) const;
    void FirstPuzzle();
    void ClearForNewPuzzle();
    bool PresentNextChallenge();
    void PresentCorners();
    void PresentChallenge(const challenge::Challenge& c, std::string daily);
    void PresentClassic(const Corners& corners);
    void RecordSolution(const std::array<std::string, 50>& cells);
    void RestoreClassicBoard();
    void ChallengeClick(int index, std::int16_t button);
    void ChallengeCheck();
    void ColourChallengeLines(bool solved);
    void ChallengeHint();
    void ChallengeStart();
    challenge::Numbers PlayerNumbers() const;
    void ChooseKind(challenge::PuzzleKind kind);
    void RefreshGameMenu();
    // A sentence for the status line, and for a screen reader after the
    // step's own changes have been said.
    void ShowStatus(std::string sentence);
    void Say(std::string sentence);
    std::vector<std::string> ChallengePage() const;

    // What the current puzzle has been through, for the statistics.
    struct PuzzleRecord {
        bool Timed = false;   // made for play, so its time counts
        bool Played = false;  // counted as played
        bool Helped = false;
        bool Revealed = false;  // its solution was shown
        bool Ended = false;     // its outcome is counted; undo never recounts it
        challenge::PuzzleKind Kind = challenge::PuzzleKind::Classic;  // whose record counts it
    };
    BoardState CaptureState() const;
    void RestoreState(const BoardState& state);
    void SyncClock(double now);
    void BeginPlayPuzzle();
    void LeavePuzzle();
    void LoadStored();
    // Counts a change, shows it, and saves it.
    void Count(const std::function<void(StatisticsChange&)>& change);
    void SaveStatistics();
    void ShowStored();
    void ReportStore(const StoreResult& result);
    void ReportLink(const StoreResult& result);

    Services& services_;
    std::unique_ptr<RandomSource> random_;
    bool generating_ = false;
    bool ended_ = false;
    int modal_ = 0;  // modal windows open, nested

    History history_;
    PuzzleClock clock_;
    PuzzleRecord puzzle_;
    bool windowActive_ = true;
    bool inStep_ = false;
    StatisticsBook stored_;         // as last loaded or saved
    StatisticsBookChange pending_;  // counted since, not yet saved
    Preferences preferences_;       // as last loaded or chosen
    int statusSerial_ = 0;          // counts what the status line was told
    std::unique_ptr<challenge::ChallengeRandom> challengeRandom_;
    bool saveBlocked_ = false;    // never overwrite a file that could not be read
    bool saveTrouble_ = false;    // the status line says the last save failed
};

}  // namespace quorvex
