#include "settingfile/settingfilewriter.h"

#include "app/pathhelpers.h"
#include "settingfile/numbertext.h"

#include <QSaveFile>
#include <QStringList>

namespace {

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

QStringList settingFileLines(const QString &fileName, const Settings &settings,
                             bool withRs232c, QDate today)
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

QString WriteSettingFile(const QString &path, const Settings &settings,
                         const QString &barcodeFlag, QDate today, QString *reason)
{
    QString fileName;
    if (const QString error = ExtractFileName(path, fileName); !error.isEmpty()) {
        return error;
    }
    const std::optional<double> flag = decimalValue(barcodeFlag.toStdString());
    if (!flag) {
        return SaveError;
    }
    const QStringList lines = settingFileLines(fileName, settings, *flag == 1, today);
    const QByteArray bytes = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLocal8Bit();

    // QSaveFile writes beside the target and renames only after everything is written, so a
    // failure leaves the former file whole; its destructor removes the unfinished copy.
    // Unbuffered, because a buffered QSaveFile commits a short write (a full disk) as success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        return SaveError;
    }
    return {};
}
