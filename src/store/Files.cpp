// Files over POSIX calls, paths as bytes.
#include "store/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace quorvex::store {

namespace {

constexpr off_t LargestFile = 1 << 20;
constexpr const char* TemporaryMark = ".new-";

bool Absolute(const char* path) { return path != nullptr && path[0] == '/'; }

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

}  // namespace

std::string ConfigFolder(const Lookup& env, const std::string& accountHome) {
    if (const char* xdg = env("XDG_CONFIG_HOME"); Absolute(xdg)) return WithoutTrailingSlashes(xdg) + "/quorvex";
    const char* home = env("HOME");
    const std::string base = WithoutTrailingSlashes(Absolute(home) ? home : accountHome);
    if (base.empty() || base[0] != '/' || base == "/") return "";
    return base + "/.config/quorvex";
}

std::string ConfigFolder() {
    const Lookup env = [](const char* name) { return std::getenv(name); };
    std::string account;
    // The account database is asked only when no variable decides: the
    // look-up costs start-up time and memory before the first window.
    if (!Absolute(env("XDG_CONFIG_HOME")) && !Absolute(env("HOME"))) {
        std::vector<char> buffer(16384);
        passwd entry{}, *found = nullptr;
        if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
            account = found->pw_dir;
    }
    return ConfigFolder(env, account);
}

FileText ReadSmallFile(const std::string& path) {
    FileText result;
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0) {
        result.status = errno == ENOENT ? FileText::Missing : FileText::Unreadable;
        return result;
    }
    if (S_ISLNK(link.st_mode)) {
        std::vector<char> target(4096);
        const ssize_t n = readlink(path.c_str(), target.data(), target.size());
        if (n > 0) result.linkTarget.assign(target.data(), std::size_t(n));
    }
    // Non-blocking, so that a link to a pipe cannot hold the game up.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    struct stat st {};
    result.status = FileText::Unreadable;
    if (fd < 0) {
        // A link to nothing is no file at all.
        if (errno == ENOENT) result.status = FileText::Missing;
        return result;
    }
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= LargestFile) {
        result.text.resize(std::size_t(st.st_size) + 1);
        std::size_t got = 0;
        ssize_t n = 0;
        while (got < result.text.size() && (n = read(fd, result.text.data() + got, result.text.size() - got)) > 0)
            got += std::size_t(n);
        // One byte more than its size was asked for: a file that grew meanwhile is not trusted.
        if (n >= 0 && got <= std::size_t(st.st_size)) {
            result.text.resize(got);
            result.status = FileText::Ok;
        }
    }
    close(fd);
    if (result.status != FileText::Ok) result.text.clear();
    return result;
}

bool MakeFolder(const std::string& folder) {
    for (std::size_t at = 1; at <= folder.size(); ++at) {
        if (at < folder.size() && folder[at] != '/') continue;
        const std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ReplaceFile(const std::string& path, std::string_view text) {
    std::string temporary = path + TemporaryMark + "XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        ok = n > 0 || (n < 0 && errno == EINTR);
        if (n > 0) done += std::size_t(n);
    }
    // On disk before the rename, or a crash could leave an empty file in its place.
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string prefix = NameOf(path) + TemporaryMark, folder = FolderOf(path);
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
            unlink((folder + "/" + name).c_str());
    }
    closedir(dir);
}

std::string KeepAside(const std::string& path) {
    for (int n = 1; n <= 1000; ++n) {
        const std::string kept = path + ".damaged" + (n == 1 ? "" : "." + std::to_string(n));
        struct stat st {};
        if (lstat(kept.c_str(), &st) == 0) continue;
        // Under the lock no other copy of the game takes the same name meanwhile.
        return errno == ENOENT && rename(path.c_str(), kept.c_str()) == 0 ? kept : "";
    }
    return "";
}

FolderLock::FolderLock(const std::string& folder, std::chrono::milliseconds wait) {
    // Never through a link: the lock is the game's own file.
    fd_ = open((folder + "/quorvex.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
    if (fd_ < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            status_ = Held;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) return;
        if (std::chrono::steady_clock::now() >= deadline) {
            status_ = Busy;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) close(fd_);
}

}  // namespace quorvex::store
