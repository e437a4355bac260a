// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/languages.h"

#include <QLocale>

#include <windows.h>

// The user's display languages, as Windows' settings order them.
QStringList SystemUiLanguages()
{
    return QLocale::system().uiLanguages();
}

// FormatMessageW, asked for no language in particular, speaks the thread's.
void KeepSystemMessagesInEnglish()
{
    SetThreadUILanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}
