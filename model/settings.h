// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <span>

// One choice of an option group: its caption in the window and its token in the setting file.
struct Option {
    const char *caption;
    const char *token;
};

// The six option groups, in the order of the fields of Settings that hold their indices.
enum class Group { Baudrate, BitLength, StopBit, Parity, Mode, DeviceFunction };

inline constexpr std::array AllGroups{Group::Baudrate, Group::BitLength, Group::StopBit,
                                      Group::Parity,   Group::Mode,      Group::DeviceFunction};

// The RS-232C groups, in the order of their lines in the setting file.
inline constexpr std::array Rs232cGroups{Group::Baudrate, Group::BitLength, Group::StopBit,
                                         Group::Parity};

struct OptionGroup {
    std::span<const Option> options;
    qint16 defaultIndex;

    qint16 size() const { return static_cast<qint16>(options.size()); }
};

// The single source of every group's captions, file tokens and default.
const OptionGroup &optionGroup(Group group);

// Indices of the mode group.
enum Mode : qint16 { ModeScript = 0, ModeOriginalFormat = 1, ModeSelect = 2 };

// What a mode brings into play: the window enables, compares and writes accordingly.
bool usesPickUpPosition(qint16 mode);
bool usesDeviceFunction(qint16 mode);

inline constexpr int PositionMaxLength = 4;
inline constexpr int SuffixMaxLength = 2;

// Everything the operator edits. A default-constructed record holds index 0 and empty texts,
// as the saved copy does before the first snapshot; defaultSettings() gives the defaults.
struct Settings {
    qint16 Baudrate = 0;
    qint16 BitLength = 0;
    qint16 StopBit = 0;
    qint16 Parity = 0;
    qint16 Mode = 0;
    QString StartPosition;
    QString EndPosition;
    QString Suffix;
    qint16 DeviceFunction = 0;

    qint16 &index(Group group);
    qint16 index(Group group) const;

    friend bool operator==(const Settings &, const Settings &) = default;
};

Settings defaultSettings();
