// What the game keeps between runs, in its folder: statistics.ini (counts
// added by every copy of the game under one lock) and settings.ini, both
// plain INI text as the earlier versions wrote them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "game/Services.h"
#include "game/Statistics.h"

namespace quorvex::store {

// INI text: groups of key=value lines. A byte-order mark, blank lines and
// ";" or "#" comments are skipped; anything else that is not a "[group]" or a
// "key=value" line makes the text no INI at all.
using Ini = std::map<std::string, std::map<std::string, std::string>>;
std::optional<Ini> ParseIni(std::string_view text);
std::string FormatIni(const Ini& ini);

class GameStore {
public:
    // Longest wait for another copy's lock: the main thread waits for it.
    static constexpr int LockWaitMs = 300;

    // `folder` "" when there is none: nothing is read or saved then.
    explicit GameStore(std::string folder);

    std::string StatisticsFile() const { return folder_ + "/statistics.ini"; }
    std::string SettingsFile() const { return folder_ + "/settings.ini"; }

    // Every kind's record, each in a group of its own; a file from before
    // challenges has the classic one only, and the others start at zero.
    StoreResult LoadStatistics(StatisticsBook& into);
    StoreResult SaveStatistics(const StatisticsBookChange& change, StatisticsBook& merged);
    // The classic record alone.
    StoreResult LoadStatistics(Statistics& into);
    StoreResult SaveStatistics(const StatisticsChange& change, Statistics& merged);
    Preferences LoadPreferences();
    StoreResult SavePreferences(const Preferences& preferences);

private:
    // What the statistics file holds now: Ok with `into` set, Missing, or the
    // reason it cannot be used; `link` is where it points when it is a link.
    StoreResult ReadStatistics(StatisticsBook& into, Ini& ini, std::string& link);

    std::string folder_;
};

}  // namespace quorvex::store
