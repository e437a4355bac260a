// Any bytes, read as a setting file, give a result without a crash; whatever the reader accepts
// is sound and survives a write and a second read. The line splitting is also checked against
// small reads and read errors, which only a large file would otherwise bring.

#include "chunkeddevice.h"
#include "fuzzcheck.h"

#include "settingfile/linereader.h"
#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

const QDate WrittenOn(2026, 12, 5);

// The writer syncs every file to disk; on a memory file system that costs nothing, which makes
// the fuzzer about ten times faster.
QString scratchFolderTemplate()
{
    const QString memory = QStringLiteral("/dev/shm");
    const QString parent = QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
    return parent + QStringLiteral("/zel-fuzz-XXXXXX");
}

QString scratchPath(const QString &name)
{
    static const QTemporaryDir dir(scratchFolderTemplate());
    fuzzCheck(dir.isValid(), "a scratch folder is made");
    return dir.filePath(name);
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    fuzzCheck(file.open(QIODevice::ReadOnly), "a scratch file opens");
    return file.readAll();
}

QString fileWith(std::string_view bytes)
{
    const QString path = scratchPath(QStringLiteral("input.zel"));
    QFile file(path);
    fuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                  file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()),
              "the input is written to a scratch file");
    return path;
}

// The lines of bytes as the format defines them: each ends at CR LF or a lone CR and keeps at
// most keep bytes; an unended last line counts only when reading did not fail there.
std::vector<std::string> expectedLines(std::string_view bytes, size_t keep, bool failsAtEnd)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '\r') {
            lines.emplace_back(bytes.substr(start, std::min(keep, at - start)));
            if (at + 1 < bytes.size() && bytes[at + 1] == '\n') {
                ++at;
            }
            start = at + 1;
        }
    }
    if (start < bytes.size() && !failsAtEnd) {
        lines.emplace_back(bytes.substr(start, keep));
    }
    return lines;
}

struct LineReading {
    qint64 chunkSize;
    qint64 failFrom;
    qint64 byteLimit;
    size_t keep;
};

void checkLineReader(std::string_view bytes, const LineReading &reading)
{
    ChunkedDevice device(bytes, reading.chunkSize, reading.failFrom);
    LineReader reader(device, reading.byteLimit);
    std::vector<std::string> lines;
    while (const auto line = reader.readLine(reading.keep)) {
        lines.emplace_back(*line);
    }
    // The device fails when asked for more at failFrom; the reader asks for nothing beyond
    // byteLimit, and for nothing beyond the end once it has been met.
    const qint64 askedUpTo = std::min(reading.byteLimit, qint64(bytes.size()) + 1);
    const bool fails = reading.failFrom < askedUpTo;
    const auto seen = size_t(std::min(reading.failFrom, reading.byteLimit));
    fuzzCheck(reader.failed() == fails, "a read error is reported, and only then");
    fuzzCheck(lines == expectedLines(bytes.substr(0, seen), reading.keep, fails),
              "lines end at CR LF or a lone CR, whatever the read sizes and limits");
}

bool sameContent(const SettingFileContent &a, const SettingFileContent &b)
{
    return a.Mode == b.Mode && a.DeviceFunction == b.DeviceFunction && a.Rs232c == b.Rs232c &&
           a.StartPosition == b.StartPosition && a.EndPosition == b.EndPosition &&
           a.Suffix == b.Suffix;
}

SettingFileContent sentinelContent()
{
    SettingFileContent content;
    content.Mode = ModeOriginalFormat;
    content.StartPosition = QStringLiteral("untouched");
    return content;
}

bool inRange(Group group, qint16 index)
{
    return index >= 0 && index < optionGroup(group).size();
}

// What the window relies on: valid option indices and texts that fit their fields.
void checkIsSound(const SettingFileContent &content)
{
    fuzzCheck(inRange(Group::Mode, content.Mode), "the mode is an option");
    fuzzCheck(content.DeviceFunction.has_value() == (content.Mode == ModeSelect) &&
                  inRange(Group::DeviceFunction, content.DeviceFunction.value_or(0)),
              "only a Select token sets the device function, to an option");
    const auto rs232c = content.Rs232c.value_or(std::array<qint16, Rs232cGroups.size()>{});
    for (size_t line = 0; line < rs232c.size(); ++line) {
        fuzzCheck(inRange(Rs232cGroups[line], rs232c[line]), "the RS-232C values are options");
    }
    fuzzCheck(content.StartPosition.size() <= PositionMaxLength &&
                  content.EndPosition.size() <= PositionMaxLength &&
                  content.Suffix.size() <= SuffixMaxLength,
              "the texts fit their fields");
}

Settings settingsFrom(const SettingFileContent &content)
{
    Settings settings = defaultSettings();
    content.applyTo(settings);
    return settings;
}

QByteArray written(const Settings &settings, const QString &barcodeFlag)
{
    const QString path = scratchPath(QStringLiteral("copy.zel"));
    fuzzCheck(WriteSettingFile(path, settings, barcodeFlag, WrittenOn).isEmpty(),
              "settings that were read are written");
    return contentsOf(path);
}

// An "Original Format" file carries no pick-up position, so those fields come back empty;
// everything else the reader took comes back as it was.
void checkRoundTrip(const SettingFileContent &content)
{
    const Settings loaded = settingsFrom(content);
    const QByteArray copy = written(loaded, content.barcodeFlag());

    SettingFileContent reread;
    fuzzCheck(ReadSettingFile(scratchPath(QStringLiteral("copy.zel")), reread).isEmpty(),
              "a written file reads back");
    Settings expected = loaded;
    if (!usesPickUpPosition(expected.Mode)) {
        expected.StartPosition.clear();
        expected.EndPosition.clear();
        expected.Suffix.clear();
    }
    fuzzCheck(settingsFrom(reread) == expected, "a written file reads back to the same settings");
    fuzzCheck(reread.barcodeFlag() == content.barcodeFlag(), "the RS-232C section survives");
    fuzzCheck(written(settingsFrom(reread), reread.barcodeFlag()) == copy,
              "writing what a written file holds gives the same bytes");
}

void checkReader(const QString &path)
{
    SettingFileContent content = sentinelContent();
    const QString error = ReadSettingFile(path, content);
    if (!error.isEmpty()) {
        fuzzCheck(error == FormatError, "a readable regular file gives at most the format error");
        fuzzCheck(sameContent(content, sentinelContent()), "a refused file changes nothing");
        return;
    }
    checkIsSound(content);
    checkRoundTrip(content);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto length = qint64(size);
    checkLineReader(bytes, {1, ChunkedDevice::NeverFails, length, std::string::npos});
    checkLineReader(bytes, {1 + length % 13, length / 2, ChunkedDevice::NeverFails, 5});
    checkLineReader(bytes, {1 + length % 7, std::max<qint64>(length - 1, 0), length / 3 * 2, 9});
    checkReader(fileWith(bytes));
    return 0;
}
