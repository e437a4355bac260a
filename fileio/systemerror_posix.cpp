// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/systemerror.h"

#include <cerrno>

FileProblem SystemError(int code)
{
    return FileProblem::system(qt_error_string(code));
}

FileProblem LastSystemError()
{
    return SystemError(errno);
}
