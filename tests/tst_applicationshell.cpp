// Start-up, the file commands with their question, the preferences and the real dialogs.
#include "datatable.h"

#include "app/applicationshell.h"
#include "app/messageboxdialogs.h"
#include "settingfile/settingfilereader.h"
#include "ui/frmmain.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

const QString Title = u"VX613 ZEL File Generator   V1.02"_s;
const QByteArray GoodFile = "[MODE]\r\nSELECT/PROGRAM\r\n[RS-232C]\r\nBAUD=2400\r\nBIT=7\r\n"
                            "STOP=2\r\nPARTY=EVEN\r\n[SETTING]\r\nSTART=3\r\nEND=12\r\n"
                            "SUFFIX=0x0D\r\n[END]\r\n";
const QByteArray CompactFile = "[MODE]\r\nORIGINAL\r\n[END]\r\n";

// Answers as the test says and notes what was asked and shown. A save dialog told "!" fails.
class ScriptedDialogs : public Dialogs
{
public:
    Answer answer = Answer::Cancel;
    QString fileToSave; // relative to folder; empty: the dialog is cancelled
    QString fileToOpen;
    QString folder;
    QStringList shown;
    QStringList initialFolders;

    Answer askToSaveChanges() override { return shown << u"ask"_s, answer; }
    std::optional<QString> chooseFileToSave(const QString &initialFolder) override
    {
        if (fileToSave == u"!"_s) {
            throw std::runtime_error("out of something");
        }
        return choose(u"save"_s, initialFolder, fileToSave);
    }
    std::optional<QString> chooseFileToOpen(const QString &initialFolder) override
    {
        return choose(u"open"_s, initialFolder, fileToOpen);
    }
    void showError(const QString &message, const QString &) override { shown << message; }

private:
    std::optional<QString> choose(const QString &dialog, const QString &initialFolder,
                                  const QString &file)
    {
        shown << dialog;
        initialFolders << initialFolder;
        return file.isEmpty() ? std::nullopt : std::optional(folder + u'/' + file);
    }
};

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"ZELFileGenerator"_s,
                     u"ZELFileGenerator"_s);
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestApplicationShell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup() { m_window.reset(); }
    void startUpFollowsTheStoredFlag_data();
    void startUpFollowsTheStoredFlag();
    void commands_data();
    void commands();
    void openAppliesTheFileOrPutsTheSnapshotBack();
    void preferencesAreStoredWhenTheWindowUnloads();
    void sessionEndAsksWhereAllowed();
    void realDialogsShowTheProgramsTexts();

private:
    void start();
    void makeAChange() { m_window->findChild<QAbstractButton *>(u"optBaudrate_7"_s)->click(); }
    bool sectionShown() const { return !m_window->findChild<QWidget *>(u"picBaudrate"_s)->isHidden(); }

    QTemporaryDir m_dir;
    std::unique_ptr<frmMain> m_window;
    ScriptedDialogs m_dialogs;
    ApplicationShell *m_shell = nullptr;
};

void TestApplicationShell::init()
{
    QVERIFY(QDir(m_dir.path()).mkpath(u"titled"_s));
    for (const auto &[name, bytes] : {std::pair{"good.zel", GoodFile}, {"compact.zel", CompactFile},
                                      {"bad.zel", QByteArray("[MODE]\r\nSELECT/\r\n[END]\r\n")},
                                      {"titled/titled.zel", CompactFile}}) {
        QFile file(m_dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QFile::remove(m_dir.filePath(u"new.zel"_s));
    store().clear();
    store().setValue(u"Data/DefaultFolder"_s, u"start"_s);
    store().setValue(u"Data/BarcodeFlag"_s, u"1"_s);
    m_dialogs = {};
    m_dialogs.folder = m_dir.path();
    start();
}

void TestApplicationShell::start()
{
    m_window = std::make_unique<frmMain>();
    m_shell = new ApplicationShell(*m_window, m_dialogs);
    m_shell->Form_Load();
}

void TestApplicationShell::startUpFollowsTheStoredFlag_data()
{
    QTest::addColumn<QVariant>("flag");
    QTest::addColumn<bool>("shown");
    QTest::newRow("nothing stored") << QVariant() << false;
    QTest::newRow("0") << QVariant(u"0"_s) << false;
    QTest::newRow("00 is not 0") << QVariant(u"00"_s) << true;
}

void TestApplicationShell::startUpFollowsTheStoredFlag()
{
    QFETCH(QVariant, flag);
    QFETCH(bool, shown);
    if (flag.isValid()) {
        store().setValue(u"Data/BarcodeFlag"_s, flag);
    } else {
        store().remove(u"Data/BarcodeFlag"_s);
    }
    const int tallHeight = m_window->height();
    start();
    QCOMPARE(m_window->windowTitle(), Title);
    QCOMPARE(m_window->settings(), defaultSettings());
    QVERIFY(!m_window->IsDataChanged());
    QCOMPARE(m_shell->preferences().BarcodeFlag, flag.isValid() ? flag.toString() : u"0"_s);
    QCOMPARE(sectionShown(), shown);
    QCOMPARE(m_window->height() < tallHeight, !shown);
}

void TestApplicationShell::commands_data()
{
    QTest::addColumn<QStringList>("row");
    for (const QStringList &row : dataTable(u"commands.txt"_s)) {
        QTest::newRow(qPrintable(row[0])) << row;
    }
}

void TestApplicationShell::commands()
{
    QFETCH(QStringList, row);
    const QString &before = row[1];
    const QString &shown = row[4];
    const QString &file = row[5];
    if (before.contains(u"titled"_s)) {
        m_dialogs.fileToOpen = u"titled/titled.zel"_s;
        m_shell->mnuOpen_Click();
    }
    if (before.contains(u"changed"_s)) {
        makeAChange();
    }
    const Settings edited = m_window->settings();
    const QStringList answer = (row[3] + u" - - -"_s).split(u' ', Qt::SkipEmptyParts);
    m_dialogs.answer = answer[0] == u"Yes"_s  ? Dialogs::Answer::Yes
                       : answer[0] == u"No"_s ? Dialogs::Answer::No
                                              : Dialogs::Answer::Cancel;
    m_dialogs.fileToSave = answer[1] == u"-"_s ? QString() : answer[1];
    m_dialogs.fileToOpen = answer[2] == u"-"_s ? QString() : answer[2];
    m_dialogs.shown.clear();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(row[2].at(0).unicode()));

    QCOMPARE(m_dialogs.shown.join(u' '), shown);
    QCOMPARE(m_shell->CurrentFileName(), file.isEmpty() ? QString() : m_dir.filePath(file));
    QCOMPARE(m_window->windowTitle(),
             file.isEmpty() ? Title : Title + u" - "_s + file.section(u'/', -1));
    QCOMPARE(m_window->IsDataChanged(), row[6] == u"1"_s);
    QCOMPARE(m_window->isVisible(), row[7] == u"0"_s);
    QCOMPARE(contentsOf(m_dir.filePath(u"titled/titled.zel"_s)) == CompactFile,
             !(row[2] == u"S"_s && before.contains(u"titled"_s)));
    if (shown.startsWith(u"ask save"_s) && shown.count(u' ') == 1 && answer[1] != u"-"_s) {
        // Yes wrote the edited settings.
        SettingFileContent content;
        QCOMPARE(ReadSettingFile(m_dir.filePath(answer[1]), content), QString());
        Settings saved = edited;
        content.applyTo(saved);
        QCOMPARE(saved, edited);
    }
}

void TestApplicationShell::openAppliesTheFileOrPutsTheSnapshotBack()
{
    m_dialogs.fileToOpen = u"compact.zel"_s;
    m_shell->mnuOpen_Click();
    QCOMPARE(m_shell->preferences().BarcodeFlag, u"0"_s);
    QVERIFY(!sectionShown());
    const int compactHeight = m_window->height();

    m_dialogs.fileToOpen = u"good.zel"_s;
    m_shell->mnuOpen_Click();
    const Settings good{0, 0, 1, 2, ModeSelect, u"3"_s, u"12"_s, u"0D"_s, 6};
    QCOMPARE(m_window->settings(), good);
    QCOMPARE(m_shell->preferences().BarcodeFlag, u"1"_s);
    QVERIFY(sectionShown() && m_window->height() > compactHeight);

    m_dialogs.fileToOpen = u"bad.zel"_s;
    makeAChange();
    m_window->findChild<QLineEdit *>(u"txtEnd"_s)->setText(u"77"_s);
    m_shell->mnuOpen_Click(); // the question is answered Cancel
    m_dialogs.answer = Dialogs::Answer::No;
    m_shell->mnuOpen_Click();
    QCOMPARE(m_window->settings(), good);
    QCOMPARE(m_shell->preferences().BarcodeFlag, u"1"_s);
    QCOMPARE(m_dialogs.shown.join(u' '), u"open open ask ask open ZEL File Format Error"_s);
}

void TestApplicationShell::preferencesAreStoredWhenTheWindowUnloads()
{
    m_dialogs.fileToOpen = u"compact.zel"_s;
    m_shell->mnuOpen_Click();
    makeAChange();
    QVERIFY(!m_window->close()); // the question is answered Cancel
    QCOMPARE(store().value(u"Data/BarcodeFlag"_s), QVariant(u"1"_s));
    m_dialogs.answer = Dialogs::Answer::No;
    QVERIFY(m_window->close());
    QCOMPARE(store().value(u"Data/BarcodeFlag"_s), QVariant(u"0"_s));

    start();
    QVERIFY(!sectionShown());
    m_shell->mnuOpen_Click();
    QCOMPARE(m_dialogs.initialFolders, (QStringList{u"start"_s, m_dir.path()}));
}

void TestApplicationShell::sessionEndAsksWhereAllowed()
{
    makeAChange();
    store().clear();
    QVERIFY(!m_shell->settleForSessionEnd(true)); // the question is answered Cancel
    QCOMPARE(m_dialogs.shown, QStringList{u"ask"_s});
    QVERIFY(store().allKeys().isEmpty());
    QVERIFY(m_shell->settleForSessionEnd(false));
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(store().value(u"Data/DefaultFolder"_s), QVariant(u"start"_s));
}

// Each check runs on the modal dialog that opens next, which it then closes.
void TestApplicationShell::realDialogsShowTheProgramsTexts()
{
    MessageBoxDialogs dialogs(m_window.get());
    QStringList seen;
    const auto whenShown = [&](const std::function<void(QWidget *)> &check) {
        QTimer::singleShot(0, this, [&, check] { check(QApplication::activeModalWidget()); });
    };
    for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
        whenShown([&](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            seen << box->windowTitle() + u": "_s + box->text() + u" default "_s +
                        box->defaultButton()->text();
            box->button(button)->click();
        });
        seen << QString::number(int(dialogs.askToSaveChanges()));
    }
    for (const bool save : {true, false}) {
        whenShown([&](QWidget *dialog) {
            auto *files = qobject_cast<QFileDialog *>(dialog);
            seen << files->windowTitle() + u": "_s + files->directory().path() + u' ' +
                        files->findChild<QComboBox *>(u"fileTypeCombo"_s)->currentText() +
                        u' ' + files->nameFilters().join(u',');
            files->reject();
        });
        QVERIFY(!(save ? dialogs.chooseFileToSave(m_dir.path())
                       : dialogs.chooseFileToOpen(m_dir.path())));
    }
    const QString question = u"ZEL File Generator: Data is changed.\nSave this data? default &Yes"_s;
    QCOMPARE(seen, (QStringList{question, u"0"_s, question, u"1"_s, question, u"2"_s,
                                u"Save ZEL File: "_s + m_dir.path() +
                                    u" ZEL File (*.zel) ZEL File (*.zel) (*.zel)"_s,
                                u"Load ZEL File: "_s + m_dir.path() +
                                    u" ZEL File (*.ZEL) ZEL File (*.ZEL) (*.zel)"_s}));
}

QTEST_MAIN(TestApplicationShell)
#include "tst_applicationshell.moc"
