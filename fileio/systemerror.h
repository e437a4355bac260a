// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "fileio/fileproblem.h"

// The system's own account of a failure. One implementation a system: systemerror_posix.cpp,
// systemerror_win.cpp.

// code: an errno value on POSIX systems, a GetLastError() value on Windows.
FileProblem SystemError(int code);
// The same for the calling thread's last failure.
FileProblem LastSystemError();
