// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/filecalls_win.h"

#include <windows.h>

std::wstring SystemName(const QString &path)
{
    const std::wstring given = path.toStdWString();
    if (given.empty() || given.starts_with(LR"(\\?\)") || given.starts_with(LR"(\\.\)")) {
        return given;
    }
    std::wstring full(GetFullPathNameW(given.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length = GetFullPathNameW(given.c_str(), DWORD(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) {
        return given;
    }
    full.resize(length);
    if (full.starts_with(LR"(\\?\)") || full.starts_with(LR"(\\.\)")) {
        return full;
    }
    return full.starts_with(LR"(\\)") ? LR"(\\?\UNC\)" + full.substr(2) : LR"(\\?\)" + full;
}

bool WhileHeld(const std::function<bool()> &call)
{
    constexpr int Tries = 10;
    for (int tried = 1;; ++tried) {
        if (call()) {
            return true;
        }
        const DWORD error = GetLastError();
        if (tried == Tries || (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
                               error != ERROR_ACCESS_DENIED)) {
            SetLastError(error);
            return false;
        }
        Sleep(100);
    }
}
