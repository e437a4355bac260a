// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/applicationshell.h"

#include "app/arguments.h"
#include "app/dialogs.h"
#include "app/preferences.h"
#include "model/pathhelpers.h"
#include "settingfile/messages.h"
#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"
#include "ui/frmmain.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

#include <cstdio>
#include <exception>

namespace
{

// What the preferences' store cannot do is only told: it never keeps the window from starting or
// closing.
void tellOnStandardError(const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(text));
}

} // namespace

ApplicationShell::ApplicationShell(frmMain &window, Dialogs &dialogs)
    : QObject(&window), m_window(window), m_dialogs(dialogs)
{
    connect(&window, &frmMain::newRequested, this, &ApplicationShell::mnuNew_Click);
    connect(&window, &frmMain::openRequested, this, &ApplicationShell::mnuOpen_Click);
    connect(&window, &frmMain::saveRequested, this, &ApplicationShell::mnuSave_Click);
    connect(&window, &frmMain::saveAsRequested, this, &ApplicationShell::mnuSaveAs_Click);
    // Queued, so that the drop has ended before any question holds up the program it came from.
    connect(&window, &frmMain::fileDropped, this, &ApplicationShell::openFile,
            Qt::QueuedConnection);
    window.setCloseHandlers([this] { return Form_QueryUnload(); }, [this] { Form_Unload(); });
}

void ApplicationShell::Form_Load()
{
    startFreshDocument();
    QString problem;
    const Preferences preferences = LoadPreferences(problem);
    m_keepsPreferences = problem.isEmpty();
    if (!m_keepsPreferences) {
        tellOnStandardError(problem);
    }
    m_defaultFolder = preferences.DefaultFolder;
    m_document.setBarcodeFlag(preferences.BarcodeFlag);
    if (!SettingDocument::showsBarcodeSection(preferences.BarcodeFlag)) {
        m_window.SetBarcodeSection(false);
    }
}

bool ApplicationShell::Form_QueryUnload()
{
    if (m_settledForSessionEnd == m_window.settings()) {
        return true;
    }
    bool settled = false;
    runTrapped([this, &settled] { settled = settleUnsavedChanges(); });
    return settled;
}

// A store that was not read at start is not written either: it was told then.
void ApplicationShell::Form_Unload()
{
    if (!m_keepsPreferences) {
        return;
    }
    if (const QString error = SavePreferences({m_defaultFolder, m_document.BarcodeFlag()});
        !error.isEmpty()) {
        tellOnStandardError(error);
    }
}

bool ApplicationShell::settleForSessionEnd(bool mayAsk)
{
    if (mayAsk) {
        if (!Form_QueryUnload()) {
            return false;
        }
        m_settledForSessionEnd = m_window.settings();
    }
    Form_Unload();
    return true;
}

void ApplicationShell::mnuNew_Click()
{
    runTrapped([this] {
        if (settleUnsavedChanges()) {
            startFreshDocument();
        }
    });
}

void ApplicationShell::mnuOpen_Click()
{
    runTrapped([this] {
        if (!settleUnsavedChanges()) {
            return;
        }
        if (const std::optional<QString> path = m_dialogs.chooseFileToOpen(m_defaultFolder)) {
            readAndAdopt(*path);
        }
    });
}

void ApplicationShell::openFile(const QString &path)
{
    // A path from the command line may be relative; the folder and the title need it whole.
    const QString fullPath = QDir::toNativeSeparators(AbsoluteFileName(path));
    runTrapped([this, &fullPath] {
        if (settleUnsavedChanges()) {
            readAndAdopt(fullPath);
        }
    });
}

void ApplicationShell::mnuSave_Click()
{
    runTrapped([this] {
        const QString &current = m_document.CurrentFileName();
        saveAndAdopt(current.isEmpty() ? chooseFileToSave() : current);
    });
}

void ApplicationShell::mnuSaveAs_Click()
{
    runTrapped([this] { saveAndAdopt(chooseFileToSave()); });
}

// An unexpected failure is shown with its description and ends the command; nothing done
// before it is undone.
void ApplicationShell::runTrapped(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &failure) {
        m_dialogs.showError(QString::fromLocal8Bit(failure.what()), {});
    } catch (...) {
        m_dialogs.showError(tr("Unknown Error!"), {});
    }
}

// True when the command may go on. A Yes saves under a name chosen now; a cancelled dialog or
// a failed write keeps the changes (and the window open, when closing).
bool ApplicationShell::settleUnsavedChanges()
{
    if (!m_document.IsDataChanged(m_window.settings())) {
        return true;
    }
    switch (m_dialogs.askToSaveChanges()) {
    case Dialogs::Answer::Cancel:
        return false;
    case Dialogs::Answer::No:
        return true;
    case Dialogs::Answer::Yes:
        break;
    }
    const std::optional<QString> path = chooseFileToSave();
    return path && write(*path);
}

std::optional<QString> ApplicationShell::chooseFileToSave()
{
    return rememberFolder(m_dialogs.chooseFileToSave(m_defaultFolder));
}

// Every path a dialog returns at once becomes the folder the next dialog starts in.
std::optional<QString> ApplicationShell::rememberFolder(std::optional<QString> path)
{
    if (path) {
        ExtractFolder(*path, m_defaultFolder);
    }
    return path;
}

// A file that another program has changed since this program last read or wrote it is saved
// over only when the operator says so; one deleted meanwhile is written again.
bool ApplicationShell::mayWriteOver(const QString &path)
{
    const std::optional<FileStamp> now = StampOfFile(path);
    return !now || now == m_currentFileStamp || m_dialogs.askToSaveOverChangedFile(path);
}

// A save that is not known to be on the disk is not done: the document stays changed.
bool ApplicationShell::write(const QString &path)
{
    const bool overCurrentFile = path == m_document.CurrentFileName();
    if (overCurrentFile && !mayWriteOver(path)) {
        return false;
    }
    const WriteResult result =
        WriteSettingFile(path, m_window.settings(), m_document.BarcodeFlag(), QDate::currentDate());
    // Whatever the save did, the file holds now what this program wrote or left there.
    if (overCurrentFile) {
        m_currentFileStamp = StampOfFile(path);
    }
    if (!result.saved()) {
        const auto [message, detail] = ErrorMessageOf(path, result);
        m_dialogs.showError(message, detail);
    }
    return result.saved();
}

// A rejected file changes nothing but the fields that the snapshot puts back.
bool ApplicationShell::read(const QString &path)
{
    SettingFileContent content;
    if (const ReadProblem problem = ReadSettingFile(path, content)) {
        const auto [message, detail] = ErrorMessageOf(path, problem);
        m_dialogs.showError(message, detail);
        RestoreSnapshot();
        return false;
    }
    Settings settings = m_window.settings();
    content.applyTo(settings);
    m_document.setBarcodeFlag(content.barcodeFlag());
    m_window.SetBarcodeSection(content.Rs232c.has_value());
    m_window.setSettings(settings);
    return true;
}

// The path as the open dialog would return it: its folder becomes the folder the next dialog
// starts in, before anything is read.
void ApplicationShell::readAndAdopt(const QString &path)
{
    rememberFolder(path);
    // Looked at before it is read, so that a change while it is read makes the next save ask.
    const std::optional<FileStamp> stamp = StampOfFile(path);
    if (read(path)) {
        adoptFile(path, stamp);
    }
}

void ApplicationShell::saveAndAdopt(const std::optional<QString> &path)
{
    if (path && write(*path)) {
        adoptFile(*path, StampOfFile(*path));
    }
}

void ApplicationShell::adoptFile(const QString &path, const std::optional<FileStamp> &stamp)
{
    m_document.setCurrentFileName(path);
    m_currentFileStamp = stamp;
    m_window.setWindowTitle(m_document.title());
    TakeSnapshot();
}

void ApplicationShell::startFreshDocument()
{
    m_document.ClearFileName();
    m_window.setWindowTitle(m_document.title());
    m_window.SetDefaultSettings();
    TakeSnapshot();
}

void ApplicationShell::TakeSnapshot()
{
    m_document.TakeSnapshot(m_window.settings());
}

void ApplicationShell::RestoreSnapshot()
{
    m_window.setSettings(m_document.RestoreSnapshot(m_window.settings()));
}
