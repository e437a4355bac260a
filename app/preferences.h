// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// The two per-user preferences, kept as text: the folder the file dialogs start in, and "1" or
// "0" for whether the RS-232C section belongs to the document.
struct Preferences {
    QString DefaultFolder;
    QString BarcodeFlag;
};

// Reads both from the per-user settings store; a missing key gives "" and "0". A store that is
// no regular file (a FIFO would hold up the start for ever) is not opened: the defaults are given,
// and problem says why, in the program's words; such a store is not to be written either.
Preferences LoadPreferences(QString &problem);
// Writes both, every time, in this order. Returns an empty text when the store kept them,
// otherwise what went wrong, in the program's words.
QString SavePreferences(const Preferences &preferences);
