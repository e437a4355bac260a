// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "model/settings.h"

#include <QIODevice>
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

// Why a file was refused: what was wrong and, for a fault in the file, the line it is in.
struct ReadProblem {
    qsizetype line = 0; // from 1; 0 where the fault is the whole file's or the file is unreadable
    QString reason;     // the system's account of a failed load, or what was wrong

    // "Line 4: " and the reason, or the reason alone.
    QString text() const;
};

// Reads the setting file at path. Returns an empty text and fills content when the whole file
// is sound; otherwise returns the message to show and leaves content untouched. A problem, when
// asked for, receives what went wrong and where.
QString ReadSettingFile(const QString &path, SettingFileContent &content,
                        ReadProblem *problem = nullptr);
// The same for what an open device delivers up to its end, such as standard input.
QString ReadSettingFile(QIODevice &device, SettingFileContent &content,
                        ReadProblem *problem = nullptr);

inline const QString FormatError = QStringLiteral("ZEL File Format Error");
inline const QString LoadError = QStringLiteral("ZEL File Load Error");
