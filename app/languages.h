// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QStringList>

// The languages the operator's system asks programs to speak, the most wanted first, as locale
// names (de_DE, ja-JP, ja). None where the system asks for the C locale's plain English.
QStringList SystemUiLanguages();

// Installs the program's translation and Qt's own (for the buttons of its boxes and dialogs and
// the command line's help) for the first of languages that the program is translated into,
// unless English comes before it: English is the program's own language. Returns the language
// installed ("ja", "de"), or "en" for none.
QString InstallTranslations(const QStringList &languages);

// What the system itself says, such as why a file could not be read, in English whatever the
// language, for lines that scripts read.
void KeepSystemMessagesInEnglish();
