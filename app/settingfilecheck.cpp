#include "app/settingfilecheck.h"

#include "model/settings.h"
#include "settingfile/settingfilereader.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <utility>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace
{

const QString StandardInput = QStringLiteral("-");

// "Select, Copy; RS-232C 9600 8N1; start 3, end 12, suffix 0D": only what the file carries and
// the mode uses.
QString summaryOf(const SettingFileContent &content)
{
    Settings settings;
    content.applyTo(settings);
    const auto caption = [&settings](Group group) {
        return QString::fromLatin1(optionGroup(group).options[settings.index(group)].caption);
    };
    QStringList parts{caption(Group::Mode)};
    if (usesDeviceFunction(settings.Mode)) {
        parts.last() += QStringLiteral(", ") + caption(Group::DeviceFunction);
    }
    if (content.Rs232c) {
        // Bits, parity and stop bits as serial settings are usually written: 8N1.
        parts << QStringLiteral("RS-232C %1 %2%3%4")
                     .arg(caption(Group::Baudrate), caption(Group::BitLength),
                          caption(Group::Parity).left(1), caption(Group::StopBit));
    }
    QStringList pickUp;
    for (const auto &[name, value] :
         {std::pair{"start", settings.StartPosition}, std::pair{"end", settings.EndPosition},
          std::pair{"suffix", settings.Suffix}}) {
        if (!value.isEmpty()) {
            pickUp << QLatin1String(name) + QLatin1Char(' ') + value;
        }
    }
    if (usesPickUpPosition(settings.Mode) && !pickUp.isEmpty()) {
        parts << pickUp.join(QStringLiteral(", "));
    }
    return parts.join(QStringLiteral("; "));
}

QString readStandardInput(SettingFileContent &content, ReadProblem &problem)
{
#ifdef Q_OS_WIN
    // In text mode CR LF would arrive as a lone LF, which ends no line of a setting file.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        problem = {0, input.errorString()};
        return LoadError;
    }
    return ReadSettingFile(input, content, &problem);
}

QString checkLine(const QString &path, bool &accepted)
{
    SettingFileContent content;
    ReadProblem problem;
    const bool standardInput = path == StandardInput;
    const QString error = standardInput ? readStandardInput(content, problem)
                                        : ReadSettingFile(path, content, &problem);
    const QString shownPath = standardInput ? QStringLiteral("<stdin>") : path;
    accepted = error.isEmpty();
    if (accepted) {
        return shownPath + QStringLiteral(": ok: ") + summaryOf(content);
    }
    const QString line =
        problem.line > 0 ? QLatin1Char(':') + QString::number(problem.line) : QString();
    return shownPath + line + QStringLiteral(": error: ") + problem.reason;
}

} // namespace

int CheckSettingFiles(const QStringList &paths, std::FILE *out)
{
    int status = 0;
    for (const QString &path : paths) {
        bool accepted = false;
        std::fprintf(out, "%s\n", qPrintable(checkLine(path, accepted)));
        status = accepted ? status : 1;
    }
    if (std::fflush(out) != 0) {
        const QString reason = qt_error_string(errno);
        std::fprintf(stderr, "%s: The lines could not be written: %s\n",
                     qPrintable(QCoreApplication::applicationName()), qPrintable(reason));
        return 1;
    }
    return status;
}
