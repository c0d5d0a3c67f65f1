// Counting rules and the stored form of the player's statistics.
#include "game/Statistics.h"

#include <algorithm>
#include <charconv>

namespace quorvex {

namespace {

constexpr int FormatVersion = 1;
// Longer than anyone plays one puzzle, short enough that sums cannot overflow.
constexpr std::int64_t TimeCeilingMs = 1'000'000'000'000;

// Counts stop at the limit rather than wrap.
void Add(int& count, std::int64_t n) { count = static_cast<int>(std::min<std::int64_t>(count + n, Statistics::CountLimit)); }
void Bump(int& count) { Add(count, 1); }

// The latest times only; the oldest go first.
void KeepLatest(std::vector<std::int64_t>& times) {
    if (times.size() > Statistics::TimeLimit)
        times.erase(times.begin(), times.end() - static_cast<std::ptrdiff_t>(Statistics::TimeLimit));
}

void BreakStreak(StatisticsChange& c) {
    c.Broken = true;
    c.Tail = 0;
}

template <class Int>
std::optional<Int> ParseWhole(const std::string& text, Int ceiling) {
    Int value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < 0 || value > ceiling) return std::nullopt;
    return value;
}

}  // namespace

void CountPlayed(StatisticsChange& c) { Bump(c.Played); }

void CountSolved(StatisticsChange& c, bool helped, std::int64_t ms) {
    if (helped) {
        Bump(c.SolvedHelped);
        BreakStreak(c);
        return;
    }
    ms = std::clamp<std::int64_t>(ms, 0, TimeCeilingMs);
    Bump(c.SolvedUnaided);
    if (c.Broken) {
        Bump(c.Tail);
        c.Longest = std::max(c.Longest, c.Tail);
    } else {
        Bump(c.Head);
    }
    c.BestMs = c.BestMs < 0 ? ms : std::min(c.BestMs, ms);
    c.UnaidedMs.push_back(ms);
    KeepLatest(c.UnaidedMs);
}

void CountRevealed(StatisticsChange& c) {
    Bump(c.Revealed);
    BreakStreak(c);
}

void CountAbandoned(StatisticsChange& c) { BreakStreak(c); }

void CountReset(StatisticsChange& c) {
    c = StatisticsChange{};
    c.Reset = true;
}

Statistics Apply(Statistics s, const StatisticsChange& c) {
    if (c.Reset) s = Statistics{};
    Add(s.SolvedUnaided, c.SolvedUnaided);
    Add(s.SolvedHelped, c.SolvedHelped);
    Add(s.Revealed, c.Revealed);
    // A puzzle played before another copy's reset and ended after it counts
    // as ended but no longer as played: played is at least what ended.
    Add(s.Played, c.Played);
    s.Played = static_cast<int>(std::min<std::int64_t>(
        std::max<std::int64_t>(s.Played, std::int64_t{s.SolvedUnaided} + s.SolvedHelped + s.Revealed),
        Statistics::CountLimit));
    Add(s.CurrentStreak, c.Head);
    s.BestStreak = std::max(s.BestStreak, s.CurrentStreak);
    if (c.Broken) {
        s.BestStreak = std::max(s.BestStreak, c.Longest);
        s.CurrentStreak = c.Tail;
    }
    if (c.BestMs >= 0) s.BestMs = s.BestMs < 0 ? c.BestMs : std::min(s.BestMs, c.BestMs);
    s.UnaidedMs.insert(s.UnaidedMs.end(), c.UnaidedMs.begin(), c.UnaidedMs.end());
    KeepLatest(s.UnaidedMs);
    return s;
}

StatisticsBook Apply(StatisticsBook s, const StatisticsBookChange& c) {
    for (std::size_t k = 0; k < KindCount; ++k) s.Kinds[k] = Apply(s.Kinds[k], c.Kinds[k]);
    return s;
}

std::optional<std::int64_t> MedianMs(const Statistics& s) {
    if (s.UnaidedMs.empty()) return std::nullopt;
    std::vector<std::int64_t> sorted = s.UnaidedMs;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t mid = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

std::string ClockText(std::int64_t ms) {
    const std::int64_t seconds = std::max<std::int64_t>(ms, 0) / 1000;
    const std::int64_t s = seconds % 60;
    return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

StatisticsFields ToFields(const Statistics& s) {
    std::string times;
    for (std::int64_t ms : s.UnaidedMs) times += (times.empty() ? "" : " ") + std::to_string(ms);
    return {
        {"version", std::to_string(FormatVersion)},
        {"played", std::to_string(s.Played)},
        {"solvedUnaided", std::to_string(s.SolvedUnaided)},
        {"solvedWithHelp", std::to_string(s.SolvedHelped)},
        {"revealed", std::to_string(s.Revealed)},
        {"currentStreak", std::to_string(s.CurrentStreak)},
        {"bestStreak", std::to_string(s.BestStreak)},
        {"bestMs", s.BestMs < 0 ? "none" : std::to_string(s.BestMs)},
        {"unaidedMs", times},
    };
}

std::optional<Statistics> FromFields(const StatisticsFields& fields) {
    const auto field = [&](const char* key) -> const std::string* {
        const auto it = fields.find(key);
        return it == fields.end() ? nullptr : &it->second;
    };
    const std::string* version = field("version");
    if (!version || *version != std::to_string(FormatVersion)) return std::nullopt;

    Statistics s;
    // Files from before the count of revealed puzzles have none.
    if (const std::string* revealed = field("revealed")) {
        const auto value = ParseWhole<int>(*revealed, Statistics::CountLimit);
        if (!value) return std::nullopt;
        s.Revealed = *value;
    }
    const std::pair<const char*, int*> counts[] = {
        {"played", &s.Played},
        {"solvedUnaided", &s.SolvedUnaided},
        {"solvedWithHelp", &s.SolvedHelped},
        {"currentStreak", &s.CurrentStreak},
        {"bestStreak", &s.BestStreak},
    };
    for (const auto& [key, target] : counts) {
        const std::string* text = field(key);
        const auto value = text ? ParseWhole<int>(*text, Statistics::CountLimit) : std::nullopt;
        if (!value) return std::nullopt;
        *target = *value;
    }

    const std::string* best = field("bestMs");
    const std::string* times = field("unaidedMs");
    if (!best || !times) return std::nullopt;
    if (*best != "none") {
        const auto value = ParseWhole<std::int64_t>(*best, TimeCeilingMs);
        if (!value) return std::nullopt;
        s.BestMs = *value;
    }
    for (std::size_t at = 0; at < times->size();) {
        const std::size_t end = std::min(times->find(' ', at), times->size());
        const auto value = ParseWhole<std::int64_t>(times->substr(at, end - at), TimeCeilingMs);
        if (!value || s.UnaidedMs.size() >= Statistics::TimeLimit) return std::nullopt;
        s.UnaidedMs.push_back(*value);
        at = end + 1;
    }

    // What the counting rules can produce, and nothing else.
    const std::size_t keptTimes = std::min<std::size_t>(std::size_t(s.SolvedUnaided), Statistics::TimeLimit);
    const bool sound =
        std::int64_t{s.SolvedUnaided} + s.SolvedHelped + s.Revealed <= s.Played && s.CurrentStreak <= s.BestStreak &&
        s.BestStreak <= s.SolvedUnaided && s.UnaidedMs.size() == keptTimes && (s.BestMs >= 0) == (s.SolvedUnaided > 0) &&
        std::all_of(s.UnaidedMs.begin(), s.UnaidedMs.end(), [&](std::int64_t ms) { return ms >= s.BestMs; });
    if (!sound) return std::nullopt;
    return s;
}

bool FromLaterVersion(const StatisticsFields& fields) {
    const auto it = fields.find("version");
    const auto version = it == fields.end() ? std::nullopt : ParseWhole<int>(it->second, Statistics::CountLimit);
    return version && *version > FormatVersion;
}

}  // namespace quorvex
