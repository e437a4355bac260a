// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "ui/frmmain.h"

#include "ui/controls.h"
#include "ui/droppedsettingfile.h"
#include "ui/filteredlineedit.h"
#include "ui/optionbuttonstyle.h"
#include "ui/rule.h"
#include "ui/twips.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QRadioButton>

namespace
{

// The area below the menu bar, in twips: as designed, and cut off below the device function
// row while the barcode reader interface section is hidden.
constexpr int ClientWidth = 10620;
constexpr int ClientHeightShown = 6720;
constexpr int ClientHeightHidden = 3795;

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    //: The caption before the title is set; the operator never sees it. VX613 is the device.
    setWindowTitle(tr("VX613  ZEL File Generator"));

    QWidget *client = makeClientArea(this);
    client->setFixedSize(pixelsFromTwips(ClientWidth), pixelsFromTwips(ClientHeightShown));
    setCentralWidget(client);
    // The window is as large as its menu bar and client area; the program sets its height.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setAcceptDrops(true);

    // The interface rows lead the focus order, and a window gives the focus first to what was
    // made first; nothing overlaps, so the order of making shows nowhere else.
    buildInterfaceSection(client);
    buildModeSection(client);
    buildPickUpSection(client);
    buildSelectSection(client);
    buildMenu();
    setFocusOrder();
    // Made after the client area, so that it outlives the buttons that use it.
    auto *optionStyle = new OptionButtonStyle;
    optionStyle->setParent(this);
    for (QRadioButton *option : client->findChildren<QRadioButton *>()) {
        option->setStyle(optionStyle);
    }

    // toggled, unlike clicked, also comes when a routine selects the mode.
    const QButtonGroup *optMode = optionButtons(Group::Mode);
    connect(optMode, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked) {
            optMode_Click(static_cast<qint16>(index));
        }
    });
}

void frmMain::buildModeSection(QWidget *client)
{
    QLabel *lblBarcodeMode = makeHeading(client, "lblBarcodeMode", tr("Barcode Mode"), 270, 1560);
    makeHeadingRule(lblBarcodeMode, "Line6", 2000);

    const QString mode = tr("Mode");
    QWidget *picMode = makePanel(client, "picMode", 675, mode);
    makeRowLabel(picMode, "lblMode", mode, {180, 480});
    addOptionGroup(picMode, "optMode", Group::Mode, {{1260, 960}, {2340, 1680}, {3960, 960}});
    makeRowRule(picMode, "Line7", 90, 4860);
}

void frmMain::buildPickUpSection(QWidget *client)
{
    //: The part of each barcode that is taken: from the start to the end position, and a suffix.
    const QString pickUpPosition = tr("Pick Up Position");
    QLabel *lblData = makeHeading(client, "lblData", pickUpPosition, 1395, 1740);
    makeHeadingRule(lblData, "Line9", 2205);

    QWidget *picData = makePanel(client, "picData", 1800, pickUpPosition);
    const QString start = tr("Start Position");
    lblStart = makeRowLabel(picData, "lblStart", start, {180, 1185});
    txtStart =
        makeTextField(picData, "txtStart", FilterDigitKey, PositionMaxLength, {1530, 1230}, start);
    makeRowRule(picData, "Line11", 90, 2745);

    const QString end = tr("End Position");
    lblEnd = makeRowLabel(picData, "lblEnd", end, {3285, 1110});
    txtEnd = makeTextField(picData, "txtEnd", FilterDigitKey, PositionMaxLength, {4545, 1230}, end);
    makeRowRule(picData, "Line10", 3195, 5760);

    //: The character added after the data, typed as two hexadecimal digits; HEX stays as it is.
    const QString suffix = tr("Suffix(HEX)");
    lblSuffix = makeRowLabel(picData, "lblSuffix", suffix, {6390, 975});
    txtSuffix =
        makeTextField(picData, "txtSuffix", FilterHexKey, SuffixMaxLength, {7470, 1230}, suffix);
    makeRowRule(picData, "Line12", 6300, 8685);
}

void frmMain::buildSelectSection(QWidget *client)
{
    //: The heading of the settings that only the mode Select uses. The mode's name stays as its
    //: option button shows it, as all the options' captions do.
    const QString selectMode = tr("Select Mode");
    QLabel *lblSelect = makeHeading(client, "lblSelect", selectMode, 2520, 1320);
    makeHeadingRule(lblSelect, "Line8", 1800);

    //: The device's function that a barcode selects in Select mode.
    const QString deviceFunction = tr("Device Function");
    QWidget *picEPR = makePanel(client, "picEPR", 2925, deviceFunction);
    lblDev = makeRowLabel(picEPR, "lblDev", deviceFunction, {180, 1380});
    addOptionGroup(picEPR, "optDev", Group::DeviceFunction,
                   {{1800, 960},
                    {2900, 960},
                    {4000, 960},
                    {5100, 960},
                    {6200, 960},
                    {7300, 960},
                    {8400, 1050}});
    makeRowRule(picEPR, "Line13", 90, 9495);
}

void frmMain::buildInterfaceSection(QWidget *client)
{
    //: The heading of the RS-232C link between the barcode reader and the device.
    const QString readerInterface = tr("Barcode Reader Interface");
    lblInterface = makeHeading(client, "lblInterface", readerInterface, 3780, 2685);
    Line1 = makeHeadingRule(lblInterface, "Line1", 3135);

    const QString baudrate = tr("Baudrate");
    picBaudrate = makePanel(client, "picBaudrate", 4230, baudrate);
    makeRowLabel(picBaudrate, "lblBaud", baudrate, {180, 780});
    addOptionGroup(picBaudrate, "optBaudrate", Group::Baudrate,
                   {{1260, 825},
                    {2260, 825},
                    {3260, 825},
                    {4260, 915},
                    {5260, 915},
                    {6260, 915},
                    {7260, 915},
                    {8260, 1095}});
    makeRowRule(picBaudrate, "Line2", 90, 9225);

    //: The number of data bits, 7 or 8.
    const QString bitLength = tr("Bit Length");
    picLength = makePanel(client, "picLength", 4770, bitLength);
    makeRowLabel(picLength, "lblLength", bitLength, {180, 885});
    addOptionGroup(picLength, "optBitLength", Group::BitLength, {{1260, 825}, {2260, 825}});
    makeRowRule(picLength, "Line3", 90, 2880);

    //: The number of stop bits, 1 or 2.
    const QString stopBit = tr("Stop Bit");
    picStop = makePanel(client, "picStop", 5310, stopBit);
    makeRowLabel(picStop, "lblStop", stopBit, {180, 705});
    addOptionGroup(picStop, "optStopBit", Group::StopBit, {{1260, 825}, {2250, 825}});
    makeRowRule(picStop, "Line4", 90, 2880);

    //: The parity: NONE, ODD or EVEN.
    const QString parityBit = tr("Parity Bit");
    picParity = makePanel(client, "picParity", 5850, parityBit);
    makeRowLabel(picParity, "lblParity", parityBit, {180, 810});
    addOptionGroup(picParity, "optParity", Group::Parity, {{1260, 960}, {2660, 960}, {4060, 960}});
    makeRowRule(picParity, "Line5", 90, 4950);
}

void frmMain::addOptionGroup(QWidget *panel, const char *name, Group group,
                             std::initializer_list<RowPlace> places)
{
    m_optionButtons[static_cast<std::size_t>(group)] = makeOptionGroup(panel, name, group, places);
}

void frmMain::buildMenu()
{
    // The access keys are written after the word, in brackets, as East Asian menus write them;
    // a translation places them as its own language's menus do.
    mnuFile = menuBar()->addMenu(tr("File(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    connect(addCommand("mnuNew", tr("NEW(&N)"), QKeySequence::New), &QAction::triggered, this,
            &frmMain::newRequested);
    connect(addCommand("mnuOpen", tr("Open...(&O)"), QKeySequence::Open), &QAction::triggered, this,
            &frmMain::openRequested);
    addSeparator("mnuStep1");
    connect(addCommand("mnuSave", tr("Save(&S)"), QKeySequence::Save), &QAction::triggered, this,
            &frmMain::saveRequested);
    connect(addCommand("mnuSaveAs", tr("Save As...(&A)"), QKeySequence::SaveAs),
            &QAction::triggered, this, &frmMain::saveAsRequested);
    addSeparator("mnuStep2");
    connect(addCommand("mnuExit", tr("Exit(&X)"), QKeySequence::Quit), &QAction::triggered, this,
            &QWidget::close);
}

// The platform's own shortcut, where it has one for the command, shown beside the caption.
QAction *frmMain::addCommand(const char *name, const QString &caption,
                             QKeySequence::StandardKey shortcut)
{
    QAction *action = mnuFile->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(shortcut);
    return action;
}

void frmMain::addSeparator(const char *name)
{
    mnuFile->addSeparator()->setObjectName(QLatin1String(name));
}

void frmMain::setFocusOrder()
{
    QList<QWidget *> order;
    const auto addGroup = [this, &order](Group group) {
        for (QAbstractButton *button : optionButtons(group)->buttons()) {
            order.append(button);
        }
    };
    for (Group group : Rs232cGroups) {
        addGroup(group);
    }
    order << txtEnd << txtStart;
    addGroup(Group::Mode);
    addGroup(Group::DeviceFunction);
    order << txtSuffix;
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

Settings frmMain::settings() const
{
    Settings current;
    for (Group group : AllGroups) {
        current.index(group) = static_cast<qint16>(optionButtons(group)->checkedId());
    }
    current.StartPosition = txtStart->text();
    current.EndPosition = txtEnd->text();
    current.Suffix = txtSuffix->text();
    return current;
}

void frmMain::setSettings(const Settings &settings)
{
    for (Group group : AllGroups) {
        selectOption(group, settings.index(group));
    }
    txtStart->setText(settings.StartPosition);
    txtEnd->setText(settings.EndPosition);
    txtSuffix->setText(settings.Suffix);
}

void frmMain::SetDefaultSettings()
{
    setSettings(defaultSettings());
    // The default mode may be the one selected already, which runs no mode rule.
    EnableDeviceFunction(false);
}

void frmMain::EnablePickUpPosition(bool enabled)
{
    for (QWidget *control : std::initializer_list<QWidget *>{lblStart, txtStart, lblEnd, txtEnd,
                                                             lblSuffix, txtSuffix}) {
        control->setEnabled(enabled);
    }
}

void frmMain::EnableDeviceFunction(bool enabled)
{
    lblDev->setEnabled(enabled);
    for (QAbstractButton *option : optionButtons(Group::DeviceFunction)->buttons()) {
        option->setEnabled(enabled);
    }
}

void frmMain::ShowBarcodeSection(bool visible)
{
    for (QWidget *control : std::initializer_list<QWidget *>{lblInterface, Line1, picBaudrate,
                                                             picLength, picStop, picParity}) {
        control->setVisible(visible);
    }
}

void frmMain::SetBarcodeSection(bool shown)
{
    centralWidget()->setFixedHeight(
        pixelsFromTwips(shown ? ClientHeightShown : ClientHeightHidden));
    // The window takes its new height now rather than at the next turn of the event loop.
    layout()->activate();
    ShowBarcodeSection(shown);
}

void frmMain::setCloseHandlers(std::function<bool()> queryUnload, std::function<void()> unload)
{
    m_queryUnload = std::move(queryUnload);
    m_unload = std::move(unload);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_queryUnload && !m_queryUnload()) {
        event->ignore();
        return;
    }
    if (m_unload) {
        m_unload();
    }
    event->accept();
}

void frmMain::showEvent(QShowEvent *event)
{
    centreOnScreen(this);
    QMainWindow::showEvent(event);
}

// Left unaccepted, any other drag shows the cursor that it cannot be dropped here.
void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedSettingFile(*event->mimeData())) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent *event)
{
    if (const std::optional<QString> path = droppedSettingFile(*event->mimeData())) {
        event->acceptProposedAction();
        emit fileDropped(*path);
    }
}

void frmMain::optMode_Click(qint16 index)
{
    EnablePickUpPosition(usesPickUpPosition(index));
    EnableDeviceFunction(usesDeviceFunction(index));
}

QButtonGroup *frmMain::optionButtons(Group group) const
{
    return m_optionButtons[static_cast<std::size_t>(group)];
}

void frmMain::selectOption(Group group, qint16 index)
{
    // Selecting one option deselects the others; nothing ever clears a group.
    if (QAbstractButton *option = optionButtons(group)->button(index)) {
        option->setChecked(true);
    }
}
