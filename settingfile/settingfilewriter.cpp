// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "settingfile/settingfilewriter.h"

#include "model/pathhelpers.h"
#include "model/settingdocument.h"

#include <QDir>
#include <QStringList>

namespace
{

QString token(Group group, qint16 index)
{
    return QString::fromLatin1(optionGroup(group).options[index].token);
}

QString modeToken(const Settings &settings)
{
    QString line = token(Group::Mode, settings.Mode);
    if (usesDeviceFunction(settings.Mode)) {
        line += token(Group::DeviceFunction, settings.DeviceFunction);
    }
    return line;
}

QStringList settingFileLines(const QString &fileName, const Settings &settings, bool withRs232c,
                             QDate today)
{
    // A line break in the name (a file system may allow one) must not start a line of its own.
    QString name = fileName;
    name.replace(u'\r', u'?').replace(u'\n', u'?');
    QStringList lines{QStringLiteral("// ") + name,
                      QStringLiteral("// ") + today.toString(QStringLiteral("yyyy.MM.dd")),
                      QStringLiteral("[MODE]"), modeToken(settings)};
    if (withRs232c) {
        lines << QStringLiteral("[RS-232C]");
        for (Group group : Rs232cGroups) {
            lines << token(group, settings.index(group));
        }
    }
    if (usesPickUpPosition(settings.Mode)) {
        lines << QStringLiteral("[SETTING]");
        const std::pair<const char *, QString> values[] = {
            {"START=", settings.StartPosition},
            {"END=", settings.EndPosition},
            {"SUFFIX=0x", settings.Suffix},
        };
        for (const auto &[key, value] : values) {
            if (!value.isEmpty()) {
                lines << QString::fromLatin1(key) + value;
            }
        }
    }
    lines << QStringLiteral("[END]");
    return lines;
}

} // namespace

WriteResult WriteSettingFile(const QString &path, const Settings &settings,
                             const QString &barcodeFlag, QDate today)
{
    using Reason = WriteResult::Reason;
    QString fileName;
    // A path as Qt gives it, with '/' on Windows too, is split at the platform's own separator.
    if (!ExtractFileName(QDir::toNativeSeparators(path), fileName).isEmpty()) {
        return {.outcome = SaveOutcome::Refused, .reason = Reason::NoFileName};
    }
    const std::optional<bool> withRs232c = SettingDocument::writesBarcodeSection(barcodeFlag);
    if (!withRs232c) {
        return {
            .outcome = SaveOutcome::Refused, .reason = Reason::FlagNotANumber, .flag = barcodeFlag};
    }
    const QStringList lines = settingFileLines(fileName, settings, *withRs232c, today);
    const QByteArray bytes =
        (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLocal8Bit();
    const SaveResult saved = ReplaceFileContent(path, bytes);
    return {saved.outcome, saved.problem ? Reason::File : Reason::None, saved.problem};
}
