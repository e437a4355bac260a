// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/filereplacer_p.h"

#include "fileio/systemerror.h"

#include <io.h>
#include <windows.h>

// No test stands in for the system's calls on Windows.
struct SaveCalls {
};

namespace
{

const wchar_t *wide(const QString &name)
{
    return reinterpret_cast<const wchar_t *>(name.utf16());
}

HANDLE handleOf(QFile &file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}

} // namespace

SaveCalls &SystemSaveCalls()
{
    static SaveCalls calls;
    return calls;
}

// ReplaceFileW keeps the former file's access-control list and named streams (the mark of a
// download among them). The hidden, system and archive attributes are given to the new file
// here: not every ReplaceFileW carries them over (Wine's does not).
bool TakeOverIdentity(QFile &former, QFile &created, const SaveCalls &)
{
    BY_HANDLE_FILE_INFORMATION information = {};
    if (!GetFileInformationByHandle(handleOf(former), &information) ||
        information.nNumberOfLinks != 1) {
        return false;
    }
    FILE_BASIC_INFO basic = {}; // times of 0 stay as they are
    basic.FileAttributes = information.dwFileAttributes &
                           (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    return basic.FileAttributes == 0 ||
           SetFileInformationByHandle(handleOf(created), FileBasicInfo, &basic, sizeof basic);
}

FileProblem WriteFromStart(QFile &file, const QByteArray &bytes, const SaveCalls &)
{
    const HANDLE handle = handleOf(file);
    if (!SetFilePointerEx(handle, LARGE_INTEGER(), nullptr, FILE_BEGIN)) {
        return LastSystemError();
    }
    for (qsizetype written = 0; written < bytes.size();) {
        DWORD count = 0;
        if (!WriteFile(handle, bytes.constData() + written, DWORD(bytes.size() - written), &count,
                       nullptr)) {
            return LastSystemError();
        }
        // A write that takes nothing and names no error has found the disk full.
        if (count == 0) {
            return SystemError(ERROR_DISK_FULL);
        }
        written += count;
    }
    return {};
}

FileProblem CutAndFlush(QFile &file, qint64 size, const SaveCalls &)
{
    const HANDLE handle = handleOf(file);
    LARGE_INTEGER end = {};
    end.QuadPart = size;
    if (!SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) || !SetEndOfFile(handle) ||
        !FlushFileBuffers(handle)) {
        return LastSystemError();
    }
    return {};
}

Placement PutInPlace(const QString &temporary, const QString &target, bool replacing,
                     FileProblem &problem, const SaveCalls &)
{
    // Without REPLACE_EXISTING: a file that has appeared meanwhile is not replaced.
    const auto move = [&] {
        return MoveFileExW(wide(temporary), wide(target), MOVEFILE_WRITE_THROUGH);
    };
    if (replacing ? ReplaceFileW(wide(target), wide(temporary), nullptr, 0, nullptr, nullptr)
                  : move()) {
        return Placement::Done;
    }
    problem = LastSystemError();
    // ReplaceFileW can fail after it has taken the former file away; the new one then moves to
    // where it was.
    if (!replacing || GetFileAttributesW(wide(target)) != INVALID_FILE_ATTRIBUTES) {
        return Placement::Refused;
    }
    if (move()) {
        problem = {};
        return Placement::Done;
    }
    return Placement::FormerGone;
}

// Windows has no call that flushes a folder's entries: a moved file is on the disk once
// MOVEFILE_WRITE_THROUGH returns, and a file made in place is as safe as its own flush makes it.
FileProblem SyncFolderOf(const QString &, const SaveCalls &)
{
    return {};
}

void RemoveFile(const QString &name)
{
    DeleteFileW(wide(name));
}
