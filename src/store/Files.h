// The few things the game does with files, over POSIX: where its folder is,
// reading a small file, replacing one so that no reader ever sees half of it,
// keeping a bad file aside, and a lock that is never waited for long.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace quorvex::store {

// Like getenv: null when the variable is not set.
using Lookup = std::function<const char*(const char*)>;

// The game's folder by the XDG base directory rules: $XDG_CONFIG_HOME/quorvex
// when that is an absolute path, otherwise <home>/.config/quorvex, where home
// is $HOME when absolute and otherwise `accountHome` (the password database's
// entry). Paths are bytes, whatever their encoding. "" when there is no sound
// folder: the root folder is nobody's home.
std::string ConfigFolder(const Lookup& env, const std::string& accountHome);
// The same for this process: its environment and its user's account.
std::string ConfigFolder();

struct FileText {
    enum Status { Ok, Missing, Unreadable } status = Missing;
    std::string text;
    std::string linkTarget;  // where `path` points when it is a symbolic link
};
// A regular file of at most a megabyte, read through a symbolic link; anything
// else (a folder, a pipe, a device, a larger file) is Unreadable.
FileText ReadSmallFile(const std::string& path);

// Creates the folder and any missing parents, for this user only.
bool MakeFolder(const std::string& folder);

// Writes `text` to a new file beside `path` and renames it over `path`: a
// reader sees the old file or the new one. A symbolic link at `path` is
// replaced by the file, never written through. False when any step failed;
// then nothing of it is left behind.
bool ReplaceFile(const std::string& path, std::string_view text);

// Files a ReplaceFile of `path` left when its process ended between the write
// and the rename. Only safe while holding the FolderLock.
void RemoveStaleTemporaries(const std::string& path);

// Moves `path` aside as "<path>.damaged", or ".damaged.2", ".damaged.3" ...,
// never over an earlier copy. The new name, or "" when it could not be kept.
// Only while holding the FolderLock.
std::string KeepAside(const std::string& path);

// An exclusive lock on a file in `folder` shared by every copy of the game,
// taken within `wait` or not at all. The system drops it when its holder
// ends, so a killed copy never leaves it behind.
class FolderLock {
public:
    enum Status { Held, Busy, Failed };
    FolderLock(const std::string& folder, std::chrono::milliseconds wait);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    Status status() const { return status_; }

private:
    int fd_ = -1;
    Status status_ = Failed;
};

}  // namespace quorvex::store
