#include "settingfile/settingfilereader.h"

#include "settingfile/linereader.h"
#include "settingfile/numbertext.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

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
    return line.size() >= key.size() &&
           std::equal(key.begin(), key.end(), line.begin(),
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

// The lines and values of the file, as the first pass over it collects them.
struct RawContent {
    std::string modeText;
    bool rs232cSeen = false;
    std::array<std::string, Rs232cGroups.size()> rs232cLines;
    std::string startValue;
    std::string endValue;
    std::string suffixValue;
};

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
// ('A' is 41) or a decimal number. Returns false for a value that is none of these.
bool takeSuffixValue(std::string_view value, std::string &suffix)
{
    if (value.starts_with("0x")) {
        if (value.size() > 4) {
            return false;
        }
        suffix = value.substr(2);
        return true;
    }
    if (!value.empty() && value.front() == '\'' && value.back() == '\'') {
        if (value.size() != 3) {
            return false;
        }
        suffix = QByteArray::number(static_cast<unsigned char>(value[1]), 16).toUpper().toStdString();
        return true;
    }
    if (value.size() > 2) {
        return false;
    }
    // Halves go to the even neighbour; a negative number stays negative and is refused later.
    const auto number = static_cast<qint64>(std::nearbyint(leadingDecimalValue(value)));
    suffix = number < 0 ? std::to_string(number)
                        : QByteArray::number(number, 16).toUpper().toStdString();
    return true;
}

enum class Pass { Complete, FormatError, LoadError };

Pass collectLines(LineReader &reader, RawContent &raw)
{
    enum class State { Seek, ModeLine, BetweenSections, Rs232cLine, SettingSection };
    State state = State::Seek;
    size_t rs232cLine = 0;
    while (const auto read = reader.readLine(state == State::SettingSection ? std::string_view::npos
                                                                            : ComparedLength)) {
        const std::string_view line = *read;
        switch (state) {
        case State::Seek:
            if (isLine(line, "[MODE]")) {
                state = State::ModeLine;
            }
            break;
        case State::ModeLine:
            raw.modeText = line;
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
                return Pass::Complete;
            }
            break;
        case State::Rs232cLine:
            raw.rs232cLines[rs232cLine++] = line;
            if (rs232cLine == raw.rs232cLines.size()) {
                state = State::BetweenSections;
            }
            break;
        case State::SettingSection:
            if (startsWithKey(line, "START=")) {
                raw.startValue = positionValue(line.substr(6));
            } else if (startsWithKey(line, "END=")) {
                raw.endValue = positionValue(line.substr(4));
            } else if (startsWithKey(line, "SUFFIX=")) {
                if (!takeSuffixValue(line.substr(7), raw.suffixValue)) {
                    return Pass::FormatError;
                }
            } else if (isLine(line, "[END]")) {
                return Pass::Complete;
            } else {
                return Pass::FormatError;
            }
            break;
        }
    }
    return reader.failed() ? Pass::LoadError : Pass::FormatError;
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

bool takeRs232c(const RawContent &raw, SettingFileContent &content)
{
    if (!raw.rs232cSeen) {
        return true;
    }
    auto &indices = content.Rs232c.emplace();
    for (size_t line = 0; line < indices.size(); ++line) {
        const auto index = findToken(Rs232cGroups[line], raw.rs232cLines[line]);
        if (!index) {
            return false;
        }
        indices[line] = *index;
    }
    return true;
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
    if (value.size() > size_t(SuffixMaxLength) || !std::all_of(value.begin(), value.end(), isHexDigit)) {
        return false;
    }
    suffix = QString::fromLatin1(value);
    return true;
}

// Opens only regular files: a FIFO or a device could block the open or never end.
bool openRegularFile(const QString &path, QFile &file)
{
#ifdef Q_OS_UNIX
    const int descriptor = ::open(QFile::encodeName(path).constData(),
                                  O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return false;
    }
    return true;
#else
    file.setFileName(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
#endif
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

QString ReadSettingFile(const QString &path, SettingFileContent &content, QString *reason)
{
    RawContent raw;
    {
        QFile file;
        if (!openRegularFile(path, file)) {
            return LoadError;
        }
        // What is appended while the file is read is not read.
        LineReader reader(file, file.size());
        switch (collectLines(reader, raw)) {
        case Pass::Complete:
            break;
        case Pass::FormatError:
            return FormatError;
        case Pass::LoadError:
            return LoadError;
        }
    }
    SettingFileContent checked;
    if (!takeMode(raw.modeText, checked) || !takeRs232c(raw, checked) ||
        !takePosition(raw.startValue, checked.StartPosition) ||
        !takePosition(raw.endValue, checked.EndPosition) ||
        !takeSuffix(raw.suffixValue, checked.Suffix)) {
        return FormatError;
    }
    content = checked;
    return {};
}
