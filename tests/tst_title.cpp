#include "app/preferences.h"
#include "app/title.h"

#include <QtTest>

// The title and the stored preferences: what the operator sees of the file and what survives
// between runs.
class TestTitleAndPreferences : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void title_data();
    void title();
    void preferencesSurviveAsText_data();
    void preferencesSurviveAsText();
    void missingPreferencesHaveDefaults();
};

void TestTitleAndPreferences::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestTitleAndPreferences::title_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");

    const QString bare = QStringLiteral("VX613 ZEL File Generator   V1.02");
    const QString sep = QDir::separator();
    QTest::newRow("bare") << QString() << bare;
    QTest::newRow("file") << sep + "work" + sep + "line1.zel" << bare + " - line1.zel";
    QTest::newRow("no extension") << sep + "work" + sep + "noext" << bare + " - noext";
    QTest::newRow("no name part") << "line1.zel" << bare + " - ";
}

void TestTitleAndPreferences::title()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(path.isNull() ? bareTitle() : titleWithFile(path), title);
}

void TestTitleAndPreferences::preferencesSurviveAsText_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("flag");
    QTest::newRow("usual") << QDir::tempPath() << "1";
    QTest::newRow("empty texts") << "" << "";
    QTest::newRow("blanks and zeros kept") << " a folder " << " 00";
    QTest::newRow("other characters") << QString::fromUtf8("/tmp/é=;#\"") << "x";
}

void TestTitleAndPreferences::preferencesSurviveAsText()
{
    QFETCH(QString, folder);
    QFETCH(QString, flag);
    SavePreferences({folder, flag});
    const Preferences loaded = LoadPreferences();
    QCOMPARE(loaded.DefaultFolder, folder);
    QCOMPARE(loaded.BarcodeFlag, flag);
}

void TestTitleAndPreferences::missingPreferencesHaveDefaults()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZELFileGenerator"),
              QStringLiteral("ZELFileGenerator"))
        .clear();
    const Preferences loaded = LoadPreferences();
    QCOMPARE(loaded.DefaultFolder, QString());
    QCOMPARE(loaded.BarcodeFlag, QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestTitleAndPreferences)
#include "tst_title.moc"
