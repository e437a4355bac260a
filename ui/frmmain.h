// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "model/settings.h"

#include <QKeySequence>
#include <QMainWindow>

#include <array>
#include <functional>
#include <initializer_list>

class FilteredLineEdit;
class QButtonGroup;
class QLabel;
class QMenu;
class Rule;
struct RowPlace;

// The program's one window. Its controls are the only store of the live settings: settings()
// reads them and setSettings() shows others, each through the mapping of the record's fields to
// the option groups and text fields. Whenever the selected mode changes, by a click or by a
// routine, the mode rule enables the controls that the mode uses.
//
// The window shows no dialog and knows neither the file nor the saved state of the document. File >
// New, Open, Save and Save As are announced by signals; File > Exit calls close(), so it goes
// exactly the way of the close box: through the close handlers.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);

    Settings settings() const;
    void setSettings(const Settings &settings);
    void SetDefaultSettings();

    void EnablePickUpPosition(bool enabled);
    void EnableDeviceFunction(bool enabled);
    void ShowBarcodeSection(bool visible);
    // Sets the height of the area below the menu bar first (tall with the barcode reader
    // interface section, ending below the device function row without it), then the section.
    void SetBarcodeSection(bool shown);

    // queryUnload decides whether a close request goes on (none: it does); unload runs when it
    // does, before the window closes.
    void setCloseHandlers(std::function<bool()> queryUnload, std::function<void()> unload);

signals:
    void newRequested();
    void openRequested();
    void saveRequested();
    void saveAsRequested();
    // One local setting file was dropped on the window.
    void fileDropped(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildModeSection(QWidget *client);
    void buildPickUpSection(QWidget *client);
    void buildSelectSection(QWidget *client);
    void buildInterfaceSection(QWidget *client);
    void addOptionGroup(QWidget *panel, const char *name, Group group,
                        std::initializer_list<RowPlace> places);
    void buildMenu();
    QAction *addCommand(const char *name, const QString &caption,
                        QKeySequence::StandardKey shortcut);
    void addSeparator(const char *name);
    void setFocusOrder();

    void optMode_Click(qint16 index);
    QButtonGroup *optionButtons(Group group) const;
    void selectOption(Group group, qint16 index);

    std::function<bool()> m_queryUnload;
    std::function<void()> m_unload;

    // The six option groups, indexed by Group.
    std::array<QButtonGroup *, AllGroups.size()> m_optionButtons{};

    QLabel *lblStart;
    FilteredLineEdit *txtStart;
    QLabel *lblEnd;
    FilteredLineEdit *txtEnd;
    QLabel *lblSuffix;
    FilteredLineEdit *txtSuffix;
    QLabel *lblDev;

    QLabel *lblInterface;
    Rule *Line1;
    QWidget *picBaudrate;
    QWidget *picLength;
    QWidget *picStop;
    QWidget *picParity;

    QMenu *mnuFile;
};
