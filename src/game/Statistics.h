// The player's record across runs: what counts, how one session's changes
// add to whatever the file holds when they are saved (another copy of the
// game may have saved since), how it is kept as plain key=value fields, and
// how times are written. No storage here; the services load and save it.
#pragma once

#include <array>
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
    int Revealed = 0;       // played, then the solution shown instead of solved
    int CurrentStreak = 0;  // unaided solves in a row
    int BestStreak = 0;
    std::int64_t BestMs = -1;            // fastest unaided solve; -1 while there is none
    std::vector<std::int64_t> UnaidedMs;  // oldest first, at most TimeLimit

    bool operator==(const Statistics&) const = default;
};

// What one session has counted since its statistics were last saved. Saving
// adds it to the file as it is then, so that two copies of the game playing
// at once lose nothing of each other's.
struct StatisticsChange {
    bool Reset = false;  // every count went back to zero first
    int Played = 0, SolvedUnaided = 0, SolvedHelped = 0, Revealed = 0;
    // The streak: Head unaided solves continue the stored streak until the
    // first break; after a break, Tail is the current run and Longest the
    // longest run since.
    int Head = 0;
    bool Broken = false;
    int Tail = 0, Longest = 0;
    std::int64_t BestMs = -1;
    std::vector<std::int64_t> UnaidedMs;  // oldest first, at most Statistics::TimeLimit

    bool Empty() const { return *this == StatisticsChange{}; }
    bool operator==(const StatisticsChange&) const = default;
};

// Every kind of puzzle keeps a record of its own: the classic game first,
// then the challenge levels easy, medium and hard.
inline constexpr std::size_t KindCount = 4;
struct StatisticsBook {
    std::array<Statistics, KindCount> Kinds;
    bool operator==(const StatisticsBook&) const = default;
};
struct StatisticsBookChange {
    std::array<StatisticsChange, KindCount> Kinds;
    bool Empty() const { return *this == StatisticsBookChange{}; }
    bool operator==(const StatisticsBookChange&) const = default;
};

// A puzzle the player has changed (or that ended) counts as played once.
void CountPlayed(StatisticsChange& c);
// The first end of a played puzzle: solved by the player alone, or with help
// (which also ends the streak). `ms` is the unaided solving time.
void CountSolved(StatisticsChange& c, bool helped, std::int64_t ms);
// The first end of a played puzzle by Show Solution: not solved; ends the streak.
void CountRevealed(StatisticsChange& c);
// A played puzzle left unsolved for another one ends the streak.
void CountAbandoned(StatisticsChange& c);
// Every count back to zero; what follows counts from there.
void CountReset(StatisticsChange& c);
// `stored` with the session's change added: what the file holds after a save.
Statistics Apply(Statistics stored, const StatisticsChange& change);
StatisticsBook Apply(StatisticsBook stored, const StatisticsBookChange& change);

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
// Fields written by a later version of the game, whose format this one does
// not know: never to be read as damage, nor overwritten.
bool FromLaterVersion(const StatisticsFields& fields);

}  // namespace quorvex
