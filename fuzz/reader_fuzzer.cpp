// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

// Any bytes, read as a setting file, give a result without a crash; what the reader accepts
// survives a write and a second read. Lines must not depend on how the bytes arrive: in small
// reads, up to a byte limit, or cut short by a read error.
#include "model/numbertext.h"
#include "settingfile/linereader.h"
#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

namespace
{

// A broken rule is a crash to the fuzzer and a failure to the test that replays it.
void fuzzCheck(bool holds, const char *rule)
{
    if (!holds) {
        qFatal("Broken: %s", rule);
    }
}

constexpr qint64 Unlimited = std::numeric_limits<qint64>::max();
constexpr size_t All = LineReader::All;

// Serves the bytes a few at a time and fails from failFrom on, as only a large file or a failing
// disk would.
class ChunkedBuffer : public QBuffer
{
public:
    ChunkedBuffer(std::string_view bytes, qint64 chunkSize, qint64 failFrom)
        : m_chunkSize(chunkSize), m_failFrom(failFrom)
    {
        setData(bytes.data(), qsizetype(bytes.size()));
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (pos() >= m_failFrom) {
            return -1;
        }
        return QBuffer::readData(data, std::min({maxSize, m_chunkSize, m_failFrom - pos()}));
    }

private:
    qint64 m_chunkSize;
    qint64 m_failFrom;
};

using Lines = std::vector<std::pair<std::string, LineReader::LineEnd>>;

// The lines and what ended each; withRest adds what a line has beyond the bytes kept.
Lines linesOf(std::string_view bytes, qint64 chunkSize = Unlimited, qint64 byteLimit = Unlimited,
              size_t keep = All, qint64 failFrom = Unlimited, bool withRest = false)
{
    ChunkedBuffer device(bytes, chunkSize, failFrom);
    LineReader reader(device, byteLimit);
    Lines lines;
    while (const auto line = reader.readLine(keep)) {
        std::string text(*line);
        while (const auto more = withRest ? reader.readMore() : std::nullopt) {
            text += *more;
        }
        const LineReader::LineEnd end = reader.endLine();
        if (reader.failed()) {
            break;
        }
        lines.emplace_back(std::move(text), end);
    }
    fuzzCheck(reader.failed() == (failFrom <= qint64(bytes.size())), "read errors are reported");
    return lines;
}

void checkLineReader(std::string_view bytes)
{
    const auto size = qint64(bytes.size());
    const Lines lines = linesOf(bytes);
    fuzzCheck(linesOf(bytes, 1) == lines, "lines do not depend on the size of the reads");
    fuzzCheck(linesOf(bytes, 1 + size % 5, Unlimited, size % 4, Unlimited, true) == lines,
              "the bytes kept and the rest make the whole line");
    auto kept = linesOf(bytes.substr(0, size / 3 * 2));
    for (auto &line : kept) {
        line.first.resize(std::min<size_t>(line.first.size(), 5));
    }
    fuzzCheck(linesOf(bytes, 1 + size % 7, size / 3 * 2, 5) == kept,
              "a line keeps what it is asked to, and nothing beyond the byte limit is read");
    const std::string_view before = bytes.substr(0, size / 2);
    auto ended = linesOf(before);
    if (!before.empty() && !before.ends_with('\r') && !before.ends_with('\n')) {
        ended.pop_back();
    }
    fuzzCheck(linesOf(bytes, 1 + size % 13, Unlimited, All, size / 2) == ended,
              "a read error drops the line that it cuts short");
}

QString scratchPath(const QString &name)
{
    static const QTemporaryDir dir;
    return dir.filePath(name);
}

// Writes what content sets and reads it back into content; returns the bytes written.
QByteArray writeAndRead(SettingFileContent &content)
{
    Settings settings = defaultSettings();
    content.applyTo(settings);
    const QString path = scratchPath(QStringLiteral("copy.zel"));
    fuzzCheck(WriteSettingFile(path, settings, content.barcodeFlag(), {2026, 12, 5}).saved(),
              "what was read is written");
    fuzzCheck(!ReadSettingFile(path, content), "a written file reads back");
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void checkReader(std::string_view bytes)
{
    QFile input(scratchPath(QStringLiteral("input.zel")));
    fuzzCheck(input.open(QIODevice::WriteOnly) &&
                  input.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()),
              "the input is written");
    input.close();
    SettingFileContent content;
    content.StartPosition = QStringLiteral("untouched");
    if (const ReadProblem problem = ReadSettingFile(input.fileName(), content)) {
        fuzzCheck(problem.kind() == ReadProblem::Kind::FormatFault &&
                      content.StartPosition == QStringLiteral("untouched"),
                  "a refused regular file gives the format error and changes nothing");
        return;
    }
    // An Original Format file carries no pick-up position; the rest comes back as it was.
    SettingFileContent copy = content;
    if (!usesPickUpPosition(content.Mode)) {
        content.StartPosition = content.EndPosition = content.Suffix = QString();
    }
    const QByteArray written = writeAndRead(copy);
    fuzzCheck(copy.Mode == content.Mode && copy.DeviceFunction == content.DeviceFunction &&
                  copy.Rs232c == content.Rs232c && copy.StartPosition == content.StartPosition &&
                  copy.EndPosition == content.EndPosition && copy.Suffix == content.Suffix,
              "a written file reads back to the same settings");
    fuzzCheck(writeAndRead(copy) == written, "writing what a written file holds gives its bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    checkLineReader(bytes);
    checkReader(bytes);
    // On a copy that ends where the text ends, the sanitizer sees any read beyond it.
    const std::vector<char> text(bytes.begin(), bytes.end());
    decimalValue({text.data(), size});
    leadingDecimalValue({text.data(), size});
    return 0;
}
