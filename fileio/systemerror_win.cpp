// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/systemerror.h"

#include <windows.h>

// Windows' own words for a Win32 code, in the user's language; qt_error_string would read some
// codes as C errno values (13, ERROR_INVALID_DATA, as "Permission denied").
FileProblem SystemError(int code)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(code), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    // The words end in a line break, which a message box or a --check line does not want.
    const QString words = QString::fromWCharArray(text, int(length)).trimmed();
    LocalFree(text);
    if (words.isEmpty()) {
        return {FileProblem::Kind::UnnamedSystem, QString::number(code)};
    }
    return FileProblem::system(words);
}

FileProblem LastSystemError()
{
    return SystemError(int(GetLastError()));
}
