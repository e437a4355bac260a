#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

class MapWatcher;

struct StartupRun {
    // From just before the fork until the map event of the program's window arrived.
    double milliseconds;
    // The child's peak resident set over its whole life, as the kernel reports it when reaped.
    long peakKiB;
};

// In a forked child: runs command with its output going to logFd.
[[noreturn]] void execWithOutput(const std::vector<std::string> &command, int logFd);

// Starts command in a fresh home on the watcher's display, waits for its window to be mapped,
// calls onMapped with the child's pid, asks the window to close and reaps the child. The child's
// output goes to logFd. Throws when the window does not come or the program does not exit
// cleanly.
StartupRun runOnce(MapWatcher &watcher, const std::vector<std::string> &command, int logFd,
                   const std::function<void(pid_t)> &onMapped = {});
