// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/settingfilecheck.h"

#include "model/pathhelpers.h"
#include "model/settings.h"
#include "settingfile/messages.h"
#include "settingfile/settingfilereader.h"

#include <QStringList>

#include <utility>

namespace
{

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

// Where the fault is one line's, its number after the name.
QString errorLine(const QString &shownName, qsizetype line, const QString &reason)
{
    const QString at = line > 0 ? QLatin1Char(':') + QString::number(line) : QString();
    return shownName + at + QStringLiteral(": error: ") + reason;
}

QString resultLine(const QString &shownName, const SettingFileContent &content,
                   const ReadProblem &problem, bool &accepted)
{
    accepted = !problem;
    if (accepted) {
        return shownName + QStringLiteral(": ok: ") + summaryOf(content);
    }
    return errorLine(shownName, problem.line, ReasonOf(problem));
}

} // namespace

QString CheckLine(const QString &path, bool &accepted)
{
    SettingFileContent content;
    const ReadProblem problem = ReadSettingFile(path, content);
    return resultLine(PrintableFileName(path), content, problem, accepted);
}

QString CheckLine(QIODevice &input, const QString &shownName, bool &accepted)
{
    SettingFileContent content;
    const ReadProblem problem = ReadSettingFile(input, content);
    return resultLine(shownName, content, problem, accepted);
}

QString RefusalLine(const QString &shownName, const QString &reason)
{
    return errorLine(shownName, 0, reason);
}
