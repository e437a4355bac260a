// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "fileio/filereplacer.h"
#include "model/settings.h"

#include <QDate>
#include <QString>

// What a write did (as ReplaceFileContent tells it; Refused where the writer refused before the
// file system was asked) and why, where it did not save. settingfile/messages.h words it.
struct WriteResult {
    enum class Reason {
        None,
        NoFileName,     // the path names no file in a folder
        FlagNotANumber, // the stored barcode flag, which flag holds, is no number
        File,           // the save's own problem, which file holds
    };
    SaveOutcome outcome = SaveOutcome::Saved;
    Reason reason = Reason::None;
    FileProblem file{};
    QString flag{};

    bool saved() const { return outcome == SaveOutcome::Saved; }
};

// Writes settings as a setting file at path; the file stays the same file, with its links,
// owner and permissions (see ReplaceFileContent). The RS-232C section is written where
// SettingDocument::writesBarcodeSection reads barcodeFlag so. A refused write leaves a former
// file as it was.
WriteResult WriteSettingFile(const QString &path, const Settings &settings,
                             const QString &barcodeFlag, QDate today);
