// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "settingfile/settingfilereader.h"

#include "fileio/regularfile.h"
#include "fileio/systemtext.h"
#include "model/numbertext.h"
#include "model/pathhelpers.h"
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

constexpr std::string_view StartKey = "START=", EndKey = "END=", SuffixKey = "SUFFIX=";
constexpr std::string_view HexPrefix = "0x";

// A line kept for the second pass: the value taken from it, where it stands and, for a message,
// how it begins.
struct FileLine {
    std::string value;
    size_t number = 0; // from 1
    std::string quoted;

    FileLine() = default;
    FileLine(std::string_view line, size_t lineNumber, std::string valueOfLine)
        : value(std::move(valueOfLine)), number(lineNumber), quoted(line)
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

// How a line begins, as a message can show it: decoded as the system's 8-bit text and escaped
// as every text from outside is (PrintableText).
QString shown(std::string_view quoted)
{
    return PrintableText(FromSystemText(quoted));
}

ReadProblem notKnown(const FileLine &line, Reason reason)
{
    return {.reason = reason, .line = qsizetype(line.number), .argument = shown(line.quoted)};
}

// A start or end value with the prefix "0x" is hexadecimal and is kept in decimal digits: those
// of hexValue, what its digits give to the end of a line longer than was kept of it. A longer
// value than the field holds is refused later; one character more tells so.
std::string positionValue(std::string_view value, std::optional<quint64> hexValue)
{
    if (hexValue) {
        return std::to_string(*hexValue);
    }
    if (value.starts_with(HexPrefix)) {
        return std::to_string(leadingHexValue(value.substr(HexPrefix.size())));
    }
    return std::string(value.substr(0, PositionMaxLength + 1));
}

// A suffix is kept in hexadecimal digits: "0x" followed by them, a character in apostrophes
// ('A' is 41) or a decimal number. Nothing for a value that is none of these, such as any value
// longer than 4 characters.
std::optional<std::string> suffixValue(std::string_view value)
{
    if (value.starts_with(HexPrefix)) {
        return value.size() > 4 ? std::nullopt
                                : std::optional<std::string>(value.substr(HexPrefix.size()));
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
    // Halves go to the even neighbour; a negative number keeps its sign and is refused later.
    const auto number = static_cast<qint64>(std::nearbyint(leadingDecimalValue(value)));
    return QByteArray::number(number, 16).toUpper().toStdString();
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

// The first pass over a file: follows its structure line by line, up to its [END] line or a line
// it refuses, and collects the lines and values that matter.
class FirstPass
{
public:
    enum class Step { GoOn, Ended, Refused };

    // Where the hexadecimal digits of a START or END value begin in line, the next one; npos
    // where line has none.
    size_t hexDigitsAt(std::string_view line) const;
    // Takes the next line: its first KeptLength bytes at most. hexValue, where given, is what the
    // hexadecimal digits of a START or END value give to the end of the line.
    // Inline, as every line passes through it.
    [[gnu::always_inline]] Step take(std::string_view line,
                                     std::optional<quint64> hexValue = std::nullopt);
    Step step() const { return m_step; }
    // How far the file came: to no [MODE] line, to one, or to its end or a refused line.
    int progress() const;
    // Why the file ended before its [END] line, the LF line ends named where lineFeedsAlone.
    ReadProblem endedTooSoon(bool lineFeedsAlone) const;

    static constexpr size_t KeptLength = FileLine::QuotedLength;
    RawContent raw;
    ReadProblem problem;

private:
    enum class State { Seek, ModeLine, BetweenSections, Rs232cLine, SettingSection };

    // Out of line, so that take(), which most lines only pass through, stays small.
    [[gnu::noinline]] void keepLine(FileLine &kept, std::string_view line) const;
    [[gnu::noinline]] Step takeSetting(std::string_view line, std::optional<quint64> hexValue);

    State m_state = State::Seek;
    Step m_step = Step::GoOn;
    size_t m_rs232cLine{}; // set where the section begins
    size_t m_lines = 0;
    bool m_markBeforeHeader = false;
};

size_t FirstPass::hexDigitsAt(std::string_view line) const
{
    if (m_state != State::SettingSection) {
        return std::string_view::npos;
    }
    for (const std::string_view key : {StartKey, EndKey}) {
        if (startsWithKey(line, key)) {
            return line.substr(key.size()).starts_with(HexPrefix) ? key.size() + HexPrefix.size()
                                                                  : std::string_view::npos;
        }
    }
    return std::string_view::npos;
}

inline FirstPass::Step FirstPass::take(std::string_view line, std::optional<quint64> hexValue)
{
    ++m_lines;
    switch (m_state) {
    case State::Seek:
        if (isLine(line, "[MODE]")) {
            m_state = State::ModeLine;
        }
        m_markBeforeHeader = m_markBeforeHeader || (m_lines == 1 && isHeaderAfterMark(line));
        break;
    case State::ModeLine:
        keepLine(raw.mode, line);
        m_state = State::BetweenSections;
        break;
    case State::BetweenSections:
        if (isLine(line, "[RS-232C]")) {
            raw.rs232cSeen = true;
            m_rs232cLine = 0;
            m_state = State::Rs232cLine;
        } else if (isLine(line, "[SETTING]")) {
            m_state = State::SettingSection;
        } else if (isLine(line, "[END]")) {
            m_step = Step::Ended;
        }
        break;
    case State::Rs232cLine:
        keepLine(raw.rs232cLines[m_rs232cLine++], line);
        if (m_rs232cLine == raw.rs232cLines.size()) {
            m_state = State::BetweenSections;
        }
        break;
    case State::SettingSection:
        m_step = takeSetting(line, hexValue);
        break;
    }
    return m_step;
}

void FirstPass::keepLine(FileLine &kept, std::string_view line) const
{
    kept = FileLine(line, m_lines, std::string(line));
}

FirstPass::Step FirstPass::takeSetting(std::string_view line, std::optional<quint64> hexValue)
{
    if (startsWithKey(line, StartKey)) {
        raw.start = FileLine(line, m_lines, positionValue(line.substr(StartKey.size()), hexValue));
    } else if (startsWithKey(line, EndKey)) {
        raw.end = FileLine(line, m_lines, positionValue(line.substr(EndKey.size()), hexValue));
    } else if (startsWithKey(line, SuffixKey)) {
        const std::optional<std::string> suffix = suffixValue(line.substr(SuffixKey.size()));
        raw.suffix = FileLine(line, m_lines, suffix.value_or(std::string()));
        if (!suffix) {
            problem = notKnown(raw.suffix, Reason::UnknownSuffix);
            return Step::Refused;
        }
    } else if (isLine(line, "[END]")) {
        return Step::Ended;
    } else {
        problem = notKnown(FileLine(line, m_lines, {}), Reason::NotInSettingSection);
        return Step::Refused;
    }
    return Step::GoOn;
}

int FirstPass::progress() const
{
    return m_step != Step::GoOn ? 2 : m_state != State::Seek ? 1 : 0;
}

ReadProblem FirstPass::endedTooSoon(bool lineFeedsAlone) const
{
    return ::endedTooSoon(m_state == State::Seek, m_lines, m_markBeforeHeader, lineFeedsAlone);
}

// What the hexadecimal digits of a START or END value give, read from where they begin in line
// to the end of the reader's line.
quint64 wholeHexValue(std::string_view line, size_t digitsAt, LineReader &reader)
{
    LeadingHexValue value;
    value.read(line.substr(digitsAt));
    while (const auto more = reader.readMore()) {
        value.read(*more);
    }
    return value.value();
}

// Appends to line, which is no longer than length, what of more it takes to make it that long.
void keepUpTo(size_t length, std::string &line, std::string_view more)
{
    line.append(more.substr(0, length - line.size()));
}

// Collects the lines that matter, reading no more than byteLimit bytes of device. Returns what
// is wrong and where. Only the first bytes of a line
// are kept, and the rest of a hexadecimal START or END value is read as it goes by, so that no
// line, however long, takes more memory than that.
ReadProblem collectLines(QIODevice &device, qint64 byteLimit, RawContent &raw)
{
    LineReader reader(device, byteLimit);
    FirstPass file;
    // The same bytes as if each lone LF were a CR LF: where that comes no further, its reason
    // is the one to give, as the LF line ends are then not what is wrong. Up to the first lone
    // LF it is file itself, and only then made.
    std::optional<FirstPass> withCrLf;
    std::string line; // of file: the reader's lines joined by the lone LFs between them
    bool lineGoesOn = false;
    std::optional<quint64> hexValue;
    while (file.step() == FirstPass::Step::GoOn) {
        const auto read = reader.readLine(FirstPass::KeptLength);
        if (!read) {
            break;
        }
        if (withCrLf && withCrLf->step() == FirstPass::Step::GoOn) {
            withCrLf->take(*read);
        }
        // Most lines are whole in what was kept of them, and end in a CR: taken as they are.
        if (!lineGoesOn && reader.lineEnded() &&
            reader.endLine() != LineReader::LineEnd::LineFeed) {
            file.take(*read);
            continue;
        }
        if (!lineGoesOn) {
            line.assign(*read);
            const size_t digitsAt = file.hexDigitsAt(line);
            hexValue = digitsAt == std::string_view::npos
                           ? std::nullopt
                           : std::optional(wholeHexValue(line, digitsAt, reader));
        } else {
            keepUpTo(FirstPass::KeptLength, line, *read);
        }
        lineGoesOn = reader.endLine() == LineReader::LineEnd::LineFeed;
        if (reader.failed()) {
            break;
        }
        if (lineGoesOn && !withCrLf) {
            withCrLf = file; // before this line, whose first part the lone LF ends
            withCrLf->take(line);
        }
        if (lineGoesOn) {
            keepUpTo(FirstPass::KeptLength, line, "\n");
        } else {
            file.take(line, hexValue);
        }
    }
    if (reader.failed()) {
        return {.reason = Reason::NotRead, .file = FileProblem::system(device.errorString())};
    }
    if (lineGoesOn) {
        file.take(line, hexValue); // the last line, which ends in a lone LF
    }
    raw = file.raw;
    switch (file.step()) {
    case FirstPass::Step::Ended:
        return {};
    case FirstPass::Step::Refused:
        return file.problem;
    case FirstPass::Step::GoOn:
        break;
    }
    const FirstPass &crLf = withCrLf ? *withCrLf : file;
    return crLf.progress() > file.progress() ? file.endedTooSoon(true) : crLf.endedTooSoon(false);
}

// Index of the option of group whose token, after prefix, equals text.
std::optional<qint16> findToken(Group group, std::string_view text, std::string_view prefix = {})
{
    if (!startsWithKey(text, prefix)) {
        return std::nullopt;
    }
    text.remove_prefix(prefix.size());
    const OptionGroup &options = optionGroup(group);
    for (qint16 index = 0; index < options.size(); ++index) {
        if (isLine(text, options.options[index].token)) {
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
        !std::all_of(value.begin(), value.end(), [](char c) { return bool(hexDigitValue(c)); })) {
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
    if (const FileProblem problem = OpenToRead(path, file)) {
        return {.reason = Reason::NotRead, .file = problem};
    }
    // What is appended while the file is read is not read.
    return readSettingFile(file, file.size(), content);
}

ReadProblem ReadSettingFile(QIODevice &device, SettingFileContent &content)
{
    return readSettingFile(device, std::numeric_limits<qint64>::max(), content);
}
