// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>

// The calls of a save on Windows that a test may stand in for, to play a file that another
// program holds or each of ReplaceFileW's documented failures: replacing a file with another and
// keeping the replaced one under a backup name (ReplaceFileW), moving a file (MoveFileExW) and
// removing one (DeleteFileW). Names in the extended form; each returns whether it succeeded and
// leaves the reason to GetLastError().
struct SaveCalls {
    std::function<bool(const wchar_t *replaced, const wchar_t *replacement, const wchar_t *backup)>
        replace;
    std::function<bool(const wchar_t *from, const wchar_t *to, unsigned long flags)> move;
    std::function<bool(const wchar_t *name)> remove;
};
