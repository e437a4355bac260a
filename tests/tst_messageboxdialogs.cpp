#include "app/messageboxdialogs.h"

#include <QtTest>
#include <QComboBox>
#include <QPushButton>
#include <QFileDialog>
#include <QMessageBox>

// The real dialogs show the program's own texts; each test answers the dialog it opens.
class TestMessageBoxDialogs : public QObject
{
    Q_OBJECT

private slots:
    void questionOffersYesNoCancelWithYesFirst_data();
    void questionOffersYesNoCancelWithYesFirst();
    void fileDialogsShowTheirTitleAndType_data();
    void fileDialogsShowTheirTitleAndType();

private:
    // Runs check on the modal dialog that opens next, then closes it with button or reject().
    template <typename Dialog>
    void whenShown(std::function<void(Dialog *)> check)
    {
        QTimer::singleShot(0, this, [check] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            check(dialog);
        });
    }

    QWidget m_parent;
    MessageBoxDialogs m_dialogs{&m_parent};
};

void TestMessageBoxDialogs::questionOffersYesNoCancelWithYesFirst_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << int(Dialogs::Answer::Yes);
    QTest::newRow("No") << int(QMessageBox::No) << int(Dialogs::Answer::No);
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << int(Dialogs::Answer::Cancel);
}

void TestMessageBoxDialogs::questionOffersYesNoCancelWithYesFirst()
{
    QFETCH(int, button);
    QFETCH(int, answer);
    whenShown<QMessageBox>([button](QMessageBox *box) {
        QCOMPARE(box->windowTitle(), QStringLiteral("ZEL File Generator"));
        QCOMPARE(box->text(), QStringLiteral("Data is changed.\nSave this data?"));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->defaultButton(), qobject_cast<QPushButton *>(box->button(QMessageBox::Yes)));
        box->button(QMessageBox::StandardButton(button))->click();
    });
    QCOMPARE(int(m_dialogs.askToSaveChanges()), answer);
}

void TestMessageBoxDialogs::fileDialogsShowTheirTitleAndType_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("type");
    QTest::newRow("save") << true << "Save ZEL File" << "ZEL File (*.zel)";
    QTest::newRow("open") << false << "Load ZEL File" << "ZEL File (*.ZEL)";
}

void TestMessageBoxDialogs::fileDialogsShowTheirTitleAndType()
{
    QFETCH(bool, save);
    QFETCH(QString, title);
    QFETCH(QString, type);
    const QString folder = QDir::tempPath();
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), title);
        QCOMPARE(dialog->directory().absolutePath(), folder);
        QCOMPARE(dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText(), type);
        QCOMPARE(dialog->nameFilters().constFirst().endsWith(QLatin1String(" (*.zel)")), true);
        QCOMPARE(dialog->defaultSuffix(), QString());
        QCOMPARE(dialog->testOption(QFileDialog::DontConfirmOverwrite), false);
        QCOMPARE(dialog->fileMode(), save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog->reject();
    });
    const auto chosen = save ? m_dialogs.chooseFileToSave(folder) : m_dialogs.chooseFileToOpen(folder);
    QVERIFY(!chosen);
}

QTEST_MAIN(TestMessageBoxDialogs)
#include "tst_messageboxdialogs.moc"
