// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/filestamp.h"

#include "fileio/filecalls_win.h"

#include <windows.h>

std::optional<FileStamp> StampOfFile(const QString &path)
{
    // Opened for neither reading nor writing, which no other program's sharing refuses.
    const HANDLE handle = CreateFileW(SystemName(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool looked = GetFileInformationByHandle(handle, &information) &&
                        !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(handle);
    if (!looked) {
        return std::nullopt;
    }
    const auto join = [](DWORD high, DWORD low) { return (quint64(high) << 32) | low; };
    return FileStamp{
        .device = information.dwVolumeSerialNumber,
        .file = join(information.nFileIndexHigh, information.nFileIndexLow),
        .size = qint64(join(information.nFileSizeHigh, information.nFileSizeLow)),
        .modified = qint64(join(information.ftLastWriteTime.dwHighDateTime,
                                information.ftLastWriteTime.dwLowDateTime)),
    };
}
