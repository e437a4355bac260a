// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/dialogs.h"

#include <QCoreApplication>

class QString;
class QWidget;

// The dialogs as the operator sees them: message boxes and file dialogs over the window,
// created only when a command needs them.
class MessageBoxDialogs : public Dialogs
{
    Q_DECLARE_TR_FUNCTIONS(MessageBoxDialogs)

public:
    explicit MessageBoxDialogs(QWidget *parent) : m_parent(parent) {}

    Answer askToSaveChanges() override;
    bool askToSaveOverChangedFile(const QString &path) override;
    std::optional<QString> chooseFileToSave(const QString &initialFolder) override;
    std::optional<QString> chooseFileToOpen(const QString &initialFolder) override;
    void showError(const QString &message, const QString &detail) override;

    // How wide a box must be for its title bar to show the whole title beside the bar's icon
    // and buttons.
    static int titleBarWidth(const QString &title);

    // The title of the program's boxes: its name.
    static QString boxTitle();

private:
    QWidget *m_parent;
};
