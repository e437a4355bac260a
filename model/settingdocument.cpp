// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "model/settingdocument.h"

#include "model/numbertext.h"
#include "model/title.h"

QString SettingDocument::title() const
{
    return m_currentFileName.isEmpty() ? bareTitle() : titleWithFile(m_currentFileName);
}

bool SettingDocument::showsBarcodeSection(const QString &flag)
{
    return flag != QLatin1String("0");
}

std::optional<bool> SettingDocument::writesBarcodeSection(const QString &flag)
{
    const std::optional<double> number = decimalValue(flag.toStdString());
    return number ? std::optional(*number == 1) : std::nullopt;
}

bool SettingDocument::IsDataChanged(const Settings &current) const
{
    const Settings &saved = m_savedSettings;
    // The RS-232C groups and the mode count in every mode; the texts and the device function
    // only in the modes that use them.
    for (Group group :
         {Group::Baudrate, Group::BitLength, Group::StopBit, Group::Parity, Group::Mode}) {
        if (current.index(group) != saved.index(group)) {
            return true;
        }
    }
    if (usesPickUpPosition(current.Mode) &&
        (current.StartPosition != saved.StartPosition || current.EndPosition != saved.EndPosition ||
         current.Suffix != saved.Suffix)) {
        return true;
    }
    return usesDeviceFunction(current.Mode) && current.DeviceFunction != saved.DeviceFunction;
}

Settings SettingDocument::RestoreSnapshot(const Settings &current) const
{
    Settings restored = m_savedSettings;
    restored.Suffix = current.Suffix;
    return restored;
}
