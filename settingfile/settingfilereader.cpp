// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "settingfile/settingfilereader.h"

#include "fileio/regularfile.h"
#include "model/numbertext.h"
#include "settingfile/linereader.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace
{

// Every header and token is shorter than this, so a line cut to this length still tells
// whether it equals one of them.
constexpr size_t ComparedLength = 32;

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - ('a' - 'A')) : c;
}

// Headers, keys and tokens match the line turned to upper case.
bool startsWithKey(std::string_view line, std::string_view key)
{
    return line.size() >= key.size() && std::equal(key.begin(), key.end(), line.begin(),
                                                   [](char k, char l) { return k == upper(l); });
}

bool isLine(std::string_view line, std::string_view token)
{
    return line.size() == token.size() && startsWithKey(line, token);
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (upper(c) >= 'A' && upper(c) <= 'F');
}

// A line kept for the second pass: the value taken from it, where it stands and, for a message,
// how it begins.
struct FileLine {
    std::string value;
    size_t number = 0; // from 1
    std::string quoted;

    FileLine() = default;
    FileLine(std::string_view line, size_t lineNumber, std::string valueOfLine)
        : value(std::move(valueOfLine)), number(lineNumber), quoted(line.substr(0, QuotedLength))
    {
    }
    static constexpr size_t QuotedLength = 40;
};

// The lines and values of the file, as the first pass over it collects them.
struct RawContent {
    FileLine mode;
    bool rs232cSeen = false;
    std::array<FileLine, Rs232cGroups.size()> rs232cLines;
    FileLine start;
    FileLine end;
    FileLine suffix;
};

using Reason = ReadProblem::Reason;

// Why each RS-232C line sets nothing.
constexpr std::array<Reason, Rs232cGroups.size()> Rs232cReasons{
    Reason::UnknownBaudRate, Reason::UnknownBitLength, Reason::UnknownStopBit,
    Reason::UnknownParity};

// How a line begins, as a message can show it: control characters (a NUL, a tab) as '?'. Those
// of ASCII go before decoding, as Windows' code-page conversion drops a NUL at the end.
QString shown(std::string quoted)
{
    std::replace_if(
        quoted.begin(), quoted.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }, '?');
    QString text = QString::fromLocal8Bit(quoted);
    std::replace_if(
        text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; },
        u'?');
    return text;
}

ReadProblem notKnown(const FileLine &line, Reason reason)
{
    return {.reason = reason, .line = qsizetype(line.number), .argument = shown(line.quoted)};
}

// A start or end value with the prefix "0x" is hexadecimal and is kept in decimal digits.
// A longer value than the field holds is refused later; one character more tells so.
std::string positionValue(std::string_view value)
{
    if (value.starts_with("0x")) {
        return std::to_string(leadingHexValue(value.substr(2)));
    }
    return std::string(value.substr(0, PositionMaxLength + 1));
}

// A suffix is kept in hexadecimal digits: "0x" followed by them, a character in apostrophes
// ('A' is 41) or a decimal number. Nothing for a value that is none of these.
std::optional<std::string> suffixValue(std::string_view value)
{
    if (value.starts_with("0x")) {
        return value.size() > 4 ? std::nullopt : std::optional<std::string>(value.substr(2));
    }
    if (!value.empty() && value.front() == '\'' && value.back() == '\'') {
        if (value.size() != 3) {
            return std::nullopt;
        }
        return QByteArray::number(static_cast<unsigned char>(value[1]), 16).toUpper().toStdString();
    }
    if (value.size() > 2) {
        return std::nullopt;
    }
    // Halves go to the even neighbour; a negative number stays negative and is refused later.
    const auto number = static_cast<qint64>(std::nearbyint(leadingDecimalValue(value)));
    return number < 0 ? std::to_string(number)
                      : QByteArray::number(number, 16).toUpper().toStdString();
}

// A first line that a text editor's byte-order mark keeps from being the [MODE] header, where
// lines end in CR LF or in LF alone.
bool isHeaderAfterMark(std::string_view line)
{
    constexpr std::string_view Mark = "\xef\xbb\xbf";
    return line.starts_with(Mark) && (isLine(line.substr(Mark.size()), "[MODE]") ||
                                      startsWithKey(line.substr(Mark.size()), "[MODE]\n"));
}

// Why a file ended before its [MODE] line (noMode) or before its [END] line. Files saved by an
// ordinary text editor hold these lines all the same: then the reason names what hid them.
ReadProblem endedTooSoon(bool noMode, size_t lines, bool markBeforeHeader, bool lineFeedsAlone)
{
    if (markBeforeHeader || lineFeedsAlone) {
        return {.reason = !lineFeedsAlone    ? Reason::ByteOrderMark
                          : markBeforeHeader ? Reason::ByteOrderMarkAndLineFeedsAlone
                                             : Reason::LineFeedsAlone};
    }
    return noMode ? ReadProblem{.reason = Reason::NoModeLine}
                  : ReadProblem{.reason = Reason::NoEndLine, .argument = QString::number(lines)};
}

// Collects the lines that matter, reading no more than byteLimit bytes of device. Returns what
// is wrong and where.
ReadProblem collectLines(QIODevice &device, qint64 byteLimit, RawContent &raw)
{
    LineReader reader(device, byteLimit);
    enum class State { Seek, ModeLine, BetweenSections, Rs232cLine, SettingSection };
    State state = State::Seek;
    size_t rs232cLine = 0;
    size_t number = 0;
    bool markBeforeHeader = false;
    while (const auto read = reader.readLine(state == State::SettingSection ? std::string_view::npos
                                                                            : ComparedLength)) {
        const std::string_view line = *read;
        ++number;
        switch (state) {
        case State::Seek:
            if (isLine(line, "[MODE]")) {
                state = State::ModeLine;
            }
            markBeforeHeader = markBeforeHeader || (number == 1 && isHeaderAfterMark(line));
            break;
        case State::ModeLine:
            raw.mode = FileLine(line, number, std::string(line));
            state = State::BetweenSections;
            break;
        case State::BetweenSections:
            if (isLine(line, "[RS-232C]")) {
                raw.rs232cSeen = true;
                rs232cLine = 0;
                state = State::Rs232cLine;
            } else if (isLine(line, "[SETTING]")) {
                state = State::SettingSection;
            } else if (isLine(line, "[END]")) {
                return {};
            }
            break;
        case State::Rs232cLine:
            raw.rs232cLines[rs232cLine++] = FileLine(line, number, std::string(line));
            if (rs232cLine == raw.rs232cLines.size()) {
                state = State::BetweenSections;
            }
            break;
        case State::SettingSection:
            if (startsWithKey(line, "START=")) {
                raw.start = FileLine(line, number, positionValue(line.substr(6)));
            } else if (startsWithKey(line, "END=")) {
                raw.end = FileLine(line, number, positionValue(line.substr(4)));
            } else if (startsWithKey(line, "SUFFIX=")) {
                const std::optional<std::string> suffix = suffixValue(line.substr(7));
                raw.suffix = FileLine(line, number, suffix.value_or(std::string()));
                if (!suffix) {
                    return notKnown(raw.suffix, Reason::UnknownSuffix);
                }
            } else if (isLine(line, "[END]")) {
                return {};
            } else {
                return notKnown(FileLine(line, number, {}), Reason::NotInSettingSection);
            }
            break;
        }
    }
    if (reader.failed()) {
        return {.reason = Reason::NotRead, .file = FileProblem::system(device.errorString())};
    }
    // Most line ends are LF alone, where a stray one in a comment is no cause.
    const qint64 loneLineFeeds = reader.loneLineFeeds();
    return endedTooSoon(state == State::Seek, number, markBeforeHeader,
                        loneLineFeeds > 0 && loneLineFeeds >= qint64(number));
}

// Index of the option of group whose token, after prefix, equals text.
std::optional<qint16> findToken(Group group, std::string_view text, std::string_view prefix = {})
{
    const OptionGroup &options = optionGroup(group);
    for (qint16 index = 0; index < options.size(); ++index) {
        const std::string token = std::string(prefix) + options.options[index].token;
        if (isLine(text, token)) {
            return index;
        }
    }
    return std::nullopt;
}

bool takeMode(std::string_view text, SettingFileContent &content)
{
    const char *selectToken = optionGroup(Group::Mode).options[ModeSelect].token;
    if (const auto device = findToken(Group::DeviceFunction, text, selectToken)) {
        content.Mode = ModeSelect;
        content.DeviceFunction = device;
        return true;
    }
    const auto mode = findToken(Group::Mode, text);
    if (!mode || *mode == ModeSelect) {
        return false;
    }
    content.Mode = *mode;
    return true;
}

// Takes the RS-232C lines; returns what is wrong with the first one that sets nothing.
ReadProblem takeRs232c(const RawContent &raw, SettingFileContent &content)
{
    if (!raw.rs232cSeen) {
        return {};
    }
    auto &indices = content.Rs232c.emplace();
    for (size_t line = 0; line < indices.size(); ++line) {
        const auto index = findToken(Rs232cGroups[line], raw.rs232cLines[line].value);
        if (!index) {
            return notKnown(raw.rs232cLines[line], Rs232cReasons[line]);
        }
        indices[line] = *index;
    }
    return {};
}

bool takePosition(const std::string &value, QString &position)
{
    if (!value.empty() && (value.size() > size_t(PositionMaxLength) || !decimalValue(value))) {
        return false;
    }
    position = QString::fromLatin1(value);
    return true;
}

bool takeSuffix(const std::string &value, QString &suffix)
{
    if (value.size() > size_t(SuffixMaxLength) ||
        !std::all_of(value.begin(), value.end(), isHexDigit)) {
        return false;
    }
    suffix = QString::fromLatin1(value);
    return true;
}

// Checks what the first pass collected and turns it into content; returns what is wrong.
ReadProblem checkContent(const RawContent &raw, SettingFileContent &content)
{
    if (!takeMode(raw.mode.value, content)) {
        return notKnown(raw.mode, Reason::UnknownMode);
    }
    if (ReadProblem problem = takeRs232c(raw, content)) {
        return problem;
    }
    if (!takePosition(raw.start.value, content.StartPosition)) {
        return notKnown(raw.start, Reason::UnknownStartPosition);
    }
    if (!takePosition(raw.end.value, content.EndPosition)) {
        return notKnown(raw.end, Reason::UnknownEndPosition);
    }
    if (!takeSuffix(raw.suffix.value, content.Suffix)) {
        return notKnown(raw.suffix, Reason::UnknownSuffix);
    }
    return {};
}

// The reader itself: content takes what a sound file sets.
ReadProblem readSettingFile(QIODevice &device, qint64 byteLimit, SettingFileContent &content)
{
    RawContent raw;
    if (ReadProblem problem = collectLines(device, byteLimit, raw)) {
        return problem;
    }
    SettingFileContent checked;
    if (ReadProblem problem = checkContent(raw, checked)) {
        return problem;
    }
    content = checked;
    return {};
}

} // namespace

QString SettingFileContent::barcodeFlag() const
{
    return Rs232c ? QStringLiteral("1") : QStringLiteral("0");
}

void SettingFileContent::applyTo(Settings &settings) const
{
    settings.Mode = Mode;
    if (DeviceFunction) {
        settings.DeviceFunction = *DeviceFunction;
    }
    if (Rs232c) {
        for (size_t line = 0; line < Rs232c->size(); ++line) {
            settings.index(Rs232cGroups[line]) = (*Rs232c)[line];
        }
    }
    settings.StartPosition = StartPosition;
    settings.EndPosition = EndPosition;
    settings.Suffix = Suffix;
}

ReadProblem ReadSettingFile(const QString &path, SettingFileContent &content)
{
    QFile file;
    QString name;
    FileProblem problem = ResolveFileName(path, name);
    if (!problem) {
        problem = OpenRegularFile(name, QIODevice::ReadOnly, file);
    }
    if (problem) {
        return {.reason = Reason::NotRead, .file = problem};
    }
    // What is appended while the file is read is not read.
    return readSettingFile(file, file.size(), content);
}

ReadProblem ReadSettingFile(QIODevice &device, SettingFileContent &content)
{
    return readSettingFile(device, std::numeric_limits<qint64>::max(), content);
}
