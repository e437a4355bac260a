// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QtGlobal>

// Keystroke filters of the three pick-up fields. Each takes a typed character code, stores the
// filtered code into it and returns it: the code itself, its upper-case form, or 0 to swallow it.
// Only digits (and, for the suffix, hexadecimal letters) and backspace pass, so a typed text
// always reads back from a setting file.
inline constexpr qint16 BackspaceKey = 8;

qint16 FilterDigitKey(qint16 &keyAscii);
qint16 FilterHexKey(qint16 &keyAscii);

using KeyFilter = qint16 (*)(qint16 &);

// Filters a pasted text as if it were typed: what would be swallowed is dropped, hexadecimal
// letters are made upper case by FilterHexKey; backspace, which inserts nothing, is dropped.
QString filterPastedText(const QString &text, KeyFilter filter);
