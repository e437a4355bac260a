#include "app/applicationshell.h"
#include "app/commandline.h"
#include "app/dialogs.h"
#include "app/title.h"
#include "ui/frmmain.h"

#include <QAbstractButton>
#include <QtTest>

// Answers the question as a test says and notes what was shown; nothing here opens a
// dialog.
struct ScriptedDialogs : Dialogs {
    Answer answer = Answer::Cancel;
    QStringList shown;

    Answer askToSaveChanges() override { return shown << QStringLiteral("ask"), answer; }
    std::optional<QString> chooseFileToSave(const QString &) override { return std::nullopt; }
    std::optional<QString> chooseFileToOpen(const QString &) override { return std::nullopt; }
    void showError(const QString &message, const QString &) override { shown << message; }
};

class TestOpenFromDesktop : public QObject
{
    Q_OBJECT

    const QString m_folder = QFINDTESTDATA("openfromdesktop");

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void noFileNamedAtStart() { QCOMPARE(ParseCommandLine({QStringLiteral("zel")}), QString()); }

    void opensAsFileOpen_data()
    {
        QTest::addColumn<QString>("how");     // "start", or a drop of "uris" or of "text"
        QTest::addColumn<QString>("dropped"); // the file named at start, or what is dropped
        QTest::addColumn<QString>("answer");  // to the question on changes; "" changes nothing
        QTest::addColumn<QString>("shown");   // the question and messages, in order
        QTest::addColumn<bool>("opened");
        const QString good = QUrl::fromLocalFile(m_folder + QStringLiteral("/good.zel")).toString();
        // clang-format off
        QTest::newRow("start: good file") << "start" << "good.zel" << "" << "" << true;
        QTest::newRow("start: rejected file") << "start" << "rejected.zel" << "" << "ZEL File Format Error" << false;
        QTest::newRow("start: missing file") << "start" << "missing.zel" << "" << "ZEL File Load Error" << false;
        QTest::newRow("drop: good file") << "uris" << good << "" << "" << true;
        QTest::newRow("drop: capitals, taken") << "uris" << good.chopped(3) + "ZEL" << "" << "ZEL File Load Error" << false;
        QTest::newRow("drop on changes: No") << "uris" << good << "No" << "ask" << true;
        QTest::newRow("drop on changes: Cancel") << "uris" << good << "Cancel" << "ask" << false;
        QTest::newRow("refused: two files") << "uris" << good + "\n" + good << "" << "" << false;
        QTest::newRow("refused: other type") << "uris" << good.chopped(4) << "" << "" << false;
        QTest::newRow("refused: remote") << "uris" << "https://example.org/good.zel" << "" << "" << false;
        QTest::newRow("refused: text") << "text" << good << "" << "" << false;
        // clang-format on
    }

    void opensAsFileOpen()
    {
        QFETCH(QString, how);
        QFETCH(QString, dropped);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        QFETCH(bool, opened);
        frmMain window;
        ScriptedDialogs dialogs;
        ApplicationShell shell(window, dialogs);
        shell.Form_Load();
        if (!answer.isEmpty()) {
            window.findChild<QAbstractButton *>(QStringLiteral("optBaudrate_7"))->click();
            dialogs.answer =
                answer == QLatin1String("No") ? Dialogs::Answer::No : Dialogs::Answer::Cancel;
        }
        const QString folderBefore = shell.preferences().DefaultFolder;

        if (how == QLatin1String("start")) {
            QVERIFY(QDir::setCurrent(m_folder)); // a relative name, as a command line may give
            shell.openFile(ParseCommandLine({QStringLiteral("zel"), dropped}));
        } else {
            QMimeData data;
            how == QLatin1String("text") ? data.setText(dropped)
                                         : data.setUrls(QUrl::fromStringList(dropped.split(u'\n')));
            QDragEnterEvent enter({1, 1}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent drop({1, 1}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&window, &enter);
            QCoreApplication::sendEvent(&window, &drop);
            const bool taken = !shown.isEmpty() || opened; // a refused drop neither asks nor opens
            QCOMPARE(QList<bool>({enter.isAccepted(), drop.isAccepted()}), QList<bool>(2, taken));
            QVERIFY(dialogs.shown.isEmpty()); // nothing is asked before the drop has ended
            QCoreApplication::sendPostedEvents(&shell, QEvent::MetaCall);
        }

        QCOMPARE(dialogs.shown.join(u' '), shown);
        const QString file = QDir::toNativeSeparators(m_folder + QStringLiteral("/good.zel"));
        QCOMPARE(shell.CurrentFileName(), opened ? file : QString());
        QCOMPARE(window.windowTitle(), opened ? titleWithFile(file) : bareTitle());
        QCOMPARE(window.settings().StartPosition == QLatin1String("3"), opened);
        QCOMPARE(window.IsDataChanged(), !answer.isEmpty() && !opened);
        const bool read = opened || shown.contains(QLatin1String("Error"));
        QCOMPARE(shell.preferences().DefaultFolder,
                 read ? QDir::toNativeSeparators(m_folder) : folderBefore);
    }
};

QTEST_MAIN(TestOpenFromDesktop)
#include "tst_openfromdesktop.moc"
