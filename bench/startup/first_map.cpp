// Starts a program on the X display and ends it as soon as its first
// top-level window is mapped, so that timing this command as a whole process
// (wall time, and the program's peak memory as the largest process) times
// the program's start-up to a visible window:
//   quorvex_first_map PROGRAM [ARG...]
// It prints the milliseconds to the map on standard error and exits 0, or 1
// when the program ends or 10 seconds pass without a window. Both programs
// compared draw their first frame just after the map, so it is left out.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

// Waits for the next event on `display` for at most `ms` milliseconds.
bool NextEvent(Display* display, XEvent& event, int ms) {
    if (XPending(display) == 0) {
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        if (poll(&fd, 1, ms) <= 0) return false;
    }
    XNextEvent(display, &event);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("usage: quorvex_first_map PROGRAM [ARG...]\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("quorvex_first_map: no X display\n", stderr);
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 1;
    const auto elapsed = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    XEvent event;
    while (elapsed() < 10000 && waitpid(child, nullptr, WNOHANG) == 0) {
        if (!NextEvent(display, event, 50) || event.type != MapNotify || event.xmap.override_redirect) continue;
        std::fprintf(stderr, "%.1f ms to the first window\n", elapsed());
        status = 0;
        break;
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return status;
}
