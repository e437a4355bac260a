// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "model/title.h"

#include "model/pathhelpers.h"
#include "version.h"

QString versionText()
{
    const QString minor = QStringLiteral("00") + QString::number(ZelVersionMinor);
    return QString::number(ZelVersionMajor) + QLatin1Char('.') + minor.right(2);
}

QString bareTitle()
{
    return QStringLiteral("VX613 ZEL File Generator   V") + versionText();
}

QString titleWithFile(const QString &path)
{
    QString name;
    ExtractFileName(path, name); // a path without a name part leaves the title ending in " - "
    return bareTitle() + QStringLiteral(" - ") + PrintableFileName(name);
}
