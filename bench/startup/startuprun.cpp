#include "startuprun.h"

#include "freshhome.h"
#include "mapwatcher.h"

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace
{

using Clock = std::chrono::steady_clock;

// Generous enough for a start under valgrind.
constexpr auto MapTimeout = std::chrono::minutes(5);
constexpr auto ExitTimeout = std::chrono::minutes(2);

[[noreturn]] void startChild(const std::vector<std::string> &command, const FreshHome &home,
                             int logFd)
{
    setenv("HOME", home.path().c_str(), 1);
    // Everything per-user then lives under the fresh home.
    for (const char *name :
         {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) {
        unsetenv(name);
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    execWithOutput(command, logFd);
}

// Debian 12's <sys/pidfd.h> lacks C linkage for C++, so the system call is made directly.
int openPidFd(pid_t pid)
{
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

int milliseconds(Clock::duration duration)
{
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(duration).count());
}

// Waits until the child exits (true) or the X connection has something to read (false).
bool waitForExitOrEvents(int pidFd, int xFd, Clock::time_point deadline)
{
    pollfd watched[] = {{pidFd, POLLIN, 0}, {xFd, POLLIN, 0}};
    for (;;) {
        const Clock::duration left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) {
            throw std::runtime_error("timed out waiting for the program");
        }
        const int ready = poll(watched, xFd < 0 ? 1 : 2, milliseconds(left));
        if (ready < 0 && errno != EINTR) {
            throw std::system_error(errno, std::generic_category(), "poll");
        }
        if (watched[0].revents != 0) {
            return true;
        }
        if (xFd >= 0 && watched[1].revents != 0) {
            return false;
        }
    }
}

struct Child {
    pid_t pid;
    int pidFd;

    ~Child()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        close(pidFd);
    }

    long reap()
    {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        pid = 0;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            throw std::runtime_error("the program did not exit cleanly");
        }
        return usage.ru_maxrss;
    }
};

} // namespace

void execWithOutput(const std::vector<std::string> &command, int logFd)
{
    dup2(logFd, STDOUT_FILENO);
    dup2(logFd, STDERR_FILENO);
    std::vector<char *> argv;
    for (const std::string &argument : command) {
        argv.push_back(const_cast<char *>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

StartupRun runOnce(MapWatcher &watcher, const std::vector<std::string> &command, int logFd,
                   const std::function<void(pid_t)> &onMapped)
{
    const FreshHome home;
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        throw std::system_error(errno, std::generic_category(), "fork");
    }
    if (pid == 0) {
        startChild(command, home, logFd);
    }
    Child child{pid, openPidFd(pid)};
    if (child.pidFd < 0) {
        throw std::system_error(errno, std::generic_category(), "pidfd_open");
    }

    const Clock::time_point mapDeadline = start + MapTimeout;
    std::optional<MapWatcher::Mapped> mapped;
    // Xlib may hold events read during an earlier reply, so the queue is taken before each wait.
    while (!(mapped = watcher.takeMappedWindowOf(pid))) {
        if (waitForExitOrEvents(child.pidFd, watcher.descriptor(), mapDeadline)) {
            throw std::runtime_error("the program exited before its window was mapped");
        }
    }
    const std::chrono::duration<double, std::milli> elapsed = mapped->at - start;
    if (onMapped) {
        onMapped(pid);
    }
    watcher.requestClose(mapped->window);
    waitForExitOrEvents(child.pidFd, -1, Clock::now() + ExitTimeout);
    return {elapsed.count(), child.reap()};
}
