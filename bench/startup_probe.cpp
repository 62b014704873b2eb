// Times how long programs take from their start to their first window on
// the screen, and how much memory each holds once it has settled.
//
//   startup-probe [--runs N] [--settle-ms MS] -- PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...
//
// Starts each program once to warm the caches (and to let it make its
// settings on a first start), then N rounds in which every program starts
// once, in turn. Taking turns means a change in the machine's speed during
// the measurement falls on all programs alike, so their ratios hold even
// when the times drift. Each start listens on the X display's root window
// for the first top-level window being mapped: the time from fork() to
// that MapNotify is the start-up time. It also reads the processor time the
// program had used by then, which a busy machine disturbs far less than the
// time on the clock. Finally every program starts once more, and MS
// milliseconds after its window (sounds and music load after the window)
// its resident set size is read from /proc. Prints one line per program:
//   MEDIAN_MS MIN_MS MAX_MS RSS_KB MEDIAN_CPU_MS
// Needs DISPLAY (the benchmark runs it under xvfb-run, without a window
// manager, so top-level windows are children of the root window).
#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// Processor time the process has used so far (the scheduler's count).
double CpuMs(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/schedstat");
    double ns = -1e6;
    stat >> ns;
    return ns / 1e6;
}

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Starts the program and waits for the first window mapped on the root.
// Returns the milliseconds it took, or a negative number on failure.
double TimeOneStart(Display* display, char** command, long settleMs, long* rssKb, double* cpuMs) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True); // forget what earlier runs left in the queue
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return -1;
    }
    if (pid == 0) {
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    double elapsedMs = -1;
    const Clock::time_point deadline = start + std::chrono::seconds(20);
    while (elapsedMs < 0 && Clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == root) {
                elapsedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                *cpuMs = CpuMs(pid);
                break;
            }
        }
        if (elapsedMs >= 0 || waitpid(pid, nullptr, WNOHANG) == pid) {
            break;
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 50);
    }
    if (elapsedMs >= 0 && rssKb != nullptr) {
        usleep(static_cast<useconds_t>(settleMs) * 1000);
        *rssKb = ResidentKb(pid);
    }
    Stop(pid);
    return elapsedMs;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    long settleMs = 2000;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--settle-ms") == 0 && i + 1 < argc) {
            settleMs = std::max(0L, std::atol(argv[++i]));
        } else {
            break;
        }
    }
    // Each "--" starts a program's command; the next "--" ends it, so the
    // arguments are cut there and the commands stay null-terminated.
    std::vector<char**> commands;
    for (; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            argv[i] = nullptr;
            if (i + 1 < argc && std::strcmp(argv[i + 1], "--") != 0) {
                commands.push_back(argv + i + 1);
            }
        }
    }
    if (commands.empty()) {
        std::fprintf(stderr, "usage: startup-probe [--runs N] [--settle-ms MS] -- PROGRAM "
                             "[ARGS...] [-- PROGRAM [ARGS...]]...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "startup-probe: no X display (run under xvfb-run)\n");
        return 1;
    }
    const std::size_t count = commands.size();
    std::vector<std::vector<double>> times(count);
    std::vector<std::vector<double>> cpuTimes(count);
    std::vector<long> rssKb(count, -1);
    std::vector<bool> failed(count, false);
    double cpuMs = 0;
    for (std::size_t p = 0; p < count; ++p) {
        failed[p] = TimeOneStart(display, commands[p], 0, nullptr, &cpuMs) < 0;
    }
    for (int run = 0; run < runs; ++run) {
        for (std::size_t p = 0; p < count; ++p) {
            if (failed[p]) {
                continue;
            }
            const double ms = TimeOneStart(display, commands[p], 0, nullptr, &cpuMs);
            failed[p] = ms < 0;
            times[p].push_back(ms);
            cpuTimes[p].push_back(cpuMs);
        }
    }
    for (std::size_t p = 0; p < count; ++p) {
        if (!failed[p]) {
            failed[p] = TimeOneStart(display, commands[p], settleMs, &rssKb[p], &cpuMs) < 0;
        }
    }
    XCloseDisplay(display);
    int status = 0;
    for (std::size_t p = 0; p < count; ++p) {
        if (failed[p]) {
            std::fprintf(stderr, "startup-probe: %s showed no window\n", commands[p][0]);
            std::printf("- - - - -\n");
            status = 1;
            continue;
        }
        std::sort(times[p].begin(), times[p].end());
        std::sort(cpuTimes[p].begin(), cpuTimes[p].end());
        std::printf("%.1f %.1f %.1f %ld %.1f\n", times[p][times[p].size() / 2], times[p].front(),
                    times[p].back(), rssKb[p], cpuTimes[p][cpuTimes[p].size() / 2]);
    }
    return status;
}
