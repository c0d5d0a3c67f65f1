// A stand-in for the window: records what the game asks of it, answers
// prompts from a queue, and keeps clocks the test controls.
#pragma once

#include <algorithm>
#include <array>
#include <deque>
#include <optional>
#include <functional>
#include <string>
#include <vector>

#include "game/Services.h"
#include "generator/RandomSource.h"

namespace quorvex::testing {

class ScriptedServices : public Services {
public:
    struct Message { std::string text; MsgButtons buttons; };
    std::vector<Message> messages;
    std::deque<MsgAnswer> answers;  // for Yes/No prompts; No when empty
    std::vector<std::string> titles, warnings;
    std::vector<PrintJob> printed;
    int helpOpened = 0, aboutShown = 0, programEnded = 0, statisticsShown = 0, saves = 0;
    double clock = 43200, monotonic = 1000;  // noon; both frozen until a test moves them on
    std::function<void()> onPendingEvents;   // input arriving in the middle of a search
    std::function<void()> onModal;           // input arriving while a modal window is open
    int clockReads = 0;
    // Statistics and preferences kept in memory; a test sets what the next
    // load finds and how loads and saves go. `file` may point at another
    // game's `stored`: two copies of the game on one file.
    Statistics stored;
    Statistics* file = &stored;
    std::array<Statistics, 3> levels;  // the easy, medium and hard challenges' records
    StoreStatus loadStatus = StoreStatus::Ok, saveStatus = StoreStatus::Ok;
    Preferences preferences;
    LocalDate date{2025, 3, 14};
    std::vector<std::string> copied;
    std::deque<std::optional<std::string>> codes;  // what the player types when asked for a code; none: cancels

    MsgAnswer showMessage(std::string_view text, MsgButtons buttons) override {
        messages.push_back({std::string(text), buttons});
        modal();
        if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
        const MsgAnswer a = answers.empty() ? MsgAnswer::No : answers.front();
        if (!answers.empty()) answers.pop_front();
        return a;
    }
    void processPendingEvents() override { if (onPendingEvents) onPendingEvents(); }
    void setWindowTitle(std::string_view title) override { titles.emplace_back(title); }
    double secondsSinceMidnight() override { return clock; }
    void printPage(const PrintJob& job) override { printed.push_back(job), modal(); }
    void openHelp() override { ++helpOpened; }
    void showAbout() override { ++aboutShown, modal(); }
    void endProgram() override { ++programEnded; }
    double monotonicSeconds() override { return ++clockReads, monotonic; }
    StoreResult loadStatistics(StatisticsBook& into) override {
        if (loadStatus == StoreStatus::Ok) into.Kinds = {*file, levels[0], levels[1], levels[2]};
        return {loadStatus, "memory", "", ""};
    }
    StoreResult saveStatistics(const StatisticsBookChange& change, StatisticsBook& merged) override {
        if (saveStatus != StoreStatus::Ok) return {saveStatus, "memory", "", ""};
        ++saves, *file = Apply(*file, change.Kinds[0]);
        for (std::size_t k = 0; k < levels.size(); ++k) levels[k] = Apply(levels[k], change.Kinds[k + 1]);
        merged.Kinds = {*file, levels[0], levels[1], levels[2]};
        return {};
    }
    LocalDate today() override { return date; }
    void copyText(std::string_view text) override { copied.emplace_back(text); }
    std::optional<std::string> askPuzzleCode() override {
        modal();
        if (codes.empty()) return std::nullopt;
        auto code = codes.front();
        codes.pop_front();
        return code;
    }
    Preferences loadPreferences() override { return preferences; }
    StoreResult savePreferences(const Preferences& p) override {
        preferences = p;
        return {};
    }
    void showStatistics() override { ++statisticsShown, modal(); }
    void logWarning(std::string_view line) override { warnings.emplace_back(line); }

    void modal() { if (onModal) onModal(); }
    // The last message's text, "" when none was shown.
    std::string last() const { return messages.empty() ? "" : messages.back().text; }
    int count(const std::string& text) const {
        return static_cast<int>(std::count_if(messages.begin(), messages.end(), [&](auto& m) { return m.text == text; }));
    }
};

// The game's own generator until digits are scripted; then draws from the
// list, cycling, so a test can steer the generator (d comes from u = (d - 1) / 9).
class ScriptedRandom : public RandomSource {
public:
    void setScript(std::vector<int> digits) { digits_ = std::move(digits), pos_ = 0; }
    void reseed(double seed) override { real_.reseed(seed); }
    double next() override { return digits_.empty() ? real_.next() : (digits_[pos_++ % digits_.size()] - 1) / 9.0; }

private:
    GameRandom real_;
    std::vector<int> digits_;
    std::size_t pos_ = 0;
};

}  // namespace quorvex::testing
