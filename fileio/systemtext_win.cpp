// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/systemtext.h"

#include <QByteArrayView>

// ASCII's control characters are taken apart from the rest, as the code-page conversion drops a
// NUL at the end.
QString FromSystemText(std::string_view bytes)
{
    QString text;
    size_t runStart = 0;
    for (size_t at = 0; at <= bytes.size(); ++at) {
        const auto c = at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0;
        if (at < bytes.size() && c >= 0x20 && c != 0x7f) {
            continue;
        }
        text += QString::fromLocal8Bit(
            QByteArrayView(bytes.data() + runStart, qsizetype(at - runStart)));
        if (at < bytes.size()) {
            text += QChar(char16_t(c));
        }
        runStart = at + 1;
    }
    return text;
}
