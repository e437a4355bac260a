// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <optional>

// The questions and messages of the file commands. The program shows real dialogs; tests answer.
class Dialogs
{
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;

    // "Save this data?"
    virtual Answer askToSaveChanges() = 0;
    // Whether to save over the file at path, which another program has changed since this
    // program read or wrote it.
    virtual bool askToSaveOverChangedFile(const QString &path) = 0;
    // The chosen path in native form, or nothing when the operator cancelled.
    virtual std::optional<QString> chooseFileToSave(const QString &initialFolder) = 0;
    virtual std::optional<QString> chooseFileToOpen(const QString &initialFolder) = 0;
    // message is the program's own text; detail names the file and the reason, or is empty.
    virtual void showError(const QString &message, const QString &detail) = 0;
};
