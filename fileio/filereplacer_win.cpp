// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/filereplacer_win.h"

#include "fileio/filecalls_win.h"
#include "fileio/filereplacer_p.h"
#include "fileio/systemerror.h"

#include <io.h>
#include <windows.h>

namespace
{

HANDLE handleOf(QFile &file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}

bool exists(const std::wstring &name)
{
    return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

SaveCalls &SystemSaveCalls()
{
    // Merge errors are about the named streams and the access-control list, which a replace keeps
    // where it can; the content is in place whatever they are.
    static SaveCalls calls{
        [](const wchar_t *replaced, const wchar_t *replacement, const wchar_t *backup) {
            return ReplaceFileW(replaced, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                nullptr, nullptr) != 0;
        },
        [](const wchar_t *from, const wchar_t *to, unsigned long flags) {
            return MoveFileExW(from, to, flags) != 0;
        },
        [](const wchar_t *name) { return DeleteFileW(name) != 0; }};
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

// A file that another program holds for a moment is tried again (WhileHeld). Over a file,
// ReplaceFileW moves the former file to a backup name of the program's own beside it, which
// goes once the new file is in place; where the new file does not get there (its documented
// ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, or anything else that leaves the name empty), the former
// file goes back. A new file is moved into place without MOVEFILE_REPLACE_EXISTING, so that a
// file that appeared meanwhile is not replaced.
std::optional<SaveResult> PutInPlace(const QString &temporary, const QString &target,
                                     bool replacing, const SaveCalls &calls)
{
    const std::wstring from = SystemName(temporary);
    const std::wstring to = SystemName(target);
    if (!replacing) {
        if (WhileHeld(
                [&] { return calls.move(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH); })) {
            return SaveResult{};
        }
        return SaveResult{SaveOutcome::Refused, LastSystemError()};
    }
    // As long as the temporary name, so that it fits wherever that one did; never over a file.
    const QString backupName = BesideName(target);
    const std::wstring backup = SystemName(backupName);
    if (exists(backup)) {
        return SaveResult{SaveOutcome::Refused, SystemError(ERROR_FILE_EXISTS)};
    }
    if (WhileHeld([&] { return calls.replace(to.c_str(), from.c_str(), backup.c_str()); })) {
        if (WhileHeld([&] { return calls.remove(backup.c_str()); })) {
            return SaveResult{};
        }
        return SaveResult{SaveOutcome::Unconfirmed, LastSystemError(), backupName};
    }
    const FileProblem problem = LastSystemError();
    if (exists(to) ||
        WhileHeld([&] { return calls.move(backup.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH); })) {
        return SaveResult{SaveOutcome::Refused, problem};
    }
    return SaveResult{SaveOutcome::FormerContentLost, problem, backupName, temporary};
}

// Windows has no documented call that flushes a folder's entries. A new file moved into place
// with MOVEFILE_WRITE_THROUGH has its entry on the disk when the move returns; ReplaceFileW has
// no such flag, and a replaced file's entry, like that of a file made in place, reaches the disk
// when the file system writes its own records.
FileProblem SyncFolderOf(const QString &, const SaveCalls &)
{
    return {};
}

FileProblem RemoveFile(const QString &name, const SaveCalls &calls)
{
    const std::wstring system = SystemName(name);
    return WhileHeld([&] { return calls.remove(system.c_str()); }) ? FileProblem()
                                                                   : LastSystemError();
}
