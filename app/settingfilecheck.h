// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QIODevice>
#include <QString>

// The line that --check prints for a setting file, in the form that compilers use and editors
// link to: "NAME: ok: " and the settings in the window's captions, or "NAME:LINE: error: REASON",
// without ":LINE" where the fault is no one line's. accepted tells which. The file is read as
// File > Open reads it, and its name shown on one line that it cannot break
// (PrintableFileName).
QString CheckLine(const QString &path, bool &accepted);
// The same for what input delivers, such as standard input, under the name shown.
QString CheckLine(QIODevice &input, const QString &shownName, bool &accepted);
// The error line for a name that nothing can be read from, and why.
QString RefusalLine(const QString &shownName, const QString &reason);
