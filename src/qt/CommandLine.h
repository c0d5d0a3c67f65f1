// The command line, read before any window exists: options that only print
// (--help, --version) need no display, and anything unknown is refused.
#pragma once

#include <string>

namespace quorvex::ui {

struct CommandLine {
    bool startGame = true;  // false: print `out` and `err`, and exit with `status`
    int status = 0;
    std::string out, err;
};

// Qt's own options (-platform, -display, -style ...) pass through to QApplication.
CommandLine ReadCommandLine(int argc, char** argv, const char* version);

}  // namespace quorvex::ui
