// The command line, read before any window exists: options that only print
// (--help, --version, --generate) need no display, and anything unknown or
// malformed is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorvex::ui {

struct CommandLine {
    bool startGame = true;  // false: print `out` and `err`, and exit with `status`
    int status = 0;
    std::string out, err;
    std::string code;  // --code: the puzzle to start with, already checked
};

// Qt's own options (-platform, -display, -style ...) pass through to QApplication.
// --generate draws from `seed` when it is given (tests), from the system otherwise.
CommandLine ReadCommandLine(int argc, char** argv, const char* version, std::optional<std::uint64_t> seed = {});

}  // namespace quorvex::ui
