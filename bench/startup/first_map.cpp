// Times a program's start-up to its first visible window on the X display.
//
//   quorvex_first_map PROGRAM [ARG...]
// starts PROGRAM and ends it as soon as its first top-level window is mapped,
// so that timing this command as a whole process times the start-up. It
// prints the milliseconds to the map on standard error and exits 0, or 1 when
// the program ends or 10 seconds pass without a window.
//
//   quorvex_first_map --pairs N --vs BASELINE [ARG...] -- PROGRAM [ARG...]
// starts PROGRAM and BASELINE in turn, N times each, and prints for both the
// median milliseconds from start to the map and the median peak memory, and
// the medians of the pair-by-pair ratios. Each run starts only once the X
// server has taken down the window of the run before, so a program is not
// charged for the server's clean-up after its predecessor, nor for its own:
// the server repainting what lay under a large window is not start-up.
//
// Both programs compared draw their first frame just after the map, so it is
// left out either way.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Waits for the next event on `display` for at most `ms` milliseconds.
bool NextEvent(Display* display, XEvent& event, int ms) {
    if (XPending(display) == 0) {
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        if (poll(&fd, 1, ms) <= 0) return false;
    }
    XNextEvent(display, &event);
    return true;
}

struct Run {
    bool mapped = false;
    double ms = 0;      // from the start to the map
    double peakMiB = 0;  // the program's largest resident size
    double cpuMs = 0;    // its user and system time, to the map and its end
};

// Starts argv, waits for its first top-level map, ends it and, when
// `waitForTeardown`, waits until the server has destroyed that window.
Run StartOnce(Display* display, char** argv, bool waitForTeardown) {
    Run run;
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[0], argv);
        _exit(127);
    }
    Window window = 0;
    XEvent event;
    while (MsSince(start) < 10000 && waitpid(child, nullptr, WNOHANG) == 0) {
        if (!NextEvent(display, event, 50) || event.type != MapNotify || event.xmap.override_redirect) continue;
        run.ms = MsSince(start);
        run.mapped = true;
        window = event.xmap.window;
        break;
    }
    kill(child, SIGTERM);
    rusage usage{};
    wait4(child, nullptr, 0, &usage);
    run.peakMiB = double(usage.ru_maxrss) / 1024.0;
    run.cpuMs = (double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e6 + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec)) / 1000.0;
    if (waitForTeardown && run.mapped) {
        const auto ended = Clock::now();
        while (MsSince(ended) < 5000)
            if (NextEvent(display, event, 50) && event.type == DestroyNotify && event.xdestroywindow.window == window)
                break;
    }
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Pairs(Display* display, int n, char** program, char** baseline) {
    std::vector<double> aMs, bMs, aMiB, bMiB, aCpu, bCpu, timeRatio, memoryRatio, cpuRatio;
    StartOnce(display, program, true);  // neither is timed cold
    StartOnce(display, baseline, true);
    for (int i = 0; i < n; ++i) {
        const Run a = StartOnce(display, program, true);
        const Run b = StartOnce(display, baseline, true);
        if (!a.mapped || !b.mapped) {
            std::fprintf(stderr, "quorvex_first_map: %s showed no window\n", (a.mapped ? baseline : program)[0]);
            return 1;
        }
        aMs.push_back(a.ms);
        bMs.push_back(b.ms);
        aMiB.push_back(a.peakMiB);
        aCpu.push_back(a.cpuMs);
        bCpu.push_back(b.cpuMs);
        cpuRatio.push_back(a.cpuMs / b.cpuMs);
        bMiB.push_back(b.peakMiB);
        timeRatio.push_back(a.ms / b.ms);
        memoryRatio.push_back(a.peakMiB / b.peakMiB);
    }
    std::printf("%d pairs, in turn\n", n);
    std::printf("%-12s %8s %8s %8s %10s %8s\n", "", "min", "median", "max", "peak MiB", "cpu ms");
    std::printf("%-12s %8.1f %8.1f %8.1f %10.1f %8.1f\n", "program ms", *std::min_element(aMs.begin(), aMs.end()),
                Median(aMs), *std::max_element(aMs.begin(), aMs.end()), Median(aMiB), Median(aCpu));
    std::printf("%-12s %8.1f %8.1f %8.1f %10.1f %8.1f\n", "baseline ms", *std::min_element(bMs.begin(), bMs.end()),
                Median(bMs), *std::max_element(bMs.begin(), bMs.end()), Median(bMiB), Median(bCpu));
    std::printf("time ratio   %.3f (median of pairs; min %.3f, max %.3f)\n", Median(timeRatio),
                *std::min_element(timeRatio.begin(), timeRatio.end()),
                *std::max_element(timeRatio.begin(), timeRatio.end()));
    std::printf("memory ratio %.3f (median of pairs)\n", Median(memoryRatio));
    std::printf("cpu ratio    %.3f (median of pairs)\n", Median(cpuRatio));
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    int pairs = 0;
    char** baseline = nullptr;
    char** program = argv + 1;
    if (argc > 4 && std::strcmp(argv[1], "--pairs") == 0 && std::strcmp(argv[3], "--vs") == 0) {
        pairs = std::atoi(argv[2]);
        baseline = argv + 4;
        char** separator = std::find_if(argv + 4, argv + argc, [](const char* a) { return std::strcmp(a, "--") == 0; });
        if (separator == argv + argc || separator + 1 == argv + argc || pairs < 1 || pairs > 10000) baseline = nullptr;
        else {
            *separator = nullptr;
            program = separator + 1;
        }
    }
    if (argc < 2 || (std::strcmp(argv[1], "--pairs") == 0 && baseline == nullptr)) {
        std::fputs("usage: quorvex_first_map PROGRAM [ARG...]\n"
                   "       quorvex_first_map --pairs N --vs BASELINE [ARG...] -- PROGRAM [ARG...]\n",
                   stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("quorvex_first_map: no X display\n", stderr);
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    int status = 1;
    if (baseline != nullptr) status = Pairs(display, pairs, program, baseline);
    else if (const Run run = StartOnce(display, program, false); run.mapped) {
        std::fprintf(stderr, "%.1f ms to the first window\n", run.ms);
        status = 0;
    }
    XCloseDisplay(display);
    return status;
}
