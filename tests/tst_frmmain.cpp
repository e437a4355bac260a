#include "ui/frmmain.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Settings)

// The window as the operator and the application shell meet it: what it holds, what it enables
// and shows, what the fields take, where the focus goes, and what counts as a change. The filters
// and the change rule have tests of their own; these show that the window uses them.
class TestFrmMain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensCentredWithTheDefaults();
    void modeRuleFollowsTheSelectedMode_data();
    void modeRuleFollowsTheSelectedMode();
    void sectionRuleSetsHeightAndKeepsValues_data();
    void sectionRuleSetsHeightAndKeepsValues();
    void fieldsTakeWhatTheirFiltersLet_data();
    void fieldsTakeWhatTheirFiltersLet();
    void focusStartsAndMovesOnEnabledVisibleStops_data();
    void focusStartsAndMovesOnEnabledVisibleStops();
    void changeTracking_data();
    void changeTracking();
    void accessibleNames_data();
    void accessibleNames();
    void fileMenuAndCloseBox_data();
    void fileMenuAndCloseBox();
    void captionsFitAndNothingOverlaps();

private:
    template <typename T> T *child(const QString &name) const;
    void run(const QStringList &steps) const;

    std::unique_ptr<frmMain> m_window;
};

namespace
{

// The client area below the menu bar in pixels: 6720 and 3795 twips at 15 twips a pixel.
constexpr int ClientHeightShown = 448;
constexpr int ClientHeightHidden = 253;

// 115200 baud, 7 bits, 2 stop bits, even parity, Select mode, 3 to 12, suffix 0D, Program.
const Settings SomeFileSettings{7, 0, 1, 2, ModeSelect, u"3"_s, u"12"_s, u"0D"_s, 6};

// What screen readers and automated clients are told; it follows isEnabled and isVisible.
QAccessible::State accessibleState(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->state();
}

// What is done to a text field, as the operator does it.
using Input = std::function<void(QLineEdit *)>;

Input typing(const QString &keys)
{
    return [keys](QLineEdit *field) { QTest::keyClicks(field, keys); };
}

// One key as a platform reports it: X11 gives Delete the character 127 and Ctrl+letter its
// control character; other platforms give Ctrl+letter the letter itself.
Input pressing(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    return
        [=](QLineEdit *field) { QTest::sendKeyEvent(QTest::Click, field, key, text, modifiers); };
}

Input pastingFromTheContextMenu(const QString &clipboard)
{
    return [clipboard](QLineEdit *field) {
        QGuiApplication::clipboard()->setText(clipboard);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                field->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(field, &event);
        QWidget *menu = QApplication::activePopupWidget();
        QVERIFY(menu);
        const QList<QAction *> actions = menu->actions();
        const auto paste = std::find_if(actions.begin(), actions.end(), [](const QAction *action) {
            return action->text().startsWith(u"&Paste"_s);
        });
        QVERIFY(paste != actions.end());
        (*paste)->trigger();
        menu->close();
    };
}

QtMessageHandler previousMessageHandler = nullptr;

// The offscreen platform warns of what it cannot do for any window (size hints, raise, keyboard
// grab); that says nothing about this one.
void dropOffscreenLimits(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.startsWith(QLatin1String("This plugin does not support"))) {
        previousMessageHandler(type, context, text);
    }
}

} // namespace

Q_DECLARE_METATYPE(Input)

void TestFrmMain::initTestCase()
{
    previousMessageHandler = qInstallMessageHandler(dropOffscreenLimits);
}

void TestFrmMain::init()
{
    m_window = std::make_unique<frmMain>();
    m_window->SetDefaultSettings();
    m_window->TakeSnapshot();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestFrmMain::cleanup()
{
    m_window.reset();
}

template <typename T> T *TestFrmMain::child(const QString &name) const
{
    T *found = m_window->findChild<T *>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

// "click optMode_1" clicks as the operator does; "optDev=6" selects as a routine does (also in a
// disabled group); "txtStart=5" sets a field's text; "defaults", "snapshot" and "restore" call
// those routines.
void TestFrmMain::run(const QStringList &steps) const
{
    for (const QString &step : steps) {
        const QString name = step.section(u'=', 0, 0);
        if (step == u"defaults"_s) {
            m_window->SetDefaultSettings();
        } else if (step == u"snapshot"_s) {
            m_window->TakeSnapshot();
        } else if (step == u"restore"_s) {
            m_window->RestoreSnapshot();
        } else if (step.startsWith(u"click "_s)) {
            QTest::mouseClick(child<QWidget>(step.mid(6)), Qt::LeftButton);
        } else if (name.startsWith(u"opt"_s)) {
            child<QButtonGroup>(name)->button(step.section(u'=', 1).toInt())->setChecked(true);
        } else {
            child<QLineEdit>(name)->setText(step.section(u'=', 1));
        }
    }
}

// The start-up sets the defaults before the window is first shown.
void TestFrmMain::opensCentredWithTheDefaults()
{
    QCOMPARE(m_window->settings(), defaultSettings());
    const QPoint offCentre =
        m_window->frameGeometry().center() - m_window->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 1,
             qPrintable(QString::number(offCentre.x()) + u',' + QString::number(offCentre.y())));
}

void TestFrmMain::modeRuleFollowsTheSelectedMode_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("pickUpEnabled");
    QTest::addColumn<bool>("deviceEnabled");

    // The clicks that lead up to a routine's selection leave the other mode's state behind.
    QTest::newRow("Script, clicked")
        << QStringList{"click optMode_1", "click optMode_0"} << true << false;
    QTest::newRow("Original Format, clicked") << QStringList{"click optMode_1"} << false << false;
    QTest::newRow("Select, clicked") << QStringList{"click optMode_2"} << true << true;
    QTest::newRow("Script, by the defaults")
        << QStringList{"click optMode_2", "defaults"} << true << false;
    QTest::newRow("Original Format, restored")
        << QStringList{"click optMode_1", "snapshot", "click optMode_2", "restore"} << false
        << false;
}

// Every control reports its state; only the pick-up row and the device function row change.
void TestFrmMain::modeRuleFollowsTheSelectedMode()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, pickUpEnabled);
    QFETCH(bool, deviceEnabled);
    run(steps);

    const QStringList pickUpControls{u"lblStart"_s, u"txtStart"_s,  u"lblEnd"_s,
                                     u"txtEnd"_s,   u"lblSuffix"_s, u"txtSuffix"_s};
    for (QWidget *control : m_window->centralWidget()->findChildren<QWidget *>()) {
        const QString name = control->objectName();
        const bool pickUp = pickUpControls.contains(name);
        const bool device = name == u"lblDev"_s || name.startsWith(u"optDev_"_s);
        const bool enabled = (!pickUp || pickUpEnabled) && (!device || deviceEnabled);
        QVERIFY2(accessibleState(control).disabled == !enabled, qPrintable(name));
    }
}

void TestFrmMain::sectionRuleSetsHeightAndKeepsValues_data()
{
    QTest::addColumn<QList<bool>>("steps");
    QTest::newRow("hidden") << QList<bool>{false};
    QTest::newRow("hidden, then shown") << QList<bool>{false, true};
}

void TestFrmMain::sectionRuleSetsHeightAndKeepsValues()
{
    QFETCH(QList<bool>, steps);
    run({u"optBaudrate=5"_s, u"optBitLength=0"_s, u"optStopBit=1"_s, u"optParity=1"_s,
         u"optMode=1"_s});
    const Settings before = m_window->settings();

    for (bool shown : steps) {
        m_window->SetBarcodeSection(shown);
    }

    const bool shown = steps.last();
    const QWidget *client = m_window->centralWidget();
    QCOMPARE(client->height(), shown ? ClientHeightShown : ClientHeightHidden);
    // The window ends with the client area, even before the event loop has run.
    QCOMPARE(m_window->height(), m_window->menuBar()->height() + client->height());
    for (const QString &name : {u"lblInterface"_s, u"Line1"_s, u"picBaudrate"_s, u"optBaudrate_5"_s,
                                u"picLength"_s, u"picStop"_s, u"picParity"_s}) {
        QVERIFY2(accessibleState(child<QWidget>(name)).invisible == !shown, qPrintable(name));
    }
    QCOMPARE(m_window->settings(), before);

    // New while hidden: the defaults go into the hidden groups too, and the section stays.
    m_window->SetDefaultSettings();
    QCOMPARE(m_window->settings(), defaultSettings());
    QCOMPARE(child<QWidget>(u"picBaudrate"_s)->isVisible(), shown);
}

void TestFrmMain::fieldsTakeWhatTheirFiltersLet_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before"); // "12|34" puts the caret after 2; "|AB|" selects AB
    QTest::addColumn<Input>("input");    // Ctrl+V and Shift+Insert find "x0d9" on the clipboard
    QTest::addColumn<QString>("after");

    const Qt::KeyboardModifiers none;
    QTest::newRow("start: digits, leading zeros, four")
        << u"txtStart"_s << u"|"_s << typing(u"0a07123"_s) << u"0071"_s;
    QTest::newRow("end: no hex letters, four")
        << u"txtEnd"_s << u"|"_s << typing(u"9F8765"_s) << u"9876"_s;
    QTest::newRow("suffix: upper-cased hex, two")
        << u"txtSuffix"_s << u"|"_s << typing(u"0dg1"_s) << u"0D"_s;
    QTest::newRow("backspace") << u"txtStart"_s << u"123|4"_s
                               << pressing(Qt::Key_Backspace, none, u"\b"_s) << u"124"_s;
    QTest::newRow("delete as 127")
        << u"txtEnd"_s << u"|1234"_s << pressing(Qt::Key_Delete, none, u"\x7f"_s) << u"234"_s;
    QTest::newRow("ctrl+v as 22 pastes nothing")
        << u"txtStart"_s << u"12|"_s << pressing(Qt::Key_V, Qt::ControlModifier, u"\x16"_s)
        << u"12"_s;
    QTest::newRow("ctrl+v without a character pastes nothing")
        << u"txtStart"_s << u"12|"_s << pressing(Qt::Key_V, Qt::ControlModifier, QString())
        << u"12"_s;
    QTest::newRow("ctrl+a as a types nothing")
        << u"txtSuffix"_s << u"|"_s << pressing(Qt::Key_A, Qt::ControlModifier, u"a"_s)
        << QString();
    QTest::newRow("alt+1 as 1 types nothing")
        << u"txtEnd"_s << u"1|"_s << pressing(Qt::Key_1, Qt::AltModifier, u"1"_s) << u"1"_s;
    QTest::newRow("shift+insert pastes filtered")
        << u"txtSuffix"_s << u"|"_s << pressing(Qt::Key_Insert, Qt::ShiftModifier, QString())
        << u"0D"_s;
    QTest::newRow("menu paste: limit counts what the field holds")
        << u"txtStart"_s << u"12|"_s << pastingFromTheContextMenu(u"3a4b5"_s) << u"1234"_s;
    QTest::newRow("menu paste: limit applies after filtering")
        << u"txtEnd"_s << u"|"_s << pastingFromTheContextMenu(u"a1b2c3d4e5"_s) << u"1234"_s;
    QTest::newRow("menu paste of nothing keeps the selection")
        << u"txtSuffix"_s << u"|A|"_s << pastingFromTheContextMenu(u"xyz"_s) << u"A"_s;
}

void TestFrmMain::fieldsTakeWhatTheirFiltersLet()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(Input, input);
    QFETCH(QString, after);
    QGuiApplication::clipboard()->setText(u"x0d9"_s);
    auto *lineEdit = child<QLineEdit>(field);
    const auto first = static_cast<int>(before.indexOf(u'|'));
    const auto last = static_cast<int>(before.lastIndexOf(u'|'));
    lineEdit->setText(before.remove(u'|'));
    lineEdit->setSelection(first, std::max(0, last - first - 1));

    input(lineEdit);
    QCOMPARE(lineEdit->text(), after);
}

void TestFrmMain::focusStartsAndMovesOnEnabledVisibleStops_data()
{
    QTest::addColumn<bool>("sectionShown");
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QStringList>("stops"); // from the first focus on

    QTest::newRow("Tab, compact, Script")
        << false << defaultSettings() << Qt::Key_Tab
        << QStringList{"txtEnd", "txtStart", "optMode_0", "txtSuffix", "txtEnd"};
    QTest::newRow("Tab, tall, Select, Program")
        << true << SomeFileSettings << Qt::Key_Tab
        << QStringList{"optBaudrate_7", "optBitLength_0", "optStopBit_1", "optParity_2",
                       "txtEnd",        "txtStart",       "optMode_2",    "optDev_6",
                       "txtSuffix",     "optBaudrate_7"};
    QTest::newRow("arrow keys within a group")
        << true << defaultSettings() << Qt::Key_Right
        << QStringList{"optBaudrate_2", "optBaudrate_3", "optBaudrate_4"};
}

// The start-up sets the height before the window is first shown. A group of options is one stop,
// its selected option; moving within the group selects.
void TestFrmMain::focusStartsAndMovesOnEnabledVisibleStops()
{
    QFETCH(bool, sectionShown);
    QFETCH(Settings, settings);
    QFETCH(Qt::Key, key);
    QFETCH(QStringList, stops);
    frmMain window;
    window.applyFileSettings(settings, sectionShown);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.centralWidget()->height(),
             sectionShown ? ClientHeightShown : ClientHeightHidden);
    QCOMPARE(window.settings(), settings);

    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < stops.size()) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QWidget *focus = QApplication::focusWidget();
        visited << focus->objectName();
        if (auto *option = qobject_cast<QAbstractButton *>(focus)) {
            QVERIFY2(option->isChecked(), qPrintable(option->objectName()));
        }
    }
    QCOMPARE(visited, stops);
}

void TestFrmMain::changeTracking_data()
{
    QTest::addColumn<QStringList>("steps"); // after a snapshot of the defaults (Script mode)
    QTest::addColumn<bool>("changed");

    QTest::newRow("nothing edited") << QStringList{} << false;
    QTest::newRow("baud rate and back") << QStringList{"optBaudrate=7", "optBaudrate=2"} << false;
    QTest::newRow("start 01 against 1") << QStringList{"txtStart=01"} << true;
    QTest::newRow("device function in Select")
        << QStringList{"optMode=2", "snapshot", "optDev=6"} << true;
    QTest::newRow("device function counts not in Script")
        << QStringList{"optMode=2", "optDev=6", "optMode=0"} << false;
    QTest::newRow("texts count not in Original Format")
        << QStringList{"optMode=1", "snapshot", "optMode=0", "txtStart=5", "optMode=1"} << false;
    QTest::newRow("restore brings the snapshot back")
        << QStringList{"optMode=2", "optDev=6", "txtStart=5", "restore"} << false;
    QTest::newRow("restore leaves the suffix") << QStringList{"txtSuffix=0D", "restore"} << true;
}

void TestFrmMain::changeTracking()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, changed);
    run(steps);
    QCOMPARE(m_window->IsDataChanged(), changed);
}

void TestFrmMain::accessibleNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    QTest::newRow("start field") << u"txtStart"_s << u"Start Position"_s;
    QTest::newRow("end field") << u"txtEnd"_s << u"End Position"_s;
    QTest::newRow("suffix field") << u"txtSuffix"_s << u"Suffix(HEX)"_s;
    QTest::newRow("option") << u"optMode_1"_s << u"Original Format"_s;
    QTest::newRow("mode row") << u"picMode"_s << u"Mode"_s;
    QTest::newRow("pick-up row") << u"picData"_s << u"Pick Up Position"_s;
    QTest::newRow("baud rate row") << u"picBaudrate"_s << u"Baudrate"_s;
}

void TestFrmMain::accessibleNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QAccessibleInterface *accessible =
        QAccessible::queryAccessibleInterface(child<QWidget>(control));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

void TestFrmMain::fileMenuAndCloseBox_data()
{
    QTest::addColumn<Qt::Key>("key"); // the access key in the File menu; none: the close box
    QTest::addColumn<bool>("mayClose");
    QTest::addColumn<QString>("announced");
    QTest::addColumn<bool>("closes");

    QTest::newRow("New") << Qt::Key_N << true << u"New"_s << false;
    QTest::newRow("Open") << Qt::Key_O << true << u"Open"_s << false;
    QTest::newRow("Save") << Qt::Key_S << true << u"Save"_s << false;
    QTest::newRow("Save As") << Qt::Key_A << true << u"Save As"_s << false;
    QTest::newRow("Exit, goes on") << Qt::Key_X << true << QString() << true;
    QTest::newRow("Exit, cancelled") << Qt::Key_X << false << QString() << false;
    QTest::newRow("close box, goes on") << Qt::Key_unknown << true << QString() << true;
    QTest::newRow("close box, cancelled") << Qt::Key_unknown << false << QString() << false;
}

// A command is announced and nothing more; Exit goes the close box's way, through the question
// whether to go on, and unloads only when it does.
void TestFrmMain::fileMenuAndCloseBox()
{
    QFETCH(Qt::Key, key);
    QFETCH(bool, mayClose);
    QFETCH(QString, announced);
    QFETCH(bool, closes);
    QStringList commands;
    frmMain *window = m_window.get();
    connect(window, &frmMain::newRequested, this, [&] { commands << u"New"_s; });
    connect(window, &frmMain::openRequested, this, [&] { commands << u"Open"_s; });
    connect(window, &frmMain::saveRequested, this, [&] { commands << u"Save"_s; });
    connect(window, &frmMain::saveAsRequested, this, [&] { commands << u"Save As"_s; });
    int unloads = 0;
    window->setCloseHandlers([&] { return mayClose; }, [&] { ++unloads; });

    if (key == Qt::Key_unknown) {
        window->close();
    } else {
        QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
        QWidget *menu = QApplication::activePopupWidget();
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), u"mnuFile"_s);
        QTest::keyClick(menu, key);
    }
    QCOMPARE(commands.join(u','), announced);
    QCOMPARE(unloads, closes ? 1 : 0);
    QCOMPARE(window->isVisible(), !closes);
}

// The stand-in font and Qt's style draw captions a little differently from the layout's
// original; every caption must still fit its control, and no control may cover another.
void TestFrmMain::captionsFitAndNothingOverlaps()
{
    for (auto *label : m_window->findChildren<QLabel *>()) {
        QVERIFY2(label->size().expandedTo(label->sizeHint()) == label->size(),
                 qPrintable(label->objectName()));
    }
    for (auto *button : m_window->findChildren<QRadioButton *>()) {
        const QStyle *style = button->style();
        const int captionLeft = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
        const int captionWidth = button->fontMetrics().horizontalAdvance(button->text());
        QVERIFY2(captionLeft + captionWidth <= button->width(), qPrintable(button->objectName()));
    }
    QList<QWidget *> parents{m_window->centralWidget()};
    parents << m_window->centralWidget()->findChildren<QWidget *>(QRegularExpression("^pic"));
    for (QWidget *parent : parents) {
        const auto controls = parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QVERIFY2(parent->rect().contains(controls[i]->geometry()),
                     qPrintable(controls[i]->objectName()));
            for (qsizetype j = i + 1; j < controls.size(); ++j) {
                QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                         qPrintable(controls[i]->objectName() + u' ' + controls[j]->objectName()));
            }
        }
    }
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
