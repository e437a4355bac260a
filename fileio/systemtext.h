// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <string_view>

// Bytes from a file decoded as the system's 8-bit text: UTF-8 on POSIX systems (a byte that does
// not decode shows as U+FFFD), the ANSI code page on Windows; a NUL stays a character of its own.
// One implementation a system: systemtext_posix.cpp, systemtext_win.cpp.
QString FromSystemText(std::string_view bytes);
