// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/console.h"

#include <QCoreApplication>

bool Console::print(const QString &text)
{
    const QString failure = write(text);
    if (!failure.isEmpty()) {
        printError(QCoreApplication::applicationName() + QStringLiteral(": ") +
                   //: %1 is why, such as "No space left on device".
                   QCoreApplication::translate("Console", "The lines could not be written: %1")
                       .arg(failure) +
                   u'\n');
    }
    return failure.isEmpty();
}
