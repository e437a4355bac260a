// The window as the operator and the application shell meet it: what data/window.txt does to it
// and what follows, down to how it looks (the pictures under data/), and its File menu.
#include "datatable.h"

#include "ui/frmmain.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestFrmMain : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }
    void opensCentred();
    void followsTheTable_data();
    void followsTheTable();
    void fileMenuAnnouncesAndExitCloses();

private:
    void act(const QString &step);
    void check(const QString &name, const QString &value);
    void looksAsItsReference(const QString &name);
    template <typename T> T *child(const QString &name) const
    {
        T *found = m_window->findChild<T *>(name);
        return found ? found : (qFatal("no control %s", qPrintable(name)), nullptr);
    }

    std::unique_ptr<frmMain> m_window;
};

// Start-up sets the defaults and takes the snapshot before it shows the window.
void TestFrmMain::init()
{
    m_window = std::make_unique<frmMain>();
    m_window->SetDefaultSettings();
    m_window->TakeSnapshot();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestFrmMain::opensCentred()
{
    const QPoint offCentre =
        m_window->frameGeometry().center() - m_window->screen()->availableGeometry().center();
    QVERIFY(offCentre.manhattanLength() <= 1);
}

void TestFrmMain::followsTheTable_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("checks");
    for (const QStringList &row : dataTable(u"window.txt"_s)) {
        QTest::newRow(qPrintable(row[0])) << row[1].split(u' ', Qt::SkipEmptyParts)
                                          << row[2].split(u' ', Qt::SkipEmptyParts);
    }
}

void TestFrmMain::followsTheTable()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, checks);
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (QByteArray(QTest::currentDataTag()).startsWith("X11") && !clipboard->supportsSelection()) {
        QSKIP("no X selection on this platform");
    }
    clipboard->setText(u"x0d9:a1b2c3"_s);
    if (clipboard->supportsSelection()) {
        clipboard->setText(u"x0d9:a1b2c3"_s, QClipboard::Selection);
    }
    for (const QString &step : steps) {
        act(step);
    }
    for (const QString &expected : checks) {
        check(expected.section(u'=', 0, 0), expected.section(u'=', 1));
    }
}

void TestFrmMain::act(const QString &step)
{
    const QStringList part = step.split(u':');
    const QString name = step.section(u'=', 0, 0);
    const QString value = step.section(u'=', 1);
    if (step == u"defaults"_s) {
        m_window->SetDefaultSettings();
    } else if (step == u"snapshot"_s) {
        m_window->TakeSnapshot();
    } else if (step == u"restore"_s) {
        m_window->RestoreSnapshot();
    } else if (part[0] == u"click"_s || part[0] == u"middle"_s) {
        QTest::mouseClick(child<QWidget>(part[1]),
                          part[0] == u"click"_s ? Qt::LeftButton : Qt::MiddleButton);
    } else if (part[0] == u"type"_s) {
        QTest::keyClicks(child<QWidget>(part[1]), step.section(u':', 2));
    } else if (part[0] == u"key"_s) {
        const QKeyCombination key = QKeySequence(part[2])[0];
        QTest::sendKeyEvent(QTest::Click, child<QWidget>(part[1]), key.key(),
                            part[3].isEmpty() ? QString() : QString(QChar(part[3].toInt())),
                            key.keyboardModifiers());
    } else if (part[0] == u"paste"_s) {
        QGuiApplication::clipboard()->setText(step.section(u':', 2));
        auto *field = child<QWidget>(part[1]);
        QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5}, field->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(field, &event);
        QWidget *menu = QApplication::activePopupWidget();
        for (QAction *action : menu->actions()) {
            if (action->text().startsWith(u"&Paste"_s)) {
                action->trigger();
            }
        }
        menu->close();
    } else if (part[0] == u"focus"_s) {
        child<QWidget>(part[1])->setFocus();
    } else if (name == u"section"_s) {
        m_window->SetBarcodeSection(value == u"1"_s);
    } else if (name.startsWith(u"opt"_s)) {
        child<QButtonGroup>(name)->button(value.toInt())->setChecked(true);
    } else {
        auto *field = child<QLineEdit>(name);
        field->setText(QString(value).remove(u'|'));
        if (value.contains(u'|')) {
            const auto first = int(value.indexOf(u'|'));
            field->setSelection(first, std::max(0, int(value.lastIndexOf(u'|')) - first - 1));
        }
    }
}

void TestFrmMain::check(const QString &name, const QString &value)
{
    if (name == u"changed"_s) {
        QCOMPARE(m_window->IsDataChanged(), value == u"1"_s);
    } else if (name == u"picture"_s) {
        looksAsItsReference(value);
    } else if (name == u"tab"_s || name == u"right"_s) {
        // A group of options is one stop, its selected option; moving within it selects.
        QStringList visited{QApplication::focusWidget()->objectName()};
        while (visited.size() <= value.count(u',')) {
            QTest::keyClick(QApplication::focusWidget(), name == u"tab"_s ? Qt::Key_Tab : Qt::Key_Right);
            auto *option = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
            QVERIFY(!option || option->isChecked());
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.join(u','), value);
    } else if (name == u"nodrops"_s) {
        for (const QString &field : value.split(u',')) {
            QVERIFY2(!child<QWidget>(field)->acceptDrops(), qPrintable(field));
        }
    } else if (name.startsWith(u"opt"_s)) {
        QCOMPARE(child<QButtonGroup>(name)->checkedId(), value.toInt());
    } else {
        QCOMPARE(child<QLineEdit>(name)->text(), value);
    }
}

// Unfocused, with Fusion and the Liberation fonts at 100 %. A difference leaves the picture
// beside the test and says how many pixels differ; ZEL_UPDATE_REFERENCES=1 takes it instead.
void TestFrmMain::looksAsItsReference(const QString &name)
{
    if (QApplication::focusWidget()) {
        QApplication::focusWidget()->clearFocus();
    }
    const QImage actual = m_window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString file = u"window-%1.png"_s.arg(name);
    const QString reference = QStringLiteral(ZEL_TEST_DATA "/") + file;
    if (qEnvironmentVariableIsSet("ZEL_UPDATE_REFERENCES")) {
        QVERIFY(actual.save(reference));
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    qsizetype differing = actual.width() * actual.height();
    if (actual.size() == expected.size()) {
        differing = 0;
        for (int y = 0; y < actual.height(); ++y) {
            for (int x = 0; x < actual.width(); ++x) {
                differing += actual.pixel(x, y) != expected.pixel(x, y);
            }
        }
    }
    if (differing > 0) {
        actual.save(file);
        QFAIL(qPrintable(u"%1 pixels differ from %2; see %3"_s.arg(differing).arg(
            reference, QDir::current().filePath(file))));
    }
}

// Each command is announced and nothing more; Exit goes the close box's way, through the
// question whether to go on, and unloads only when it does.
void TestFrmMain::fileMenuAnnouncesAndExitCloses()
{
    auto *menu = child<QMenu>(u"mnuFile"_s);
    QStringList items{menu->title()};
    for (const QAction *action : menu->actions()) {
        items << (action->isSeparator() ? u"-"_s : action->text());
    }
    QCOMPARE(items.join(u' '), u"File(&F) NEW(&N) Open...(&O) - Save(&S) Save As...(&A) - Exit(&X)"_s);
    QString announced;
    connect(m_window.get(), &frmMain::newRequested, this, [&] { announced += u'N'; });
    connect(m_window.get(), &frmMain::openRequested, this, [&] { announced += u'O'; });
    connect(m_window.get(), &frmMain::saveRequested, this, [&] { announced += u'S'; });
    connect(m_window.get(), &frmMain::saveAsRequested, this, [&] { announced += u'A'; });
    bool mayClose = false;
    int unloads = 0;
    m_window->setCloseHandlers([&] { return mayClose; }, [&] { ++unloads; });
    for (const Qt::Key key : {Qt::Key_N, Qt::Key_O, Qt::Key_S, Qt::Key_A, Qt::Key_X}) {
        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
        QCOMPARE(QApplication::activePopupWidget(), menu);
        QTest::keyClick(menu, key);
    }
    QCOMPARE(announced, u"NOSA"_s);
    QVERIFY(m_window->isVisible() && unloads == 0);
    mayClose = true;
    QVERIFY(m_window->close());
    QCOMPARE(unloads, 1);
}

int main(int argc, char *argv[])
{
    QApplication::setStyle(u"Fusion"_s);
    QApplication app(argc, argv);
    QApplication::setFont(QFont(u"Liberation Sans"_s, 9));
    TestFrmMain test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmmain.moc"
