// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

// File names as a POSIX system holds them: bytes, which need not be UTF-8 (a stick written by
// an older system in another code page). The program keeps every path as a QString; a byte that
// does not decode as UTF-8 is held in it as the lone surrogate U+DC80 + byte, as Python's
// "surrogateescape" does, so that every name the system can hold comes back to its own bytes.
// Every call that hands a path to the system takes it through NativeFileName.

QString FileNameFromNative(const QByteArray &bytes);
QByteArray NativeFileName(const QString &name);
