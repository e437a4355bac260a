#include "app/applicationshell.h"
#include "app/dialogs.h"
#include "app/title.h"
#include "settingfile/settingfilereader.h"
#include "ui/frmmain.h"

#include <QtTest>
#include <QAbstractButton>

#include <stdexcept>

namespace {

// Answers the file commands' questions as a test says and notes what was shown.
class ScriptedDialogs : public Dialogs
{
public:
    Answer answer = Answer::Cancel;
    std::optional<QString> fileToSave;
    std::optional<QString> fileToOpen;
    bool failInSaveDialog = false;
    QStringList shown;
    QStringList folders;

    Answer askToSaveChanges() override
    {
        shown << QStringLiteral("ask");
        return answer;
    }
    std::optional<QString> chooseFileToSave(const QString &initialFolder) override
    {
        shown << QStringLiteral("save");
        folders << initialFolder;
        if (failInSaveDialog) {
            throw std::runtime_error("out of something");
        }
        return fileToSave;
    }
    std::optional<QString> chooseFileToOpen(const QString &initialFolder) override
    {
        shown << QStringLiteral("open");
        folders << initialFolder;
        return fileToOpen;
    }
    void showError(const QString &message, const QString &) override
    {
        shown << QStringLiteral("error:") + message;
    }
};

const QByteArray GoodFile = "[MODE]\r\nSELECT/PROGRAM\r\n[RS-232C]\r\nBAUD=2400\r\nBIT=7\r\n"
                            "STOP=2\r\nPARTY=EVEN\r\n[SETTING]\r\nSTART=3\r\nEND=12\r\n"
                            "SUFFIX=0x0D\r\n[END]\r\n";
const QByteArray CompactFile = "[MODE]\r\nORIGINAL\r\n[END]\r\n";
const QByteArray BadFile = "[MODE]\r\nSELECT/PROGRAM\r\n[RS-232C]\r\nBAUD=2400\r\nBIT=7\r\n"
                           "STOP=2\r\nPARTY=EVEN\r\n[SETTING]\r\nSUFFIX=0xZZ\r\n[END]\r\n";

void storePreferences(const QVariant &folder, const QVariant &flag)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                       QStringLiteral("ZELFileGenerator"), QStringLiteral("ZELFileGenerator"));
    settings.clear();
    if (folder.isValid()) {
        settings.setValue(QStringLiteral("Data/DefaultFolder"), folder);
    }
    if (flag.isValid()) {
        settings.setValue(QStringLiteral("Data/BarcodeFlag"), flag);
    }
}

QVariant storedPreference(const QString &key)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                       QStringLiteral("ZELFileGenerator"), QStringLiteral("ZELFileGenerator"));
    return settings.value(QStringLiteral("Data/") + key);
}

} // namespace

class TestApplicationShell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startUpFollowsStoredFlag_data();
    void startUpFollowsStoredFlag();
    void commands_data();
    void commands();
    void openAppliesTheFileAndItsFlag();
    void rejectedFileKeepsFlagAndSection();
    void failureTrapEndsTheCommand_data();
    void failureTrapEndsTheCommand();
    void preferencesStoredOnlyWhenTheWindowUnloads();
    void sessionEndAsksWhereAllowed();

private:
    QString pathOf(const QString &name) const { return QDir::toNativeSeparators(m_dir->filePath(name)); }
    void writeFile(const QString &name, const QByteArray &bytes);
    void makeAChange() { m_window->findChild<QAbstractButton *>(QStringLiteral("optBaudrate_7"))->click(); }
    bool sectionShown() const { return !m_window->findChild<QWidget *>(QStringLiteral("picBaudrate"))->isHidden(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<frmMain> m_window;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    ApplicationShell *m_shell = nullptr;
};

void TestApplicationShell::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestApplicationShell::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("titled")));
    writeFile(QStringLiteral("good.zel"), GoodFile);
    writeFile(QStringLiteral("compact.zel"), CompactFile);
    writeFile(QStringLiteral("bad.zel"), BadFile);
    writeFile(QStringLiteral("titled/titled.zel"), CompactFile);
    storePreferences(QStringLiteral("start"), QStringLiteral("1"));

    m_window = std::make_unique<frmMain>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_shell = new ApplicationShell(*m_window, *m_dialogs);
    m_shell->Form_Load();
}

void TestApplicationShell::cleanup()
{
    m_window.reset();
    m_dialogs.reset();
}

void TestApplicationShell::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestApplicationShell::startUpFollowsStoredFlag_data()
{
    QTest::addColumn<QVariant>("flag");
    QTest::addColumn<bool>("shown");
    QTest::newRow("nothing stored") << QVariant() << false;
    QTest::newRow("0") << QVariant(QStringLiteral("0")) << false;
    QTest::newRow("1") << QVariant(QStringLiteral("1")) << true;
    QTest::newRow("00") << QVariant(QStringLiteral("00")) << true;
    QTest::newRow("blank and 0") << QVariant(QStringLiteral(" 0")) << true;
    QTest::newRow("empty") << QVariant(QString()) << true;
}

void TestApplicationShell::startUpFollowsStoredFlag()
{
    QFETCH(QVariant, flag);
    QFETCH(bool, shown);

    storePreferences(QVariant(), flag);
    frmMain window;
    const int designedHeight = window.height();
    ScriptedDialogs dialogs;
    ApplicationShell shell(window, dialogs);
    shell.Form_Load();

    QCOMPARE(window.windowTitle(), bareTitle());
    QCOMPARE(shell.CurrentFileName(), QString());
    QCOMPARE(window.settings(), defaultSettings());
    QVERIFY(!window.IsDataChanged());
    QCOMPARE(shell.preferences().BarcodeFlag, flag.isValid() ? flag.toString() : QStringLiteral("0"));
    QCOMPARE(!window.findChild<QWidget *>(QStringLiteral("picBaudrate"))->isHidden(), shown);
    QCOMPARE(window.height() < designedHeight, !shown);
}

void TestApplicationShell::commands_data()
{
    QTest::addColumn<bool>("titled");      // the document was opened from titled/titled.zel
    QTest::addColumn<bool>("changed");     // the operator changed a setting before the command
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("answer");   // to "Save this data?"
    QTest::addColumn<QString>("saveTo");   // what the save dialog returns; "" cancels
    QTest::addColumn<QString>("openFrom"); // what the open dialog returns; "" cancels
    QTest::addColumn<QString>("shown");    // the dialogs and messages, in order
    QTest::addColumn<QString>("file");     // CurrentFileName afterwards; the title follows it
    QTest::addColumn<bool>("stillChanged");
    QTest::addColumn<QString>("folder");   // DefaultFolder afterwards, relative to the files
    QTest::addColumn<bool>("mayClose");

    const QString saveError = QStringLiteral("error:ZEL File Save Error");
    const QString formatError = QStringLiteral("error:ZEL File Format Error");
    const QString missing = QStringLiteral("missing/new.zel");
    const QString titled = QStringLiteral("titled/titled.zel");
    // clang-format off
    QTest::newRow("new, unchanged: asks nothing")
        << false << false << "new" << "" << "" << "" << "" << "" << false << "start" << true;
    QTest::newRow("new, answer No")
        << false << true << "new" << "No" << "" << "" << "ask" << "" << false << "start" << true;
    QTest::newRow("new, answer Cancel")
        << false << true << "new" << "Cancel" << "" << "" << "ask" << "" << true << "start" << true;
    QTest::newRow("new, Yes and saved")
        << false << true << "new" << "Yes" << "new.zel" << "" << "ask save" << "" << false << "" << true;
    QTest::newRow("new, Yes, save dialog cancelled: nothing happens")
        << false << true << "new" << "Yes" << "" << "" << "ask save" << "" << true << "start" << true;
    QTest::newRow("new, Yes, write fails")
        << false << true << "new" << "Yes" << missing << "" << "ask save " + saveError << "" << true << "missing" << true;
    QTest::newRow("new on a titled document")
        << true << false << "new" << "" << "" << "" << "" << "" << false << "titled" << true;
    QTest::newRow("open, unchanged: asks nothing")
        << false << false << "open" << "" << "" << "good.zel" << "open" << "good.zel" << false << "" << true;
    QTest::newRow("open, Yes and saved, then open dialog cancelled")
        << false << true << "open" << "Yes" << "new.zel" << "" << "ask save open" << "" << true << "" << true;
    QTest::newRow("open, No, then open dialog cancelled: changes kept")
        << false << true << "open" << "No" << "" << "" << "ask open" << "" << true << "start" << true;
    QTest::newRow("open, Yes, write fails: no open dialog")
        << false << true << "open" << "Yes" << missing << "" << "ask save " + saveError << "" << true << "missing" << true;
    QTest::newRow("open a rejected file: back to the snapshot")
        << false << true << "open" << "No" << "" << "bad.zel" << "ask open " + formatError << "" << false << "" << true;
    QTest::newRow("open a rejected file on a titled document")
        << true << false << "open" << "" << "" << "bad.zel" << "open " + formatError << titled << false << "" << true;
    QTest::newRow("save, untitled: asks for a name")
        << false << true << "save" << "" << "new.zel" << "" << "save" << "new.zel" << false << "" << true;
    QTest::newRow("save, untitled, dialog cancelled")
        << false << true << "save" << "" << "" << "" << "save" << "" << true << "start" << true;
    QTest::newRow("save, write fails")
        << false << true << "save" << "" << missing << "" << "save " + saveError << "" << true << "missing" << true;
    QTest::newRow("save, titled: writes at once")
        << true << true << "save" << "" << "" << "" << "" << titled << false << "titled" << true;
    QTest::newRow("save as, titled: asks for a name")
        << true << true << "saveas" << "" << "new.zel" << "" << "save" << "new.zel" << false << "" << true;
    QTest::newRow("save as, dialog cancelled")
        << true << true << "saveas" << "" << "" << "" << "save" << titled << true << "titled" << true;
    QTest::newRow("close, unchanged")
        << false << false << "close" << "" << "" << "" << "" << "" << false << "start" << true;
    QTest::newRow("close, answer Cancel: stays open")
        << false << true << "close" << "Cancel" << "" << "" << "ask" << "" << true << "start" << false;
    QTest::newRow("close, answer No")
        << false << true << "close" << "No" << "" << "" << "ask" << "" << true << "start" << true;
    QTest::newRow("close, Yes and saved")
        << false << true << "close" << "Yes" << "new.zel" << "" << "ask save" << "" << true << "" << true;
    QTest::newRow("close, Yes, save dialog cancelled: stays open")
        << false << true << "close" << "Yes" << "" << "" << "ask save" << "" << true << "start" << false;
    QTest::newRow("close, Yes, write fails: stays open")
        << false << true << "close" << "Yes" << missing << "" << "ask save " + saveError << "" << true << "missing" << false;
    QTest::newRow("close, titled, Yes: asks for a name all the same")
        << true << true << "close" << "Yes" << "new.zel" << "" << "ask save" << titled << true << "" << true;
    // clang-format on
}

void TestApplicationShell::commands()
{
    QFETCH(bool, titled);
    QFETCH(bool, changed);
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(QString, saveTo);
    QFETCH(QString, openFrom);
    QFETCH(QString, shown);
    QFETCH(QString, file);
    QFETCH(bool, stillChanged);
    QFETCH(QString, folder);
    QFETCH(bool, mayClose);

    if (titled) {
        m_dialogs->fileToOpen = pathOf(QStringLiteral("titled/titled.zel"));
        m_shell->mnuOpen_Click();
    }
    if (changed) {
        makeAChange();
    }
    const Settings before = m_window->settings();
    const QString titleBefore = m_window->windowTitle();
    m_dialogs->shown.clear();
    m_dialogs->answer = answer == QLatin1String("Yes")  ? Dialogs::Answer::Yes
                        : answer == QLatin1String("No") ? Dialogs::Answer::No
                                                        : Dialogs::Answer::Cancel;
    m_dialogs->fileToSave = saveTo.isEmpty() ? std::nullopt : std::optional(pathOf(saveTo));
    m_dialogs->fileToOpen = openFrom.isEmpty() ? std::nullopt : std::optional(pathOf(openFrom));

    bool closes = true;
    if (command == QLatin1String("new")) {
        m_shell->mnuNew_Click();
    } else if (command == QLatin1String("open")) {
        m_shell->mnuOpen_Click();
    } else if (command == QLatin1String("save")) {
        m_shell->mnuSave_Click();
    } else if (command == QLatin1String("saveas")) {
        m_shell->mnuSaveAs_Click();
    } else {
        closes = m_shell->Form_QueryUnload();
    }

    QCOMPARE(m_dialogs->shown.join(u' '), shown);
    QCOMPARE(m_shell->CurrentFileName(), file.isEmpty() ? QString() : pathOf(file));
    QCOMPARE(m_window->windowTitle(), file.isEmpty() ? bareTitle() : titleWithFile(pathOf(file)));
    QCOMPARE(m_window->IsDataChanged(), stillChanged);
    const QString expectedFolder =
        folder == QLatin1String("start") ? folder
                                          : QDir::toNativeSeparators(QDir::cleanPath(m_dir->filePath(folder)));
    QCOMPARE(m_shell->preferences().DefaultFolder, expectedFolder);
    QCOMPARE(closes, mayClose);
    if (!saveTo.isEmpty() && shown.startsWith(QLatin1String("ask save")) &&
        !shown.contains(QLatin1String("error"))) {
        // The answer Yes saved the edited settings.
        SettingFileContent content;
        QCOMPARE(ReadSettingFile(pathOf(saveTo), content), QString());
        Settings saved = before;
        content.applyTo(saved);
        QCOMPARE(saved, before);
    }
    if (command != QLatin1String("new") && shown.contains(QLatin1String("error"))) {
        QCOMPARE(m_window->windowTitle(), titleBefore);
    }
}

void TestApplicationShell::openAppliesTheFileAndItsFlag()
{
    m_dialogs->fileToOpen = pathOf(QStringLiteral("compact.zel"));
    m_shell->mnuOpen_Click();
    QCOMPARE(m_shell->preferences().BarcodeFlag, QStringLiteral("0"));
    QVERIFY(!sectionShown());
    const int compactHeight = m_window->height();

    m_dialogs->fileToOpen = pathOf(QStringLiteral("good.zel"));
    m_shell->mnuOpen_Click();
    QCOMPARE(m_shell->preferences().BarcodeFlag, QStringLiteral("1"));
    QVERIFY(sectionShown());
    QVERIFY(m_window->height() > compactHeight);

    Settings expected;
    expected.Baudrate = 0;
    expected.BitLength = 0;
    expected.StopBit = 1;
    expected.Parity = 2;
    expected.Mode = ModeSelect;
    expected.DeviceFunction = 6;
    expected.StartPosition = QStringLiteral("3");
    expected.EndPosition = QStringLiteral("12");
    expected.Suffix = QStringLiteral("0D");
    QCOMPARE(m_window->settings(), expected);
    QVERIFY(!m_window->IsDataChanged());
    QVERIFY(m_dialogs->shown.filter(QStringLiteral("error")).isEmpty());
}

void TestApplicationShell::rejectedFileKeepsFlagAndSection()
{
    QVERIFY(sectionShown()); // the stored flag is "1"
    const int height = m_window->height();
    m_dialogs->fileToOpen = pathOf(QStringLiteral("bad.zel"));
    m_shell->mnuOpen_Click();
    QCOMPARE(m_dialogs->shown.last(), QStringLiteral("error:ZEL File Format Error"));
    QCOMPARE(m_shell->preferences().BarcodeFlag, QStringLiteral("1"));
    QVERIFY(sectionShown());
    QCOMPARE(m_window->height(), height);
    QCOMPARE(m_window->settings(), defaultSettings());
}

void TestApplicationShell::failureTrapEndsTheCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("mayClose");
    QTest::newRow("save as") << "saveas" << true;
    QTest::newRow("new") << "new" << true;
    QTest::newRow("close keeps the window open") << "close" << false;
}

void TestApplicationShell::failureTrapEndsTheCommand()
{
    QFETCH(QString, command);
    QFETCH(bool, mayClose);

    makeAChange();
    m_dialogs->answer = Dialogs::Answer::Yes;
    m_dialogs->failInSaveDialog = true;
    bool closes = true;
    if (command == QLatin1String("saveas")) {
        m_shell->mnuSaveAs_Click();
    } else if (command == QLatin1String("new")) {
        m_shell->mnuNew_Click();
    } else {
        closes = m_shell->Form_QueryUnload();
    }
    QCOMPARE(m_dialogs->shown.last(), QStringLiteral("error:out of something"));
    QCOMPARE(closes, mayClose);
    QVERIFY(m_window->IsDataChanged());
    QCOMPARE(m_window->windowTitle(), bareTitle());
}

void TestApplicationShell::preferencesStoredOnlyWhenTheWindowUnloads()
{
    m_dialogs->fileToOpen = pathOf(QStringLiteral("compact.zel"));
    m_shell->mnuOpen_Click();
    makeAChange();
    m_dialogs->answer = Dialogs::Answer::Cancel;
    QVERIFY(!m_window->close());
    QCOMPARE(storedPreference(QStringLiteral("BarcodeFlag")).toString(), QStringLiteral("1"));

    m_dialogs->answer = Dialogs::Answer::No;
    QVERIFY(m_window->close());
    QCOMPARE(storedPreference(QStringLiteral("BarcodeFlag")).toString(), QStringLiteral("0"));
    QCOMPARE(storedPreference(QStringLiteral("DefaultFolder")).toString(),
             QDir::toNativeSeparators(m_dir->path()));

    frmMain next;
    ScriptedDialogs dialogs;
    ApplicationShell shell(next, dialogs);
    shell.Form_Load();
    QCOMPARE(shell.preferences().DefaultFolder, QDir::toNativeSeparators(m_dir->path()));
    QVERIFY(next.findChild<QWidget *>(QStringLiteral("picBaudrate"))->isHidden());
    shell.mnuOpen_Click();
    QCOMPARE(dialogs.folders, QStringList{QDir::toNativeSeparators(m_dir->path())});
}

void TestApplicationShell::sessionEndAsksWhereAllowed()
{
    makeAChange();
    m_dialogs->answer = Dialogs::Answer::Cancel;
    storePreferences(QVariant(), QVariant());
    QVERIFY(!m_shell->settleForSessionEnd(true));
    QCOMPARE(m_dialogs->shown, QStringList{QStringLiteral("ask")});
    QVERIFY(storedPreference(QStringLiteral("DefaultFolder")).isNull());

    QVERIFY(m_shell->settleForSessionEnd(false));
    QCOMPARE(m_dialogs->shown.size(), 1);
    QCOMPARE(storedPreference(QStringLiteral("DefaultFolder")).toString(), QStringLiteral("start"));
}

QTEST_MAIN(TestApplicationShell)
#include "tst_applicationshell.moc"
