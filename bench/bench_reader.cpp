// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

// The setting-file reader against a floor that does nothing but split the same bytes into lines:
// throughput on a real-sized file, on 64 MiB of comment lines and on one 64 MiB line. Throughput
// is per CPU time, which the other loads of a shared machine disturb less than wall time. And
// "peak/": how far reading a 64 MiB line raises the peak resident memory, in lines' sizes.
// And "files-checked/": --check's work on 1,000 real-sized files and on one 64 MiB file, in files
// per second, against the reader alone on the same files ("files-read/"): what the lines cost.
// bench/driver.py sets each reader figure beside its floor's.

#include "app/settingfilecheck.h"
#include "settingfile/settingfilereader.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace
{

constexpr qint64 LongSize = 64 * 1024 * 1024;

const QByteArray Example = QByteArrayLiteral(
    "// line1.zel\r\n// 2026.12.05\r\n[MODE]\r\nSELECT/COPY\r\n[RS-232C]\r\nBAUD=9600\r\n"
    "BIT=8\r\nSTOP=1\r\nPARTY=NONE\r\n[SETTING]\r\nSTART=3\r\nEND=12\r\nSUFFIX=0x0D\r\n[END]\r\n");
const QByteArray LoadableTail = QByteArrayLiteral("\r\n[MODE]\r\nSCRIPT\r\n[END]\r\n");

// head, filler repeated to LongSize bytes, tail.
QByteArray longFile(const QByteArray &head, const QByteArray &filler, const QByteArray &tail)
{
    return head + filler.repeated(int(LongSize / filler.size())) + tail;
}

std::string writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    QFile file(dir.filePath(QLatin1String(name)));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
    return QFile::encodeName(file.fileName()).toStdString();
}

// The least any reader must do: read the file and find where every line ends.
void splitIntoLines(const std::string &path)
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
    benchmark::DoNotOptimize(lineEnds);
}

void readSettingFile(const std::string &path)
{
    SettingFileContent content;
    if (ReadSettingFile(QFile::decodeName(path.c_str()), content)) {
        std::fprintf(stderr, "The reader refused %s\n", path.c_str());
        std::exit(1);
    }
    benchmark::DoNotOptimize(content);
}

void throughput(benchmark::State &state, const std::string &path, void (*work)(const std::string &))
{
    for (auto _ : state) {
        work(path);
    }
    state.SetBytesProcessed(state.iterations() * QFile(QFile::decodeName(path.c_str())).size());
}

void readEach(const QStringList &paths)
{
    for (const QString &path : paths) {
        SettingFileContent content;
        benchmark::DoNotOptimize(ReadSettingFile(path, content));
    }
}

// --check's work: each file's line, written.
void checkEach(const QStringList &paths)
{
    static std::FILE *const devNull = std::fopen("/dev/null", "w");
    for (const QString &path : paths) {
        bool accepted = false;
        std::fprintf(devNull, "%s\n", CheckLine(path, accepted).toUtf8().constData());
        if (!accepted) {
            std::fprintf(stderr, "The check refused %s\n", qPrintable(path));
            std::exit(1);
        }
    }
}

void filesPerSecond(benchmark::State &state, const QStringList &paths,
                    void (*work)(const QStringList &))
{
    for (auto _ : state) {
        work(paths);
    }
    state.SetItemsProcessed(state.iterations() * paths.size());
}

qint64 statusKiB(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stoll(line.substr(std::strlen(field)));
        }
    }
    std::fprintf(stderr, "No %s in /proc/self/status\n", field);
    std::exit(1);
}

// Writing 5 to clear_refs brings the peak resident size down to the present one.
void peakGrowth(benchmark::State &state, const std::string &path)
{
    for (auto _ : state) {
        std::ofstream("/proc/self/clear_refs") << "5";
        const qint64 before = statusKiB("VmRSS:");
        readSettingFile(path);
        state.counters["peak_per_line"] = double(statusKiB("VmHWM:") - before) * 1024 / LongSize;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    const QTemporaryDir dir;
    const std::string longLine = writeFile(dir, "64MiB-line", longFile({}, "x", LoadableTail));
    const std::array<std::pair<std::string, std::string>, 3> inputs{{
        {"real-sized", writeFile(dir, "real-sized", Example)},
        {"64MiB-comments",
         writeFile(dir, "64MiB-comments",
                   longFile({}, "// a comment line of an ordinary length\r\n", LoadableTail))},
        {"64MiB-line", longLine},
    }};
    for (const auto &[name, path] : inputs) {
        benchmark::RegisterBenchmark(("reader/" + name).c_str(), throughput, path, readSettingFile);
        benchmark::RegisterBenchmark(("floor/" + name).c_str(), throughput, path, splitIntoLines);
    }
    QStringList realSized;
    for (int index = 0; index < 1000; ++index) {
        const std::string name = "device-" + std::to_string(index) + ".zel";
        realSized << QFile::decodeName(writeFile(dir, name.c_str(), Example).c_str());
    }
    const std::array<std::pair<std::string, QStringList>, 2> fileSets{{
        {"1000-real-sized", realSized},
        {"64MiB-comments", {QFile::decodeName(inputs[1].second.c_str())}},
    }};
    for (const auto &[name, paths] : fileSets) {
        benchmark::RegisterBenchmark(("files-read/" + name).c_str(), filesPerSecond, paths,
                                     readEach);
        benchmark::RegisterBenchmark(("files-checked/" + name).c_str(), filesPerSecond, paths,
                                     checkEach);
    }
    const std::string longValue = writeFile(
        dir, "64MiB-start-value",
        longFile("[MODE]\r\nSCRIPT\r\n[SETTING]\r\nSTART=", "7", "\r\nSTART=1\r\n[END]\r\n"));
    benchmark::RegisterBenchmark("peak/64MiB-line", peakGrowth, longLine)->Iterations(1);
    benchmark::RegisterBenchmark("peak/64MiB-start-value", peakGrowth, longValue)->Iterations(1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
