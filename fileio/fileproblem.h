// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <cerrno>
#include <cstring>

// Why a call on a file failed, as a value: the system's own account, or a reason of the
// program's, which is worded where it is shown. No problem tests false.
struct FileProblem {
    enum class Kind {
        None,
        System,         // systemReason holds the system's words
        NotRegularFile, // the name is a pipe, a device or the like, which is never opened
        NotKept,        // the file, read back, does not hold what was written
    };
    Kind kind = Kind::None;
    QString systemReason{};

    static FileProblem system(const QString &reason) { return {Kind::System, reason}; }
    explicit operator bool() const { return kind != Kind::None; }
    bool operator==(const FileProblem &) const = default;
};

// The C library's words for a folder on every system; the systems' own differ.
inline FileProblem FolderError()
{
    return FileProblem::system(QString::fromLocal8Bit(std::strerror(EISDIR)));
}
