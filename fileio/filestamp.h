// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// What tells a file that another program has changed from the one a program last read or
// wrote: which file has the name, its size and when its content last changed.
struct FileStamp {
    // The file system's number of its device and of the file; the latter 0 where a file's number
    // may change while the file stays (FAT and exFAT, and anything through FUSE).
    quint64 device = 0;
    quint64 file = 0;
    qint64 size = 0;
    qint64 modified = 0; // as finely as the system tells it
    bool operator==(const FileStamp &) const = default;
};

// The stamp of the regular file that opening path reaches; nothing where there is none or it
// cannot be looked at. One implementation a system: filestamp_posix.cpp, filestamp_win.cpp.
std::optional<FileStamp> StampOfFile(const QString &path);
