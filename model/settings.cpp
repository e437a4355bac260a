// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "model/settings.h"

namespace
{

// The captions are the device's own vocabulary and stay as they are in every language: the
// names of its modes, its functions and its line settings, as the device, its manual and the
// setting file write them (SCRIPT, ORIGINAL, SELECT, EPR, ...), and numbers. The operator matches
// them against the device, and the narrow option buttons leave no room for longer words.
constexpr Option BaudrateOptions[] = {
    {"2400", "BAUD=2400"},   {"4800", "BAUD=4800"},     {"9600", "BAUD=9600"},
    {"19200", "BAUD=19200"}, {"38400", "BAUD=38400"},   {"57600", "BAUD=57600"},
    {"76800", "BAUD=76800"}, {"115200", "BAUD=115200"},
};
constexpr Option BitLengthOptions[] = {{"7", "BIT=7"}, {"8", "BIT=8"}};
constexpr Option StopBitOptions[] = {{"1", "STOP=1"}, {"2", "STOP=2"}};
constexpr Option ParityOptions[] = {
    {"NONE", "PARTY=NONE"}, {"ODD", "PARTY=ODD"}, {"EVEN", "PARTY=EVEN"}};
constexpr Option ModeOptions[] = {
    {"Script", "SCRIPT"}, {"Original Format", "ORIGINAL"}, {"Select", "SELECT"}};
// In Select mode the device function's token is appended to the mode token.
constexpr Option DeviceFunctionOptions[] = {
    {"NONE", ""},      {"EPR", "/EPR"},   {"Erase", "/ERASE"},     {"Blank", "/BLANK"},
    {"Read", "/READ"}, {"Copy", "/COPY"}, {"Program", "/PROGRAM"},
};

constexpr OptionGroup Groups[] = {
    {BaudrateOptions, 2}, {BitLengthOptions, 1},     {StopBitOptions, 0},
    {ParityOptions, 0},   {ModeOptions, ModeScript}, {DeviceFunctionOptions, 1},
};

// The field of the record that holds each group's selected index, in the order of Group.
constexpr qint16 Settings::*GroupFields[] = {
    &Settings::Baudrate, &Settings::BitLength, &Settings::StopBit,
    &Settings::Parity,   &Settings::Mode,      &Settings::DeviceFunction,
};
static_assert(std::size(GroupFields) == AllGroups.size());

} // namespace

const OptionGroup &optionGroup(Group group)
{
    return Groups[static_cast<int>(group)];
}

bool usesPickUpPosition(qint16 mode)
{
    return mode != ModeOriginalFormat;
}

bool usesDeviceFunction(qint16 mode)
{
    return mode == ModeSelect;
}

qint16 &Settings::index(Group group)
{
    return this->*GroupFields[static_cast<int>(group)];
}

qint16 Settings::index(Group group) const
{
    return this->*GroupFields[static_cast<int>(group)];
}

Settings defaultSettings()
{
    Settings settings;
    for (Group group : AllGroups) {
        settings.index(group) = optionGroup(group).defaultIndex;
    }
    settings.StartPosition = QStringLiteral("1");
    settings.EndPosition = QStringLiteral("1");
    return settings;
}
