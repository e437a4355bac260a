// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/arguments.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <windows.h>

#include <shellapi.h>

namespace
{

// Only * and ? are wildcards, as in Windows' own tools; every other character stands for
// itself, [ and ] included. Names compare regardless of case, as Windows compares them.
QRegularExpression wildcardMatcher(const QString &pattern)
{
    QString expression;
    for (const QChar c : pattern) {
        expression += c == u'*'   ? QStringLiteral(".*")
                      : c == u'?' ? QStringLiteral(".")
                                  : QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::CaseInsensitiveOption);
}

} // namespace

QStringList ProgramArguments(int, char *[])
{
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    QStringList arguments;
    for (int index = 0; index < count; ++index) {
        arguments << QString::fromWCharArray(wide[index]);
    }
    LocalFree(wide);
    // Windows' own tools take /? for help; no file can be named so.
    std::replace(arguments.begin() + std::min<qsizetype>(1, arguments.size()), arguments.end(),
                 QStringLiteral("/?"), QStringLiteral("-?"));
    return arguments;
}

QByteArray ArgumentBytes(const QString &argument)
{
    return argument.toLocal8Bit();
}

QString AbsoluteFileName(const QString &name)
{
    return QFileInfo(name).absoluteFilePath();
}

QStringList FilesNamedBy(const QString &name)
{
    // The last part starts after the last separator, or after the drive of "C:*.zel".
    const qsizetype cut = std::max({name.lastIndexOf(u'\\'), name.lastIndexOf(u'/'),
                                    name.indexOf(u':') == 1 ? qsizetype(1) : qsizetype(-1)}) +
                          1;
    const QString pattern = name.mid(cut);
    if (!pattern.contains(u'*') && !pattern.contains(u'?')) {
        return {name};
    }
    const QString folder = name.left(cut);
    const QRegularExpression matcher = wildcardMatcher(pattern);
    QStringList files;
    const QDir directory(folder.isEmpty() ? QStringLiteral(".") : folder);
    for (const QString &entry : directory.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (matcher.match(entry).hasMatch()) {
            files << folder + entry;
        }
    }
    return files;
}
