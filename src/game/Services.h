// Everything the game needs from the world outside it. The Qt front end
// implements it for the real window; tests use a scripted fake.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

// One printed page: the font to set, then the lines in order ("" is an empty line).
struct PrintJob {
    std::string FontName;
    double FontSize = 0;
    std::vector<std::string> Lines;
};

class Services {
public:
    virtual ~Services() = default;
    // Modal message box titled with the application's title.
    virtual MsgAnswer showMessage(std::string_view text, MsgButtons buttons) = 0;
    // Let the window handle whatever input and repaints are waiting, then return.
    virtual void processPendingEvents() = 0;
    virtual void setWindowTitle(std::string_view title) = 0;
    // Time of day in seconds since midnight, with its fraction.
    virtual double secondsSinceMidnight() = 0;
    virtual void printPage(const PrintJob& job) = 0;
    virtual void openHelp() = 0;
    // Modal About window; returns when it is closed.
    virtual void showAbout() = 0;
    // Close every window and end the event loop; no further handler may run.
    virtual void endProgram() = 0;
};

}  // namespace quorvex
