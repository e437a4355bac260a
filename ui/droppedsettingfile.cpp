// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "ui/droppedsettingfile.h"

#include <QMimeData>
#include <QUrl>

std::optional<QString> droppedSettingFile(const QMimeData &data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile()) {
        return std::nullopt;
    }
    const QString path = urls.constFirst().toLocalFile();
    if (!path.endsWith(QLatin1String(".zel"), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return path;
}
