// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/systemerror.h"

#include <windows.h>

QString SystemError(int code)
{
    return qt_error_string(code);
}

QString LastSystemError()
{
    return SystemError(int(GetLastError()));
}
