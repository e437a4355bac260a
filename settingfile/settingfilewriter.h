// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "model/settings.h"

#include <QDate>
#include <QString>

// Writes settings as a setting file at path; the file stays the same file, with its links,
// owner and permissions (see ReplaceFileContent). The RS-232C section is written where
// SettingDocument::writesBarcodeSection reads barcodeFlag so. Returns an empty text on success,
// otherwise the message to show; a failed write leaves a former file as it was. A reason, when
// asked for, receives why a write failed, in the system's words where the system gave the failure.
QString WriteSettingFile(const QString &path, const Settings &settings, const QString &barcodeFlag,
                         QDate today, QString *reason = nullptr);

inline const QString SaveError = QStringLiteral("ZEL File Save Error");
