// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "model/keyfilters.h"

namespace
{

bool isBetween(qint16 code, char first, char last)
{
    return code >= first && code <= last;
}

} // namespace

qint16 FilterDigitKey(qint16 &keyAscii)
{
    if (!isBetween(keyAscii, '0', '9') && keyAscii != BackspaceKey) {
        keyAscii = 0;
    }
    return keyAscii;
}

qint16 FilterHexKey(qint16 &keyAscii)
{
    if (isBetween(keyAscii, 'a', 'f')) {
        keyAscii = static_cast<qint16>(keyAscii - ('a' - 'A'));
    } else if (!isBetween(keyAscii, '0', '9') && !isBetween(keyAscii, 'A', 'F') &&
               keyAscii != BackspaceKey) {
        keyAscii = 0;
    }
    return keyAscii;
}

QString filterPastedText(const QString &text, KeyFilter filter)
{
    QString filtered;
    filtered.reserve(text.size());
    for (QChar character : text) {
        // A code beyond the signed 16-bit range turns negative: no key that a filter passes.
        qint16 code = static_cast<qint16>(character.unicode());
        if (filter(code) != 0 && code != BackspaceKey) {
            filtered.append(QChar(code));
        }
    }
    return filtered;
}
