// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "model/settings.h"

#include <QString>

#include <optional>

// What one open setting file is, apart from the window that shows it: the file it was read from
// or saved to, the settings as they were then, and whether its RS-232C section belongs to it.
class SettingDocument
{
public:
    // The full path as the file dialog gave it; empty while the document is untitled.
    const QString &CurrentFileName() const { return m_currentFileName; }
    void setCurrentFileName(const QString &path) { m_currentFileName = path; }
    void ClearFileName() { m_currentFileName.clear(); }
    // The window's title: the bare title, or with the name part of the current file.
    QString title() const;

    // "1" or "0" as the program writes it, or whatever text the preferences held.
    const QString &BarcodeFlag() const { return m_barcodeFlag; }
    void setBarcodeFlag(const QString &flag) { m_barcodeFlag = flag; }
    // The flag is read in two ways, each as the program has always read it, since stored
    // preferences may rely on either: the window shows the RS-232C rows unless the text is
    // exactly "0", while a save writes the RS-232C section only where the text reads as the
    // number 1, and fails where it reads as no number (nothing). So "00" shows the rows and a
    // save writes no section.
    static bool showsBarcodeSection(const QString &flag);
    static std::optional<bool> writesBarcodeSection(const QString &flag);

    const Settings &SavedSettings() const { return m_savedSettings; }
    void TakeSnapshot(const Settings &current) { m_savedSettings = current; }
    // True when current differs from the snapshot in a field that the current mode uses.
    bool IsDataChanged(const Settings &current) const;
    // The snapshot with the suffix of current: what the window shows after a file was refused.
    Settings RestoreSnapshot(const Settings &current) const;

private:
    QString m_currentFileName;
    QString m_barcodeFlag;
    Settings m_savedSettings;
};
