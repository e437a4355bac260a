// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "fileio/filestamp.h"
#include "model/settingdocument.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class Dialogs;
class frmMain;

// Start-up, the file commands, the unsaved-changes question and shut-down of the one window.
// The shell asks the window for its settings, the document whether they changed, and the reader
// and writer for the file. Every command runs under one failure trap; a cancelled dialog ends a
// command silently.
class ApplicationShell : public QObject
{
    Q_OBJECT

public:
    ApplicationShell(frmMain &window, Dialogs &dialogs);

    void Form_Load();
    // True when the window may close: nothing unsaved, or the operator settled it.
    bool Form_QueryUnload();
    void Form_Unload();
    // The session is ending: ask where the platform lets us (false: keep the session going),
    // and store the preferences, since the program may end without its window closing. The
    // close that some desktops send next does not ask again about the data just settled.
    bool settleForSessionEnd(bool mayAsk);

    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    // Opens path as File > Open opens the file its dialog returns: a file named at start or
    // dropped on the window.
    void openFile(const QString &path);

    const SettingDocument &document() const { return m_document; }
    const QString &DefaultFolder() const { return m_defaultFolder; }
    // Puts the document's snapshot back into the window; the suffix field keeps what it holds.
    void RestoreSnapshot();
    void TakeSnapshot();

private:
    void runTrapped(const std::function<void()> &command);

    bool settleUnsavedChanges();
    std::optional<QString> chooseFileToSave();
    std::optional<QString> rememberFolder(std::optional<QString> path);
    bool mayWriteOver(const QString &path);
    bool write(const QString &path);
    bool read(const QString &path);
    void readAndAdopt(const QString &path);
    void saveAndAdopt(const std::optional<QString> &path);
    void adoptFile(const QString &path, const std::optional<FileStamp> &stamp);
    void startFreshDocument();

    frmMain &m_window;
    Dialogs &m_dialogs;
    SettingDocument m_document;
    QString m_defaultFolder;
    bool m_keepsPreferences = true; // false where the store could not be read at start
    // The current file as this program last read or wrote it.
    std::optional<FileStamp> m_currentFileStamp;
    // What the operator settled when the session began to end. Qt does not tell us when a
    // log-off is cancelled, so this covers a later close only while the data is still the same.
    std::optional<Settings> m_settledForSessionEnd;
};
