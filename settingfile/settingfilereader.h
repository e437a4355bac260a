// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "fileio/fileproblem.h"
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

// Why a file was refused: a fault in the file or a load that failed, what was wrong and, for a
// fault in one line, that line. No problem tests false. settingfile/messages.h words it.
struct ReadProblem {
    enum class Kind { FormatFault, LoadFailure };
    enum class Reason {
        None,
        NotRead, // the load failure: file says why
        NoModeLine,
        NoEndLine, // argument: the number of lines the file has
        ByteOrderMark,
        LineFeedsAlone,
        ByteOrderMarkAndLineFeedsAlone,
        // A line that sets nothing this program knows; argument: how the line begins.
        UnknownMode,
        UnknownBaudRate,
        UnknownBitLength,
        UnknownStopBit,
        UnknownParity,
        UnknownStartPosition,
        UnknownEndPosition,
        UnknownSuffix,
        NotInSettingSection, // argument: how the line begins
    };
    Reason reason = Reason::None;
    qsizetype line = 0; // from 1; 0 where the fault is the whole file's or the file is unreadable
    QString argument{};
    FileProblem file{};

    Kind kind() const { return reason == Reason::NotRead ? Kind::LoadFailure : Kind::FormatFault; }
    explicit operator bool() const { return reason != Reason::None; }
};

// Reads the setting file at path. Returns no problem and fills content when the whole file is
// sound; otherwise returns what went wrong and where, and leaves content untouched.
ReadProblem ReadSettingFile(const QString &path, SettingFileContent &content);
// The same for what an open device delivers up to its end, such as standard input.
ReadProblem ReadSettingFile(QIODevice &device, SettingFileContent &content);
