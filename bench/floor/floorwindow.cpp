#include "floorwindow.h"

#include "app/title.h"
#include "model/settings.h"
#include "ui/controls.h"
#include "ui/optionbuttonstyle.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>

namespace
{

// The client area of a first start: cut off below the device function row.
constexpr int ClientWidth = 10620;
constexpr int ClientHeight = 3795;

// A plain field where the program has a filtered one: same size, place and limit.
void addTextField(QWidget *panel, const char *name, int maxLength, RowPlace where,
                  const QString &accessibleName)
{
    auto *field = new QLineEdit(panel);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(maxLength);
    field->setGeometry(rectFromTwips(where.left, 45, where.width, 315));
    field->setAccessibleName(accessibleName);
}

} // namespace

FloorWindow::FloorWindow()
{
    setWindowTitle(bareTitle());

    QWidget *client = makeClientArea(this);
    client->setFixedSize(pixelsFromTwips(ClientWidth), pixelsFromTwips(ClientHeight));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildModeSection(client);
    buildPickUpSection(client);
    buildSelectSection(client);
    buildInterfaceSection(client);
    buildMenu();
    auto *optionStyle = new OptionButtonStyle;
    optionStyle->setParent(this);
    for (QRadioButton *option : client->findChildren<QRadioButton *>()) {
        option->setStyle(optionStyle);
    }
}

void FloorWindow::showEvent(QShowEvent *event)
{
    centreOnScreen(this);
    QMainWindow::showEvent(event);
}

void FloorWindow::buildModeSection(QWidget *client)
{
    QLabel *heading =
        makeHeading(client, "lblBarcodeMode", QStringLiteral("Barcode Mode"), 270, 1560);
    makeHeadingRule(heading, "Line6", 2000);
    const QString mode = QStringLiteral("Mode");
    QWidget *panel = makePanel(client, "picMode", 675, mode);
    makeRowLabel(panel, "lblMode", mode, {180, 480});
    makeOptionGroup(panel, "optMode", Group::Mode, {{1260, 960}, {2340, 1680}, {3960, 960}});
    makeRowRule(panel, "Line7", 90, 4860);
}

void FloorWindow::buildPickUpSection(QWidget *client)
{
    const QString pickUpPosition = QStringLiteral("Pick Up Position");
    makeHeadingRule(makeHeading(client, "lblData", pickUpPosition, 1395, 1740), "Line9", 2205);
    QWidget *panel = makePanel(client, "picData", 1800, pickUpPosition);

    const QString start = QStringLiteral("Start Position");
    makeRowLabel(panel, "lblStart", start, {180, 1185});
    addTextField(panel, "txtStart", PositionMaxLength, {1530, 1230}, start);
    makeRowRule(panel, "Line11", 90, 2745);

    const QString end = QStringLiteral("End Position");
    makeRowLabel(panel, "lblEnd", end, {3285, 1110});
    addTextField(panel, "txtEnd", PositionMaxLength, {4545, 1230}, end);
    makeRowRule(panel, "Line10", 3195, 5760);

    const QString suffix = QStringLiteral("Suffix(HEX)");
    makeRowLabel(panel, "lblSuffix", suffix, {6390, 975});
    addTextField(panel, "txtSuffix", SuffixMaxLength, {7470, 1230}, suffix);
    makeRowRule(panel, "Line12", 6300, 8685);
}

void FloorWindow::buildSelectSection(QWidget *client)
{
    makeHeadingRule(makeHeading(client, "lblSelect", QStringLiteral("Select Mode"), 2520, 1320),
                    "Line8", 1800);
    const QString deviceFunction = QStringLiteral("Device Function");
    QWidget *panel = makePanel(client, "picEPR", 2925, deviceFunction);
    makeRowLabel(panel, "lblDev", deviceFunction, {180, 1380});
    makeOptionGroup(panel, "optDev", Group::DeviceFunction,
                    {{1800, 960},
                     {2900, 960},
                     {4000, 960},
                     {5100, 960},
                     {6200, 960},
                     {7300, 960},
                     {8400, 1050}});
    makeRowRule(panel, "Line13", 90, 9495);
}

// Built like the rest, then hidden as a whole.
void FloorWindow::buildInterfaceSection(QWidget *client)
{
    QLabel *heading =
        makeHeading(client, "lblInterface", QStringLiteral("Barcode Reader Interface"), 3780, 2685);
    QWidget *rule = makeHeadingRule(heading, "Line1", 3135);

    const QString baudrate = QStringLiteral("Baudrate");
    QWidget *baudPanel = makePanel(client, "picBaudrate", 4230, baudrate);
    makeRowLabel(baudPanel, "lblBaud", baudrate, {180, 780});
    makeOptionGroup(baudPanel, "optBaudrate", Group::Baudrate,
                    {{1260, 825},
                     {2260, 825},
                     {3260, 825},
                     {4260, 915},
                     {5260, 915},
                     {6260, 915},
                     {7260, 915},
                     {8260, 1095}});
    makeRowRule(baudPanel, "Line2", 90, 9225);

    const QString bitLength = QStringLiteral("Bit Length");
    QWidget *lengthPanel = makePanel(client, "picLength", 4770, bitLength);
    makeRowLabel(lengthPanel, "lblLength", bitLength, {180, 885});
    makeOptionGroup(lengthPanel, "optBitLength", Group::BitLength, {{1260, 825}, {2260, 825}});
    makeRowRule(lengthPanel, "Line3", 90, 2880);

    const QString stopBit = QStringLiteral("Stop Bit");
    QWidget *stopPanel = makePanel(client, "picStop", 5310, stopBit);
    makeRowLabel(stopPanel, "lblStop", stopBit, {180, 705});
    makeOptionGroup(stopPanel, "optStopBit", Group::StopBit, {{1260, 825}, {2250, 825}});
    makeRowRule(stopPanel, "Line4", 90, 2880);

    const QString parityBit = QStringLiteral("Parity Bit");
    QWidget *parityPanel = makePanel(client, "picParity", 5850, parityBit);
    makeRowLabel(parityPanel, "lblParity", parityBit, {180, 810});
    makeOptionGroup(parityPanel, "optParity", Group::Parity,
                    {{1260, 960}, {2660, 960}, {4060, 960}});
    makeRowRule(parityPanel, "Line5", 90, 4950);

    for (QWidget *part : std::initializer_list<QWidget *>{heading, rule, baudPanel, lengthPanel,
                                                          stopPanel, parityPanel}) {
        part->hide();
    }
}

void FloorWindow::buildMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("File(&F)"));
    file->addAction(QStringLiteral("NEW(&N)"));
    file->addAction(QStringLiteral("Open...(&O)"));
    file->addSeparator();
    file->addAction(QStringLiteral("Save(&S)"));
    file->addAction(QStringLiteral("Save As...(&A)"));
    file->addSeparator();
    file->addAction(QStringLiteral("Exit(&X)"));
}
