// Start-up without a usable display: one line saying what is missing and how
// to run the game, and a plain exit status instead of Qt's abort.
#pragma once

#include <functional>
#include <string>

namespace quorvex::ui {

using EnvironmentLookup = std::function<const char*(const char*)>;

// The start-up failure line when the environment plainly names no display for
// the platform Qt will pick, or an empty string when Qt may try.
std::string MissingDisplay(const EnvironmentLookup& env, int argc, char** argv);

// Runs `construct` (the QApplication's construction) so that a platform that
// fails to start ends the process with one line on stderr and exit status 1
// instead of an abort. Qt's messages from a successful start are passed on.
void ConstructOnDisplay(const std::function<void()>& construct, const EnvironmentLookup& env);

}  // namespace quorvex::ui
