// Start-up checks for a display, before and while Qt opens one.
#include "qt/DisplayCheck.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include <QGuiApplication>
#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>

namespace quorvex::ui {

namespace {

// How the game can be started when no display is found; the end of every
// start-up failure line.
constexpr const char* DisplayAdvice =
    "Start Quorvex from a graphical desktop session, or under a virtual display: xvfb-run quorvex";

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

// The value of "-name value" or "--name value" on the command line, which Qt
// puts before the environment; nullptr when absent.
const char* Argument(int argc, char** argv, std::string_view name) {
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.starts_with("--")) arg.remove_prefix(1);
        if (arg.starts_with('-') && arg.substr(1) == name) return argv[i + 1];
    }
    return nullptr;
}

void Fail(const std::string& line) {
    std::fprintf(stderr, "quorvex: %s\n", line.c_str());
    std::fflush(stderr);
}

// A display server that accepts the connection but never answers (a frozen
// X server) would hold start-up for ever.
constexpr unsigned DisplayAnswerSeconds = 5;
char silentDisplayLine[512];

extern "C" void DisplaySilent(int) {
    // Only async-signal-safe calls here.
    const ssize_t written = write(STDERR_FILENO, silentDisplayLine, std::strlen(silentDisplayLine));
    (void)written;
    _exit(1);
}

// Messages Qt writes while the application is being built, held back until
// it is known whether the platform started.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

std::vector<HeldMessage>* held = nullptr;
const EnvironmentLookup* heldEnv = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // Qt cannot open any platform. Its own explanation runs to several
        // lines about plugins; the player needs to hear about the display,
        // and the platform's first complaint is the most telling reason.
        QString reason = text;
        for (const HeldMessage& m : *held)
            if (m.category.startsWith("qt.qpa")) {
                reason = m.text;
                break;
            }
        const char* display = (*heldEnv)("DISPLAY");
        const std::string what = IsSet(display) ? std::string("cannot open the display \"") + display + "\""
                                                : std::string("no usable display");
        Fail(what + " (" + reason.section(QLatin1Char('\n'), 0, 0).trimmed().toStdString() + "). " +
             DisplayAdvice);
        std::_Exit(1);  // the application is half built: no clean-up can run
    }
    held->push_back({type, context.file, context.function, context.category, context.line, text});
}

}  // namespace

std::string MissingDisplay(const EnvironmentLookup& env, int argc, char** argv) {
    const char* given = Argument(argc, argv, "platform");
    const std::string platform = given ? given : IsSet(env("QT_QPA_PLATFORM")) ? env("QT_QPA_PLATFORM") : "";
    const bool x11 = IsSet(env("DISPLAY")) || Argument(argc, argv, "display");
    // Without a choice Qt takes X11, or Wayland in a Wayland session.
    if (platform.empty() && !x11 && !IsSet(env("WAYLAND_DISPLAY")))
        return std::string("no graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set. ") +
               DisplayAdvice;
    if (platform == "xcb" && !x11)
        return std::string("no X11 display: QT_QPA_PLATFORM asks for xcb but DISPLAY is not set. ") +
               DisplayAdvice;
    // Anything else (offscreen, a list of fallbacks, a Wayland socket by its
    // default name) only Qt can judge.
    return {};
}

void ConstructOnDisplay(const std::function<void()>& construct, const EnvironmentLookup& env) {
    std::vector<HeldMessage> messages;
    held = &messages;
    heldEnv = &env;
    QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
    const char* display = env("DISPLAY");
    std::snprintf(silentDisplayLine, sizeof silentDisplayLine,
                  "quorvex: the display \"%s\" does not answer (waited %u s). %s\n", IsSet(display) ? display : "",
                  DisplayAnswerSeconds, DisplayAdvice);
    struct sigaction silent {}, before {};
    silent.sa_handler = DisplaySilent;
    sigaction(SIGALRM, &silent, &before);
    alarm(DisplayAnswerSeconds);
    construct();
    alarm(0);
    sigaction(SIGALRM, &before, nullptr);
    qInstallMessageHandler(previous);
    held = nullptr;
    heldEnv = nullptr;
    // A platform can start without a screen (linuxfb with no framebuffer);
    // the first window would then abort the program. The platform names
    // itself in the complaint that tells why.
    if (QGuiApplication::primaryScreen() == nullptr) {
        const QString platform = QGuiApplication::platformName();
        std::string why;
        for (const HeldMessage& m : messages)
            if (why.empty() && m.text.contains(platform)) why = " (" + m.text.section(QLatin1Char('\n'), 0, 0).trimmed().toStdString() + ")";
        Fail("no usable display: the platform \"" + platform.toStdString() + "\" found no screen" + why + ". " +
             DisplayAdvice);
        std::_Exit(1);
    }
    for (const HeldMessage& m : messages) {
        QMessageLogContext context(m.file.isNull() ? nullptr : m.file.constData(), m.line,
                                   m.function.isNull() ? nullptr : m.function.constData(),
                                   m.category.isNull() ? nullptr : m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
}

}  // namespace quorvex::ui
