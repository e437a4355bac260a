// The setting-file reader against a floor that does nothing but split the same bytes into lines:
// throughput on a real-sized file, on 64 MiB of comment lines and on one 64 MiB line, and the
// reader's peak memory on a 64 MiB line. Prints, from the same run, each ratio to its floor.
// Throughput is per CPU time of the process (user and system), which the other loads of a
// shared machine disturb less than wall time does.

#include "settingfile/settingfilereader.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr qint64 MiB = 1024 * 1024;
constexpr int Repetitions = 9;

const QByteArray Example = QByteArrayLiteral(
    "// line1.zel\r\n// 2026.12.05\r\n[MODE]\r\nSELECT/COPY\r\n[RS-232C]\r\nBAUD=9600\r\n"
    "BIT=8\r\nSTOP=1\r\nPARTY=NONE\r\n[SETTING]\r\nSTART=3\r\nEND=12\r\nSUFFIX=0x0D\r\n[END]\r\n");
const QByteArray LoadableTail = QByteArrayLiteral("\r\n[MODE]\r\nSCRIPT\r\n[END]\r\n");

struct Input {
    const char *name;
    QByteArray head;
    QByteArray filler; // repeated to fill fillTo bytes after head
    qint64 fillTo;
    QByteArray tail;
};

const std::array Inputs{
    Input{"real-sized", Example, {}, 0, {}},
    Input{"64MiB-comments",
          {},
          "// a comment line of an ordinary length\r\n",
          64 * MiB,
          LoadableTail},
    Input{"64MiB-line", {}, "x", 64 * MiB, LoadableTail},
};

QTemporaryDir &scratchDir()
{
    static QTemporaryDir dir;
    return dir;
}

std::string makeFile(const Input &input)
{
    const QString path = scratchDir().filePath(QString::fromLatin1(input.name));
    QFile file(path);
    QByteArray bytes = input.head;
    if (input.fillTo > 0) {
        bytes += input.filler.repeated(int(input.fillTo / input.filler.size()));
    }
    bytes += input.tail;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    return QFile::encodeName(path).toStdString();
}

// The least any reader must do: read the file and find where every line ends.
size_t countLineEnds(const std::string &path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::array<char, 64 * 1024> buffer{};
    size_t lineEnds = 0;
    ssize_t count = 0;
    while ((count = ::read(descriptor, buffer.data(), buffer.size())) > 0) {
        const char *next = buffer.data();
        const char *end = next + count;
        while ((next = static_cast<const char *>(std::memchr(next, '\r', size_t(end - next))))) {
            ++lineEnds;
            ++next;
        }
    }
    ::close(descriptor);
    return lineEnds;
}

void readSettingFile(const std::string &path)
{
    SettingFileContent content;
    if (!ReadSettingFile(QFile::decodeName(path.c_str()), content).isEmpty()) {
        std::fprintf(stderr, "The reader refused %s\n", path.c_str());
        std::exit(1);
    }
    benchmark::DoNotOptimize(content);
}

void splitIntoLines(const std::string &path)
{
    benchmark::DoNotOptimize(countLineEnds(path));
}

double minimum(const std::vector<double> &values)
{
    return *std::min_element(values.begin(), values.end());
}

double maximum(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end());
}

using Work = void (*)(const std::string &);

void registerBenchmark(const std::string &name, const std::string &path, Work work)
{
    const auto bytes = int64_t(QFile(QFile::decodeName(path.c_str())).size());
    benchmark::RegisterBenchmark(name.c_str(),
                                 [path, bytes, work](benchmark::State &state) {
                                     for (auto _ : state) {
                                         work(path);
                                     }
                                     state.SetBytesProcessed(state.iterations() * bytes);
                                 })
        ->Repetitions(Repetitions)
        ->DisplayAggregatesOnly(true)
        ->ComputeStatistics("min", minimum)
        ->ComputeStatistics("max", maximum);
}

// Keeps the throughput aggregates of every benchmark and, after the run, sets the reader's
// beside the floor's.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    // Colours only on a terminal, so that a saved output reads cleanly.
    RatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate) {
                const std::string name = run.run_name.function_name;
                m_throughput[name][run.aggregate_name] = run.counters.at("bytes_per_second");
            }
        }
    }

    void printRatios() const
    {
        std::printf("\n%-16s %-28s %-28s %s\n", "input", "reader MiB/s min/med/max",
                    "floor MiB/s min/med/max", "reader/floor (target >= 0.5)");
        for (const Input &input : Inputs) {
            const auto reader = m_throughput.find(std::string("reader/") + input.name);
            const auto floor = m_throughput.find(std::string("floor/") + input.name);
            if (reader == m_throughput.end() || floor == m_throughput.end()) {
                continue; // left out by --benchmark_filter
            }
            printRatio(input.name, reader->second, floor->second);
        }
    }

private:
    using Aggregates = std::map<std::string, double>;

    static void printRatio(const char *input, const Aggregates &reader, const Aggregates &floor)
    {
        const double ratio = reader.at("median") / floor.at("median");
        std::printf("%-16s %-28s %-28s %.2f %s\n", input, spread(reader).c_str(),
                    spread(floor).c_str(), ratio, ratio >= 0.5 ? "met" : "MISSED");
    }

    static std::string spread(const Aggregates &aggregates)
    {
        std::array<char, 64> text{};
        std::snprintf(text.data(), text.size(), "%.0f / %.0f / %.0f", aggregates.at("min") / MiB,
                      aggregates.at("median") / MiB, aggregates.at("max") / MiB);
        return text.data();
    }

    std::map<std::string, Aggregates> m_throughput;
};

qint64 statusKiB(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stoll(line.substr(std::strlen(field)));
        }
    }
    return -1;
}

// Reads path in a child process whose peak resident size starts at its current size, and
// returns how far the reading raised it, in bytes.
qint64 peakGrowthReading(const std::string &path)
{
    std::array<int, 2> pipe{};
    if (::pipe(pipe.data()) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        std::ofstream("/proc/self/clear_refs") << "5";
        const qint64 before = statusKiB("VmRSS:");
        SettingFileContent content;
        ReadSettingFile(QFile::decodeName(path.c_str()), content);
        const qint64 growth = (statusKiB("VmHWM:") - before) * 1024;
        const bool sent = ::write(pipe[1], &growth, sizeof growth) == sizeof growth;
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipe[1]);
    qint64 growth = -1;
    if (::read(pipe[0], &growth, sizeof growth) != sizeof growth) {
        growth = -1;
    }
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    return growth;
}

void printPeakMemory(const char *what, const std::string &path, qint64 lineSize)
{
    const qint64 growth = peakGrowthReading(path);
    const double ratio = double(growth) / double(lineSize);
    std::printf("%-40s %8.1f MiB  %.3f x the line (target <= 2) %s\n", what, double(growth) / MiB,
                ratio, growth >= 0 && ratio <= 2 ? "met" : "MISSED");
}

} // namespace

int main(int argc, char *argv[])
{
    // Repetitions of reader and floor take turns, so that the machine's noise hits both alike.
    std::vector<char *> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave.data());
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());

    std::map<std::string, std::string> paths;
    for (const Input &input : Inputs) {
        paths[input.name] = makeFile(input);
        registerBenchmark(std::string("reader/") + input.name, paths[input.name], readSettingFile);
        registerBenchmark(std::string("floor/") + input.name, paths[input.name], splitIntoLines);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();

    std::printf("\nPeak memory growth while reading\n");
    printPeakMemory("one 64 MiB line before [MODE]", paths["64MiB-line"], 64 * MiB);
    const Input longValue{"64MiB-start-value", "[MODE]\r\nSCRIPT\r\n[SETTING]\r\nSTART=", "7",
                          64 * MiB, "\r\nSTART=1\r\n[END]\r\n"};
    printPeakMemory("one 64 MiB START= line in [SETTING]", makeFile(longValue), 64 * MiB);
    benchmark::Shutdown();
    return 0;
}
