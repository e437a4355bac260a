// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <functional>
#include <string>

// What every file call of the program's own on Windows shares (Windows only).

// The name to hand Windows for path: the absolute path in the extended form (\\?\C:\...,
// \\?\UNC\server\share\...), which reaches past 260 characters as Qt's own file access does. It
// is made absolute and tidied first as Windows tidies a plain path (either separator, "." and
// "..", trailing dots and blanks), which it no longer does in the extended form. A path in that
// form or in the device space (\\.\) stays as it is.
std::wstring SystemName(const QString &path);

// Calls call until it succeeds, or until it fails for another reason than a file that another
// program holds, as a virus scanner, a backup agent or the search indexer does for a moment:
// ten tries within about a second. GetLastError() then tells the last failure.
bool WhileHeld(const std::function<bool()> &call);
