// The game's own words, each written once.
#pragma once

namespace quorvex::text {

inline constexpr const char* AppTitle = "Quorvex";
inline constexpr const char* TitlePrefix = "Puzzle Number ";
inline constexpr const char* YouGotIt = "You got it !";
inline constexpr const char* CannotSolve = "Cannot Solve This Time !";
inline constexpr const char* SetCornersFirst = "set corner numbers first";
inline constexpr const char* HelpHere = "Help Here";
inline constexpr const char* PrintPrompt = "Print Puzzle No(s): ";

inline constexpr const char* RightMess = "Get corner numbers right";
inline constexpr const char* CompMess = "Click corners to set Puzzle";
inline constexpr const char* NewPuz = "New Puzzle";
inline constexpr const char* Solveit = "Solve Puzzle";

inline constexpr const char* MenuPuzzle = "Puzzle";
inline constexpr const char* StartSolx = "Start a Solution";
inline constexpr const char* ShowSolx = "Show Solution";
inline constexpr const char* SolveMxFirst = "Set a Puzzle for computer to solve";
inline constexpr const char* SolveMxAgain = "Set a Puzzle for computer to Solve";
inline constexpr const char* SolveMxEnd = "End computer solution mode";
inline constexpr const char* PrintX = "Print";
inline constexpr const char* Helpx = "Help";
inline constexpr const char* Aboutx = "About";
inline constexpr const char* Exitx = "Exit";

// The second menu: undo, redo, hint, statistics and the timer.
inline constexpr const char* MenuTools = "&Tools";
inline constexpr const char* Undox = "&Undo";
inline constexpr const char* Redox = "&Redo";
inline constexpr const char* Hintx = "&Hint";
inline constexpr const char* Statx = "&Statistics...";
inline constexpr const char* Timerx = "Show &Timer";
inline constexpr const char* ResetStatsQuestion = "Reset all statistics? This cannot be undone.";
inline constexpr const char* NoneYet = "-";
inline constexpr const char* TimerPrefix = "Time ";

// Cell 49's note when the result row and the result column do not agree.
inline constexpr const char* ResultRowGives = "The result row gives ";
inline constexpr const char* ResultColumnGives = " but the result column gives ";
inline constexpr const char* NoLineValue = "no number from 1 to 9";

// The Game menu: the kind of the next puzzle and the puzzles by code or date.
inline constexpr const char* MenuGame = "&Game";
inline constexpr const char* Classicx = "&Classic";
inline constexpr const char* Easyx = "&Easy";
inline constexpr const char* Mediumx = "&Medium";
inline constexpr const char* Hardx = "&Hard";
inline constexpr const char* NewPuzx = "&New Puzzle";
inline constexpr const char* Todayx = "&Today's Puzzle";
inline constexpr const char* CopyCodex = "Co&py Puzzle Code";
inline constexpr const char* OpenCodex = "&Open Puzzle Code...";

inline constexpr const char* OpenCodePrompt = "Puzzle code to open:";

// What RightMess says in a challenge: the level and the goal.
inline constexpr const char* EveryLineTrue = ": every line true";
inline constexpr const char* TodayLabel = "Today";
inline constexpr const char* UnratedLabel = "Make every line true";

inline constexpr const char* HelpFile = "plexaro";
inline constexpr const char* PrintFont = "Courier";
inline constexpr double PrintFontSize = 12;

}  // namespace quorvex::text
