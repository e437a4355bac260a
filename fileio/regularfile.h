// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "fileio/fileproblem.h"

#include <QFile>
#include <QString>

// Opening a file that a person named, to read it or to save over it. One implementation a
// system: regularfile_posix.cpp, regularfile_win.cpp.

// The name of the file that opening path reaches. On POSIX systems every symbolic link on the
// way is followed as the kernel follows it, each hop against the real folder that holds the link
// (not against the path that reached it, which differs after a linked folder); a name that does
// not exist yet, or a link that leads nowhere, gives the name that opening path to create a file
// would create. On Windows a name that the system keeps for a device (CON, NUL, COM1, ...) is
// refused. Returns no problem, or the system's account of the failure.
FileProblem ResolveFileName(const QString &path, QString &resolved);

// Opens name, which ResolveFileName gave, when it is a regular file; looks before it opens, so
// that a device (opening a serial port toggles its modem lines), a pipe (which can block) or a
// folder is refused without being opened, and a name swapped for something else between the look
// and the open is refused too. absent, when asked for, tells whether no file has that name.
// Returns no problem, or the system's account, or that it is no regular file.
FileProblem OpenRegularFile(const QString &name, QIODevice::OpenMode mode, QFile &file,
                            bool *absent = nullptr);

// Opens path, as a person named it, to read it when it is a regular file: as OpenRegularFile
// does with the name that ResolveFileName gives, but with the system following the links.
FileProblem OpenToRead(const QString &path, QFile &file);

// Creates the file called name, which must not exist yet (not even as a link), for reading and
// writing. Returns no problem, or the system's account of the failure.
FileProblem CreateNewFile(const QString &name, QFile &file);
