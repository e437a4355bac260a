// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// File names as a POSIX system holds them: bytes, which need not be UTF-8 (a stick written by
// an older system in another code page). The program keeps every path as a QString; a byte that
// does not decode as UTF-8 is held in it as the lone surrogate U+DC80 + byte, as Python's
// "surrogateescape" does, so that every name the system can hold comes back to its own bytes.
// Every call that hands a path to the system takes it through NativeFileName. Windows names are
// UTF-16, which a QString holds as it is: there the two conversions do not exist.

QString FileNameFromNative(const QByteArray &bytes);
QByteArray NativeFileName(const QString &name);

// The byte that the character at of name stands for, where it is one that did not decode (that
// lone surrogate, not the second half of a pair); nothing otherwise, and always on Windows.
std::optional<unsigned char> UndecodedByte(QStringView name, qsizetype at);
