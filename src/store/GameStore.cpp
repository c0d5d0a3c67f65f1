// Statistics and settings on disk.
#include "store/GameStore.h"

#include <chrono>

#include "store/Files.h"

namespace quorvex::store {

namespace {

// One group per kind, in the order of StatisticsBook::Kinds: the classic
// game's keeps the name it always had.
const std::string StatisticsGroups[KindCount] = {"statistics", "statistics-easy", "statistics-medium",
                                                 "statistics-hard"};
const std::string TimerGroup = "timer";
const std::string GameGroup = "game";

std::string Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t"), last = s.find_last_not_of(" \t");
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first, last - first + 1));
}

StoreResult Result(StoreStatus status, const std::string& where, const std::string& replaced = {}) {
    return {status, where, "", replaced};
}

}  // namespace

std::optional<Ini> ParseIni(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Ini ini;
    std::string group;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line = Trim(line.substr(0, line.size() - 1));
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            group = Trim(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0) return std::nullopt;
        ini[group][Trim(line.substr(0, equals))] = Trim(line.substr(equals + 1));
    }
    return ini;
}

std::string FormatIni(const Ini& ini) {
    std::string text;
    for (const auto& [group, keys] : ini) {
        if (keys.empty()) continue;
        text += (text.empty() ? "" : "\n") + (group.empty() ? std::string() : "[" + group + "]\n");
        for (const auto& [key, value] : keys) text += key + "=" + value + "\n";
    }
    return text;
}

GameStore::GameStore(std::string folder) : folder_(std::move(folder)) {}

StoreResult GameStore::ReadStatistics(StatisticsBook& into, Ini& ini, std::string& link) {
    const std::string path = StatisticsFile();
    const FileText file = ReadSmallFile(path);
    link = file.linkTarget;
    if (file.status == FileText::Missing) return Result(StoreStatus::Missing, path);
    if (file.status == FileText::Unreadable) return Result(StoreStatus::Unreadable, path);
    const std::optional<Ini> parsed = ParseIni(file.text);
    if (parsed) ini = *parsed;
    StatisticsBook book;
    bool damaged = !parsed;
    for (std::size_t k = 0; k < KindCount; ++k) {
        const auto group = ini.find(StatisticsGroups[k]);
        // Only the classic group must be there; the others came later.
        if (group == ini.end() && k > 0) continue;
        const StatisticsFields fields = group == ini.end() ? StatisticsFields{} : group->second;
        if (FromLaterVersion(fields)) return Result(StoreStatus::Later, path);
        const std::optional<Statistics> stats = FromFields(fields);
        if (stats) book.Kinds[k] = *stats;
        damaged = damaged || !stats;
    }
    if (damaged) return Result(StoreStatus::Damaged, path);
    into = book;
    return Result(StoreStatus::Ok, path);
}

StoreResult GameStore::LoadStatistics(Statistics& into) {
    StatisticsBook book;
    const StoreResult result = LoadStatistics(book);
    if (result.Status == StoreStatus::Ok) into = book.Kinds[0];
    return result;
}

StoreResult GameStore::SaveStatistics(const StatisticsChange& change, Statistics& merged) {
    StatisticsBookChange book;
    book.Kinds[0] = change;
    StatisticsBook now;
    const StoreResult result = SaveStatistics(book, now);
    if (result.Status == StoreStatus::Ok || result.Status == StoreStatus::Damaged) merged = now.Kinds[0];
    return result;
}

StoreResult GameStore::LoadStatistics(StatisticsBook& into) {
    if (folder_.empty()) return Result(StoreStatus::NoFolder, "");
    Ini ini;
    std::string link;
    StoreResult result = ReadStatistics(into, ini, link);
    if (result.Status != StoreStatus::Damaged) return result;
    // Moved aside at once, so that what the player is told is where it is;
    // read again under the lock, as another copy may just have replaced it.
    FolderLock lock(folder_, std::chrono::milliseconds(LockWaitMs));
    if (lock.status() != FolderLock::Held) return result;
    result = ReadStatistics(into, ini, link);
    if (result.Status == StoreStatus::Damaged) result.KeptAs = KeepAside(StatisticsFile());
    return result;
}

StoreResult GameStore::SaveStatistics(const StatisticsBookChange& change, StatisticsBook& merged) {
    const std::string path = StatisticsFile();
    if (folder_.empty()) return Result(StoreStatus::NoFolder, "");
    if (!MakeFolder(folder_)) return Result(StoreStatus::Unwritable, path);
    FolderLock lock(folder_, std::chrono::milliseconds(LockWaitMs));
    if (lock.status() != FolderLock::Held)
        return Result(lock.status() == FolderLock::Busy ? StoreStatus::Busy : StoreStatus::Unwritable, path);
    RemoveStaleTemporaries(path);

    // Read, add this session's change, write: whatever another copy saved
    // meanwhile stays counted.
    StatisticsBook stored;
    Ini ini;
    std::string link;
    StoreResult result = ReadStatistics(stored, ini, link);
    switch (result.Status) {
        case StoreStatus::Ok:
            break;
        case StoreStatus::Missing:
            result.Status = StoreStatus::Ok;
            break;
        case StoreStatus::Damaged:
            // Never written over: a copy that cannot be kept leaves the file as it is.
            result.KeptAs = KeepAside(path);
            if (result.KeptAs.empty()) return Result(StoreStatus::Unwritable, path);
            ini.clear();
            stored = StatisticsBook{};
            break;
        default:
            return result;
    }
    const StatisticsBook next = Apply(stored, change);
    for (std::size_t k = 0; k < KindCount; ++k) ini[StatisticsGroups[k]] = ToFields(next.Kinds[k]);
    if (!ReplaceFile(path, FormatIni(ini))) return Result(StoreStatus::Unwritable, path);
    merged = next;
    result.Replaced = result.KeptAs.empty() ? link : "";
    return result;
}

Preferences GameStore::LoadPreferences() {
    Preferences preferences;
    const FileText file = folder_.empty() ? FileText{} : ReadSmallFile(SettingsFile());
    const std::optional<Ini> ini = file.status == FileText::Ok ? ParseIni(file.text) : std::nullopt;
    if (!ini) return preferences;
    // Each setting on its own: one that cannot be read keeps its default.
    const auto setting = [&](const std::string& group, const std::string& key) {
        const auto g = ini->find(group);
        if (g == ini->end()) return std::string();
        const auto k = g->second.find(key);
        return k == g->second.end() ? std::string() : k->second;
    };
    const std::string show = setting(TimerGroup, "show");
    if (show == "true" || show == "false") preferences.ShowTimer = show == "true";
    preferences.NextKind = challenge::KindNamed(setting(GameGroup, "kind")).value_or(challenge::PuzzleKind::Classic);
    return preferences;
}

StoreResult GameStore::SavePreferences(const Preferences& preferences) {
    const std::string path = SettingsFile();
    if (folder_.empty()) return Result(StoreStatus::NoFolder, "");
    if (!MakeFolder(folder_)) return Result(StoreStatus::Unwritable, path);
    FolderLock lock(folder_, std::chrono::milliseconds(LockWaitMs));
    if (lock.status() != FolderLock::Held)
        return Result(lock.status() == FolderLock::Busy ? StoreStatus::Busy : StoreStatus::Unwritable, path);
    RemoveStaleTemporaries(path);
    // Whatever else the file holds is kept.
    const FileText file = ReadSmallFile(path);
    Ini ini = file.status == FileText::Ok ? ParseIni(file.text).value_or(Ini{}) : Ini{};
    ini[TimerGroup]["show"] = preferences.ShowTimer ? "true" : "false";
    ini[GameGroup]["kind"] = challenge::KindName(preferences.NextKind);
    if (!ReplaceFile(path, FormatIni(ini))) return Result(StoreStatus::Unwritable, path);
    return Result(StoreStatus::Ok, path, file.linkTarget);
}

}  // namespace quorvex::store
