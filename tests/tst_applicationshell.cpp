// Start-up, the file commands of data/commands.txt with their question, the preferences and
// the real dialogs.
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
const QString Files = QStringLiteral(ZEL_TEST_DATA "/settingfiles/");

// Gives the answers in turn ("Yes", "No", a file in folder, "!" for a dialog that fails;
// none left: Cancel) and notes what was asked and shown.
class ScriptedDialogs : public Dialogs
{
public:
    QString folder;
    QStringList answers;
    QStringList shown;
    QStringList initialFolders;

    Answer askToSaveChanges() override
    {
        const QString answer = next(u"ask"_s);
        return answer == u"Yes"_s ? Answer::Yes : answer == u"No"_s ? Answer::No : Answer::Cancel;
    }
    std::optional<QString> chooseFileToSave(const QString &initialFolder) override
    {
        return file(next(u"save"_s), initialFolder);
    }
    std::optional<QString> chooseFileToOpen(const QString &initialFolder) override
    {
        return file(next(u"open"_s), initialFolder);
    }
    void showError(const QString &message, const QString &) override { shown << message; }

private:
    QString next(const QString &dialog)
    {
        shown << dialog;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    std::optional<QString> file(const QString &answer, const QString &initialFolder)
    {
        initialFolders << initialFolder;
        if (answer == u"!"_s) {
            throw std::runtime_error("out of something");
        }
        return answer.isEmpty() ? std::nullopt : std::optional(folder + u'/' + answer);
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

// Files from the setting-file tests: Select with Program at 76800 baud, an Original Format file
// without RS-232C section, and a refused one.
void TestApplicationShell::init()
{
    QVERIFY(QDir(m_dir.path()).mkpath(u"titled"_s));
    for (const char *name : {"good.zel", "compact.zel", "bad.zel", "titled/titled.zel", "new.zel"}) {
        QFile::remove(m_dir.filePath(QLatin1String(name)));
    }
    QFile::copy(Files + u"rs232c-76800.zel"_s, m_dir.filePath(u"good.zel"_s));
    QFile::copy(Files + u"original.zel"_s, m_dir.filePath(u"compact.zel"_s));
    QFile::copy(Files + u"select-slash-alone.zel"_s, m_dir.filePath(u"bad.zel"_s));
    QFile::copy(Files + u"original.zel"_s, m_dir.filePath(u"titled/titled.zel"_s));
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

// Only the text "0" hides the section; start-up sets the height before the window shows.
void TestApplicationShell::startUpFollowsTheStoredFlag()
{
    const int tallHeight = m_window->height();
    for (const QString flag : {u"0"_s, u"00"_s, QString()}) {
        store().setValue(u"Data/BarcodeFlag"_s, flag);
        if (flag.isNull()) {
            store().remove(u"Data/BarcodeFlag"_s);
        }
        start();
        QCOMPARE(m_window->windowTitle(), Title);
        QCOMPARE(m_window->settings(), defaultSettings());
        QVERIFY(!m_window->IsDataChanged());
        QCOMPARE(m_shell->preferences().BarcodeFlag, flag.isNull() ? u"0"_s : flag);
        QCOMPARE(sectionShown(), flag == u"00"_s);
        QCOMPARE(m_window->height() < tallHeight, flag != u"00"_s);
    }
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
    const QString &file = row[5];
    if (before.contains(u"titled"_s)) {
        m_dialogs.answers = QStringList{u"titled/titled.zel"_s};
        m_shell->mnuOpen_Click();
    }
    if (before.contains(u"changed"_s)) {
        makeAChange();
    }
    const Settings edited = m_window->settings();
    m_dialogs.shown.clear();
    m_dialogs.answers = row[3].split(u' ');
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(row[2].at(0).unicode()));

    QCOMPARE(m_dialogs.shown.join(u' '), row[4]);
    QCOMPARE(m_shell->CurrentFileName(), file.isEmpty() ? QString() : m_dir.filePath(file));
    QCOMPARE(m_window->windowTitle(), file.isEmpty() ? Title : Title + u" - "_s + file.section(u'/', -1));
    QCOMPARE(m_window->IsDataChanged(), row[6] == u"1"_s);
    QCOMPARE(m_window->isVisible(), row[7] == u"0"_s);
    // A failed or cancelled write leaves the former file; only Save writes the open document.
    QCOMPARE(contentsOf(m_dir.filePath(u"titled/titled.zel"_s)) == contentsOf(Files + u"original.zel"_s),
             row[2] != u"S"_s || !before.contains(u"titled"_s));
    if (row[4] == u"ask save"_s && row[3].startsWith(u"Yes "_s)) {
        SettingFileContent content; // Yes wrote the edited settings
        QCOMPARE(ReadSettingFile(m_dir.filePath(row[3].section(u' ', 1)), content), QString());
        Settings saved = edited;
        content.applyTo(saved);
        QCOMPARE(saved, edited);
    }
}

void TestApplicationShell::openAppliesTheFileOrPutsTheSnapshotBack()
{
    m_dialogs.answers = QStringList{u"compact.zel"_s, u"good.zel"_s, u"Cancel"_s, u"No"_s, u"bad.zel"_s};
    m_shell->mnuOpen_Click();
    QCOMPARE(m_shell->preferences().BarcodeFlag, u"0"_s);
    QVERIFY(!sectionShown());
    const int compactHeight = m_window->height();
    m_shell->mnuOpen_Click();
    const Settings good{6, 0, 0, 0, ModeSelect, u"6"_s, u""_s, u""_s, 6};
    QCOMPARE(m_window->settings(), good);
    QCOMPARE(m_shell->preferences().BarcodeFlag, u"1"_s);
    QVERIFY(sectionShown() && m_window->height() > compactHeight);

    makeAChange();
    m_window->findChild<QLineEdit *>(u"txtEnd"_s)->setText(u"77"_s);
    m_shell->mnuOpen_Click();
    m_shell->mnuOpen_Click();
    QCOMPARE(m_window->settings(), good);
    QCOMPARE(m_shell->preferences().BarcodeFlag, u"1"_s);
    QCOMPARE(m_dialogs.shown.join(u' '), u"open open ask ask open ZEL File Format Error"_s);
}

void TestApplicationShell::preferencesAreStoredWhenTheWindowUnloads()
{
    m_dialogs.answers = QStringList{u"compact.zel"_s, u"Cancel"_s, u"No"_s};
    m_shell->mnuOpen_Click();
    makeAChange();
    QVERIFY(!m_window->close());
    QCOMPARE(store().value(u"Data/BarcodeFlag"_s), QVariant(u"1"_s));
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

// Each dialog is read and closed as soon as it shows.
void TestApplicationShell::realDialogsShowTheProgramsTexts()
{
    MessageBoxDialogs dialogs(m_window.get());
    QStringList seen;
    const auto whenShown = [&](std::function<void(QWidget *)> check) {
        QTimer::singleShot(0, this, [check] { check(QApplication::activeModalWidget()); });
    };
    for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
        whenShown([&seen, button](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            seen << box->windowTitle() + u": "_s + box->text() + u' ' + box->defaultButton()->text();
            box->button(button)->click();
        });
        seen << QString::number(int(dialogs.askToSaveChanges()));
    }
    for (const bool save : {true, false}) {
        whenShown([&seen](QWidget *dialog) {
            auto *files = qobject_cast<QFileDialog *>(dialog);
            seen << files->windowTitle() + u": "_s + files->directory().path() + u' ' +
                        files->findChild<QComboBox *>(u"fileTypeCombo"_s)->currentText() + u", "_s +
                        files->nameFilters().join(u',');
            files->reject();
        });
        QVERIFY(!(save ? dialogs.chooseFileToSave(m_dir.path()) : dialogs.chooseFileToOpen(m_dir.path())));
    }
    const QString question = u"ZEL File Generator: Data is changed.\nSave this data? &Yes"_s;
    QCOMPARE(seen, (QStringList{question, u"0"_s, question, u"1"_s, question, u"2"_s,
                                u"Save ZEL File: "_s + m_dir.path() + u" ZEL File (*.zel), ZEL File (*.zel) (*.zel)"_s,
                                u"Load ZEL File: "_s + m_dir.path() + u" ZEL File (*.ZEL), ZEL File (*.ZEL) (*.zel)"_s}));
}

QTEST_MAIN(TestApplicationShell)
#include "tst_applicationshell.moc"
