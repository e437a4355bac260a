// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/languages.h"

#include <clocale>

// As gettext chooses: LC_ALL, else LC_MESSAGES, else LANG names the locale of messages. Where
// it is C or POSIX, or nothing, messages stay untranslated whatever LANGUAGE says; otherwise
// LANGUAGE, a list parted by colons, replaces it where it is set.
QStringList SystemUiLanguages()
{
    QString messages;
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        messages = qEnvironmentVariable(variable);
        if (!messages.isEmpty()) {
            break;
        }
    }
    // ja_JP.UTF-8, de_DE@euro: the language and the territory.
    const QString locale = messages.section(u'.', 0, 0).section(u'@', 0, 0);
    if (locale.isEmpty() || locale == u"C" || locale == u"POSIX") {
        return {};
    }
    const QStringList languages = qEnvironmentVariable("LANGUAGE").split(u':', Qt::SkipEmptyParts);
    return languages.isEmpty() ? QStringList{locale} : languages;
}

void KeepSystemMessagesInEnglish()
{
    std::setlocale(LC_MESSAGES, "C");
}
