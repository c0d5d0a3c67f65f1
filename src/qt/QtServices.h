// The game's outside world on a Qt desktop: message boxes, the window title,
// the clock, the printer, help, the About window and the end of the program.
#pragma once

#include <QElapsedTimer>

#include "game/Services.h"
#include "store/Files.h"
#include "store/GameStore.h"

namespace quorvex::ui {

class MainWindow;

class QtServices : public Services {
public:
    explicit QtServices(MainWindow& window);

    // Brings the board up to date first, so the box never covers a stale board.
    MsgAnswer showMessage(std::string_view text, MsgButtons buttons) override;
    void processPendingEvents() override;
    void setWindowTitle(std::string_view title) override;
    double secondsSinceMidnight() override;
    void printPage(const PrintJob& job) override;
    void openHelp() override;
    void showAbout() override;
    void endProgram() override;
    double monotonicSeconds() override;
    StoreResult loadStatistics(StatisticsBook& into) override;
    StoreResult saveStatistics(const StatisticsBookChange& change, StatisticsBook& merged) override;
    Preferences loadPreferences() override;
    StoreResult savePreferences(const Preferences& preferences) override;
    void showStatistics() override;
    void logWarning(std::string_view line) override;
    LocalDate today() override;
    void copyText(std::string_view text) override;
    // Offers what the clipboard holds when it reads as a code.
    std::optional<std::string> askPuzzleCode() override;

private:
    MainWindow& window_;
    QElapsedTimer clock_;
    store::GameStore store_;  // in the folder the environment named at start-up
};

}  // namespace quorvex::ui
