// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "ui/applicationicon.h"

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {32, 48, 64}) {
        icon.addFile(QStringLiteral(":/%1x%1/apps/zel-file-generator.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}
