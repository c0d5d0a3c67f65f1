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

// A fresh folder, removed with everything in it.
struct Scratch {
    std::string path;
    Scratch() {
        std::string name = (fs::temp_directory_path() / "quorvex-store-XXXXXX").string();
        path = mkdtemp(name.data());
    }
    ~Scratch() { fs::remove_all(path); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

StatisticsChange Played(int n) {
    StatisticsChange c;
    while (n--) CountPlayed(c);
    return c;
}

TEST(Store, FolderFollowsTheConfigurationRules) {
    struct Case { const char *xdg, *home, *account, *folder; };
    for (const Case& c : {Case{"/x/conf", "/home/p", "/home/q", "/x/conf/quorvex"},
                          {"/x/conf/", nullptr, "", "/x/conf/quorvex"},
                          {"relative/conf", "/home/p", "/home/q", "/home/p/.config/quorvex"},
                          {"", "/home/p/", "", "/home/p/.config/quorvex"},
                          // No HOME (root under a bare service): the account's home, never the root folder.
                          {nullptr, nullptr, "/root", "/root/.config/quorvex"},
                          {nullptr, "", "/", ""},
                          {nullptr, "/", "/root", ""},
                          {nullptr, "home", "", ""},
                          // Not UTF-8: the bytes as they are.
                          {nullptr, "/home/\xE9t\xE9", "", "/home/\xE9t\xE9/.config/quorvex"}}) {
        const auto env = [&](const char* name) { return std::string(name) == "HOME" ? c.home : c.xdg; };
        EXPECT_EQ(ConfigFolder(env, c.account), c.folder) << (c.xdg ? c.xdg : "-") << ' ' << (c.home ? c.home : "-");
    }
}

// Outside events on the files: each leaves the player's data and everything
// else as it was, and the game told what happened.
TEST(Store, LinksDamageLaterVersionsAndLeftoversLoseNothing) {
    Scratch s;
    GameStore store(s / "quorvex");
    ASSERT_TRUE(MakeFolder(s / "quorvex"));
    const std::string file = store.StatisticsFile(), victim = s / "victim";
    Statistics got;

    // A link is read through but replaced by the game's own file; the file it
    // named (here another player's statistics) is left as it was.
    const std::string five = "[statistics]\nbestMs=none\nbestStreak=0\ncurrentStreak=0\nplayed=5\n"
                             "solvedUnaided=0\nsolvedWithHelp=0\nunaidedMs=\nversion=1\n";
    Write(victim, five);
    for (const std::string& link : {file, store.SettingsFile()}) {
        ASSERT_EQ(symlink(victim.c_str(), link.c_str()), 0);
        const StoreResult r = link == file ? store.SaveStatistics(Played(1), got) : store.SavePreferences({false});
        EXPECT_TRUE(r.Status == StoreStatus::Ok && r.Replaced == victim && fs::is_regular_file(fs::symlink_status(link)));
    }
    EXPECT_TRUE(Read(victim) == five && got.Played == 6 && !store.LoadPreferences().ShowTimer);

    // Every damaged file is kept, under a name of its own.
    for (const char* damage : {"\x01\x02 not ini", "[statistics]\nplayed=-3\n"}) {
        Write(file, damage);
        EXPECT_EQ(store.LoadStatistics(got).Status, StoreStatus::Damaged);
    }
    EXPECT_EQ(Read(file + ".damaged") + Read(file + ".damaged.2"), "\x01\x02 not ini[statistics]\nplayed=-3\n");

    // A file a later version wrote is neither read as damage nor written over.
    const std::string later = "[statistics]\nversion=2\nplayed=5\nnewField=1\n";
    Write(file, later);
    EXPECT_EQ(store.LoadStatistics(got).Status, StoreStatus::Later);
    EXPECT_EQ(store.SaveStatistics(Played(1), got).Status, StoreStatus::Later);
    EXPECT_EQ(Read(file), later);

    // A byte-order mark and Windows line ends are still the game's own file, saved as such.
    std::string windows = "\xEF\xBB\xBF";
    for (char ch : five) windows += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    Write(file, windows);
    EXPECT_EQ(store.LoadStatistics(got).Status, StoreStatus::Ok);
    EXPECT_EQ(store.SaveStatistics(Played(1), got).Status, StoreStatus::Ok);
    EXPECT_EQ(got.Played, 6);

    // A save killed before its rename left a temporary: the next save removes it, and nothing else.
    Write(file + ".new-Ab12Cd", "half");
    Write(file + ".backup", "the player's");
    EXPECT_EQ(store.SaveStatistics(Played(1), got).Status, StoreStatus::Ok);
    EXPECT_TRUE(!fs::exists(file + ".new-Ab12Cd") && Read(file + ".backup") == "the player's");
    EXPECT_EQ(fs::directory_iterator(s / "quorvex")->path().string().find(".new-"), std::string::npos);

    // Whatever is in the file's place and is no file is left alone.
    fs::remove(file);
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);  // nobody writes to it: a read would wait for ever
    EXPECT_EQ(store.LoadStatistics(got).Status, StoreStatus::Unreadable);
    EXPECT_EQ(store.SaveStatistics(Played(1), got).Status, StoreStatus::Unreadable);
    EXPECT_TRUE(fs::is_fifo(file));
    fs::remove(file);

    // No folder at all: nothing is read or written, anywhere.
    GameStore nowhere("");
    EXPECT_EQ(nowhere.LoadStatistics(got).Status, StoreStatus::NoFolder);
    EXPECT_EQ(nowhere.SaveStatistics(Played(1), got).Status, StoreStatus::NoFolder);
}

// A lock another program holds is waited for a moment only; one the game
// cannot take at all fails at once; leftovers of older versions are no lock.
TEST(Store, ALockIsNeverWaitedForLong) {
    Scratch s;
    const std::string folder = s / "quorvex";
    GameStore store(folder);
    Statistics got;
    ASSERT_TRUE(MakeFolder(folder));
    fs::create_directory(folder + "/statistics.ini.lock");  // what QSettings' lock would trip over
    Write(folder + "/settings.ini.lock", "");
    EXPECT_EQ(store.SaveStatistics(Played(1), got).Status, StoreStatus::Ok);
    {
        const int held = open((folder + "/quorvex.lock").c_str(), O_RDWR);
        ASSERT_EQ(flock(held, LOCK_EX), 0);
        EXPECT_EQ(store.SaveStatistics(Played(1), got).Status, StoreStatus::Busy);
        EXPECT_EQ(store.SavePreferences({}).Status, StoreStatus::Busy);
        close(held);
    }
    fs::remove(folder + "/quorvex.lock");
    fs::create_directory(folder + "/quorvex.lock");
    EXPECT_EQ(store.SaveStatistics(Played(1), got).Status, StoreStatus::Unwritable);
    fs::remove(folder + "/quorvex.lock");
    EXPECT_EQ(store.SaveStatistics(Played(1), got).Status, StoreStatus::Ok);
    EXPECT_EQ(got.Played, 2);  // the two saves that went through
}

// Two store objects on one file, as two copies of the game: in turn and at
// the same moment, every count adds up.
TEST(Store, TwoCopiesSavingAtOnceAddUpExactly) {
    Scratch s;
    GameStore first(s / "q"), second(s / "q");
    Statistics got;
    for (int n = 0; n < 4; ++n) ASSERT_EQ((n % 2 ? first : second).SaveStatistics(Played(1), got).Status, StoreStatus::Ok);
    EXPECT_EQ(got.Played, 4);

    constexpr int Saves = 200;
    const auto play = [&](GameStore& store, int& busy) {
        for (int n = 0; n < Saves; ++n) {
            Statistics merged;
            // A save the lock kept out is kept, as the game keeps it, and tried again.
            StoreStatus status;
            while ((status = store.SaveStatistics(Played(1), merged).Status) == StoreStatus::Busy) ++busy;
            ASSERT_EQ(status, StoreStatus::Ok);
        }
    };
    int busyFirst = 0, busySecond = 0;
    std::thread other([&] { play(second, busySecond); });
    play(first, busyFirst);
    other.join();
    ASSERT_EQ(first.LoadStatistics(got).Status, StoreStatus::Ok);
    EXPECT_EQ(got.Played, 4 + 2 * Saves) << "busy " << busyFirst << "+" << busySecond;
}

}  // namespace
}  // namespace quorvex::store
