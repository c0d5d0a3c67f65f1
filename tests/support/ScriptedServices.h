// A stand-in for the window: records what the game asks of it, answers
// prompts from a queue, and keeps a clock the test controls.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/Services.h"
#include "generator/RandomSource.h"

namespace quorvex::testing {

class ScriptedServices : public Services {
public:
    struct Message {
        std::string text;
        MsgButtons buttons;
    };

    std::vector<Message> messages;
    std::deque<MsgAnswer> answers;      // for Yes/No prompts; No when empty
    std::vector<std::string> titles;
    std::vector<PrintJob> printed;
    int pendingEventRuns = 0;
    int helpOpened = 0;
    int aboutShown = 0;
    int programEnded = 0;

    // Frozen at "clock" unless tickPerCall moves it on each read, or realClock is set.
    double clock = 43200.0;
    double tickPerCall = 0.0;
    bool realClock = false;

    // Runs inside processPendingEvents, as a click arriving mid-search would.
    std::function<void()> onPendingEvents;

    MsgAnswer showMessage(std::string_view text, MsgButtons buttons) override {
        messages.push_back({std::string(text), buttons});
        if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
        if (answers.empty()) return MsgAnswer::No;
        MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void processPendingEvents() override {
        ++pendingEventRuns;
        if (onPendingEvents) onPendingEvents();
    }
    void setWindowTitle(std::string_view title) override { titles.emplace_back(title); }
    double secondsSinceMidnight() override;
    void printPage(const PrintJob& job) override { printed.push_back(job); }
    void openHelp() override { ++helpOpened; }
    void showAbout() override { ++aboutShown; }
    void endProgram() override { ++programEnded; }

    std::string lastTitle() const { return titles.empty() ? std::string() : titles.back(); }
    int count(const std::string& text) const {
        int n = 0;
        for (const auto& m : messages) n += m.text == text;
        return n;
    }
};

// Draws taken from a list, so a test can steer the generator; the digit d
// comes from u = (d - 1) / 9. Cycles when it reaches the end.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> digits) : digits_(std::move(digits)) {}
    void reseed(double) override {}
    double next() override {
        int d = digits_[pos_++ % digits_.size()];
        return (d - 1) / 9.0;
    }

private:
    std::vector<int> digits_;
    std::size_t pos_ = 0;
};

}  // namespace quorvex::testing

#include <chrono>

inline double quorvex::testing::ScriptedServices::secondsSinceMidnight() {
    if (realClock) {
        auto now = std::chrono::system_clock::now().time_since_epoch();
        double s = std::chrono::duration<double>(now).count();
        return s - 86400.0 * static_cast<double>(static_cast<long long>(s / 86400.0));
    }
    double t = clock;
    clock += tickPerCall;
    return t;
}
