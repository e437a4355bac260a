#include "app/applicationshell.h"
#include "app/dialogs.h"
#include "app/title.h"
#include "ui/frmmain.h"

#include <QtTest>
#include <QAbstractButton>

#include <csignal>
#include <sys/resource.h>

namespace {

class ScriptedDialogs : public Dialogs
{
public:
    std::optional<QString> fileToSave;
    std::optional<QString> fileToOpen;
    QStringList errors;

    Answer askToSaveChanges() override { return Answer::Yes; }
    std::optional<QString> chooseFileToSave(const QString &) override { return fileToSave; }
    std::optional<QString> chooseFileToOpen(const QString &) override { return fileToOpen; }
    void showError(const QString &message, const QString &) override { errors << message; }
};

// While it lives, files of this process cannot grow past a few bytes: the disk is "full".
class FullDisk
{
public:
    FullDisk()
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit tiny{16, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

const QByteArray FormerFile = "[MODE]\r\nSCRIPT\r\n[SETTING]\r\nSTART=2\r\n[END]\r\n";

} // namespace

// A save that fails, from any command, loses nothing: not the former file, not the changes.
class TestSaveFailures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failedSaveLosesNothing_data();
    void failedSaveLosesNothing();
};

void TestSaveFailures::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSaveFailures::failedSaveLosesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("target"); // relative to the folder of the document
    QTest::addColumn<bool>("diskFull");

    const QStringList commands{QStringLiteral("save as"), QStringLiteral("close")};
    for (const QString &command : commands) {
        QTest::addRow("%s: missing folder", qPrintable(command)) << command << "missing/new.zel" << false;
        QTest::addRow("%s: a folder", qPrintable(command)) << command << "sub" << false;
        QTest::addRow("%s: through a file", qPrintable(command)) << command << "doc.zel/new.zel" << false;
        QTest::addRow("%s: disk full", qPrintable(command)) << command << "doc.zel" << true;
    }
    QTest::newRow("save: disk full") << "save" << "doc.zel" << true;
}

void TestSaveFailures::failedSaveLosesNothing()
{
    QFETCH(QString, command);
    QFETCH(QString, target);
    QFETCH(bool, diskFull);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString document = QDir::toNativeSeparators(dir.filePath(QStringLiteral("doc.zel")));
    {
        QFile file(document);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(FormerFile);
    }
    frmMain window;
    ScriptedDialogs dialogs;
    ApplicationShell shell(window, dialogs);
    shell.Form_Load();
    dialogs.fileToOpen = document;
    shell.mnuOpen_Click();
    window.findChild<QAbstractButton *>(QStringLiteral("optMode_2"))->click();
    const QString title = window.windowTitle();
    const QStringList entries = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    dialogs.fileToSave = QDir::toNativeSeparators(dir.filePath(target));
    bool closes = true;
    {
        std::optional<FullDisk> full;
        if (diskFull) {
            full.emplace();
        }
        if (command == QLatin1String("save")) {
            shell.mnuSave_Click();
        } else if (command == QLatin1String("save as")) {
            shell.mnuSaveAs_Click();
        } else {
            closes = shell.Form_QueryUnload();
        }
    }
    QCOMPARE(dialogs.errors, QStringList{QStringLiteral("ZEL File Save Error")});
    QFile former(document);
    QVERIFY(former.open(QIODevice::ReadOnly));
    QCOMPARE(former.readAll(), FormerFile);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
    QVERIFY(QDir(dir.filePath(QStringLiteral("sub"))).isEmpty());
    QVERIFY(window.IsDataChanged());
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(shell.CurrentFileName(), document);
    QCOMPARE(closes, command != QLatin1String("close"));

    // The same save, tried again where it can succeed, goes through.
    dialogs.fileToSave = document;
    shell.mnuSaveAs_Click();
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY(!window.IsDataChanged());
    QFile saved(document); // the save put a new file in place of the one still open
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("SELECT/EPR"));
}

QTEST_MAIN(TestSaveFailures)
#include "tst_savefailures.moc"
