#pragma once

#include "model/settings.h"

#include <QString>

#include <array>
#include <optional>

// What a setting file sets, checked as a whole before any of it is applied.
struct SettingFileContent {
    qint16 Mode = 0;
    std::optional<qint16> DeviceFunction; // only a Select token sets it
    // The RS-232C indices in the order of Rs232cGroups, when the file has that section.
    std::optional<std::array<qint16, Rs232cGroups.size()>> Rs232c;
    QString StartPosition;
    QString EndPosition;
    QString Suffix;

    // "1" when the file has the RS-232C section, otherwise "0".
    QString barcodeFlag() const;
    // Puts what the file carries into settings; what it does not carry stays.
    void applyTo(Settings &settings) const;
};

// Reads the setting file at path. Returns an empty text and fills content when the whole file
// is sound; otherwise returns the message to show and leaves content untouched. A reason, when
// asked for, receives what went wrong and where.
QString ReadSettingFile(const QString &path, SettingFileContent &content,
                        QString *reason = nullptr);

inline const QString FormatError = QStringLiteral("ZEL File Format Error");
inline const QString LoadError = QStringLiteral("ZEL File Load Error");
