// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/arguments.h"

#include "fileio/nativefilename.h"

#include <cstdlib>

#include <unistd.h>

QStringList ProgramArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index) {
        arguments << FileNameFromNative(QByteArray(argv[index]));
    }
    return arguments;
}

QByteArray ArgumentBytes(const QString &argument)
{
    return NativeFileName(argument);
}

QString AbsoluteFileName(const QString &name)
{
    // Not QFileInfo, which decodes a name that is no UTF-8 lossily.
    char *folder = name.startsWith(u'/') ? nullptr : ::getcwd(nullptr, 0);
    if (!folder) {
        return name;
    }
    const QString absolute = FileNameFromNative(QByteArray(folder)) + u'/' + name;
    std::free(folder);
    return absolute;
}

QStringList FilesNamedBy(const QString &name)
{
    return {name};
}
