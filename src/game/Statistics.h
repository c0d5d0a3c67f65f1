// The player's record across runs: what counts, how it is kept as plain
// key=value fields, and how times are written. No storage here; the services
// load and save the fields.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvex {

struct Statistics {
    // Counts stop here rather than wrap; a stored count beyond it is damage.
    static constexpr int CountLimit = 999'999'999;
    // Only the most recent unaided times are kept for the median, so that the
    // file stays small however long someone plays; the best time is kept apart.
    static constexpr std::size_t TimeLimit = 1000;

    int Played = 0;
    int SolvedUnaided = 0;
    int SolvedHelped = 0;
    int CurrentStreak = 0;  // unaided solves in a row
    int BestStreak = 0;
    std::int64_t BestMs = -1;            // fastest unaided solve; -1 while there is none
    std::vector<std::int64_t> UnaidedMs;  // oldest first, at most TimeLimit

    bool operator==(const Statistics&) const = default;
};

// A puzzle the player has changed (or that ended) counts as played once.
void CountPlayed(Statistics& s);
// The first end of a played puzzle: solved by the player alone, or with help
// (which also ends the streak). `ms` is the unaided solving time.
void CountSolved(Statistics& s, bool helped, std::int64_t ms);
// A played puzzle left unsolved for another one ends the streak.
void CountAbandoned(Statistics& s);

// Median of the kept unaided times; none when there are none.
std::optional<std::int64_t> MedianMs(const Statistics& s);

// "m:ss", whole seconds, minutes not limited: 0:07, 12:30, 75:02.
std::string ClockText(std::int64_t ms);

// The record as key=value fields for storage, and back. Parsing refuses
// anything it did not write: a missing or malformed field, or counts that
// cannot belong together. Unknown keys are ignored.
using StatisticsFields = std::map<std::string, std::string>;
StatisticsFields ToFields(const Statistics& s);
std::optional<Statistics> FromFields(const StatisticsFields& fields);

}  // namespace quorvex
