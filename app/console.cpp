// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/console.h"

#include <QCoreApplication>

bool Console::print(const QString &text)
{
    const QString failure = write(text);
    if (!failure.isEmpty()) {
        printError(QCoreApplication::applicationName() +
                   QStringLiteral(": The lines could not be written: ") + failure + u'\n');
    }
    return failure.isEmpty();
}
