// Start-up of the program against its floor under an X server: time until the window is mapped
// and peak resident memory over interleaved runs, then user-space instructions until the window
// is mapped, counted by callgrind. Every run starts in a fresh, empty home.
//   startup_bench [--runs N] [--callgrind-runs N] [--out DIR] FLOOR PROGRAM
// DIR (default startup-profiles) receives the programs' output, every run's figures and the
// callgrind profiles.

#include "comparison.h"
#include "mapwatcher.h"
#include "startuprun.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

struct Options {
    int runs = 20;
    int callgrindRuns = 3;
    fs::path out = "startup-profiles";
    std::array<std::string, 2> programs; // floor, program
};

constexpr std::array<const char *, 2> SideNames = {"floor", "program"};

Options parse(int argc, char **argv)
{
    Options options;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--runs" && hasValue) {
            options.runs = std::atoi(argv[++i]);
        } else if (argument == "--callgrind-runs" && hasValue) {
            options.callgrindRuns = std::atoi(argv[++i]);
        } else if (argument == "--out" && hasValue) {
            options.out = argv[++i];
        } else {
            positional.push_back(argument);
        }
    }
    if (positional.size() != 2 || options.runs < 1 || options.callgrindRuns < 0) {
        throw std::invalid_argument(
            "usage: startup_bench [--runs N] [--callgrind-runs N] [--out DIR] FLOOR PROGRAM");
    }
    options.programs = {fs::absolute(positional[0]).string(), fs::absolute(positional[1]).string()};
    return options;
}

// Pair k runs floor then program when k is even and the other way round when it is odd, so
// that neither side always runs first within a pair: floor, program, program, floor, ...
void interleave(int pairs, const std::function<void(int side, int pair)> &run)
{
    for (int pair = 0; pair < pairs; ++pair) {
        for (int turn = 0; turn < 2; ++turn) {
            run(pair % 2 == 0 ? turn : 1 - turn, pair);
        }
    }
}

void runAndWait(const std::vector<std::string> &command, int logFd)
{
    const pid_t pid = fork();
    if (pid == 0) {
        execWithOutput(command, logFd);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("failed: " + command[0]);
    }
}

double totalInstructions(const fs::path &profile)
{
    std::ifstream in(profile);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("summary:", 0) == 0) {
            return std::stod(line.substr(std::strlen("summary:")));
        }
    }
    throw std::runtime_error("no summary in " + profile.string());
}

void measureTimeAndMemory(const Options &options, MapWatcher &watcher, int logFd)
{
    // The first start of each reads the libraries from disk; later ones find them cached.
    for (const std::string &program : options.programs) {
        runOnce(watcher, {program}, logFd);
    }
    Comparison time{"start-up until the window is mapped (ms)", {}, {}, 1.05};
    Comparison memory{"peak resident memory (MiB)", {}, {}, 1.03};
    time.floor.resize(options.runs);
    time.program.resize(options.runs);
    memory.floor.resize(options.runs);
    memory.program.resize(options.runs);
    // Every run, in the order of the runs, for a look at the noise.
    std::ofstream runs(options.out / "startup-runs.csv");
    runs << "pair,side,milliseconds,peak KiB\n";
    interleave(options.runs, [&](int side, int pair) {
        const StartupRun run = runOnce(watcher, {options.programs[side]}, logFd);
        runs << pair << ',' << SideNames[side] << ',' << run.milliseconds << ',' << run.peakKiB
             << '\n';
        (side == 0 ? time.floor : time.program)[pair] = run.milliseconds;
        (side == 0 ? memory.floor : memory.program)[pair] = run.peakKiB / 1024.0;
    });
    print(time);
    print(memory);
}

// callgrind writes the dump asked for at the map event beside its profile, with ".1" appended.
void countInstructions(const Options &options, MapWatcher &watcher, int logFd)
{
    Comparison instructions{"instructions until the window is mapped (millions)", {}, {}, 1.05};
    instructions.floor.resize(options.callgrindRuns);
    instructions.program.resize(options.callgrindRuns);
    interleave(options.callgrindRuns, [&](int side, int pair) {
        const fs::path profile = options.out / ("callgrind." + std::string(SideNames[side]) + "." +
                                                std::to_string(pair));
        const std::vector<std::string> command = {"valgrind", "--tool=callgrind",
                                                  "--callgrind-out-file=" + profile.string(),
                                                  options.programs[side]};
        runOnce(watcher, command, logFd, [&](pid_t pid) {
            runAndWait({"callgrind_control", "--dump=mapped", std::to_string(pid)}, logFd);
        });
        fs::path mapped = profile;
        mapped += ".1";
        (side == 0 ? instructions.floor : instructions.program)[pair] =
            totalInstructions(mapped) / 1e6;
    });
    print(instructions);
    std::printf("profiles until the window is mapped: %s/callgrind.{floor,program}.N.1\n\n",
                options.out.c_str());
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const Options options = parse(argc, argv);
        fs::create_directories(options.out);
        const fs::path log = options.out / "programs.log";
        const int logFd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (logFd < 0) {
            throw std::runtime_error("cannot write " + log.string());
        }
        std::printf("floor:   %s\nprogram: %s\n\n", options.programs[0].c_str(),
                    options.programs[1].c_str());
        MapWatcher watcher;
        measureTimeAndMemory(options, watcher, logFd);
        if (options.callgrindRuns > 0) {
            countInstructions(options, watcher, logFd);
        }
        close(logFd);
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "startup_bench: %s\n", failure.what());
        return 1;
    }
    return 0;
}
