// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/systemtext.h"

#include <QByteArrayView>

QString FromSystemText(std::string_view bytes)
{
    return QString::fromLocal8Bit(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}
