// Everything the game needs from the world outside it. The Qt front end
// implements it for the real window; tests use a scripted fake.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "challenge/Challenge.h"
#include "game/Statistics.h"

namespace quorvex {

// YesNoSafe: Yes and No where Enter must not say Yes (a question about losing something).
enum class MsgButtons { Ok, YesNo, YesNoSafe };
enum class MsgAnswer { Ok, Yes, No };

// One printed page: the font to set, then the lines in order ("" is an empty line).
struct PrintJob {
    std::string FontName;
    double FontSize = 0;
    std::vector<std::string> Lines;
};

// Choices remembered between runs.
struct Preferences {
    bool ShowTimer = true;
    challenge::PuzzleKind NextKind = challenge::PuzzleKind::Classic;  // what New Puzzle makes
};

// A calendar date where the player is.
struct LocalDate {
    int Year = 0, Month = 0, Day = 0;
};

// How a load or save of the statistics went, and which file it concerned.
// A save that finds the file damaged keeps it aside and writes afresh.
enum class StoreStatus {
    Ok,
    Missing,
    Damaged,
    Unreadable,
    Unwritable,
    Later,     // written by a later version of the game: left as it is, never overwritten
    Busy,      // another program held the lock too long: not saved this time
    NoFolder,  // no folder the configuration rules allow
};
struct StoreResult {
    StoreStatus Status = StoreStatus::Ok;
    std::string Where;     // the file, for the player to find
    std::string KeptAs;    // where a damaged file was moved aside, if it was
    std::string Replaced;  // a symbolic link the save replaced by a file: where it pointed
};

class Services {
public:
    virtual ~Services() = default;
    // Modal message box titled with the application's title.
    virtual MsgAnswer showMessage(std::string_view text, MsgButtons buttons) = 0;
    // Let the window handle whatever input and repaints are waiting, then return.
    virtual void processPendingEvents() = 0;
    virtual void setWindowTitle(std::string_view title) = 0;
    // Time of day in seconds since midnight, with its fraction.
    virtual double secondsSinceMidnight() = 0;
    virtual void printPage(const PrintJob& job) = 0;
    virtual void openHelp() = 0;
    // Modal About window; returns when it is closed.
    virtual void showAbout() = 0;
    // Close every window and end the event loop; no further handler may run.
    virtual void endProgram() = 0;

    // Seconds from any fixed start; never goes back.
    virtual double monotonicSeconds() = 0;
    // The statistics kept between runs, every kind's record; `into` is
    // written only when Ok.
    virtual StoreResult loadStatistics(StatisticsBook& into) = 0;
    // Adds `change` to whatever is stored at that moment (another copy of the
    // game may have saved since), under a lock waited for a moment at most.
    // When it was written (Ok, or Damaged and written afresh) `merged` is what
    // is stored now.
    virtual StoreResult saveStatistics(const StatisticsBookChange& change, StatisticsBook& merged) = 0;
    // Defaults whenever they cannot be read.
    virtual Preferences loadPreferences() = 0;
    virtual StoreResult savePreferences(const Preferences& preferences) = 0;
    // Modal Statistics window showing Form1::StatisticsTable(); its Reset
    // button calls Form1::ResetStatistics(). Returns when it is closed.
    virtual void showStatistics() = 0;
    // One line for the program's error output.
    virtual void logWarning(std::string_view line) = 0;
    // Today's date on the player's calendar.
    virtual LocalDate today() = 0;
    // The text put where the desktop's paste finds it.
    virtual void copyText(std::string_view text) = 0;
    // Asks for a puzzle code in a modal box; none when the player cancels.
    virtual std::optional<std::string> askPuzzleCode() = 0;
};

}  // namespace quorvex
