#include "ui/frmmain.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(Settings)

// The window as the operator and the application shell meet it: what it holds, what it enables
// and shows, what the fields take, where Tab goes, and what counts as a change.
class TestFrmMain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void nothingSelectedBeforeTheDefaults();
    void opensCentredInItsStartHeight_data();
    void opensCentredInItsStartHeight();
    void startsWithTheDefaults();
    void modeRuleFollowsTheSelectedMode_data();
    void modeRuleFollowsTheSelectedMode();
    void sectionRuleSetsHeightAndKeepsValues_data();
    void sectionRuleSetsHeightAndKeepsValues();
    void applyingFileSettings_data();
    void applyingFileSettings();
    void typing_data();
    void typing();
    void editingKeys_data();
    void editingKeys();
    void keysAsPlatformsReportThem_data();
    void keysAsPlatformsReportThem();
    void pastingFromTheContextMenu_data();
    void pastingFromTheContextMenu();
    void tabVisitsEnabledVisibleStops_data();
    void tabVisitsEnabledVisibleStops();
    void arrowKeysMoveTheSelectionWithinItsGroup();
    void changeTracking_data();
    void changeTracking();
    void restoreLeavesTheSuffix();
    void accessibleNames_data();
    void accessibleNames();
    void accessibleStatesFollowTheRules();
    void menuAccessKeysAnnounceCommands_data();
    void menuAccessKeysAnnounceCommands();
    void closeGoesThroughTheHandlers_data();
    void closeGoesThroughTheHandlers();
    void captionsFitAndNothingOverlaps();

private:
    template <typename T> T *child(const QString &name) const;
    QAbstractButton *option(const QString &group, int index) const;
    void edit(const QString &assignment) const;
    QRect clientArea() const;

    std::unique_ptr<frmMain> m_window;
};

namespace
{

const QStringList PickUpControls{QStringLiteral("lblStart"),  QStringLiteral("txtStart"),
                                 QStringLiteral("lblEnd"),    QStringLiteral("txtEnd"),
                                 QStringLiteral("lblSuffix"), QStringLiteral("txtSuffix")};
const QStringList DeviceControls{QStringLiteral("lblDev"),   QStringLiteral("optDev_0"),
                                 QStringLiteral("optDev_1"), QStringLiteral("optDev_2"),
                                 QStringLiteral("optDev_3"), QStringLiteral("optDev_4"),
                                 QStringLiteral("optDev_5"), QStringLiteral("optDev_6")};
const QStringList SectionControls{QStringLiteral("lblInterface"), QStringLiteral("Line1"),
                                  QStringLiteral("picBaudrate"),  QStringLiteral("picLength"),
                                  QStringLiteral("picStop"),      QStringLiteral("picParity")};

// The client area below the menu bar in pixels: 6720 and 3795 twips at 15 twips a pixel.
constexpr int ClientHeightShown = 448;
constexpr int ClientHeightHidden = 253;

Settings someFileSettings()
{
    Settings settings;
    settings.Baudrate = 7;
    settings.BitLength = 0;
    settings.StopBit = 1;
    settings.Parity = 2;
    settings.Mode = ModeSelect;
    settings.StartPosition = QStringLiteral("3");
    settings.EndPosition = QStringLiteral("12");
    settings.Suffix = QStringLiteral("0D");
    settings.DeviceFunction = 6;
    return settings;
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

QAbstractButton *TestFrmMain::option(const QString &group, int index) const
{
    return child<QButtonGroup>(group)->button(index);
}

// "optDev=6" selects an option the way a routine does (also in a disabled group);
// "txtStart=5" sets a field's text.
void TestFrmMain::edit(const QString &assignment) const
{
    const QString name = assignment.section(QLatin1Char('='), 0, 0);
    const QString value = assignment.section(QLatin1Char('='), 1);
    if (name.startsWith(QLatin1String("opt"))) {
        option(name, value.toInt())->setChecked(true);
    } else {
        child<QLineEdit>(name)->setText(value);
    }
}

QRect TestFrmMain::clientArea() const
{
    return m_window->centralWidget()->geometry();
}

void TestFrmMain::nothingSelectedBeforeTheDefaults()
{
    const frmMain fresh;
    for (auto *group : fresh.findChildren<QButtonGroup *>()) {
        QVERIFY2(group->checkedId() == -1, qPrintable(group->objectName()));
    }
    for (auto *field : fresh.findChildren<QLineEdit *>()) {
        QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
    }
    for (auto *control : fresh.centralWidget()->findChildren<QWidget *>()) {
        QVERIFY2(control->isEnabled() && !control->isHidden(), qPrintable(control->objectName()));
    }
}

void TestFrmMain::opensCentredInItsStartHeight_data()
{
    QTest::addColumn<bool>("sectionShown");
    QTest::addColumn<QString>("firstFocus");
    QTest::newRow("tall") << true << "optBaudrate_2";
    QTest::newRow("compact") << false << "txtEnd";
}

// The start-up sets the height before the window is first shown; the focus starts at the first
// stop of the focus order.
void TestFrmMain::opensCentredInItsStartHeight()
{
    QFETCH(bool, sectionShown);
    QFETCH(QString, firstFocus);
    frmMain window;
    window.SetDefaultSettings();
    window.SetBarcodeSection(sectionShown);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QCOMPARE(QApplication::focusWidget()->objectName(), firstFocus);
    QCOMPARE(window.centralWidget()->height(),
             sectionShown ? ClientHeightShown : ClientHeightHidden);
    const QPoint offCentre =
        window.frameGeometry().center() - window.screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 1,
             qPrintable(QString::number(offCentre.x()) + u',' + QString::number(offCentre.y())));
}

void TestFrmMain::startsWithTheDefaults()
{
    QCOMPARE(m_window->settings(), defaultSettings());
    QCOMPARE(option(QStringLiteral("optBaudrate"), 2)->text(), QStringLiteral("9600"));
    QCOMPARE(option(QStringLiteral("optDev"), 1)->text(), QStringLiteral("EPR"));
    QVERIFY(option(QStringLiteral("optDev"), 1)->isChecked());
    QCOMPARE(child<QLineEdit>(QStringLiteral("txtStart"))->text(), QStringLiteral("1"));
    QVERIFY(!m_window->IsDataChanged());
}

enum class SelectBy { Click, ArrowKey, Defaults, Restore, FileSettings };
Q_DECLARE_METATYPE(SelectBy)

void TestFrmMain::modeRuleFollowsTheSelectedMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<SelectBy>("selectBy");
    QTest::addColumn<bool>("pickUpEnabled");
    QTest::addColumn<bool>("deviceEnabled");

    QTest::newRow("Script, clicked") << 0 << SelectBy::Click << true << false;
    QTest::newRow("Original Format, clicked") << 1 << SelectBy::Click << false << false;
    QTest::newRow("Select, clicked") << 2 << SelectBy::Click << true << true;
    QTest::newRow("Select, arrow key") << 2 << SelectBy::ArrowKey << true << true;
    QTest::newRow("Script, by the defaults") << 0 << SelectBy::Defaults << true << false;
    QTest::newRow("Script, restored") << 0 << SelectBy::Restore << true << false;
    QTest::newRow("Original Format, restored") << 1 << SelectBy::Restore << false << false;
    QTest::newRow("Select, restored") << 2 << SelectBy::Restore << true << true;
    QTest::newRow("Original Format, from a file") << 1 << SelectBy::FileSettings << false << false;
    QTest::newRow("Select, from a file") << 2 << SelectBy::FileSettings << true << true;
}

void TestFrmMain::modeRuleFollowsTheSelectedMode()
{
    QFETCH(int, mode);
    QFETCH(SelectBy, selectBy);
    QFETCH(bool, pickUpEnabled);
    QFETCH(bool, deviceEnabled);

    // Leave the target mode first, so that selecting it is a change.
    const int other = (mode + 1) % 3;
    switch (selectBy) {
    case SelectBy::Click:
        QTest::mouseClick(option(QStringLiteral("optMode"), other), Qt::LeftButton);
        QTest::mouseClick(option(QStringLiteral("optMode"), mode), Qt::LeftButton);
        break;
    case SelectBy::ArrowKey:
        QTest::mouseClick(option(QStringLiteral("optMode"), mode - 1), Qt::LeftButton);
        QTest::keyClick(option(QStringLiteral("optMode"), mode - 1), Qt::Key_Right);
        break;
    case SelectBy::Defaults:
        QTest::mouseClick(option(QStringLiteral("optMode"), ModeSelect), Qt::LeftButton);
        m_window->SetDefaultSettings();
        break;
    case SelectBy::Restore:
        option(QStringLiteral("optMode"), mode)->setChecked(true);
        m_window->TakeSnapshot();
        QTest::mouseClick(option(QStringLiteral("optMode"), other), Qt::LeftButton);
        m_window->RestoreSnapshot();
        break;
    case SelectBy::FileSettings: {
        QTest::mouseClick(option(QStringLiteral("optMode"), other), Qt::LeftButton);
        Settings settings = m_window->settings();
        settings.Mode = static_cast<qint16>(mode);
        m_window->applyFileSettings(settings, true);
        break;
    }
    }

    QCOMPARE(m_window->settings().Mode, mode);
    for (const QString &name : PickUpControls) {
        QVERIFY2(child<QWidget>(name)->isEnabled() == pickUpEnabled, qPrintable(name));
    }
    for (const QString &name : DeviceControls) {
        QVERIFY2(child<QWidget>(name)->isEnabled() == deviceEnabled, qPrintable(name));
    }
    for (QWidget *widget : m_window->centralWidget()->findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if (!PickUpControls.contains(name) && !DeviceControls.contains(name)) {
            QVERIFY2(widget->isEnabled(), qPrintable(name));
        }
    }
}

void TestFrmMain::sectionRuleSetsHeightAndKeepsValues_data()
{
    QTest::addColumn<QList<bool>>("steps");
    QTest::newRow("hidden") << QList<bool>{false};
    QTest::newRow("shown") << QList<bool>{true};
    QTest::newRow("hidden, then shown") << QList<bool>{false, true};
    QTest::newRow("shown, then hidden") << QList<bool>{true, false};
}

void TestFrmMain::sectionRuleSetsHeightAndKeepsValues()
{
    QFETCH(QList<bool>, steps);
    for (const char *assignment :
         {"optBaudrate=5", "optBitLength=0", "optStopBit=1", "optParity=1", "optMode=1"}) {
        edit(QString::fromLatin1(assignment));
    }
    const Settings before = m_window->settings();

    for (bool shown : steps) {
        m_window->SetBarcodeSection(shown);
    }

    const bool shown = steps.last();
    QCOMPARE(clientArea().height(), shown ? ClientHeightShown : ClientHeightHidden);
    QCOMPARE(clientArea().top(), m_window->menuBar()->geometry().bottom() + 1);
    QCOMPARE(m_window->height(), clientArea().bottom() + 1);
    for (const QString &name : SectionControls) {
        QVERIFY2(child<QWidget>(name)->isVisible() == shown, qPrintable(name));
    }
    QVERIFY(child<QWidget>(QStringLiteral("picEPR"))->isVisible());
    QVERIFY(child<QWidget>(QStringLiteral("picEPR"))->geometry().bottom() < clientArea().height());
    QCOMPARE(m_window->settings(), before);
    // The mode rule does not depend on the section.
    QVERIFY(!child<QWidget>(QStringLiteral("txtStart"))->isEnabled());

    // New while hidden: the defaults go into the hidden groups too, and the section stays.
    m_window->SetDefaultSettings();
    QCOMPARE(m_window->settings(), defaultSettings());
    QCOMPARE(child<QWidget>(QStringLiteral("picBaudrate"))->isVisible(), shown);
}

void TestFrmMain::applyingFileSettings_data()
{
    QTest::addColumn<bool>("sectionShown");
    QTest::newRow("with the RS-232C section") << true;
    QTest::newRow("without it") << false;
}

void TestFrmMain::applyingFileSettings()
{
    QFETCH(bool, sectionShown);
    m_window->applyFileSettings(someFileSettings(), sectionShown);

    QCOMPARE(m_window->settings(), someFileSettings());
    QCOMPARE(clientArea().height(), sectionShown ? ClientHeightShown : ClientHeightHidden);
    QCOMPARE(child<QWidget>(QStringLiteral("picParity"))->isVisible(), sectionShown);
    QVERIFY(child<QWidget>(QStringLiteral("optDev_6"))->isEnabled());
    QVERIFY(m_window->IsDataChanged());
}

void TestFrmMain::typing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");

    QTest::newRow("start takes digits only") << "txtStart"
                                             << "12a"
                                             << "12";
    QTest::newRow("start refuses a fifth digit") << "txtStart"
                                                 << "123456"
                                                 << "1234";
    QTest::newRow("start keeps leading zeros") << "txtStart"
                                               << "007"
                                               << "007";
    QTest::newRow("end refuses hex letters") << "txtEnd"
                                             << "9F8"
                                             << "98";
    QTest::newRow("end refuses a fifth digit") << "txtEnd"
                                               << "98765"
                                               << "9876";
    QTest::newRow("suffix upper-cases a to f") << "txtSuffix"
                                               << "0d"
                                               << "0D";
    QTest::newRow("suffix refuses g") << "txtSuffix"
                                      << "g"
                                      << "";
    QTest::newRow("suffix refuses a third digit") << "txtSuffix"
                                                  << "abc"
                                                  << "AB";
    QTest::newRow("space and punctuation swallowed") << "txtStart"
                                                     << " 1%'-."
                                                     << "1";
    QTest::newRow("full-width digits swallowed") << "txtEnd" << QStringLiteral("\uff11") << "";
}

void TestFrmMain::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    auto *lineEdit = child<QLineEdit>(field);
    lineEdit->clear();
    for (QChar character : typed) {
        // keyClicks knows the keys of ASCII characters only.
        if (character.unicode() < 0x80) {
            QTest::keyClick(lineEdit, character.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, lineEdit, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        }
    }
    QCOMPARE(lineEdit->text(), text);
}

void TestFrmMain::editingKeys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("after");

    QTest::newRow("backspace") << "txtStart"
                               << "1234"
                               << "" << QKeySequence(Qt::Key_End, Qt::Key_Backspace) << "123";
    QTest::newRow("delete") << "txtEnd"
                            << "1234"
                            << "" << QKeySequence(Qt::Key_Home, Qt::Key_Delete) << "234";
    QTest::newRow("arrow keys move the caret")
        << "txtSuffix"
        << "AB"
        << "" << QKeySequence(Qt::Key_Home, Qt::Key_Right, Qt::Key_Backspace) << "B";
    QTest::newRow("ctrl+v is swallowed") << "txtStart"
                                         << "12"
                                         << "34" << QKeySequence(QKeySequence::Paste) << "12";
    QTest::newRow("shift+insert pastes filtered")
        << "txtSuffix"
        << ""
        << "x0d9" << QKeySequence(Qt::SHIFT | Qt::Key_Insert) << "0D";
}

void TestFrmMain::editingKeys()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, after);
    QGuiApplication::clipboard()->setText(clipboard);
    auto *lineEdit = child<QLineEdit>(field);
    lineEdit->setText(before);
    QTest::keySequence(lineEdit, keys);
    QCOMPARE(lineEdit->text(), after);
}

// X11 reports Delete with the character 127 and Ctrl+letter with its control character; other
// platforms report Ctrl+letter with the letter itself.
void TestFrmMain::keysAsPlatformsReportThem_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");

    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    QTest::newRow("delete") << "txtStart" << Qt::Key_Delete << Qt::KeyboardModifiers()
                            << QStringLiteral("\x7f") << "234";
    QTest::newRow("ctrl+v as 22") << "txtStart" << Qt::Key_V << ctrl << QStringLiteral("\x16")
                                  << "1234";
    QTest::newRow("ctrl+a as 1") << "txtSuffix" << Qt::Key_A << ctrl << QStringLiteral("\x01")
                                 << "1234";
    QTest::newRow("ctrl+a as a") << "txtSuffix" << Qt::Key_A << ctrl << "a"
                                 << "1234";
    QTest::newRow("ctrl+1 as 1") << "txtStart" << Qt::Key_1 << ctrl << "1"
                                 << "1234";
    QTest::newRow("alt+1 as 1") << "txtEnd" << Qt::Key_1 << Qt::KeyboardModifiers(Qt::AltModifier)
                                << "1"
                                << "1234";
}

void TestFrmMain::keysAsPlatformsReportThem()
{
    QFETCH(QString, field);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QGuiApplication::clipboard()->setText(QStringLiteral("5"));
    auto *lineEdit = child<QLineEdit>(field);
    // Room for one more character, so that one that got through would show.
    lineEdit->setMaxLength(5);
    lineEdit->setText(QStringLiteral("1234"));
    lineEdit->setCursorPosition(0);
    QTest::sendKeyEvent(QTest::Click, lineEdit, key, text, modifiers);
    QCOMPARE(lineEdit->text(), after);
}

void TestFrmMain::pastingFromTheContextMenu_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");

    QTest::newRow("digits kept, letters dropped") << "txtStart"
                                                  << ""
                                                  << "1a2b"
                                                  << "12";
    QTest::newRow("limit applies after filtering") << "txtEnd"
                                                   << ""
                                                   << "a1b2c3d4e5"
                                                   << "1234";
    QTest::newRow("limit counts what the field holds") << "txtStart"
                                                       << "12"
                                                       << "345"
                                                       << "1234";
    QTest::newRow("suffix upper-cased") << "txtSuffix"
                                        << ""
                                        << "0d"
                                        << "0D";
    QTest::newRow("nothing left to paste") << "txtSuffix"
                                           << "A"
                                           << "xyz"
                                           << "A";
}

void TestFrmMain::pastingFromTheContextMenu()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    QGuiApplication::clipboard()->setText(clipboard);
    auto *lineEdit = child<QLineEdit>(field);
    lineEdit->setText(before);

    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            lineEdit->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(lineEdit, &event);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    const QList<QAction *> actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](const QAction *action) {
        return action->text().startsWith(QLatin1String("&Paste"));
    });
    QVERIFY(paste != actions.end());
    (*paste)->trigger();
    menu->close();
    QCOMPARE(lineEdit->text(), after);
}

void TestFrmMain::tabVisitsEnabledVisibleStops_data()
{
    QTest::addColumn<bool>("sectionShown");
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QStringList>("stops");

    QTest::newRow("compact, Script") << false << defaultSettings()
                                     << QStringList{"txtEnd", "txtStart", "optMode_0", "txtSuffix"};
    QTest::newRow("tall, Select, Program")
        << true << someFileSettings()
        << QStringList{"optBaudrate_7", "optBitLength_0", "optStopBit_1", "optParity_2", "txtEnd",
                       "txtStart",      "optMode_2",      "optDev_6",     "txtSuffix"};
    Settings originalFormat = defaultSettings();
    originalFormat.Mode = ModeOriginalFormat;
    QTest::newRow("compact, Original Format")
        << false << originalFormat << QStringList{"optMode_1"};
}

void TestFrmMain::tabVisitsEnabledVisibleStops()
{
    QFETCH(bool, sectionShown);
    QFETCH(Settings, settings);
    QFETCH(QStringList, stops);
    m_window->applyFileSettings(settings, sectionShown);

    child<QWidget>(stops.last())->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (qsizetype i = 0; i < stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, stops);
}

void TestFrmMain::arrowKeysMoveTheSelectionWithinItsGroup()
{
    QAbstractButton *selected = option(QStringLiteral("optBaudrate"), 2);
    selected->setFocus(Qt::TabFocusReason);

    QTest::keyClick(selected, Qt::Key_Right);
    QCOMPARE(child<QButtonGroup>(QStringLiteral("optBaudrate"))->checkedId(), 3);
    QCOMPARE(QApplication::focusWidget(), option(QStringLiteral("optBaudrate"), 3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(child<QButtonGroup>(QStringLiteral("optBaudrate"))->checkedId(), 1);

    Settings expected = defaultSettings();
    expected.Baudrate = 1;
    QCOMPARE(m_window->settings(), expected);
}

void TestFrmMain::changeTracking_data()
{
    QTest::addColumn<QStringList>("snapshotEdits");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<bool>("changed");

    const QStringList script;
    const QStringList originalFormat{"optMode=1"};
    const QStringList select{"optMode=2"};
    QTest::newRow("nothing edited") << script << QStringList{} << false;
    QTest::newRow("baud rate") << script << QStringList{"optBaudrate=7"} << true;
    QTest::newRow("baud rate and back")
        << script << QStringList{"optBaudrate=7", "optBaudrate=2"} << false;
    QTest::newRow("bit length") << originalFormat << QStringList{"optBitLength=0"} << true;
    QTest::newRow("stop bit") << originalFormat << QStringList{"optStopBit=1"} << true;
    QTest::newRow("parity") << originalFormat << QStringList{"optParity=1"} << true;
    QTest::newRow("mode") << script << QStringList{"optMode=1"} << true;
    QTest::newRow("start 01 against 1") << script << QStringList{"txtStart=01"} << true;
    QTest::newRow("end") << select << QStringList{"txtEnd=2"} << true;
    QTest::newRow("suffix letter case")
        << QStringList{"optMode=2", "txtSuffix=0D"} << QStringList{"txtSuffix=0d"} << true;
    QTest::newRow("suffix") << select << QStringList{"txtSuffix=0D"} << true;
    QTest::newRow("device function in Select") << select << QStringList{"optDev=6"} << true;
    QTest::newRow("device function counts not in Script")
        << script << QStringList{"optMode=2", "optDev=6", "optMode=0"} << false;
    QTest::newRow("texts count not in Original Format")
        << originalFormat << QStringList{"optMode=0", "txtStart=5", "optMode=1"} << false;
}

void TestFrmMain::changeTracking()
{
    QFETCH(QStringList, snapshotEdits);
    QFETCH(QStringList, edits);
    QFETCH(bool, changed);
    for (const QString &assignment : snapshotEdits) {
        edit(assignment);
    }
    m_window->TakeSnapshot();
    for (const QString &assignment : edits) {
        edit(assignment);
    }
    QCOMPARE(m_window->IsDataChanged(), changed);
}

void TestFrmMain::restoreLeavesTheSuffix()
{
    m_window->SetBarcodeSection(false);
    m_window->applyFileSettings(someFileSettings(), false);
    m_window->RestoreSnapshot();

    Settings expected = defaultSettings();
    expected.Suffix = someFileSettings().Suffix;
    QCOMPARE(m_window->settings(), expected);
    QVERIFY(m_window->IsDataChanged());
    // The mode rule ran for the restored mode; the section and the height stay as they were.
    QVERIFY(child<QWidget>(QStringLiteral("txtStart"))->isEnabled());
    QVERIFY(!child<QWidget>(QStringLiteral("optDev_6"))->isEnabled());
    QVERIFY(!child<QWidget>(QStringLiteral("picBaudrate"))->isVisible());
    QCOMPARE(clientArea().height(), ClientHeightHidden);
}

void TestFrmMain::accessibleNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    QTest::newRow("start field") << "txtStart"
                                 << "Start Position";
    QTest::newRow("end field") << "txtEnd"
                               << "End Position";
    QTest::newRow("suffix field") << "txtSuffix"
                                  << "Suffix(HEX)";
    QTest::newRow("option") << "optMode_1"
                            << "Original Format";
    QTest::newRow("mode row") << "picMode"
                              << "Mode";
    QTest::newRow("pick-up row") << "picData"
                                 << "Pick Up Position";
    QTest::newRow("device function row") << "picEPR"
                                         << "Device Function";
    QTest::newRow("baud rate row") << "picBaudrate"
                                   << "Baudrate";
    QTest::newRow("bit length row") << "picLength"
                                    << "Bit Length";
    QTest::newRow("stop bit row") << "picStop"
                                  << "Stop Bit";
    QTest::newRow("parity row") << "picParity"
                                << "Parity Bit";
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

void TestFrmMain::accessibleStatesFollowTheRules()
{
    const auto state = [this](const char *name) {
        return QAccessible::queryAccessibleInterface(child<QWidget>(QLatin1String(name)))->state();
    };
    QVERIFY(state("optDev_1").disabled);
    QVERIFY(!state("txtStart").disabled);
    QVERIFY(!state("picBaudrate").invisible);

    edit(QStringLiteral("optMode=1"));
    m_window->SetBarcodeSection(false);
    QVERIFY(state("txtStart").disabled);
    QVERIFY(state("picBaudrate").invisible);
    QVERIFY(state("optBaudrate_2").invisible);
}

void TestFrmMain::menuAccessKeysAnnounceCommands_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QByteArray>("signal");

    QTest::newRow("New") << Qt::Key_N << QByteArray(SIGNAL(newRequested()));
    QTest::newRow("Open") << Qt::Key_O << QByteArray(SIGNAL(openRequested()));
    QTest::newRow("Save") << Qt::Key_S << QByteArray(SIGNAL(saveRequested()));
    QTest::newRow("Save As") << Qt::Key_A << QByteArray(SIGNAL(saveAsRequested()));
}

void TestFrmMain::menuAccessKeysAnnounceCommands()
{
    QFETCH(Qt::Key, key);
    QFETCH(QByteArray, signal);
    QSignalSpy spy(m_window.get(), signal.constData());

    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
    QWidget *menu = QApplication::activePopupWidget();
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), QStringLiteral("mnuFile"));
    QTest::keyClick(menu, key);
    QCOMPARE(spy.count(), 1);
    QVERIFY(m_window->isVisible());
}

enum class CloseBy { CloseBox, ExitKey };
Q_DECLARE_METATYPE(CloseBy)

void TestFrmMain::closeGoesThroughTheHandlers_data()
{
    QTest::addColumn<CloseBy>("closeBy");
    QTest::addColumn<bool>("mayClose");

    QTest::newRow("close box, goes on") << CloseBy::CloseBox << true;
    QTest::newRow("close box, cancelled") << CloseBy::CloseBox << false;
    QTest::newRow("Exit, goes on") << CloseBy::ExitKey << true;
    QTest::newRow("Exit, cancelled") << CloseBy::ExitKey << false;
}

void TestFrmMain::closeGoesThroughTheHandlers()
{
    QFETCH(CloseBy, closeBy);
    QFETCH(bool, mayClose);
    int questions = 0;
    int unloads = 0;
    m_window->setCloseHandlers(
        [&] {
            ++questions;
            return mayClose;
        },
        [&] { ++unloads; });

    if (closeBy == CloseBy::CloseBox) {
        m_window->close();
    } else {
        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
        QVERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_X);
    }
    QCOMPARE(questions, 1);
    QCOMPARE(unloads, mayClose ? 1 : 0);
    QCOMPARE(m_window->isVisible(), !mayClose);
}

// The stand-in font and Qt's style draw captions a little differently from the layout's
// original; every caption must still fit its control, and no control may cover another.
void TestFrmMain::captionsFitAndNothingOverlaps()
{
    for (auto *label : m_window->findChildren<QLabel *>()) {
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
        QVERIFY2(label->sizeHint().height() <= label->height(), qPrintable(label->objectName()));
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
