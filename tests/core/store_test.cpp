// The files the game keeps, in scratch folders: where they live, links,
// damaged and later files, a stuck lock, leftovers of a killed save, and two
// copies of the game saving into one file.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "store/Files.h"
#include "store/GameStore.h"

namespace quorvex::store {
namespace {

namespace fs = std::filesystem;

struct Scratch {  // a fresh folder, removed with everything in it
    std::string path = (fs::temp_directory_path() / "quorvex-store-XXXXXX").string();
    Scratch() { mkdtemp(path.data()); }
    ~Scratch() { fs::remove_all(path); }
};
void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
StatisticsChange OnePlayed() {
    StatisticsChange c;
    CountPlayed(c);
    return c;
}

TEST(Store, FolderFollowsTheConfigurationRules) {
    struct Case { const char *xdg, *home, *account, *folder; };
    for (const Case& c : {Case{"/x/conf/", "/home/p", "/q", "/x/conf/quorvex"},
                          {"relative/conf", "/home/p/", "/q", "/home/p/.config/quorvex"},
                          // No HOME (root under a bare service): the account's home, never the root folder.
                          {nullptr, nullptr, "/root", "/root/.config/quorvex"}, {"", "/", "/root", ""},
                          {nullptr, "home", "", ""},
                          {nullptr, "/home/\xE9t\xE9", "", "/home/\xE9t\xE9/.config/quorvex"}}) {  // bytes, not UTF-8
        const auto env = [&](const char* name) { return std::string(name) == "HOME" ? c.home : c.xdg; };
        EXPECT_EQ(ConfigFolder(env, c.account), c.folder) << (c.home ? c.home : "-");
    }
}

// Outside events on the files: each leaves the player's data, and everything
// else, as it was, and never holds the game up.
TEST(Store, LinksDamageLaterVersionsLocksAndLeftoversLoseNothing) {
    Scratch s;
    const std::string folder = s.path + "/qu\xE9", victim = s.path + "/victim";
    GameStore store(folder);
    const std::string file = store.StatisticsFile();
    Statistics got;
    const auto save = [&] { return store.SaveStatistics(OnePlayed(), got).Status; };
    ASSERT_TRUE(MakeFolder(folder));

    // A link is read through but replaced by the game's own file; what it named stays as it was.
    const std::string five = "[statistics]\nbestMs=none\nbestStreak=0\ncurrentStreak=0\nplayed=5\n"
                             "solvedUnaided=0\nsolvedWithHelp=0\nunaidedMs=\nversion=1\n";
    Write(victim, five);
    for (const std::string& link : {file, store.SettingsFile()}) {
        ASSERT_EQ(symlink(victim.c_str(), link.c_str()), 0);
        const StoreResult r = link == file ? store.SaveStatistics(OnePlayed(), got) : store.SavePreferences({false});
        EXPECT_TRUE(r.Status == StoreStatus::Ok && r.Replaced == victim && fs::is_regular_file(fs::symlink_status(link)));
    }
    EXPECT_TRUE(Read(victim) == five && got.Played == 6 && !store.LoadPreferences().ShowTimer);

    // Every damaged file is kept, under a name of its own.
    for (const char* damage : {"\x01 not ini", "[statistics]\nplayed=-3\n"}) {
        Write(file, damage);
        EXPECT_EQ(store.LoadStatistics(got).Status, StoreStatus::Damaged);
    }
    EXPECT_EQ(Read(file + ".damaged") + Read(file + ".damaged.2"), "\x01 not ini[statistics]\nplayed=-3\n");

    // A later version's file is neither damage nor written over.
    Write(file, "[statistics]\nversion=2\nplayed=5\n");
    EXPECT_TRUE(store.LoadStatistics(got).Status == StoreStatus::Later && save() == StoreStatus::Later);
    EXPECT_EQ(Read(file), "[statistics]\nversion=2\nplayed=5\n");

    // A byte-order mark and Windows line ends; a temporary left by a save killed
    // before its rename goes at the next save, and nothing else does.
    std::string windows = "\xEF\xBB\xBF";
    for (char ch : five) windows += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    Write(file, windows);
    Write(file + ".new-Ab12Cd", "half"), Write(file + ".backup", "the player's");
    EXPECT_TRUE(store.LoadStatistics(got).Status == StoreStatus::Ok && save() == StoreStatus::Ok && got.Played == 6);
    EXPECT_TRUE(!fs::exists(file + ".new-Ab12Cd") && Read(file + ".backup") == "the player's");

    // A lock another program holds is waited for a moment only; one that cannot be
    // taken fails at once; the lock files QSettings left are no lock any more.
    fs::create_directory(folder + "/statistics.ini.lock"), Write(folder + "/settings.ini.lock", "");
    const int held = open((folder + "/quorvex.lock").c_str(), O_RDWR);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    EXPECT_TRUE(save() == StoreStatus::Busy && store.SavePreferences({}).Status == StoreStatus::Busy);
    close(held);
    fs::remove(folder + "/quorvex.lock"), fs::create_directory(folder + "/quorvex.lock");
    EXPECT_EQ(save(), StoreStatus::Unwritable);
    fs::remove(folder + "/quorvex.lock");
    EXPECT_TRUE(save() == StoreStatus::Ok && got.Played == 7);

    // No file in the file's place: a pipe nobody writes to would hold a read for ever.
    fs::remove(file);
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    EXPECT_TRUE(store.LoadStatistics(got).Status == StoreStatus::Unreadable && save() == StoreStatus::Unreadable);
    EXPECT_TRUE(fs::is_fifo(file));
}

// Two store objects on one file, as two copies of the game saving at the
// same moment: every count adds up.
TEST(Store, TwoCopiesSavingAtOnceAddUpExactly) {
    Scratch s;
    GameStore first(s.path), second(s.path);
    constexpr int Saves = 200;
    const auto play = [&](GameStore& store) {
        // A save the lock kept out is kept, as the game keeps it, and tried again.
        for (int n = 0; n < Saves; ++n) {
            Statistics merged;
            for (int tries = 0; tries < 50 && store.SaveStatistics(OnePlayed(), merged).Status == StoreStatus::Busy;)
                ++tries;
        }
    };
    std::thread other([&] { play(second); });
    play(first);
    other.join();
    Statistics got;
    ASSERT_EQ(second.LoadStatistics(got).Status, StoreStatus::Ok);
    EXPECT_EQ(got.Played, 2 * Saves);
}

}  // namespace
}  // namespace quorvex::store
