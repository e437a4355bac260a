// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/settingfilecheck.h"

#include "model/pathhelpers.h"
#include "model/settings.h"
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

QString resultLine(const QString &shownName, const QString &error,
                   const SettingFileContent &content, const ReadProblem &problem, bool &accepted)
{
    accepted = error.isEmpty();
    if (accepted) {
        return shownName + QStringLiteral(": ok: ") + summaryOf(content);
    }
    const QString line =
        problem.line > 0 ? QLatin1Char(':') + QString::number(problem.line) : QString();
    return shownName + line + QStringLiteral(": error: ") + problem.reason;
}

} // namespace

QString CheckLine(const QString &path, bool &accepted)
{
    SettingFileContent content;
    ReadProblem problem;
    const QString error = ReadSettingFile(path, content, &problem);
    return resultLine(PrintableFileName(path), error, content, problem, accepted);
}

QString CheckLine(QIODevice &input, const QString &shownName, bool &accepted)
{
    SettingFileContent content;
    ReadProblem problem;
    const QString error = ReadSettingFile(input, content, &problem);
    return resultLine(shownName, error, content, problem, accepted);
}

QString RefusalLine(const QString &shownName, const QString &reason)
{
    bool accepted = false;
    return resultLine(shownName, LoadError, {}, {0, reason}, accepted);
}
