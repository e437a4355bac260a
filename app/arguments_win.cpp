// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/arguments.h"

#include "fileio/filecalls_win.h"

#include <QFileInfo>

#include <algorithm>

#include <windows.h>

#include <shellapi.h>

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
    // Windows' own matching, as dir's: "*.*" takes names without a dot too. The pattern is not
    // tidied as a name would be, which would drop the dot of "*.". Hidden and system files, which
    // dir does not list, are left out.
    const QString folder = name.left(cut);
    std::wstring search = SystemName(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (!search.ends_with(L'\\')) {
        search += L'\\';
    }
    search += pattern.toStdWString();
    QStringList files;
    WIN32_FIND_DATAW found;
    const HANDLE handle = FindFirstFileExW(search.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    for (bool more = handle != INVALID_HANDLE_VALUE; more; more = FindNextFileW(handle, &found)) {
        if (!(found.dwFileAttributes &
              (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
            files << folder + QString::fromWCharArray(found.cFileName);
        }
    }
    if (handle != INVALID_HANDLE_VALUE) {
        FindClose(handle);
    }
    std::sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return files;
}
