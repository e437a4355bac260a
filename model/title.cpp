// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "model/title.h"

#include "model/pathhelpers.h"
#include "version.h"

#include <QCoreApplication>

QString versionText()
{
    const QString minor = QStringLiteral("00") + QString::number(ZelVersionMinor);
    return QString::number(ZelVersionMajor) + QLatin1Char('.') + minor.right(2);
}

QString bareTitle()
{
    //: The window's title: VX613 is the device, %1 the version (1.02). The three blanks before
    //: V stay.
    return QCoreApplication::translate("Title", "VX613 ZEL File Generator   V%1")
        .arg(versionText());
}

QString titleWithFile(const QString &path)
{
    QString name;
    ExtractFileName(path, name); // a path without a name part leaves the title ending in " - "
    return bareTitle() + QStringLiteral(" - ") + PrintableFileName(name);
}
