#pragma once

#include "model/settings.h"

#include <QDate>
#include <QString>

// Writes settings as a setting file at path, replacing the file as a whole only when every
// byte is written. The RS-232C section is written when barcodeFlag reads as the number 1.
// Returns an empty text on success, otherwise the message to show; a failed write leaves a
// former file as it was. A reason, when asked for, receives the system's account of a failure.
QString WriteSettingFile(const QString &path, const Settings &settings,
                         const QString &barcodeFlag, QDate today, QString *reason = nullptr);

inline const QString SaveError = QStringLiteral("ZEL File Save Error");
