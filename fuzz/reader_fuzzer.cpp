// Any bytes, read as a setting file, give a result without a crash; what the reader accepts is
// sound and survives a write and a second read. The line splitting must not depend on how the
// bytes arrive, which small reads, a byte limit and read errors show.
#include "chunkeddevice.h"
#include "fuzzcheck.h"

#include "settingfile/linereader.h"
#include "settingfile/numbertext.h"
#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr qint64 Unlimited = std::numeric_limits<qint64>::max();

// The writer syncs every file; on a memory file system that costs nothing.
QString scratchPath(const QString &name)
{
    static const QTemporaryDir dir(QFile::exists(QStringLiteral("/dev/shm"))
                                       ? QStringLiteral("/dev/shm/zel-fuzz-XXXXXX")
                                       : QString());
    return dir.filePath(name);
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<std::string> linesOf(std::string_view bytes, qint64 chunkSize, qint64 failFrom,
                                 qint64 byteLimit, size_t keep, bool *failed = nullptr)
{
    ChunkedDevice device(bytes, chunkSize, failFrom);
    LineReader reader(device, byteLimit);
    std::vector<std::string> lines;
    while (const auto line = reader.readLine(keep)) {
        lines.emplace_back(*line);
    }
    if (failed) {
        *failed = reader.failed();
    }
    return lines;
}

void checkLineReader(std::string_view bytes)
{
    const auto size = qint64(bytes.size());
    const auto whole = [&](std::string_view part) {
        return linesOf(part, Unlimited, Unlimited, Unlimited, std::string::npos);
    };
    fuzzCheck(linesOf(bytes, 1, Unlimited, Unlimited, std::string::npos) == whole(bytes),
              "lines do not depend on the size of the reads");

    const qint64 limit = size / 3 * 2;
    auto kept = whole(bytes.substr(0, limit));
    for (std::string &line : kept) {
        line.resize(std::min<size_t>(line.size(), 5));
    }
    fuzzCheck(linesOf(bytes, 1 + size % 7, Unlimited, limit, 5) == kept,
              "a line keeps what it is asked to, and nothing beyond the byte limit is read");

    // A read error drops the line that it cuts short.
    const std::string_view before = bytes.substr(0, size / 2);
    auto complete = whole(before);
    if (!before.empty() && before.back() != '\r' && !before.ends_with("\r\n")) {
        complete.pop_back();
    }
    bool failed = false;
    fuzzCheck(linesOf(bytes, 1 + size % 13, size / 2, Unlimited, std::string::npos, &failed) ==
                      complete && failed,
              "a read error ends the lines and is reported");
}

Settings settingsFrom(const SettingFileContent &content)
{
    Settings settings = defaultSettings();
    content.applyTo(settings);
    return settings;
}

QByteArray written(const SettingFileContent &content)
{
    const QString path = scratchPath(QStringLiteral("copy.zel"));
    fuzzCheck(WriteSettingFile(path, settingsFrom(content), content.barcodeFlag(),
                               QDate(2026, 12, 5))
                  .isEmpty(),
              "settings that were read are written");
    return contentsOf(path);
}

void checkReader(std::string_view bytes)
{
    const QString path = scratchPath(QStringLiteral("input.zel"));
    QFile input(path);
    fuzzCheck(input.open(QIODevice::WriteOnly) && input.write(bytes.data(), qint64(bytes.size())) ==
                                                       qint64(bytes.size()),
              "the input is written");
    input.close();
    SettingFileContent content;
    content.StartPosition = QStringLiteral("untouched");
    if (const QString error = ReadSettingFile(path, content); !error.isEmpty()) {
        fuzzCheck(error == FormatError && content.StartPosition == QStringLiteral("untouched"),
                  "a refused regular file gives the format error and changes nothing");
        return;
    }
    const OptionGroup &modes = optionGroup(Group::Mode);
    fuzzCheck(content.Mode >= 0 && content.Mode < modes.size() &&
                  content.DeviceFunction.has_value() == (content.Mode == ModeSelect) &&
                  content.StartPosition.size() <= PositionMaxLength &&
                  content.EndPosition.size() <= PositionMaxLength &&
                  content.Suffix.size() <= SuffixMaxLength,
              "what is read is an option and fits the fields");
    const QByteArray copy = written(content);
    SettingFileContent reread;
    fuzzCheck(ReadSettingFile(scratchPath(QStringLiteral("copy.zel")), reread).isEmpty(),
              "a written file reads back");
    Settings expected = settingsFrom(content);
    if (!usesPickUpPosition(expected.Mode)) {
        expected.StartPosition = expected.EndPosition = expected.Suffix = QString();
    }
    fuzzCheck(settingsFrom(reread) == expected && reread.barcodeFlag() == content.barcodeFlag(),
              "a written file reads back to the same settings");
    fuzzCheck(written(reread) == copy, "writing what a written file holds gives the same bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    checkLineReader(bytes);
    checkReader(bytes);
    // On a copy that ends where the text ends, the sanitizer sees a read beyond it.
    const auto text = std::make_unique_for_overwrite<char[]>(size);
    std::copy_n(bytes.data(), size, text.get());
    decimalValue({text.get(), size});
    leadingDecimalValue({text.get(), size});
    leadingHexValue({text.get(), size});
    return 0;
}
